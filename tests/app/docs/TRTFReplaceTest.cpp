#include "app/core/Cp1250.h"
#include "app/core/Error.h"
#include "app/docs/DocumentFiles.h"
#include "app/docs/TRTFReplace.h"
#include "support/TempDir.h"
#include "DocsTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::docs;
using valdora::test::TempDir;
using valdora::test::readFile;
using valdora::test::writeFile;

namespace {

const QByteArray Head = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}";

// A template: the header line, then the given lines, CR LF between them.
QString makeTemplate(const TempDir &dir, const QList<QByteArray> &lines, const QString &name = "t.rtf")
{
    QByteArray data = Head + "\r\n";
    for (const QByteArray &l : lines)
        data += l + "\r\n";
    return writeFile(dir.file(name), data);
}

QList<QByteArray> linesOf(const QString &path)
{
    QList<QByteArray> out = readFile(path).split('\n');
    for (QByteArray &l : out)
        if (l.endsWith('\r'))
            l.chop(1);
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// The text a reader sees in a line: "\'hh" as the code page 1250 byte, "\\" as "\".
QString visible(const QByteArray &rtf)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\' && i + 3 < rtf.size() && rtf[i + 1] == '\'') {
            bytes += char(rtf.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else if (rtf[i] == '\\' && i + 1 < rtf.size() && rtf[i + 1] == '\\') {
            bytes += '\\';
            ++i;
        } else
            bytes += rtf[i];
    }
    return decodeCp1250(bytes);
}

struct Doc {
    TempDir dir;
    TRTFReplace rtf;
    QList<QString> opened;

    Doc() : rtf([this](const QString &p) { opened.append(p); return true; }) {}
    void use(const QList<QByteArray> &lines)
    {
        rtf.RTFSursa = makeTemplate(dir, lines);
        rtf.RTFDest = dir.file("out.rtf");
    }
    QList<QByteArray> out() const { return linesOf(rtf.RTFDest); }
};

} // namespace

TEST(RtfValue, EscapingKeepsTheDocumentIntact)
{
    struct Case {
        QString value;
        QByteArray written;
    } cases[] = {
        {"plain text 12.5", "plain text 12.5"},
        {"{a} }{", "(a) )("},
        {QString::fromUtf8("Ş"), "\\'aa"},
        {QString::fromUtf8("Ţ"), "\\'de"},
        {QString::fromUtf8("ș ț"), "\\'ba \\'fe"}, // comma-below written as cedilla
        {QString::fromUtf8("ăîâ"), "\\'e3\\'ee\\'e2"},
        {"C:\\Date\\x", "C:\\\\Date\\\\x"},
        {"\\par}", "\\\\par)"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(escapeRtfValue(c.value), c.written) << c.value.toStdString();
}

TEST(TRTFReplace, CapitalsOnlyWhereThePlaceholderIsSpelledInCapitals)
{
    Doc d;
    d.use({"\\pard A [NUMEP]\\par", "B [NumeP]\\par", "C [CF]\\par", "D [CNP]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[NUMEP]", QString::fromUtf8("popescu ştefan ţuţea"));
    d.rtf.AddValue("[CF]", "ro123abc");
    d.rtf.AddValue("[CNP]", "abc");
    d.rtf.WriteBody(1);
    d.rtf.Finish();
    const QList<QByteArray> out = d.out();
    ASSERT_EQ(out.size(), 6);
    // Letters a-z only: the diacritics stay as they are.
    EXPECT_EQ(visible(out[1]), QString::fromUtf8("\\pard A POPESCU şTEFAN ţUţEA\\par"));
    EXPECT_EQ(visible(out[2]), QString::fromUtf8("B popescu ştefan ţuţea\\par"));
    EXPECT_EQ(out[3], "C ro123abc\\par"); // four characters: never changed
    EXPECT_EQ(out[4], "D ABC\\par");
    EXPECT_EQ(out[5], "}");
}

TEST(TRTFReplace, EmptyValueIsTenDotsInWriteBodyAndNothingInFillFrom)
{
    Doc d;
    d.use({"\\pard Rol: [ROL]; nume [NumeP]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[ROL]", "");
    d.rtf.AddValue("[NumeP]", "x");
    d.rtf.WriteBody(1);
    EXPECT_EQ(d.out()[1], "\\pard Rol: ..........; nume x\\par");

    d.rtf.AddValue("[ROL]", "");
    d.rtf.FillFrom("Rol");
    EXPECT_EQ(d.out()[1], "\\pard Rol: ; nume [NumeP]\\par");
}

TEST(TRTFReplace, BracesAndCedillaLettersAreEscapedInTheFile)
{
    Doc d;
    d.use({"\\pard [Obs]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[Obs]", QString::fromUtf8("{Ş} Ţ } \\"));
    d.rtf.WriteBody(1);
    d.rtf.Finish();
    const QByteArray file = readFile(d.rtf.RTFDest);
    EXPECT_TRUE(file.contains("\\pard (\\'aa) \\'de ) \\\\\\par")) << file.toStdString();
    EXPECT_EQ(file.count('{'), file.count('}'));
}

TEST(TRTFReplace, PlaceholderSearchIgnoresCase)
{
    Doc d;
    d.use({"\\pard [Adresa] / [adresa]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[ADRESA]", "str. Unirii 12");
    d.rtf.WriteBody(1);
    EXPECT_EQ(d.out()[1], "\\pard str. Unirii 12 / str. Unirii 12\\par");

    d.rtf.AddValue("[ADRESA]", "str. Unirii 12");
    d.rtf.FillFrom("");
    EXPECT_EQ(d.out()[1], "\\pard str. Unirii 12 / str. Unirii 12\\par");
}

TEST(TRTFReplace, PlaceholderSplitByTheWordProcessorStaysVisible)
{
    Doc d;
    d.use({"\\pard {\\b [NU}{\\b MEP]} [NU", "MEP] [NUMEP]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[NUMEP]", "Ion");
    d.rtf.WriteBody(1);
    const QList<QByteArray> out = d.out();
    EXPECT_EQ(out[1], "\\pard {\\b [NU}{\\b MEP]} [NU");
    EXPECT_EQ(out[2], "MEP] ION\\par");
}

TEST(TRTFReplace, HeaderIsCopiedOnceAndBodyStartsAtPard)
{
    Doc d;
    d.rtf.RTFSursa = writeFile(d.dir.file("t.rtf"), Head + "\r\n\\paperw11906  \\pard\\plain Text [X]\\par\r\n}\r\n");
    d.rtf.RTFDest = d.dir.file("out.rtf");
    ASSERT_TRUE(d.rtf.Prepare());
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\paperw11906"}));
    d.rtf.AddValue("[X]", "1");
    d.rtf.WriteBody(1);
    d.rtf.Finish();
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\paperw11906", "\\pard\\plain Text 1\\par", "}"}));
}

TEST(TRTFReplace, BodyEndsAtTheBraceThatClosesTheDocument)
{
    Doc d;
    // The escaped brace counts like any other, so the first "}" does not end the body.
    d.use({"\\pard a \\{", "", "b}", "c [X]}", "after the end [X]", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[X]", "1");
    d.rtf.WriteBody(1);
    d.rtf.Finish();
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\pard a \\{", "b}", "c 1", "}"}));
}

TEST(TRTFReplace, ThreeRecordsWithNewPageMakeOneDocumentOfThreeBodies)
{
    Doc d;
    d.use({"\\pard Decizia [NR] pentru [NumeP]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    const char *names[] = {"Ana", "Ion", "Vasile"};
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            d.rtf.NewPage();
        d.rtf.AddValue("[NR]", QString::number(100 + i));
        d.rtf.AddValue("[NumeP]", names[i]);
        d.rtf.WriteBody(1);
    }
    d.rtf.Finish();
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\pard Decizia 100 pentru Ana\\par", " \\par \\page ",
                                          "\\pard Decizia 101 pentru Ion\\par", " \\par \\page ",
                                          "\\pard Decizia 102 pentru Vasile\\par", "}"}));
}

TEST(TRTFReplace, WriteBodyOfThreeCopiesSeparatesThemWithPage)
{
    Doc d;
    d.use({"\\pard [NumeP]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[NumeP]", "Ana");
    d.rtf.WriteBody(3);
    d.rtf.Finish();
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\pard Ana\\par", "\\page", "\\pard Ana\\par", "\\page",
                                          "\\pard Ana\\par", "}"}));
}

TEST(TRTFReplace, PlaceholderRegisteredInARowRepeatsItsLine)
{
    Doc d;
    d.use({"\\pard Lista [Titlu]\\par", "\\trowd [Nume] - [Titlu]\\row", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[Titlu]", "T");
    d.rtf.AddValue("[Nume]", "Ana");
    d.rtf.AddValue("[Nume]", "Ion");
    d.rtf.AddValue("[Nume]", "Vasile");
    d.rtf.WriteBody(1);
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\pard Lista T\\par", "\\trowd Ana - T\\row",
                                          "\\trowd Ion - T\\row", "\\trowd Vasile - T\\row"}));
    EXPECT_EQ(d.rtf.repeatCursor(), -1);
}

TEST(TRTFReplace, TwoPlaceholdersRepeatedOnOneLineDoNotRepeatForever)
{
    Doc d;
    d.use({"\\pard [A] [B]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    for (const char *v : {"a1", "a2"})
        d.rtf.AddValue("[A]", v);
    for (const char *v : {"b1", "b2"})
        d.rtf.AddValue("[B]", v);
    QElapsedTimer t;
    t.start();
    d.rtf.WriteBody(1);
    EXPECT_LT(t.elapsed(), 5000);
    const QList<QByteArray> out = d.out();
    EXPECT_GE(out.size(), 2);
    EXPECT_LE(out.size(), 1 + 4); // never more copies than registered values
    EXPECT_EQ(out[1], "\\pard a1 b1\\par");
}

TEST(TRTFReplace, ValueHoldingItsOwnPlaceholderIsNotFilledAgain)
{
    Doc d;
    d.use({"\\pard [NumeP] si [NumeP]; [NUMEP]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[NumeP]", "x [NumeP] y");
    QElapsedTimer t;
    t.start();
    d.rtf.WriteBody(1);
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_EQ(d.out()[1], "\\pard x [NumeP] y si x [NumeP] y; X [NUMEP] Y\\par");
}

TEST(TRTFReplace, TemplateWithoutPardEndsCleanly)
{
    Doc d;
    d.use({"\\f0 only header [X]", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[X]", "1");
    QElapsedTimer t;
    t.start();
    d.rtf.WriteBody(2);
    d.rtf.Finish();
    EXPECT_LT(t.elapsed(), 5000);
    // The output holds the copied text only, and stays one balanced document.
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\f0 only header [X]", "}"}));
}

TEST(TRTFReplace, PrepareRefusesWhatItCannotUse)
{
    TempDir dir;
    TRTFReplace rtf;
    rtf.RTFDest = dir.file("out.rtf");
    rtf.RTFSursa = dir.file("missing.rtf");
    EXPECT_FALSE(rtf.Prepare());
    rtf.RTFSursa = "";
    EXPECT_FALSE(rtf.Prepare());

    rtf.RTFSursa = writeFile(dir.file("empty.rtf"), "");
    EXPECT_FALSE(rtf.Prepare());
    EXPECT_FALSE(QFile::exists(rtf.RTFDest));

    // Writing over the template itself would destroy it.
    rtf.RTFSursa = makeTemplate(dir, {"\\pard x\\par", "}"});
    const QByteArray original = readFile(rtf.RTFSursa);
    rtf.RTFDest = rtf.RTFSursa;
    EXPECT_FALSE(rtf.Prepare());
    EXPECT_THROW(rtf.FillFrom("x"), Error);
    EXPECT_EQ(readFile(rtf.RTFSursa), original);

    rtf.RTFDest = dir.file("no/such/folder/out.rtf");
    EXPECT_FALSE(rtf.Prepare());
}

TEST(TRTFReplace, FileErrorsAreReported)
{
    Doc d;
    d.use({"\\pard x\\par", "}"});
    d.rtf.RTFDest = d.dir.file("no/such/folder/out.rtf");
    EXPECT_THROW(d.rtf.WriteBody(1), Error);
    EXPECT_THROW(d.rtf.NewPage(), Error);
    EXPECT_THROW(d.rtf.Finish(), Error);
    EXPECT_THROW(d.rtf.FillFrom("x"), Error);
    d.rtf.RTFDest = d.dir.file("out.rtf");
    d.rtf.RTFSursa = d.dir.file("missing.rtf");
    EXPECT_THROW(d.rtf.WriteBody(1), Error);
    EXPECT_THROW(d.rtf.FillFrom("x"), Error);
}

TEST(TRTFReplace, EveryOperationEmptiesTheLists)
{
    const std::vector<std::pair<const char *, std::function<void(TRTFReplace &)>>> operations{
        {"Prepare", [](TRTFReplace &r) { r.Prepare(); }},
        {"WriteBody", [](TRTFReplace &r) { r.WriteBody(1); }},
        {"NewPage", [](TRTFReplace &r) { r.NewPage(); }},
        {"Finish", [](TRTFReplace &r) { r.Finish(); }},
        {"FillFrom", [](TRTFReplace &r) { r.FillFrom("JUDE"); }},
        {"ClearValues", [](TRTFReplace &r) { r.ClearValues(); }},
    };
    for (const auto &[name, op] : operations) {
        Doc d;
        d.use({"\\pard [X]\\par", "}"});
        ASSERT_TRUE(d.rtf.Prepare());
        d.rtf.AddValue("[X]", "1");
        d.rtf.AddValue("[Y]", "2");
        d.rtf.AddValue("", "ignored");
        ASSERT_EQ(d.rtf.placeholders().size(), 2);
        ASSERT_EQ(d.rtf.values().size(), 2);
        op(d.rtf);
        EXPECT_TRUE(d.rtf.placeholders().isEmpty()) << name;
        EXPECT_TRUE(d.rtf.values().isEmpty()) << name;
    }
}

TEST(TRTFReplace, FillFromCopiesUpToTheStartAndFillsTheRestOnce)
{
    Doc d;
    d.use({"\\pard [Sat] before the start\\par", "\\pard ROMANIA JUDETUL [JUDET]\\par",
           "[NumeP] [NUMEP] [Adresa] [Sat] [Gol]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddValue("[JUDET]", "Arges");
    d.rtf.AddValue("[NUMEP]", "ion [ADRESA]"); // an inserted value is never searched again
    d.rtf.AddValue("[ADRESA]", "str. Mare");
    d.rtf.AddValue("[Sat]", "{Sat}");
    d.rtf.AddValue("[Gol]", "");
    d.rtf.FillFrom("JUDE");
    EXPECT_EQ(d.out(), (QList<QByteArray>{Head, "\\pard [Sat] before the start\\par",
                                          "\\pard ROMANIA JUDETUL Arges\\par",
                                          "ion [ADRESA] ion [ADRESA] str. Mare (Sat) \\par", "}"}));
}

TEST(TRTFReplace, ProgramMarkupGoesInAsItIs)
{
    Doc d;
    d.use({"\\pard [CAP2B] [Nume]\\par", "}"});
    ASSERT_TRUE(d.rtf.Prepare());
    d.rtf.AddRtf("[CAP2B]", "\\trowd\\cellx2000\\pard\\intbl " + escapeRtfValue(QString::fromUtf8("Ş")) +
                                "\\cell\\row\\pard");
    d.rtf.AddValue("[Nume]", "\\b");
    d.rtf.WriteBody(1);
    EXPECT_EQ(d.out()[1], "\\pard \\trowd\\cellx2000\\pard\\intbl \\'aa\\cell\\row\\pard \\\\b\\par");
}

TEST(TRTFReplace, PickDestTakesTheFirstFreeOrDeletableName)
{
    TempDir dir;
    TRTFReplace rtf;
    const QString prefix = dir.file("SomTit");
    ASSERT_TRUE(rtf.PickDest(prefix));
    EXPECT_EQ(rtf.RTFDest, prefix + "0.rtf");

    writeFile(prefix + "0.rtf", "old");
    ASSERT_TRUE(rtf.PickDest(prefix)); // an old document no longer open is reused
    EXPECT_EQ(rtf.RTFDest, prefix + "0.rtf");
    EXPECT_FALSE(QFile::exists(prefix + "0.rtf"));

    // Open in LibreOffice (its lock file beside it): skipped and left alone.
    writeFile(prefix + "0.rtf", "open");
    writeFile(officeLockFile(prefix + "0.rtf"), "lock");
    ASSERT_TRUE(rtf.PickDest(prefix));
    EXPECT_EQ(rtf.RTFDest, prefix + "1.rtf");
    EXPECT_EQ(readFile(prefix + "0.rtf"), "open");

    // All 100 held: false and RTFDest unchanged.
    for (int n = 1; n < 100; ++n)
        QDir().mkpath(prefix + QString::number(n) + ".rtf/held");
    rtf.RTFDest = "unchanged";
    EXPECT_FALSE(rtf.PickDest(prefix));
    EXPECT_EQ(rtf.RTFDest, "unchanged");
}

TEST(TRTFReplace, ShowOpensOnlyAnExistingDocument)
{
    Doc d;
    d.rtf.RTFDest = "";
    EXPECT_FALSE(d.rtf.Show());
    d.rtf.RTFDest = d.dir.file("missing.rtf");
    EXPECT_FALSE(d.rtf.Show());
    EXPECT_TRUE(d.opened.isEmpty());
    d.rtf.RTFDest = writeFile(d.dir.file("doc.rtf"), "{\\rtf1 x}");
    EXPECT_TRUE(d.rtf.Show());
    EXPECT_EQ(d.opened, QList<QString>{d.rtf.RTFDest});

    TRTFReplace withoutOpener;
    withoutOpener.RTFDest = d.rtf.RTFDest;
    EXPECT_FALSE(withoutOpener.Show());
}

namespace {

// A stand-in for the office program: a shell script.
QString fakeOffice(const TempDir &dir, const QByteArray &body)
{
    const QString path = writeFile(dir.file("bin/soffice"), "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(TRTFReplace, SaveAsPdfWithoutAWorkingOfficeKeepsTheRtf)
{
    struct Case {
        const char *name;
        QByteArray script; // empty: no office at all
    } cases[] = {
        {"missing", ""},
        {"fails", "exit 3"},
        {"writes nothing", "exit 0"},
        {"overruns", "sleep 30"},
    };
    for (const Case &c : cases) {
        Doc d;
        d.rtf.RTFDest = writeFile(d.dir.file("Cert0.rtf"), "{\\rtf1 x}");
        d.rtf.pdfOptions.office = c.script.isEmpty() ? d.dir.file("bin/none") : fakeOffice(d.dir, c.script);
        d.rtf.pdfOptions.timeoutMs = 700;
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(d.rtf.SaveAsPdf()) << c.name;
        EXPECT_LT(t.elapsed(), 10000) << c.name;
        EXPECT_EQ(d.rtf.RTFDest, d.dir.file("Cert0.rtf")) << c.name;
        EXPECT_TRUE(QFile::exists(d.dir.file("Cert0.rtf"))) << c.name;
        EXPECT_FALSE(QFile::exists(d.dir.file("Cert0.pdf"))) << c.name;
    }
}

TEST(TRTFReplace, SaveAsPdfReplacesTheRtfByThePdf)
{
    // The office's command line as the conversion gives it: --outdir DIR SOURCE last.
    Doc d;
    d.rtf.RTFDest = writeFile(d.dir.file("Chit0.rtf"), "{\\rtf1 x}");
    d.rtf.pdfOptions.office = fakeOffice(d.dir,
                                         "for a; do case \"$prev\" in --outdir) out=\"$a\";; esac; prev=\"$a\"; "
                                         "src=\"$a\"; done\n"
                                         "case \"$*\" in *-env:UserInstallation=file://*) ;; *) exit 9;; esac\n"
                                         "b=$(basename \"$src\" .rtf); printf '%%PDF-1.4 fake' > \"$out/$b.pdf\"");
    ASSERT_TRUE(d.rtf.SaveAsPdf());
    EXPECT_EQ(d.rtf.RTFDest, d.dir.file("Chit0.pdf"));
    EXPECT_FALSE(QFile::exists(d.dir.file("Chit0.rtf")));
    EXPECT_EQ(readFile(d.dir.file("Chit0.pdf")), "%PDF-1.4 fake");
}
