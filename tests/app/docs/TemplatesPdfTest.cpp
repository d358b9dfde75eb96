// The shipped templates against the documents that fill them: every placeholder
// a document registers has its slot, whole on one line; filled with sample
// values each converts to PDF through LibreOffice with nothing left unfilled.

#include "app/docs/PdfConversion.h"
#include "app/docs/Resources.h"
#include "app/docs/TRTFReplace.h"
#include "app/docs/TemplateCatalogue.h"
#include "support/TempDir.h"
#include "DocsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <functional>
#include <map>

using namespace valdora;
using namespace valdora::docs;
using valdora::test::TempDir;
using valdora::test::writeFile;

namespace {

enum class Fill { Body, FromJude, FromRom };

// A numbered series of placeholders ("[Na1]".."[Na20]"): the template has `slotCount`
// rows, the document registers up to `registered`, `data` rows hold values.
struct Series {
    QStringList stems;
    int slotCount;
    int registered;
    int data;
    QString empty; // what the document registers for a row without data
    std::function<QString(const QString &stem, int row)> value;
    QString open = "[";  // ".DEN1." style for the fiscal certificate
    QString close = "]";
};

struct Case {
    QString resource;
    Fill fill;
    QStringList singles;  // registered, each with its slot in the template
    QStringList optional; // registered, without a slot in the shipped template
    std::vector<Series> series;
    int pages;
};

QString name(const Series &s, const QString &stem, int i) { return s.open + stem + QString::number(i) + s.close; }

const std::map<QString, QString> &sampleValues()
{
    static const std::map<QString, QString> v{
        {"JUDET", "Argeş"}, {"COMUNA", "Comuna Valea Mare"}, {"PRIMARIA", "Primăria comunei Valea Mare"},
        {"UAT", "Comuna Valea Mare"}, {"CUI", "4318570"}, {"CF", "4318570"}, {"LOCALITATEA", "Valea Mare"},
        {"PRIMAR", "Georgescu Vasile"}, {"CONTABIL", "Ionescu Maria"}, {"INTOCMIT", "Dumitrescu Ana"},
        {"UTILIZATOR", "Dumitrescu Ana"}, {"NR", "125"}, {"DATA", "15.04.2026"}, {"AZI", "15.04.2026"},
        {"NUMEP", "Popescu Ion"}, {"CNP", "1750312034567"}, {"ROL", "1234"}, {"SAT", "Satu Nou"},
        {"SATUL", "Satu Nou"}, {"ADRESA", "str. Unirii nr. 12"}, {"TR", "350"}, {"TC", "812"}, {"TA", "47"},
        {"TT", "1209"}, {"TD", "1162"}, {"NRT", "125"}, {"NUMETERT", "Banca Comercială Exemplu S.A."},
        {"SEDIUTERT", "Piteşti, bd. Republicii nr. 5"}, {"TOTAL", "1209"}, {"DL", "domnul"},
        {"CERTNR", "311"}, {"CERTDATA", "15.04.2026"}, {"CERENR", "2456"}, {"CEREDATA", "14.04.2026"},
        {"CITIP", "C.I."}, {"CISERIA", "AS"}, {"CINR", "123456"}, {"SUPPOZ", "Valea Mare"},
        {"SERVESTE", "vânzare-cumpărare imobil"}, {"TAXA", "2"}, {"CHITNR", "1088"}, {"CHITDATA", "15.04.2026"},
        {"SUP", "Cladire rezidentiala cu destinatia cladire de locuit, din anul 1978, beton, caramida arsa, avand "
                "suprafata construita desfasurata de 96 mp si valoarea impozabila de 104212.80 lei situata in "
                "str. Unirii nr. 12"},
        {"AUTO", "Autoturism cu capacitate intre 1601 si 2000 cmc marca Dacia combustibil DIESEL EURO 5, "
                 "inmatriculat, anul fab. 2015 capacitate 1461 cmc"},
        {"NRCONF", "58"}, {"DATACONF", "15.04.2026"}, {"NUMEDEST", "Inspectoratul de Poliţie Judeţean Argeş"},
        {"ADRDEST", "str. Negru Vodă nr. 47"}, {"LOCDEST", "Piteşti"}, {"BORDNR", "771"},
        {"BORDATA", "02.04.2026"}, {"CODCL", "35.02.01.02"}, {"ADRNR", "19224"}, {"ADRDATA", "01.04.2026"},
        {"SUMA", "120"}, {"SUMATEXT", "osutadouazeci"}, {"NATCL", "Amenzi contravenţionale"},
        {"NRACT", "100"}, {"ADRESAP", "Valea Mare, str. Primăriei nr. 1"}, {"ANUL", "2026"}, {"SCUT", "0"},
        {"TOT", "402"}, {"MARCA", "Dacia Logan"}, {"COMBUS", "BENZINA"}, {"SERIEM", "K7MF710 123456"},
        {"SERIE", "UU1LSDAAH12345678"}, {"ANULF", "2012"}, {"CAPACIT", "1598"}, {"TONAJ", "1.5"},
        {"DATADOB", "10.03.2026"}, {"ACTD", "Contract de vânzare-cumpărare"}, {"NRACTD", "12"}, {"NRDOS", "44"},
        {"DATAINSTR", "20.03.2026"}, {"ACTV", "Contract de vânzare-cumpărare"}, {"NRACTV", "31"},
        {"CERTRAD", "8812"}, {"CERTRADD", "25.03.2026"}, {"NUMENOU", "Marinescu Elena"}, {"JUDNOU", "Dâmboviţa"},
        {"LOCNOU", "Târgovişte"}, {"ADRNOU", "str. Independenţei nr. 3"},
        // the receipt
        {"JUDC1", "Judetul Argeş"}, {"LOCC1", "Primăria comunei Valea Mare"},
        {"CUIC1", "Cod inregistrare fiscala (C.U.I.): 4318570"}, {"LOCCL1", "SATU NOU"}, {"SERIAC1", "VM"},
        {"NRC1", "1088"}, {"TIPF1", "PF"}, {"ROLC1", "1234"}, {"CNPC1", "1750312034567"}, {"CUI1", " - "},
        {"NUMET1", "Popescu Ion"}, {"ADRESAT1", "str. Unirii nr. 12"}, {"PLATITOR1", "Popescu Ion"},
        {"TCUR1", "290"}, {"TRES1", "120"}, {"TDOB1", "14"}, {"TBON1", "0"}, {"TTOT1", "424"},
        {"DATAINC1", "15.04.2026"}, {"LEG1", "AS 123456"}, {"INCA1", "Dumitrescu Ana"},
    };
    return v;
}

QString sample(const QString &placeholder)
{
    const QString key = placeholder.mid(1, placeholder.size() - 2).toUpper();
    const auto it = sampleValues().find(key);
    return it == sampleValues().end() ? QStringLiteral("Valoare ") + key : it->second;
}

const QStringList Groups{"Impozit pe clădiri", "Impozit pe teren intravilan", "Impozit mijloace de transport",
                         "Taxa salubrizare"};

QString money(int row, int column) { return QString::number(40 + 37 * row + 11 * column); }

QStringList names(const QString &list) { return list.split(' '); }

std::vector<Case> cases()
{
    auto group = [](const QString &, int i) { return Groups[(i - 1) % Groups.size()]; };
    // Somation and garnishment rows: category, legal document, amounts, account.
    auto titleRow = [group](const QString &stem, int i) -> QString {
        if (stem == "Na" || stem == "No" || stem == "Gr")
            return group(stem, i);
        if (stem == "Nat")
            return "Decizia de impunere nr. " + QString::number(90 + i) + "/12.01.2026";
        if (stem == "Ib" || stem == "Contv")
            return "RO" + QString::number(10 + i) + "TREZ0465007XXX00123" + QString::number(i);
        if (stem == "Tnrd")
            return "125/15.04.2026";
        return money(i, stem.size());
    };
    const QStringList header = names("[JUDET] [COMUNA] [CUI] [NR] [DATA] [SAT] [NUMEP] [ADRESA] [CNP] [ROL] "
                                     "[CONTABIL] [INTOCMIT]");
    const QStringList certificate =
        names("[JUDET] [PRIMARIA] [PRIMAR] [COMUNA] [CUI] [CNP] [DL] [NUMEP] [ADRESA] [ROL] [CERTNR] [CERTDATA] "
              "[CERENR] [CEREDATA] [CITIP] [CISERIA] [CINR] [UTILIZATOR] [SUPPOZ] [SERVESTE] [TAXA] [CHITNR] "
              "[CHITDATA] [SUP] [CAP2B] [AUTO] [TOTAL]");
    Series debts{{"DEN", "C", "R", "M", "T"}, 15, 15, 3, "-",
                 [group](const QString &stem, int i) { return stem == "DEN" ? group(stem, i) : money(i, stem.size()); },
                 ".", "."};
    Series detail{{"Na", "Nat", "D", "A", "T", "Ib"}, 20, 300, 3, "  -", titleRow};
    Series categories{{"No", "Rm", "Dc", "Ac", "To"}, 12, 300, 3, "  -", titleRow};
    Series accounts{{"Gr", "Tnrd", "Csd", "Contv"}, 15, 60, 3, "  -", titleRow};
    Series popDetail = detail;
    popDetail.registered = 60;
    Series popCategories{{"No", "Dc", "Ac", "To"}, 0, 60, 3, "  -", titleRow};
    auto decision = [](int slotCount) {
        return Series{{"Cat", "S", "T", "C"}, slotCount, 50, 3, "-", [](const QString &stem, int i) -> QString {
                          if (stem == "Cat")
                              return Groups[(i - 1) % Groups.size()] + (i % 2 ? " - rata I" : " - rata II");
                          if (stem == "T")
                              return i % 2 ? "31.03.2026" : "30.09.2026";
                          if (stem == "C")
                              return "RO56TREZ0465007XXX000123";
                          return money(i, 1);
                      }};
    };
    // Blank line slots of the receipt: a space, as ten dots would fill an empty value.
    Series receipt{{"I1", "C1", "Cur1", "Res1", "Dob1", "Bon1", "Tot1"}, 8, 8, 3, " ",
                   [group](const QString &stem, int i) -> QString {
                       if (stem == "I1")
                           return group(stem, i) + " - ";
                       if (stem == "C1")
                           return "07.02.01.01";
                       return money(i, stem.size());
                   }};
    const QStringList vehicle = names("[UAT] [CUI] [NR] [DATA] [NUMEP] [JUDET] [LOCALITATEA] [SATUL] [ADRESA] [CNP] "
                                      "[ROL] [MARCA] [COMBUS] [SERIEM] [SERIE] [CAPACIT] [TONAJ] [DATADOB] [NRDOS]");
    const QStringList exit = names("[DATAINSTR] [ACTV] [NRACTV] [CERTRAD] [CERTRADD] [NUMENOU] [JUDNOU] [LOCNOU] "
                                   "[ADRNOU]");
    const QStringList garnishment = header + names("[PRIMAR] [NRT] [NUMETERT] [SEDIUTERT] [TD] [TA] [TT]");
    return {
        {"CHITANTA", Fill::Body,
         names("[JudC1] [LocC1] [CUIC1] [LocCL1] [SeriaC1] [NrC1] [TipF1] [ROLC1] [CNPC1] [CUI1] [NumeT1] "
               "[AdresaT1] [Platitor1] [TCur1] [TRes1] [TDob1] [TBon1] [TTot1] [DataInc1] [Leg1] [IncA1]"),
         {}, {receipt}, 1},
        {"CFISCAL", Fill::Body, certificate, {}, {debts}, 1},
        {"CFISCALPJ", Fill::Body, certificate, {}, {debts}, 1},
        {"TITLU", Fill::FromJude, header + names("[TR] [TC] [TA] [TT] [TD]"), {"[PRIMAR]"}, {detail, categories}, 2},
        {"POPBANCA", Fill::FromJude, garnishment, {}, {popDetail, popCategories, accounts}, 2},
        {"POPANGAJ", Fill::FromJude, garnishment, {}, {popDetail, popCategories, accounts}, 2},
        {"SISTARE", Fill::Body,
         names("[PRIMARIA] [CUI] [NUMEP] [JUDET] [COMUNA] [ROL] [SAT] [ADRESA] [CNP] [PRIMAR] [CONTABIL] "
               "[INTOCMIT] [AZI]"),
         {}, {}, 1},
        {"ANGAJAMENT", Fill::Body,
         names("[PRIMARIA] [CUI] [NUMEP] [JUDET] [COMUNA] [ROL] [SAT] [ADRESA] [CNP] [TOTAL] [AZI]"), {}, {}, 1},
        {"AVIZ", Fill::Body, names("[UAT] [CUI] [NUMEP] [JUDET] [COMUNA] [SAT] [ADRESA] [CNP]"), {}, {}, 1},
        {"CONFIRMARED", Fill::Body,
         names("[JUDET] [LOCALITATEA] [CF] [NRCONF] [DATACONF] [BORDNR] [BORDATA] [CODCL] [NUMEDEST] [ADRDEST] "
               "[ROL] [NUMEP] [ADRESA] [LOCDEST] [SUMA] [SUMATEXT] [ADRNR] [ADRDATA] [NATCL] [SATUL]"),
         {}, {}, 1},
        {"DECLIMPPF", Fill::Body,
         names("[ANUL] [COMUNA] [CUI] [ADRESAP] [DATA] [NRACT] [NUMEP] [CNP] [JUDET] [SATUL] [ROL] [ADRESA] "
               "[CONTABIL] [SCUT] [TOT]"),
         {}, {decision(30)}, 1},
        {"DECLIMPPJ", Fill::Body,
         names("[ANUL] [COMUNA] [CUI] [ADRESAP] [DATA] [NRACT] [NUMEP] [CNP] [JUDET] [SATUL] [ROL] [ADRESA] "
               "[CONTABIL] [SCUT] [TOT]"),
         {}, {decision(12)}, 1},
        {"PVAUTOIN", Fill::Body, vehicle + names("[ANULF] [ACTD] [NRACTD]"), {}, {}, 1},
        {"PVAUTOOUT", Fill::Body, vehicle + exit, {}, {}, 1},
        {"ITL016", Fill::FromRom, vehicle + exit, {}, {}, 1},
    };
}

// Every placeholder the document registers, in a registration order the documents use.
QStringList registered(const Case &c)
{
    QStringList all = c.singles + c.optional;
    for (const Series &s : c.series)
        for (int i = 1; i <= s.registered; ++i)
            for (const QString &stem : s.stems)
                all << name(s, stem, i);
    return all;
}

// Placeholders that must have a slot in the template.
QStringList required(const Case &c)
{
    QStringList all = c.singles;
    for (const Series &s : c.series)
        for (int i = 1; i <= s.slotCount; ++i)
            for (const QString &stem : s.stems)
                all << name(s, stem, i);
    return all;
}

QList<QByteArray> templateLines(const QString &resource)
{
    QList<QByteArray> lines = resourceBytes(resource)->split('\n');
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    return lines;
}

qsizetype firstLineWith(const QList<QByteArray> &lines, const QByteArray &text)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].contains(text))
            return i;
    return -1;
}

// Registers sample values as the producing document would and writes the document.
void fillSample(const Case &c, TRTFReplace &rtf)
{
    ASSERT_TRUE(rtf.Prepare()) << c.resource.toStdString();
    for (const QString &p : c.singles + c.optional)
        if (p != "[CAP2B]")
            rtf.AddValue(p, sample(p));
    if (c.singles.contains("[CAP2B]")) {
        // Land from the agricultural register comes as a table the program builds.
        QByteArray table = "\\par \\trowd\\trgaph60\\cellx2500\\cellx4500\\cellx6500 ";
        for (const char *cell : {"Denumire tarla", "Categoria", "Suprafaţa (ha)"})
            table += "\\pard\\intbl\\f0\\fs16 " + escapeRtfValue(QString::fromUtf8(cell)) + "\\cell ";
        table += "\\row \\pard\\plain\\f0\\fs18 ";
        rtf.AddRtf("[CAP2B]", table);
    }
    for (const Series &s : c.series)
        for (int i = 1; i <= s.registered; ++i)
            for (const QString &stem : s.stems)
                rtf.AddValue(name(s, stem, i), i <= s.data ? s.value(stem, i) : s.empty);
    switch (c.fill) {
    case Fill::Body:
        rtf.WriteBody(1);
        rtf.Finish();
        break;
    case Fill::FromJude: rtf.FillFrom("JUDE"); break;
    case Fill::FromRom: rtf.FillFrom("ROM"); break;
    }
}

Case caseOf(const QString &resource)
{
    for (const Case &c : cases())
        if (c.resource == resource)
            return c;
    return {};
}

QString tool(const char *name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression("Pages:\\s+(\\d+)").match(run(tool("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Keeps the PDFs for a look when VALDORA_DOCS_KEEP names a folder.
void keep(const QString &pdf)
{
    const QString folder = qEnvironmentVariable("VALDORA_DOCS_KEEP");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QString target = folder + "/" + QFileInfo(pdf).fileName();
    QFile::remove(target);
    QFile::copy(pdf, target);
}

bool officeTools() { return !findOffice().isEmpty() && !tool("pdftotext").isEmpty() && !tool("pdfinfo").isEmpty(); }

} // namespace

TEST(ShippedTemplates, HoldEverySlotOfTheirDocumentWholeOnOneLine)
{
    const QRegularExpression bracketed("\\[[A-Za-z][A-Za-z0-9]*\\]");
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.resource.toStdString());
        ASSERT_TRUE(hasResource(c.resource));
        const QList<QByteArray> lines = templateLines(c.resource);
        // Where filling starts: the body, or the first line with the start text.
        const qsizetype start = c.fill == Fill::Body       ? firstLineWith(lines, "\\pard")
                                : c.fill == Fill::FromJude ? firstLineWith(lines, "JUDE")
                                                           : firstLineWith(lines, "ROM");
        ASSERT_GE(start, 0);
        int depth = 0;
        for (const QByteArray &l : lines)
            depth += int(l.count('{')) - int(l.count('}'));
        EXPECT_EQ(depth, 0);

        QStringList known;
        for (const QString &p : registered(c))
            known << p.toUpper();
        for (const QString &p : required(c)) {
            const QByteArray want = p.toUpper().toLatin1();
            qsizetype at = -1;
            for (qsizetype i = 0; i < lines.size() && at < 0; ++i)
                if (lines[i].toUpper().contains(want))
                    at = i;
            EXPECT_GE(at, start) << p.toStdString() << (at < 0 ? " missing" : " before the filled part");
        }
        // No placeholder the document does not fill, and none the filling never reaches.
        for (qsizetype i = 0; i < lines.size(); ++i) {
            auto it = bracketed.globalMatch(QString::fromLatin1(lines[i]));
            while (it.hasNext()) {
                const QString found = it.next().captured();
                EXPECT_TRUE(known.contains(found.toUpper())) << "stray " << found.toStdString();
                EXPECT_GE(i, start) << found.toStdString() << " is never filled";
            }
        }
    }
}

TEST(ShippedTemplates, FilledWithSampleValuesConvertToPdfWithNothingLeftUnfilled)
{
    if (!officeTools())
        GTEST_SKIP() << "LibreOffice or poppler-utils not installed";
    TempDir dir;
    const QRegularExpression leftover("\\[[A-Za-z][A-Za-z0-9]*\\]|\\.(DEN|C|R|M|T)\\d+\\.",
                                      QRegularExpression::CaseInsensitiveOption);
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.resource.toStdString());
        TRTFReplace rtf;
        rtf.RTFSursa = writeBuiltInTemplate(c.resource, dir.file("Temp"));
        rtf.RTFDest = dir.file(c.resource + ".rtf");
        fillSample(c, rtf);
        ASSERT_TRUE(rtf.SaveAsPdf());
        EXPECT_TRUE(rtf.RTFDest.endsWith(c.resource + ".pdf"));
        keep(rtf.RTFDest);
        const QString text = run(tool("pdftotext"), {"-layout", rtf.RTFDest, "-"});
        for (const QString &p : registered(c))
            EXPECT_FALSE(text.contains(p, Qt::CaseInsensitive)) << p.toStdString();
        const QRegularExpressionMatch m = leftover.match(text);
        EXPECT_FALSE(m.hasMatch()) << m.captured().toStdString();
        EXPECT_TRUE(text.contains("Popescu", Qt::CaseInsensitive));
        EXPECT_TRUE(text.contains(QString::fromUtf8("ROMÂNIA")) || c.resource == "CHITANTA");
        EXPECT_EQ(pageCount(rtf.RTFDest), c.pages);
    }
}

TEST(ShippedTemplates, RecordsSeparatedByNewPageAndCopiesOfWriteBodyArePages)
{
    if (!officeTools())
        GTEST_SKIP() << "LibreOffice or poppler-utils not installed";
    TempDir dir;
    // Three decisions of the longest template, one per page.
    const Case decisions = caseOf("DECLIMPPF");
    ASSERT_EQ(decisions.series.size(), 1u);
    TRTFReplace rtf;
    rtf.RTFSursa = writeBuiltInTemplate("DECLIMPPF", dir.file("Temp"));
    rtf.RTFDest = dir.file("DeclImp.rtf");
    ASSERT_TRUE(rtf.Prepare());
    for (int record = 0; record < 3; ++record) {
        if (record > 0)
            rtf.NewPage();
        for (const QString &p : decisions.singles)
            rtf.AddValue(p, p == "[NRACT]" ? QString::number(100 + record) : sample(p));
        const Series &s = decisions.series[0];
        for (int i = 1; i <= s.registered; ++i)
            for (const QString &stem : s.stems)
                rtf.AddValue(name(s, stem, i), i <= 30 ? s.value(stem, i) : s.empty);
        rtf.WriteBody(1);
    }
    rtf.Finish();
    ASSERT_TRUE(rtf.SaveAsPdf());
    keep(rtf.RTFDest);
    EXPECT_EQ(pageCount(rtf.RTFDest), 3);
    const QString text = run(tool("pdftotext"), {rtf.RTFDest, "-"});
    EXPECT_TRUE(text.contains("100") && text.contains("101") && text.contains("102"));

    TRTFReplace copies;
    copies.RTFSursa = writeBuiltInTemplate("AVIZ", dir.file("Temp"));
    copies.RTFDest = dir.file("Aviz3.rtf");
    ASSERT_TRUE(copies.Prepare());
    for (const QString &p : caseOf("AVIZ").singles)
        copies.AddValue(p, sample(p));
    copies.WriteBody(3);
    copies.Finish();
    ASSERT_TRUE(copies.SaveAsPdf());
    keep(copies.RTFDest);
    EXPECT_EQ(pageCount(copies.RTFDest), 3);
}
