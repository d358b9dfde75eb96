#pragma once
// Shared by the year-end tests: a database with rows in every table, the rows
// of a table for comparison, an archive reader written from the byte layout
// alone, and the Python dbf package when it is installed.

#include "app/core/Cp1250.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

namespace valdora::test {

inline QString fixturesDir()
{
    return QDir::cleanPath(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../fixtures/dbf"));
}

inline const QString &python() { static const QString p = QStringLiteral("/usr/bin/python3"); return p; }

// True when /usr/bin/python3 can import dbf.
inline bool havePythonDbf()
{
    static const bool have = [] {
        if (!QFileInfo(python()).isExecutable())
            return false;
        QProcess p;
        p.start(python(), {QStringLiteral("-c"), QStringLiteral("import dbf")});
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }();
    return have;
}

// Runs the fixture tool; returns its standard output (empty on failure, with a test failure).
inline QByteArray runDbfTool(const QStringList &args)
{
    QProcess p;
    p.start(python(), QStringList{fixturesDir() + QStringLiteral("/dbf_tool.py")} + args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "dbf_tool.py " << args.join(' ').toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

// Value k (0, 1 or 2) for a column: a full-width text with Romanian letters
// (comma-below s and t among them), the widest and the most negative numbers
// dBase can hold in the width, dates and blanks.
inline QVariant sampleValue(const Column &c, int k, int row)
{
    switch (c.type) {
    case ColumnType::Char: {
        if (k == 2)
            return QString();
        const QString letters = QString::fromUtf8(k == 0 ? "Ştefan ș ț ăâî ŢĂÂÎ" : "Ion Popescu-Dragomir");
        QString s = QString::number(row) + u' ' + letters;
        while (s.size() < c.width)
            s += letters;
        s = s.left(c.width);
        while (s.endsWith(u' '))
            s.chop(1);
        return s;
    }
    case ColumnType::Decimal: {
        if (k == 2)
            return money(Currency());
        const int whole = c.width - (c.decimals > 0 ? c.decimals + 1 : 0);
        QString digits = k == 0 ? QString(whole, u'9') : u'-' + QString(std::max(1, whole - 1), u'8');
        if (c.decimals > 0)
            digits += u'.' + QString(c.decimals, k == 0 ? u'9' : u'1');
        return money(*Currency::parse(digits));
    }
    case ColumnType::Date:
        return k == 0 ? QVariant(QDate(2026, 3, 31)) : k == 1 ? QVariant(QDate(1999, 12, 31)) : QVariant();
    }
    return {};
}

// Puts three rows into every table of the catalogue (creating Log when missing).
inline void fillAllTables(Database &db)
{
    for (const TableDef &t : schema::tables()) {
        if (!db.hasTable(t.name))
            db.exec(schema::createStatement(t));
        for (int k = 0; k < 3; ++k) {
            RowValues v;
            for (const Column &c : t.columns)
                v.push_back({c.name, sampleValue(c, k, k + 1)});
            insertRow(db, t.name, v);
        }
    }
}

// Every row of a table in rowid order, texts in their cedilla form.
inline std::vector<QVariantList> rowsOf(Database &db, const QString &table)
{
    std::vector<QVariantList> out;
    QStringList cols;
    for (const Column &c : schema::require(table).columns)
        cols << u'"' + c.name + u'"';
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(cols.join(u','), table));
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < cols.size(); ++i) {
            QVariant v = q.value(i);
            if (v.metaType().id() == QMetaType::QString)
                v = toCedillaForm(v.toString());
            row << v;
        }
        out.push_back(row);
    }
    return out;
}

inline QString describe(const QVariantList &row)
{
    QStringList l;
    for (const QVariant &v : row)
        l << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    return l.join(u'|');
}

// Every table of `a` has the same rows in `b`.
inline void expectSameRows(Database &a, Database &b)
{
    for (const TableDef &t : schema::tables()) {
        if (!a.hasTable(t.name))
            continue;
        ASSERT_TRUE(b.hasTable(t.name)) << t.name.toStdString();
        const auto ra = rowsOf(a, t.name), rb = rowsOf(b, t.name);
        ASSERT_EQ(ra.size(), rb.size()) << t.name.toStdString();
        for (size_t i = 0; i < ra.size(); ++i)
            EXPECT_EQ(describe(ra[i]), describe(rb[i])) << t.name.toStdString() << " row " << i + 1;
    }
}

// An archive entry read by the reader below.
struct RawEntry {
    QString name;
    qint32 size = 0;
    QByteArray data;
    QByteArray stream; // the compressed bytes as stored
};

// Reads a .w26 from its layout alone: count, then name length, name, size and
// one zlib stream per file. Returns false with a reason on anything else.
inline bool readRawArchive(const QByteArray &bytes, std::vector<RawEntry> &out, std::string &why)
{
    qsizetype pos = 0;
    auto int32 = [&](qint32 &v) {
        if (pos + 4 > bytes.size())
            return false;
        const auto *u = reinterpret_cast<const unsigned char *>(bytes.constData() + pos);
        v = qint32(quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24);
        pos += 4;
        return true;
    };
    qint32 count = 0;
    if (!int32(count) || count < 0)
        return why = "count", false;
    for (qint32 i = 0; i < count; ++i) {
        RawEntry e;
        qint32 len = 0;
        if (!int32(len) || len <= 0 || pos + len > bytes.size())
            return why = "name length", false;
        e.name = decodeCp1250(bytes.mid(pos, len));
        pos += len;
        if (!int32(e.size) || e.size < 0)
            return why = "size", false;
        z_stream z{};
        inflateInit(&z);
        QByteArray data(e.size + 1, '\0');
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData() + pos));
        z.avail_in = uInt(bytes.size() - pos);
        z.next_out = reinterpret_cast<Bytef *>(data.data());
        z.avail_out = uInt(data.size());
        const int rc = inflate(&z, Z_FINISH);
        const qsizetype used = qsizetype(z.total_in);
        const qsizetype produced = qsizetype(z.total_out);
        inflateEnd(&z);
        if (rc != Z_STREAM_END)
            return why = "stream of " + e.name.toStdString(), false;
        if (produced != e.size)
            return why = "size of " + e.name.toStdString(), false;
        e.data = data.left(produced);
        e.stream = bytes.mid(pos, used);
        pos += used;
        out.push_back(e);
    }
    if (pos != bytes.size())
        return why = "trailing bytes", false;
    return true;
}

// Writes a .w26 from its layout alone, as an older installation would.
inline QByteArray rawArchive(const std::vector<std::pair<QByteArray, QByteArray>> &files)
{
    auto int32 = [](qint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((quint32(v) >> (8 * i)) & 0xFF);
        return b;
    };
    QByteArray out = int32(qint32(files.size()));
    for (const auto &[name, data] : files) {
        uLongf len = compressBound(uLong(data.size()));
        QByteArray z(qsizetype(len), '\0');
        compress2(reinterpret_cast<Bytef *>(z.data()), &len, reinterpret_cast<const Bytef *>(data.constData()),
                  uLong(data.size()), Z_DEFAULT_COMPRESSION);
        out += int32(qint32(name.size())) + name + int32(qint32(data.size())) + z.left(qsizetype(len));
    }
    return out;
}

// A file the program cannot read although it exists and is not empty; empty
// when this machine offers none (a root user reads everything it owns).
inline QString makeUnreadableFile(const QString &path)
{
    if (geteuid() != 0) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write("secret");
        f.close();
        f.setPermissions(QFileDevice::Permissions());
        return path;
    }
    // Write-only attributes of sysfs refuse reads even to root.
    for (const char *candidate : {"/sys/bus/pci/rescan", "/sys/class/zram-control/hot_remove",
                                  "/sys/devices/pci0000:00/0000:00:00.0/rescan"}) {
        const QFileInfo fi(QString::fromLatin1(candidate));
        QFile probe(fi.filePath());
        if (fi.exists() && fi.size() > 0 && !probe.open(QIODevice::ReadOnly) &&
            QFile::link(fi.filePath(), path))
            return path;
    }
    return {};
}

} // namespace valdora::test
