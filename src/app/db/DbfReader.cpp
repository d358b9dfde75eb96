#include "app/db/DbfReader.h"

#include <QDir>
#include <QStringDecoder>
#include <cstring>

namespace valdora::dbf {
namespace {

constexpr qint64 BufferBytes = 256 * 1024;

quint16 le16(const uchar *p) { return quint16(p[0] | (p[1] << 8)); }
quint32 le32(const uchar *p) { return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24); }

bool knownVersion(quint8 v)
{
    switch (v) {
    case 0x03: case 0x04: case 0x05: case 0x30: case 0x31: case 0x32: case 0x43: case 0x63: case 0x83: case 0x8B:
    case 0x8E: case 0xCB: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

QByteArrayView trimmedBytes(QByteArrayView b)
{
    qsizetype s = 0, e = b.size();
    while (s < e && (b[s] == ' ' || b[s] == '\0'))
        ++s;
    while (e > s && (b[e - 1] == ' ' || b[e - 1] == '\0'))
        --e;
    return b.sliced(s, e - s);
}

QString shown(QByteArrayView raw) { return QString::fromLatin1(raw.data(), raw.size()).trimmed(); }

} // namespace

std::optional<Currency> parseNumber(QByteArrayView text)
{
    QByteArrayView t = trimmedBytes(text);
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype e = [&] {
        for (qsizetype i = 0; i < t.size(); ++i)
            if (t[i] == 'e' || t[i] == 'E')
                return i;
        return qsizetype(-1);
    }();
    if (e < 0)
        return Currency::parse(QString::fromLatin1(t.data(), t.size()));

    // Exponent form, written by some tools into F fields: shift the point.
    QByteArrayView mantissa = t.first(e);
    QByteArrayView exponent = t.sliced(e + 1);
    bool okExp = false;
    const int shift = QByteArray(exponent.data(), exponent.size()).toInt(&okExp);
    if (!okExp || shift < -40 || shift > 40 || mantissa.isEmpty())
        return std::nullopt;
    QByteArray sign;
    if (mantissa.front() == '-' || mantissa.front() == '+') {
        sign = QByteArray(1, mantissa.front());
        mantissa = mantissa.sliced(1);
    }
    QByteArray digits;
    int point = -1;
    for (char c : mantissa) {
        if (c == '.') {
            if (point >= 0)
                return std::nullopt;
            point = int(digits.size());
        } else if (c >= '0' && c <= '9') {
            digits += c;
        } else {
            return std::nullopt;
        }
    }
    if (digits.isEmpty())
        return std::nullopt;
    if (point < 0)
        point = int(digits.size());
    point += shift;
    if (point <= 0)
        digits = QByteArray(-point, '0') + digits, point = 0;
    if (point > digits.size())
        digits += QByteArray(point - digits.size(), '0');
    const QByteArray plain = sign + digits.left(point) + (point < digits.size() ? "." + digits.mid(point) : QByteArray());
    return Currency::parse(QString::fromLatin1(plain.startsWith('.') ? "0" + plain : plain));
}

DbfReader::DbfReader(const QString &path) : path_(path), file_(path)
{
    if (!file_.open(QIODevice::ReadOnly))
        fail(QStringLiteral("nu poate fi deschis (%1)").arg(file_.errorString()));
    const qint64 size = file_.size();
    const QByteArray head = file_.read(HeaderSize);
    if (head.size() < HeaderSize)
        fail(QStringLiteral("este prea scurt pentru un tabel dBase"));
    const auto *h = reinterpret_cast<const uchar *>(head.constData());
    header_.version = h[0];
    if (!knownVersion(header_.version))
        fail(QStringLiteral("nu este un tabel dBase (versiunea 0x%1)").arg(header_.version, 2, 16, QLatin1Char('0')));
    {
        int year = h[1] + 1900;
        if (year < 1980)
            year += 100; // some tools write the year of the century
        header_.lastUpdate = QDate(year, h[2], h[3]);
    }
    header_.recordCount = le32(h + 4);
    header_.headerLength = le16(h + 8);
    header_.recordLength = le16(h + 10);
    header_.productionIndex = h[ProductionIndexByte] != 0;
    header_.languageDriver = h[LanguageDriverByte];
    if (h[15] != 0)
        fail(QStringLiteral("este criptat"));
    if (header_.headerLength < HeaderSize + 1 || header_.recordLength < 1)
        fail(QStringLiteral("are un antet deteriorat (lungime antet %1, lungime inregistrare %2)")
                 .arg(header_.headerLength)
                 .arg(header_.recordLength));
    if (size < header_.headerLength)
        fail(QStringLiteral("este trunchiat: antetul are %1 octeti, fisierul %2").arg(header_.headerLength).arg(size));

    // Field descriptors, up to the terminator or the end of the header.
    const QByteArray rest = file_.read(header_.headerLength - HeaderSize);
    qsizetype pos = 0;
    int offset = 1;
    while (pos + DescriptorSize <= rest.size() && rest[pos] != HeaderTerminator) {
        const char *d = rest.constData() + pos;
        const qsizetype nameLength = qsizetype(strnlen(d, 11));
        const QString name = QString::fromLatin1(d, nameLength).trimmed();
        Field f;
        f.name = name;
        f.type = char(QChar::fromLatin1(d[11]).toUpper().toLatin1());
        f.length = uchar(d[16]);
        f.decimals = uchar(d[17]);
        if (f.type == 'C' && f.decimals != 0) {
            // Character fields longer than 255 keep the high byte in the decimals.
            f.length += f.decimals * 256;
            f.decimals = 0;
        }
        if (name.isEmpty())
            fail(QStringLiteral("are un camp fara nume (descriptorul %1)").arg(fields_.size() + 1));
        if (f.length < 1)
            fail(QStringLiteral("are campul %1 de lungime 0").arg(name));
        if (fieldIndex(name) >= 0)
            fail(QStringLiteral("are campul %1 de doua ori").arg(name));
        fields_.push_back(f);
        offsets_.push_back(offset);
        offset += f.length;
        pos += DescriptorSize;
    }
    if (fields_.empty())
        fail(QStringLiteral("nu are niciun camp"));
    if (offset != header_.recordLength)
        fail(QStringLiteral("are lungimea inregistrarii %1, dar campurile ei insumeaza %2")
                 .arg(header_.recordLength)
                 .arg(offset));

    // Records present, against the count of the header.
    const qint64 bytes = size - header_.headerLength;
    qint64 complete = bytes / header_.recordLength;
    const qint64 leftover = bytes % header_.recordLength;
    bool endMarker = false;
    if (leftover > 0) {
        file_.seek(header_.headerLength + complete * header_.recordLength);
        const QByteArray tail = file_.read(leftover);
        for (char c : tail)
            if (c != EndOfFile && c != '\0')
                fail(QStringLiteral("este trunchiat: ultima inregistrare este incompleta (%1 din %2 octeti)")
                         .arg(leftover)
                         .arg(header_.recordLength));
        endMarker = tail.contains(EndOfFile);
    } else if (complete > 0 && complete == qint64(header_.recordCount) + 1) {
        // A marker followed by padding that happens to fill one record.
        file_.seek(header_.headerLength + (complete - 1) * header_.recordLength);
        char first = 0;
        if (file_.getChar(&first) && first == EndOfFile)
            --complete, endMarker = true;
    }
    const qint64 count = header_.recordCount;
    if (complete == count) {
        present_ = count;
    } else if (complete == count + 1) {
        present_ = complete;
        warnings_ << QStringLiteral("antetul anunta %1 inregistrari, fisierul are %2").arg(count).arg(complete);
    } else if (complete + 1 == count && endMarker) {
        present_ = complete;
        warnings_ << QStringLiteral("antetul anunta %1 inregistrari, fisierul are %2").arg(count).arg(complete);
    } else if (complete < count) {
        fail(QStringLiteral("este trunchiat: antetul anunta %1 inregistrari, fisierul are %2").arg(count).arg(complete));
    } else {
        fail(QStringLiteral("are %1 inregistrari, antetul anunta %2").arg(complete).arg(count));
    }
    if (!endMarker)
        warnings_ << QStringLiteral("lipseste marcajul de sfarsit de fisier");

    codePage_ = codePageOf(header_.languageDriver);
    decoder_ = std::make_unique<QStringDecoder>(codePage_.constData(), QStringConverter::Flag::Stateless);
    if (!decoder_->isValid()) {
        codePage_ = "windows-1250";
        decoder_ = std::make_unique<QStringDecoder>(codePage_.constData(), QStringConverter::Flag::Stateless);
    }
    file_.seek(header_.headerLength);
}

DbfReader::~DbfReader() = default;

void DbfReader::fail(const QString &what) const
{
    throw DbfError(QStringLiteral("Fisierul %1 %2.").arg(QDir::toNativeSeparators(path_), what));
}

void DbfReader::failAt(const Field &f, const QString &what) const
{
    throw DbfError(QStringLiteral("Fisierul %1, inregistrarea %2, campul %3: %4.")
                       .arg(QDir::toNativeSeparators(path_))
                       .arg(position_)
                       .arg(f.name, what));
}

int DbfReader::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QStringList DbfReader::unsupportedFields() const
{
    QStringList l;
    for (const Field &f : fields_)
        if (!f.supported())
            l << QStringLiteral("%1 (%2)").arg(f.name, QChar::fromLatin1(f.type));
    return l;
}

void DbfReader::fillBuffer()
{
    const qint64 perBuffer = std::max<qint64>(1, BufferBytes / header_.recordLength);
    const qint64 n = std::min(perBuffer, present_ - position_);
    bufferFirst_ = position_;
    file_.seek(header_.headerLength + position_ * header_.recordLength);
    buffer_ = file_.read(n * header_.recordLength);
    if (buffer_.size() != n * header_.recordLength)
        fail(QStringLiteral("nu poate fi citit (%1)").arg(file_.errorString()));
    bufferCount_ = n;
}

bool DbfReader::next(Record &record)
{
    if (position_ >= present_)
        return false;
    if (position_ < bufferFirst_ || position_ >= bufferFirst_ + bufferCount_)
        fillBuffer();
    const char *rec = buffer_.constData() + (position_ - bufferFirst_) * header_.recordLength;
    ++position_;
    record.deleted = rec[0] == '*';
    record.values.clear();
    record.values.reserve(qsizetype(fields_.size()));
    for (size_t i = 0; i < fields_.size(); ++i)
        record.values.append(valueOf(fields_[i], rec + offsets_[i]));
    return true;
}

QVariant DbfReader::valueOf(const Field &f, const char *data)
{
    const QByteArrayView raw(data, f.length);
    switch (f.type) {
    case 'C': {
        qsizetype n = raw.size();
        while (n > 0 && (raw[n - 1] == ' ' || raw[n - 1] == '\0'))
            --n;
        QString s = decoder_->decode(raw.first(n));
        return s.isNull() ? QString(QLatin1String("")) : s;
    }
    case 'N':
    case 'F': {
        const QByteArrayView t = trimmedBytes(raw);
        if (t.isEmpty())
            return QVariant();
        const auto v = parseNumber(t);
        if (!v)
            failAt(f, QStringLiteral("valoarea \"%1\" nu este un numar sau este prea mare").arg(shown(raw)));
        return money(*v);
    }
    case 'D': {
        const QByteArrayView t = trimmedBytes(raw);
        if (t.isEmpty() || t == "00000000")
            return QVariant();
        const QDate d = QDate::fromString(QString::fromLatin1(t.data(), t.size()), QStringLiteral("yyyyMMdd"));
        if (t.size() != 8 || !d.isValid())
            failAt(f, QStringLiteral("data \"%1\" nu este corecta").arg(shown(raw)));
        return d;
    }
    case 'L': {
        switch (raw[0]) {
        case 'T': case 't': case 'Y': case 'y': return true;
        case 'F': case 'f': case 'N': case 'n': return false;
        default: return QVariant();
        }
    }
    default:
        return QVariant();
    }
}

Table readTable(const QString &path)
{
    DbfReader r(path);
    Table t;
    t.header = r.header();
    t.fields = r.fields();
    t.codePage = r.codePage();
    Record rec;
    while (r.next(rec))
        t.records.push_back(rec);
    t.warnings = r.warnings();
    return t;
}

} // namespace valdora::dbf
