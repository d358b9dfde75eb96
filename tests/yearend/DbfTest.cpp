#include "app/db/DbfReader.h"
#include "app/db/DbfWriter.h"
#include "support/TempDir.h"
#include "yearend/YearendSupport.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::dbf;
using namespace valdora::test;

namespace {

QByteArray descriptor(const char *name, char type, int length, int decimals)
{
    QByteArray d(32, '\0');
    memcpy(d.data(), name, strlen(name));
    d[11] = type;
    d[16] = char(length);
    d[17] = char(decimals);
    return d;
}

std::vector<Field> smallFields()
{
    return {Field::character("NUME", 5), Field::numeric("SUMA", 6, 2), Field::date("DATA"), Field::logical("OK")};
}

QString writeSmall(const TempDir &dir, const QString &name = "t.dbf")
{
    const QString path = dir.file(name);
    DbfWriter w(path, smallFields(), QDate(2026, 3, 2));
    w.append({QString::fromUtf8("Ană"), money(*Currency::parse(u"12.5")), QDate(2026, 1, 31), true});
    w.append({QVariant(), money(Currency::fromLei(-1)), QVariant(), QVariant()}, true);
    w.finish();
    return path;
}

void patch(const QString &path, qsizetype at, const QByteArray &bytes)
{
    QByteArray b = readFile(path);
    b.replace(at, bytes.size(), bytes);
    writeFile(path, b);
}

std::string message(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message().toStdString();
    }
    return "no error";
}

} // namespace

TEST(Dbf, WritesTheDbaseThreeLayoutByteForByte)
{
    TempDir dir;
    const QString path = writeSmall(dir);

    QByteArray expected;
    expected += QByteArray::fromHex("037e0302"); // version, 2026-03-02
    expected += QByteArray::fromHex("02000000"); // records
    expected += QByteArray::fromHex("a100");     // header length 32 + 4 * 32 + 1
    expected += QByteArray::fromHex("1500");     // record length 1 + 5 + 6 + 8 + 1
    expected += QByteArray(16, '\0');
    expected += '\0';        // byte 28: no production index
    expected += char(0xC8);  // byte 29: code page 1250
    expected += QByteArray(2, '\0');
    expected += descriptor("NUME", 'C', 5, 0) + descriptor("SUMA", 'N', 6, 2) + descriptor("DATA", 'D', 8, 0) +
                descriptor("OK", 'L', 1, 0);
    expected += '\x0d';
    expected += QByteArray(" An\xe3  ") + " 12.50" + "20260131" + "T";
    expected += QByteArray("*     ") + " -1.00" + "        " + "?";
    expected += '\x1a';
    EXPECT_EQ(readFile(path).toHex().toStdString(), expected.toHex().toStdString());
}

TEST(Dbf, ReadsBackWhatItWrites)
{
    TempDir dir;
    const Table t = readTable(writeSmall(dir));
    EXPECT_EQ(t.header.version, 0x03);
    EXPECT_EQ(t.header.lastUpdate, QDate(2026, 3, 2));
    EXPECT_EQ(t.header.recordCount, 2u);
    EXPECT_FALSE(t.header.productionIndex);
    EXPECT_EQ(t.header.languageDriver, 0xC8);
    EXPECT_EQ(t.codePage, "windows-1250");
    EXPECT_TRUE(t.warnings.isEmpty()) << t.warnings.join("; ").toStdString();
    ASSERT_EQ(t.fields, smallFields());
    ASSERT_EQ(t.records.size(), 2u);

    const Record &a = t.records[0];
    EXPECT_FALSE(a.deleted);
    EXPECT_EQ(a.values[0].toString(), QString::fromUtf8("Ană"));
    EXPECT_EQ(a.values[1].value<Currency>().toString(2), "12.50");
    EXPECT_EQ(a.values[2].toDate(), QDate(2026, 1, 31));
    EXPECT_EQ(a.values[3].toBool(), true);

    // Blanks come back as the column type says: empty text, null number, date, logical.
    const Record &b = t.records[1];
    EXPECT_TRUE(b.deleted);
    EXPECT_FALSE(b.values[0].isNull());
    EXPECT_EQ(b.values[0].toString(), "");
    EXPECT_EQ(b.values[1].value<Currency>().toString(0), "-1");
    EXPECT_TRUE(b.values[2].isNull());
    EXPECT_TRUE(b.values[3].isNull());
}

TEST(Dbf, RomanianLettersRoundTripInCodePage1250)
{
    TempDir dir;
    const QString path = dir.file("ro.dbf");
    // Comma-below s and t have no place in code page 1250: they are written with the cedilla.
    const QString typed = QString::fromUtf8("Ţară ȘȚșț ăâîşţ ĂÂÎŞŢ");
    const QString stored = QString::fromUtf8("Ţară ŞŢşţ ăâîşţ ĂÂÎŞŢ");
    {
        DbfWriter w(path, {Field::character("NUME", 30)}, QDate(2026, 1, 1));
        w.append({typed});
        w.finish();
    }
    EXPECT_TRUE(readFile(path).contains(encodeCp1250(stored)));
    const Table t = readTable(path);
    EXPECT_EQ(t.records.at(0).values.at(0).toString(), stored);
    EXPECT_TRUE(sameRomanianText(t.records.at(0).values.at(0).toString(), typed));
}

TEST(Dbf, NumbersAreRightAlignedWithTheirDecimals)
{
    struct Case { const char *value; int length, decimals; const char *text; };
    const Case cases[] = {
        {"12.5", 8, 2, "   12.50"},  {"-3", 6, 0, "    -3"},     {"0", 6, 0, "     0"},
        {"999999", 6, 0, "999999"},  {"-99999", 6, 0, "-99999"},  {"999.9999", 8, 4, "999.9999"},
        {"1.25", 12, 6, "    1.250000"},
        // Never cut: too wide, or decimals the field cannot keep.
        {"1000000", 6, 0, nullptr}, {"-999999", 6, 0, nullptr}, {"9999.9999", 8, 4, nullptr},
        {"1.5", 6, 0, nullptr},      {"0.125", 6, 2, nullptr},
    };
    for (const Case &c : cases) {
        const auto text = formatNumber(*Currency::parse(QString::fromLatin1(c.value)), c.length, c.decimals);
        if (c.text) {
            ASSERT_TRUE(text.has_value()) << c.value;
            EXPECT_EQ(text->toStdString(), c.text) << c.value;
        } else {
            EXPECT_FALSE(text.has_value()) << c.value << " -> " << text.value_or("").toStdString();
        }
    }
}

TEST(Dbf, NumbersAreReadAsOtherToolsWriteThem)
{
    struct Case { const char *text; const char *value; };
    const Case cases[] = {
        {"   12.50", "12.5"}, {"-3", "-3"},        {"+7", "7"},         {"12.", "12"},
        {".5", "0.5"},       {"1.5E+3", "1500"},  {"-2.5e-2", "-0.025"}, {"1E2", "100"},
        {"0.123456", "0.1235"}, {"  42\0\0", "42"},
        {"abc", nullptr},     {"*****", nullptr}, {"1,5", nullptr},     {"1.2.3", nullptr},
        {"99999999999999999999", nullptr}, {"1e99", nullptr},
    };
    for (const Case &c : cases) {
        const auto v = parseNumber(QByteArrayView(c.text, qsizetype(strlen(c.text))));
        if (c.value) {
            ASSERT_TRUE(v.has_value()) << c.text;
            EXPECT_EQ(v->toShortString().toStdString(), c.value) << c.text;
        } else {
            EXPECT_FALSE(v.has_value()) << c.text;
        }
    }
}

TEST(Dbf, WriterRefusesWhatWouldNotFitNamingFileRecordAndField)
{
    struct Case { Field field; QVariant value; const char *mentions; };
    const std::vector<Case> cases = {
        {Field::character("NUME", 3), QStringLiteral("Ionel"), "are 5 caractere"},
        {Field::character("NUME", 10), QString::fromUtf8("Ion \xF0\x9F\x98\x80"), "U+1F600"},
        {Field::character("NUME", 10), QString::fromUtf8("Иван"), "pagina de cod 1250"},
        {Field::numeric("SUMA", 6, 0), money(Currency::fromLei(1000000)), "nu incape"},
        {Field::numeric("SUMA", 6, 0), money(*Currency::parse(u"1.5")), "nu incape"},
        {Field::numeric("SUMA", 6, 0), QStringLiteral("doi"), "nu este un numar"},
        {Field::date("DATA"), QStringLiteral("31.02.2026"), "nu este corecta"},
    };
    for (const Case &c : cases) {
        TempDir dir;
        const QString path = dir.file("bad.dbf");
        const std::string m = message([&] {
            DbfWriter w(path, {Field::numeric("ID", 4), c.field});
            w.append({1, QVariant()});
            w.append({2, c.value});
            w.finish();
        });
        EXPECT_NE(m.find("bad.dbf"), std::string::npos) << m;
        EXPECT_NE(m.find("inregistrarea 2"), std::string::npos) << m;
        EXPECT_NE(m.find(c.field.name.toStdString()), std::string::npos) << m;
        EXPECT_NE(m.find(c.mentions), std::string::npos) << m;
        EXPECT_FALSE(QFileInfo::exists(path)) << "a refused table must leave no file: " << m;
    }
}

TEST(Dbf, WriterRefusesFieldsDbaseCannotHold)
{
    const std::vector<std::vector<Field>> cases = {
        {Field::character("NUMEPREALUNG", 5)},
        {Field::character("1NUME", 5)},
        {Field::character("NU ME", 5)},
        {Field::character("NUME", 5), Field::numeric("nume", 4)},
        {Field{"NOTA", 'M', 10, 0}},
        {Field::character("NUME", 255)},
        {Field::numeric("SUMA", 21)},
        {Field::numeric("SUMA", 4, 3)},
        {},
    };
    for (const auto &fields : cases) {
        TempDir dir;
        EXPECT_THROW(DbfWriter(dir.file("x.dbf"), fields), DbfError);
    }
}

TEST(Dbf, ReaderToleratesWhatOtherToolsWrite)
{
    struct Case {
        const char *what;
        std::function<void(const QString &)> change;
        int records;
        const char *warning;
    };
    const std::vector<Case> cases = {
        {"no end-of-file marker", [](const QString &p) { QByteArray b = readFile(p); b.chop(1); writeFile(p, b); }, 2,
         "marcajul de sfarsit"},
        {"count one below the records", [](const QString &p) { patch(p, 4, QByteArray::fromHex("01")); }, 2,
         "antetul anunta 1"},
        {"count one above the records", [](const QString &p) { patch(p, 4, QByteArray::fromHex("03")); }, 2,
         "antetul anunta 3"},
        {"lower-case, blank-padded field names",
         [](const QString &p) { patch(p, 32, QByteArray("nume ", 5)); patch(p, 64, QByteArray("suma\0", 5)); }, 2, nullptr},
        {"marker and padding after the records",
         [](const QString &p) { writeFile(p, readFile(p) + QByteArray(3, '\x1a')); }, 2, nullptr},
    };
    for (const Case &c : cases) {
        TempDir dir;
        const QString path = writeSmall(dir);
        c.change(path);
        Table t;
        ASSERT_NO_THROW(t = readTable(path)) << c.what;
        ASSERT_EQ(int(t.records.size()), c.records) << c.what;
        EXPECT_EQ(t.records[0].values[0].toString(), QString::fromUtf8("Ană")) << c.what;
        EXPECT_EQ(t.records[1].values[1].value<Currency>().toShortString(), "-1") << c.what;
        if (c.warning) {
            EXPECT_TRUE(t.warnings.join(" | ").contains(QLatin1String(c.warning)))
                << c.what << ": " << t.warnings.join(" | ").toStdString();
        }
        DbfReader r(path);
        EXPECT_EQ(r.fieldIndex("Suma"), 1) << c.what;
    }
}

TEST(Dbf, ReaderRefusesWhatWouldLoseDataNamingTheFile)
{
    struct Case { const char *what; std::function<void(const QString &)> change; const char *mentions; };
    const std::vector<Case> cases = {
        {"cut in the middle of a record", [](const QString &p) { writeFile(p, readFile(p).left(161 + 21 + 10)); }, "trunchiat"},
        {"cut in the header", [](const QString &p) { writeFile(p, readFile(p).left(100)); }, "trunchiat"},
        {"cut after the header, records announced", [](const QString &p) { writeFile(p, readFile(p).left(161)); }, "trunchiat"},
        {"record length not the fields'", [](const QString &p) { patch(p, 10, QByteArray::fromHex("1600")); }, "lungimea inregistrarii"},
        {"count two off", [](const QString &p) { patch(p, 4, QByteArray::fromHex("04")); }, "trunchiat"},
        {"records beyond the count", [](const QString &p) { patch(p, 4, QByteArray::fromHex("00")); }, "are 2 inregistrari"},
        {"not a table", [](const QString &p) { patch(p, 0, QByteArray::fromHex("00")); }, "nu este un tabel dBase"},
        {"a number that is not one", [](const QString &p) { patch(p, 161 + 6, " 1x.50"); }, "campul SUMA"},
        {"a date that does not exist", [](const QString &p) { patch(p, 161 + 12, "20260231"); }, "campul DATA"},
        {"garbage after the records", [](const QString &p) { writeFile(p, readFile(p) + "xyz"); }, "incompleta"},
    };
    for (const Case &c : cases) {
        TempDir dir;
        const QString path = writeSmall(dir, "Gospodar.dbf");
        c.change(path);
        const std::string m = message([&] { readTable(path); });
        EXPECT_NE(m.find("Gospodar.dbf"), std::string::npos) << c.what << ": " << m;
        EXPECT_NE(m.find(c.mentions), std::string::npos) << c.what << ": " << m;
    }
}

TEST(Dbf, LanguageDriverChoosesTheCodePage)
{
    struct Case { quint8 driver; const char *text; };
    // The bytes B8 E6: "¸ć" in code page 1250, "¸æ" in 1252, "ŞŠ" in 852, "╕μ" in 437.
    const Case cases[] = {{0xC8, "¸ć"}, {0x00, "¸ć"}, {0x42, "¸ć"}, {0x03, "¸æ"},
                          {0x57, "¸æ"}, {0x64, "ŞŠ"}, {0x1F, "ŞŠ"}, {0x01, "╕μ"}};
    for (const Case &c : cases) {
        TempDir dir;
        const QString path = dir.file("cp.dbf");
        {
            DbfWriter w(path, {Field::character("NUME", 3)}, QDate(2026, 1, 1));
            w.append({QString::fromUtf8("¸ć")});
            w.finish();
        }
        ASSERT_TRUE(readFile(path).contains("\xb8\xe6"));
        patch(path, LanguageDriverByte, QByteArray(1, char(c.driver)));
        EXPECT_EQ(readTable(path).records.at(0).values.at(0).toString(), QString::fromUtf8(c.text)) << int(c.driver);
    }
}

TEST(Dbf, MemoFieldsAreReportedNotCrashedOn)
{
    DbfReader r(fixturesDir() + "/memo.dbf");
    EXPECT_EQ(r.header().version, 0x83);
    EXPECT_EQ(r.unsupportedFields(), QStringList{"NOTA (M)"});
    Record rec;
    ASSERT_TRUE(r.next(rec));
    EXPECT_EQ(rec.values[0].value<Currency>().toShortString(), "1");
    EXPECT_TRUE(rec.values[1].isNull());
    EXPECT_EQ(rec.values[2].toString(), "Ion");
    ASSERT_TRUE(r.next(rec));
    EXPECT_EQ(rec.values[2].toString(), "Ana");
    EXPECT_FALSE(r.next(rec));
    EXPECT_EQ(r.recordNumber(), 2);
}

TEST(Dbf, DropProductionIndexClearsByte28AndDeletesTheIndexFile)
{
    TempDir dir;
    const QString path = writeSmall(dir, "Datorii.dbf");
    patch(path, ProductionIndexByte, QByteArray(1, '\x01'));
    writeFile(dir.file("Datorii.MDX"), "index");
    writeFile(dir.file("Gospodar.mdx"), "other index");
    ASSERT_TRUE(DbfReader(path).header().productionIndex);
    const QByteArray before = readFile(path);

    dropProductionIndex(path);
    const QByteArray after = readFile(path);
    EXPECT_EQ(after[ProductionIndexByte], '\0');
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(ProductionIndexByte), before.left(ProductionIndexByte));
    EXPECT_EQ(after.mid(ProductionIndexByte + 1), before.mid(ProductionIndexByte + 1));
    EXPECT_FALSE(QFileInfo::exists(dir.file("Datorii.MDX")));
    EXPECT_TRUE(QFileInfo::exists(dir.file("Gospodar.mdx")));

    // A missing file, or one too short to be a table, is left alone.
    dropProductionIndex(dir.file("Lipsa.dbf"));
    EXPECT_FALSE(QFileInfo::exists(dir.file("Lipsa.dbf")));
    writeFile(dir.file("Scurt.dbf"), "abc");
    dropProductionIndex(dir.file("Scurt.dbf"));
    EXPECT_EQ(readFile(dir.file("Scurt.dbf")), "abc");
}

TEST(Dbf, LargeTablesStreamThroughTheBuffer)
{
    TempDir dir;
    const QString path = dir.file("mare.dbf");
    const int n = 30000;
    {
        DbfWriter w(path, {Field::numeric("ID", 10), Field::character("TEXT", 40)}, QDate(2026, 1, 1));
        for (int i = 1; i <= n; ++i)
            w.append({i, QStringLiteral("rand %1").arg(i)}, i % 7 == 0);
        w.finish();
        EXPECT_EQ(w.count(), n);
    }
    EXPECT_EQ(QFileInfo(path).size(), 32 + 2 * 32 + 1 + qint64(n) * 51 + 1);
    DbfReader r(path);
    Record rec;
    qint64 sum = 0, deleted = 0;
    while (r.next(rec)) {
        const qint64 id = rec.values[0].value<Currency>().wholeLei();
        ASSERT_EQ(id, r.recordNumber());
        ASSERT_EQ(rec.values[1].toString(), QStringLiteral("rand %1").arg(id));
        sum += id;
        deleted += rec.deleted;
    }
    EXPECT_EQ(sum, qint64(n) * (n + 1) / 2);
    EXPECT_EQ(deleted, n / 7);
}
