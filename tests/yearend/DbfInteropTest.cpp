// Our dBase codec against an independent implementation, the Python dbf
// package: its files (kept as fixtures, regenerated when it is installed) are
// read correctly here, and ours are read correctly by it.

#include "app/db/DbFixture.h"
#include "app/db/DbfReader.h"
#include "app/db/DbfWriter.h"
#include "support/TempDir.h"
#include "yearend/YearendSupport.h"
#include "yearend/store/LegacyFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::dbf;
using namespace valdora::test;

namespace {

// A value as text: numbers with the field's decimals, dates ISO, logicals T/F.
QString shownValue(const Field &f, const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.metaType() == QMetaType::fromType<Currency>())
        return v.value<Currency>().toString(std::min(f.decimals, 4)) + QString(std::max(0, f.decimals - 4), u'0');
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    if (v.metaType().id() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    return v.toString();
}

QString shownJson(const QJsonValue &v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.isBool())
        return v.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    return v.toString();
}

// Records of a table as "deleted|v1|v2|...", read by our reader.
QStringList ours(const QString &path)
{
    const Table t = readTable(path);
    QStringList out;
    for (const Record &r : t.records) {
        QStringList l{r.deleted ? QStringLiteral("*") : QStringLiteral(" ")};
        for (size_t i = 0; i < t.fields.size(); ++i)
            l << shownValue(t.fields[i], r.values[qsizetype(i)]);
        out << l.join(u'|');
    }
    return out;
}

// The same, read by the Python package from its JSON dump.
QStringList theirs(const QJsonObject &dump)
{
    QStringList out;
    for (const QJsonValue &rv : dump["records"].toArray()) {
        const QJsonObject r = rv.toObject();
        QStringList l{r["deleted"].toBool() ? QStringLiteral("*") : QStringLiteral(" ")};
        for (const QJsonValue &v : r["values"].toArray())
            l << shownJson(v);
        out << l.join(u'|');
    }
    return out;
}

std::vector<QJsonObject> pythonDump(const QStringList &paths)
{
    std::vector<QJsonObject> out;
    for (const QByteArray &line : runDbfTool(QStringList{"dump"} + paths).split('\n'))
        if (!line.trimmed().isEmpty())
            out.push_back(QJsonDocument::fromJson(line).object());
    return out;
}

// What the fixture tool writes into every "people" table.
const QStringList people = {
    QString::fromUtf8(" |Ştefan Ţepeş|1234.50|7|2026-03-31|T|0.1250"),
    QString::fromUtf8(" |ăâîşţ ĂÂÎŞŢ|-12.25|-3|1999-12-31|F|-2.5000"),
    QString::fromUtf8(" ||NULL|NULL|NULL|NULL|NULL"),
    QString::fromUtf8("*|Sters|1.00|1|2026-01-01|T|1.0000"),
    QString::fromUtf8(" |spatii in fata|99999999.99|99999999|2000-02-29|NULL|12345.6789"),
};

void expectPeople(const QString &path, quint8 driver)
{
    SCOPED_TRACE(path.toStdString());
    DbfReader r(path);
    EXPECT_EQ(r.header().languageDriver, driver);
    const std::vector<Field> expected{Field::character("NUME", 30), Field::numeric("SUMA", 11, 2),
                                      Field::numeric("CANT", 8, 0), Field::date("DATA"), Field::logical("ACTIV"),
                                      Field{"COEF", 'F', 12, 4}};
    EXPECT_EQ(r.fields(), expected);
    EXPECT_EQ(ours(path), people);
}

} // namespace

TEST(DbfInterop, ReadsTheFixturesThePythonPackageWrote)
{
    expectPeople(fixturesDir() + "/people_cp1250.dbf", 0xC8);
    expectPeople(fixturesDir() + "/people_cp852.dbf", 0x1F);
}

TEST(DbfInterop, ReadsWhatThePythonPackageWritesNow)
{
    if (!havePythonDbf())
        GTEST_SKIP() << "/usr/bin/python3 with the dbf package is not installed";
    TempDir dir;
    runDbfTool({"write", dir.path()});
    expectPeople(dir.file("people_cp1250.dbf"), 0xC8);
    expectPeople(dir.file("people_cp852.dbf"), 0x1F);
    // The fixtures kept in the tree are what the package writes, but for the date of the header.
    for (const char *name : {"people_cp1250.dbf", "people_cp852.dbf", "memo.dbf"}) {
        const QByteArray now = readFile(dir.file(name)), kept = readFile(fixturesDir() + u'/' + name);
        ASSERT_EQ(now.size(), kept.size()) << name;
        EXPECT_EQ(now.mid(4), kept.mid(4)) << name;
    }
}

TEST(DbfInterop, ThePythonPackageReadsWhatWeWrite)
{
    if (!havePythonDbf())
        GTEST_SKIP() << "/usr/bin/python3 with the dbf package is not installed";
    TempDir dir;
    const QString path = dir.file("ours.dbf");
    {
        DbfWriter w(path,
                    {Field::character("NUME", 20), Field::numeric("SUMA", 10, 2), Field::numeric("CANT", 6, 0),
                     Field::date("DATA"), Field::logical("ACTIV"), Field::numeric("ARIE", 8, 4)},
                    QDate(2026, 3, 2));
        w.append({QString::fromUtf8("Ștefan Țară ăâî"), money(*Currency::parse(u"1234.5")), -3, QDate(2026, 3, 31), true,
                  money(*Currency::parse(u"999.9999"))});
        w.append({QString(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
        w.append({QStringLiteral("sters"), 1, 1, QDate(2000, 2, 29), false, 0}, true);
        w.append({QString::fromUtf8("ŞŢ"), money(*Currency::parse(u"-9999.99")), 999999, QDate(1999, 12, 31), false,
                  money(*Currency::parse(u"-99.9999"))});
        w.finish();
    }
    const auto dumps = pythonDump({path});
    ASSERT_EQ(dumps.size(), 1u);
    const QJsonObject d = dumps[0];
    EXPECT_EQ(d["codepage"].toString(), "cp1250");
    const QJsonArray fields = d["fields"].toArray();
    ASSERT_EQ(fields.size(), 6);
    EXPECT_EQ(fields[1].toArray(), (QJsonArray{"suma", "N", 10, 2}));
    EXPECT_EQ(fields[5].toArray(), (QJsonArray{"arie", "N", 8, 4}));
    EXPECT_EQ(theirs(d), (QStringList{
                             QString::fromUtf8(" |Ştefan Ţară ăâî|1234.50|-3|2026-03-31|T|999.9999"),
                             QString::fromUtf8(" ||NULL|NULL|NULL|NULL|NULL"),
                             QString::fromUtf8("*|sters|1.00|1|2000-02-29|F|0.0000"),
                             QString::fromUtf8(" |ŞŢ|-9999.99|999999|1999-12-31|F|-99.9999"),
                         }));
    EXPECT_EQ(theirs(d), ours(path));
}

TEST(DbfInterop, ThePythonPackageReadsEveryExportedTableAsWeDo)
{
    if (!havePythonDbf())
        GTEST_SKIP() << "/usr/bin/python3 with the dbf package is not installed";
    ProgramFixture p;
    p.start();
    auto db = p.db();
    fillAllTables(*db);
    TempDir out;
    const yearend::LegacyExport r = yearend::writeLegacyTables(*db, out.path(), QDate(2026, 3, 2));
    ASSERT_EQ(r.tables.size(), schema::tables().size());
    QStringList paths;
    for (const TableDef &t : schema::tables())
        paths << out.file(yearend::tableFileName(t));
    const auto dumps = pythonDump(paths);
    ASSERT_EQ(dumps.size(), size_t(paths.size()));
    for (size_t i = 0; i < dumps.size(); ++i) {
        const TableDef &t = schema::tables()[i];
        SCOPED_TRACE(t.name.toStdString());
        const QJsonArray fields = dumps[i]["fields"].toArray();
        ASSERT_EQ(fields.size(), qsizetype(t.columns.size()));
        for (size_t c = 0; c < t.columns.size(); ++c) {
            const Column &col = t.columns[c];
            const QJsonArray f = fields[qsizetype(c)].toArray();
            EXPECT_EQ(f[0].toString(), col.name.toLower());
            EXPECT_EQ(f[1].toString(), col.type == ColumnType::Char ? "C" : col.type == ColumnType::Decimal ? "N" : "D");
            EXPECT_EQ(f[2].toInt(), col.width);
            EXPECT_EQ(f[3].toInt(), col.decimals);
        }
        const QStringList theirRows = theirs(dumps[i]);
        EXPECT_EQ(theirRows.size(), db->count(t.name));
        EXPECT_EQ(theirRows, ours(paths[qsizetype(i)]));
    }
}
