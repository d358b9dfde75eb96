#include "support/TempDir.h"
#include "yearend/YearendSupport.h"
#include "yearend/store/W26Archive.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::test;
using namespace valdora::yearend;

namespace {

QByteArray le(qint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((quint32(v) >> (8 * i)) & 0xFF);
    return b;
}

QByteArray zlibOf(const QByteArray &data)
{
    uLongf len = compressBound(uLong(data.size()));
    QByteArray z(qsizetype(len), '\0');
    compress2(reinterpret_cast<Bytef *>(z.data()), &len, reinterpret_cast<const Bytef *>(data.constData()),
              uLong(data.size()), Z_DEFAULT_COMPRESSION);
    return z.left(qsizetype(len));
}

// One entry as the layout has it, with the fields given freely.
QByteArray entry(const QByteArray &name, const QByteArray &data, qint32 declaredSize, qint32 nameLength)
{
    return le(nameLength) + name + le(declaredSize) + zlibOf(data);
}
QByteArray entry(const QByteArray &name, const QByteArray &data)
{
    return entry(name, data, qint32(data.size()), qint32(name.size()));
}

const QByteArray hello = "hello";
const QByteArray block = QByteArray(200, 'b') + "end";

QByteArray good() { return le(2) + entry("a.txt", hello) + entry("b.txt", block); }

} // namespace

TEST(W26Archive, WhatWeWriteIsReadFromTheLayoutAlone)
{
    TempDir src;
    QByteArray random(100 * 1024, '\0');
    QRandomGenerator gen(42);
    for (char &c : random)
        c = char(gen.bounded(256));
    QByteArray big;
    for (int i = 0; i < 40000; ++i)
        big += QByteArray::number(i % 97) + "    ";
    const QString sablon = QString::fromUtf8("Şablon ț.rtf");
    writeFile(src.file("Gospodar.dbf"), "dbf table bytes");
    writeFile(src.file(sablon), "{\\rtf1 }");
    writeFile(src.file("mare.bin"), big);
    writeFile(src.file("random.bin"), random);

    TempDir out;
    const QString path = out.file("x.w26");
    const QStringList names{"Gospodar.dbf", sablon, "mare.bin", "random.bin"};
    int progress = 0;
    const auto entries = writeArchive(path, src.path(), names, [&](int done) { progress = done; });
    EXPECT_EQ(progress, 4);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].size, big.size());

    const QByteArray bytes = readFile(path);
    std::vector<RawEntry> read;
    std::string why;
    ASSERT_TRUE(readRawArchive(bytes, read, why)) << why;
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(bytes.left(4), le(4));
    const std::vector<QByteArray> contents{"dbf table bytes", "{\\rtf1 }", big, random};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read[i].data, contents[i]) << i;
        EXPECT_EQ(read[i].size, contents[i].size()) << i;
        // One zlib stream at the default level: header 78 9C.
        EXPECT_EQ(read[i].stream.left(2).toHex().toStdString(), "789c") << i;
    }
    EXPECT_EQ(read[1].name, QString::fromUtf8("Şablon ţ.rtf"));
    // The name is in code page 1250, its length counted in bytes, with no terminator.
    EXPECT_TRUE(bytes.contains(le(12) + QByteArray("\xaa" "ablon \xfe.rtf") + le(8)));
    EXPECT_LT(bytes.size(), random.size() + big.size() / 4);
}

TEST(W26Archive, AnArchiveOfTheLayoutIsUnpacked)
{
    TempDir out;
    const QByteArray big(300000, 'x');
    writeFile(out.file("old.w26"), rawArchive({{"Gospodar.dbf", "table"}, {"\xaa" "ablon.rtf", big}, {"s.mpg", "u"}}));
    const QString folder = out.file("unpacked");
    QDir().mkpath(folder);
    EXPECT_EQ(archiveCount(out.file("old.w26")), 3);
    const auto entries = unpackArchive(out.file("old.w26"), folder);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].name, QString::fromUtf8("Şablon.rtf"));
    EXPECT_EQ(readFile(folder + "/Gospodar.dbf"), "table");
    EXPECT_EQ(readFile(folder + QString::fromUtf8("/Şablon.rtf")), big);
    EXPECT_EQ(readFile(folder + "/s.mpg"), "u");
}

TEST(W26Archive, ADamagedArchiveIsRefusedWhole)
{
    struct Case { const char *what; QByteArray bytes; };
    QByteArray badChecksum = good();
    badChecksum[badChecksum.size() - 1] = char(badChecksum.back() ^ 0x55);
    const std::vector<Case> cases = {
        {"negative count", le(-1) + entry("a.txt", hello)},
        {"absurd count", le(1000000) + entry("a.txt", hello)},
        {"more entries announced than present", le(3) + entry("a.txt", hello) + entry("b.txt", block)},
        {"empty name", le(1) + entry("", hello)},
        {"negative name length", le(1) + entry("a.txt", hello, 5, -5)},
        {"absurd name length", le(1) + entry("a.txt", hello, 5, 100000)},
        {"name with a folder", le(1) + entry("dir/a.txt", hello)},
        {"name with a Windows folder", le(1) + entry("dir\\a.txt", hello)},
        {"name climbing out", le(1) + entry("../a.txt", hello)},
        {"name ..", le(1) + entry("..", hello)},
        {"name with a drive", le(1) + entry("C:a.txt", hello)},
        {"device name", le(1) + entry("NUL.txt", hello)},
        {"negative size", le(1) + entry("a.txt", hello, -1, 5)},
        {"size smaller than the data", le(1) + entry("a.txt", hello, 4, 5)},
        {"size larger than the data", le(1) + entry("a.txt", hello, 6, 5)},
        {"damaged stream", badChecksum},
        {"bytes after the last entry", good() + "garbage"},
        {"a name given twice", le(2) + entry("a.txt", hello) + entry("A.TXT", block)},
        {"not an archive", QByteArray("PK\x03\x04 this is a zip file")},
    };
    for (const Case &c : cases) {
        TempDir dir;
        writeFile(dir.file("x.w26"), c.bytes);
        QDir().mkpath(dir.file("out"));
        EXPECT_THROW(unpackArchive(dir.file("x.w26"), dir.file("out")), ArchiveError) << c.what;
        EXPECT_FALSE(QFileInfo::exists(dir.path() + "/a.txt")) << c.what;
    }

    // Cut anywhere, the archive is refused.
    const QByteArray whole = good();
    for (qsizetype n = 0; n < whole.size(); ++n) {
        TempDir dir;
        writeFile(dir.file("x.w26"), whole.left(n));
        QDir().mkpath(dir.file("out"));
        EXPECT_THROW(unpackArchive(dir.file("x.w26"), dir.file("out")), ArchiveError) << "cut at " << n;
    }
    TempDir dir;
    writeFile(dir.file("x.w26"), whole);
    QDir().mkpath(dir.file("out"));
    EXPECT_EQ(unpackArchive(dir.file("x.w26"), dir.file("out")).size(), 2u);
}

TEST(W26Archive, CountForTheProgressBar)
{
    TempDir dir;
    writeFile(dir.file("good.w26"), good());
    writeFile(dir.file("absurd.w26"), le(500000) + entry("a.txt", hello));
    writeFile(dir.file("short.w26"), "ab");
    EXPECT_EQ(archiveCount(dir.file("good.w26")), 2);
    EXPECT_EQ(archiveCount(dir.file("absurd.w26")), -1);
    EXPECT_EQ(archiveCount(dir.file("short.w26")), -1);
    EXPECT_EQ(archiveCount(dir.file("missing.w26")), -1);
}

TEST(W26Archive, WriterRefusesNamesTheLayoutCannotCarry)
{
    TempDir src;
    writeFile(src.file(QString::fromUtf8("Иван.txt")), "x");
    writeFile(src.file("ok.txt"), "x");
    TempDir out;
    EXPECT_THROW(writeArchive(out.file("a.w26"), src.path(), {QString::fromUtf8("Иван.txt")}), ArchiveError);
    EXPECT_THROW(writeArchive(out.file("a.w26"), src.path(), {"lipsa.txt"}), ArchiveError);
    EXPECT_THROW(writeArchive(out.file("a.w26"), src.path(), {"../ok.txt"}), ArchiveError);
    // Nothing half-written is left under the archive's name.
    EXPECT_FALSE(QFileInfo::exists(out.file("a.w26")));
}
