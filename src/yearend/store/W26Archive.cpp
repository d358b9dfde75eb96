#include "yearend/store/W26Archive.h"

#include "app/core/Cp1250.h"
#include "yearend/domain/BackupNames.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStorageInfo>
#include <QStringEncoder>
#include <zlib.h>

#include <cstring>
#include <limits>

namespace valdora::yearend {
namespace {

constexpr qint64 Chunk = 256 * 1024;
// Smallest entry: name length, a one-byte name, size, the shortest zlib stream.
constexpr qint64 SmallestEntry = 4 + 1 + 4 + 8;
constexpr int LongestName = 255;

QByteArray le32(qint32 v)
{
    const quint32 u = quint32(v);
    QByteArray b(4, '\0');
    b[0] = char(u & 0xFF);
    b[1] = char((u >> 8) & 0xFF);
    b[2] = char((u >> 16) & 0xFF);
    b[3] = char((u >> 24) & 0xFF);
    return b;
}

qint32 fromLe32(const char *p)
{
    const auto *u = reinterpret_cast<const uchar *>(p);
    return qint32(quint32(u[0]) | (quint32(u[1]) << 8) | (quint32(u[2]) << 16) | (quint32(u[3]) << 24));
}

QString native(const QString &p) { return QDir::toNativeSeparators(p); }

// The archive file read through a buffer, so the bytes a zlib stream leaves
// unused stay available to the next entry.
class Input {
public:
    Input(const QString &path) : file_(path) {}
    bool open() { return file_.open(QIODevice::ReadOnly); }
    qint64 size() const { return file_.size(); }
    qint64 remaining() const { return file_.size() - file_.pos() + (buf_.size() - pos_); }

    // Makes at least one byte available unless the file has ended.
    bool fill()
    {
        if (pos_ < buf_.size())
            return true;
        buf_ = file_.read(Chunk);
        pos_ = 0;
        return !buf_.isEmpty();
    }
    bool readExact(char *out, qint64 n)
    {
        while (n > 0) {
            if (!fill())
                return false;
            const qint64 k = std::min<qint64>(n, buf_.size() - pos_);
            std::memcpy(out, buf_.constData() + pos_, size_t(k));
            pos_ += k;
            out += k;
            n -= k;
        }
        return true;
    }
    const char *data() const { return buf_.constData() + pos_; }
    qint64 available() const { return buf_.size() - pos_; }
    void consume(qint64 n) { pos_ += n; }

private:
    QFile file_;
    QByteArray buf_;
    qint64 pos_ = 0;
};

} // namespace

std::vector<ArchiveEntry> writeArchive(const QString &archivePath, const QString &folder, const QStringList &names,
                                       const EntryProgress &progress)
{
    auto fail = [&](const QString &what) -> void {
        throw ArchiveError(QStringLiteral("Arhiva %1 nu poate fi scrisa: %2").arg(native(archivePath), what));
    };
    if (names.size() > std::numeric_limits<qint32>::max())
        fail(QStringLiteral("prea multe fisiere"));
    QSaveFile out(archivePath);
    if (!out.open(QIODevice::WriteOnly))
        fail(out.errorString());
    auto write = [&](const QByteArray &b) {
        if (out.write(b) != b.size())
            fail(out.errorString());
    };
    write(le32(qint32(names.size())));
    std::vector<ArchiveEntry> entries;
    int done = 0;
    for (const QString &name : names) {
        if (!isPlainFileName(name))
            fail(QStringLiteral("numele \"%1\" nu este un nume de fisier").arg(name));
        QStringEncoder enc("windows-1250");
        const QByteArray nameBytes = enc.encode(toCedillaForm(name));
        if (enc.hasError() || nameBytes.size() > LongestName)
            fail(QStringLiteral("numele \"%1\" nu se poate scrie in pagina de cod 1250").arg(name));
        QFile in(folder + u'/' + name);
        if (!in.open(QIODevice::ReadOnly))
            fail(QStringLiteral("fisierul %1 nu poate fi citit (%2)").arg(native(in.fileName()), in.errorString()));
        const qint64 size = in.size();
        if (size > std::numeric_limits<qint32>::max())
            fail(QStringLiteral("fisierul %1 are peste 2 GB").arg(name));
        write(le32(qint32(nameBytes.size())));
        write(nameBytes);
        write(le32(qint32(size)));

        z_stream z{};
        if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
            fail(QStringLiteral("compresia nu poate porni"));
        QByteArray outBuf(int(Chunk), '\0');
        qint64 read = 0;
        bool finished = false;
        try {
            while (!finished) {
                QByteArray block = in.read(Chunk);
                if (block.isEmpty() && !in.atEnd())
                    fail(QStringLiteral("fisierul %1 nu poate fi citit (%2)").arg(name, in.errorString()));
                read += block.size();
                const int flush = (in.atEnd() || block.isEmpty()) ? Z_FINISH : Z_NO_FLUSH;
                z.next_in = reinterpret_cast<Bytef *>(block.data());
                z.avail_in = uInt(block.size());
                int rc = Z_OK;
                do {
                    z.next_out = reinterpret_cast<Bytef *>(outBuf.data());
                    z.avail_out = uInt(outBuf.size());
                    rc = deflate(&z, flush);
                    if (rc == Z_STREAM_ERROR)
                        fail(QStringLiteral("compresia a esuat"));
                    write(outBuf.left(outBuf.size() - qsizetype(z.avail_out)));
                } while (z.avail_out == 0);
                finished = flush == Z_FINISH && rc == Z_STREAM_END;
            }
        } catch (...) {
            deflateEnd(&z);
            throw;
        }
        deflateEnd(&z);
        if (read != size)
            fail(QStringLiteral("fisierul %1 s-a schimbat in timpul salvarii").arg(name));
        entries.push_back({name, size});
        if (progress)
            progress(++done);
    }
    if (!out.commit())
        fail(out.errorString());
    return entries;
}

int archiveCount(const QString &archivePath)
{
    QFile f(archivePath);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray b = f.read(4);
    if (b.size() != 4)
        return -1;
    const qint32 n = fromLe32(b.constData());
    if (n < 0 || qint64(n) > (f.size() - 4) / SmallestEntry)
        return -1;
    return n;
}

std::vector<ArchiveEntry> unpackArchive(const QString &archivePath, const QString &folder, const EntryProgress &progress)
{
    auto fail = [&](const QString &what) -> void {
        throw ArchiveError(QStringLiteral("Arhiva %1 este deteriorata: %2").arg(native(archivePath), what));
    };
    Input in(archivePath);
    if (!in.open())
        throw ArchiveError(QStringLiteral("Arhiva %1 nu poate fi deschisa.").arg(native(archivePath)));
    char word[4];
    auto readInt = [&](const char *what) -> qint32 {
        if (!in.readExact(word, 4))
            fail(QStringLiteral("se termina inainte de %1").arg(QString::fromLatin1(what)));
        return fromLe32(word);
    };

    const qint32 count = readInt("numarul de fisiere");
    if (count < 0 || qint64(count) > in.remaining() / SmallestEntry)
        fail(QStringLiteral("numarul de fisiere %1 nu este posibil").arg(count));

    std::vector<ArchiveEntry> entries;
    QSet<QString> seen;
    const QStorageInfo storage(folder);
    qint64 needed = 0;
    for (int i = 0; i < count; ++i) {
        const qint32 nameLength = readInt("lungimea numelui");
        if (nameLength < 1 || nameLength > LongestName)
            fail(QStringLiteral("fisierul %1 are un nume de %2 octeti").arg(i + 1).arg(nameLength));
        QByteArray nameBytes(nameLength, '\0');
        if (!in.readExact(nameBytes.data(), nameLength))
            fail(QStringLiteral("se termina in numele fisierului %1").arg(i + 1));
        const QString name = decodeCp1250(nameBytes);
        if (!isPlainFileName(name) || name.contains(QChar(QChar::ReplacementCharacter)))
            fail(QStringLiteral("numele \"%1\" nu este un nume de fisier simplu").arg(name));
        if (seen.contains(name.toUpper()))
            fail(QStringLiteral("fisierul %1 apare de doua ori").arg(name));
        seen.insert(name.toUpper());
        const qint32 size = readInt("marimea fisierului");
        if (size < 0)
            fail(QStringLiteral("fisierul %1 are marimea %2").arg(name).arg(size));
        needed += size;
        if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < needed)
            fail(QStringLiteral("nu este loc pe disc pentru %1 (%2 octeti)").arg(name).arg(size));

        QFile out(folder + u'/' + name);
        if (!out.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            throw ArchiveError(QStringLiteral("Fisierul %1 nu poate fi creat (%2).").arg(native(out.fileName()), out.errorString()));
        z_stream z{};
        if (inflateInit(&z) != Z_OK)
            fail(QStringLiteral("decompresia nu poate porni"));
        QByteArray outBuf(int(Chunk), '\0');
        qint64 written = 0;
        bool ended = false;
        try {
            while (!ended) {
                if (!in.fill())
                    fail(QStringLiteral("fisierul %1 se termina inainte de vreme").arg(name));
                z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
                z.avail_in = uInt(in.available());
                do {
                    z.next_out = reinterpret_cast<Bytef *>(outBuf.data());
                    z.avail_out = uInt(outBuf.size());
                    const int rc = inflate(&z, Z_NO_FLUSH);
                    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
                        fail(QStringLiteral("datele fisierului %1 sunt deteriorate").arg(name));
                    const qint64 produced = outBuf.size() - qint64(z.avail_out);
                    written += produced;
                    if (written > size)
                        fail(QStringLiteral("fisierul %1 are mai mult de %2 octeti").arg(name).arg(size));
                    if (produced > 0 && out.write(outBuf.constData(), produced) != produced)
                        throw ArchiveError(QStringLiteral("Fisierul %1 nu poate fi scris (%2).").arg(native(out.fileName()), out.errorString()));
                    if (rc == Z_STREAM_END) {
                        ended = true;
                        break;
                    }
                    if (rc == Z_BUF_ERROR && z.avail_in == 0)
                        break;
                } while (z.avail_out == 0 || z.avail_in > 0);
                in.consume(in.available() - qint64(z.avail_in));
            }
        } catch (...) {
            inflateEnd(&z);
            throw;
        }
        inflateEnd(&z);
        if (written != size)
            fail(QStringLiteral("fisierul %1 are %2 octeti in loc de %3").arg(name).arg(written).arg(size));
        if (!out.flush())
            throw ArchiveError(QStringLiteral("Fisierul %1 nu poate fi scris (%2).").arg(native(out.fileName()), out.errorString()));
        out.close();
        entries.push_back({name, size});
        if (progress)
            progress(i + 1);
    }
    if (in.remaining() != 0)
        fail(QStringLiteral("are %1 octeti in plus dupa ultimul fisier").arg(in.remaining()));
    return entries;
}

} // namespace valdora::yearend
