#include "app/db/DbfWriter.h"

#include "app/core/Clock.h"
#include "app/core/Cp1250.h"
#include "app/core/Dates.h"

#include <QDir>
#include <QStringEncoder>
#include <cstring>

namespace valdora::dbf {
namespace {

constexpr qsizetype FlushBytes = 256 * 1024;

void put16(char *p, quint32 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char((v >> 8) & 0xFF);
}
void put32(char *p, quint32 v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

bool validName(const QString &n)
{
    if (n.isEmpty() || n.size() > 10 || !(n[0].isLetter() && n[0].unicode() < 128))
        return false;
    for (QChar c : n)
        if (c.unicode() >= 128 || !(c.isLetterOrNumber() || c == u'_'))
            return false;
    return true;
}

bool isInteger(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Short: case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<QByteArray> formatNumber(Currency value, int length, int decimals)
{
    const int kept = std::min(decimals, 4);
    if (value.roundTo(kept, Rounding::HalfAwayFromZero) != value)
        return std::nullopt;
    QByteArray text = value.toString(kept).toLatin1();
    if (decimals > kept)
        text += QByteArray(decimals - kept, '0');
    if (text.size() > length)
        return std::nullopt;
    return QByteArray(length - text.size(), ' ') + text;
}

DbfWriter::DbfWriter(const QString &path, std::vector<Field> fields, QDate lastUpdate)
    : path_(path), fields_(std::move(fields)), date_(lastUpdate.isValid() ? lastUpdate : appClock().today()),
      file_(path), encoder_(std::make_unique<QStringEncoder>("windows-1250"))
{
    if (fields_.empty())
        fail(QStringLiteral("nu poate fi scris fara campuri"));
    if (fields_.size() > size_t(MaxFields))
        fail(QStringLiteral("nu poate avea mai mult de %1 campuri").arg(MaxFields));
    for (size_t i = 0; i < fields_.size(); ++i) {
        Field &f = fields_[i];
        if (!validName(f.name))
            fail(QStringLiteral("nu poate avea campul \"%1\" (un nume de 1-10 litere, cifre sau _)").arg(f.name));
        for (size_t j = 0; j < i; ++j)
            if (fields_[j].name.compare(f.name, Qt::CaseInsensitive) == 0)
                fail(QStringLiteral("are campul %1 de doua ori").arg(f.name));
        bool ok = false;
        switch (f.type) {
        case 'C': ok = f.length >= 1 && f.length <= 254 && f.decimals == 0; break;
        case 'N':
        case 'F': ok = f.length >= 1 && f.length <= 20 && f.decimals >= 0 && (f.decimals == 0 || f.decimals <= f.length - 2); break;
        case 'D': ok = f.length == 8 && f.decimals == 0; break;
        case 'L': ok = f.length == 1 && f.decimals == 0; break;
        default: ok = false;
        }
        if (!ok)
            fail(QStringLiteral("nu poate avea campul %1 de tipul %2(%3,%4)")
                     .arg(f.name, QChar::fromLatin1(f.type))
                     .arg(f.length)
                     .arg(f.decimals));
        recordLength_ += f.length;
    }
    if (recordLength_ > 65535)
        fail(QStringLiteral("ar avea inregistrari prea lungi (%1 octeti)").arg(recordLength_));
    if (!file_.open(QIODevice::WriteOnly))
        fail(QStringLiteral("nu poate fi creat (%1)").arg(file_.errorString()));
    pending_ = headerBytes();
}

DbfWriter::~DbfWriter()
{
    if (!finished_)
        file_.cancelWriting();
}

void DbfWriter::fail(const QString &what) const
{
    throw DbfError(QStringLiteral("Fisierul %1 %2.").arg(QDir::toNativeSeparators(path_), what));
}

void DbfWriter::failAt(const Field &f, const QString &what) const
{
    throw DbfError(QStringLiteral("Fisierul %1, inregistrarea %2, campul %3: %4.")
                       .arg(QDir::toNativeSeparators(path_))
                       .arg(count_ + 1)
                       .arg(f.name, what));
}

QByteArray DbfWriter::headerBytes() const
{
    const int headerLength = HeaderSize + DescriptorSize * int(fields_.size()) + 1;
    QByteArray h(headerLength, '\0');
    char *p = h.data();
    p[0] = 0x03;
    p[1] = char(std::clamp(date_.year() - 1900, 0, 255));
    p[2] = char(date_.month());
    p[3] = char(date_.day());
    put32(p + 4, quint32(count_));
    put16(p + 8, quint32(headerLength));
    put16(p + 10, quint32(recordLength_));
    p[ProductionIndexByte] = 0;
    p[LanguageDriverByte] = char(LanguageDriverCp1250);
    for (size_t i = 0; i < fields_.size(); ++i) {
        char *d = p + HeaderSize + DescriptorSize * int(i);
        const QByteArray name = fields_[i].name.toLatin1();
        std::memcpy(d, name.constData(), size_t(name.size()));
        d[11] = fields_[i].type;
        d[16] = char(fields_[i].length);
        d[17] = char(fields_[i].decimals);
    }
    p[headerLength - 1] = HeaderTerminator;
    return h;
}

void DbfWriter::encode(const Field &f, const QVariant &v, char *out)
{
    std::memset(out, ' ', size_t(f.length));
    if (v.isNull() && f.type != 'L')
        return;
    switch (f.type) {
    case 'C': {
        QString text;
        if (v.metaType() == QMetaType::fromType<Currency>())
            text = v.value<Currency>().toShortString();
        else if (v.metaType().id() == QMetaType::Bool)
            text = v.toBool() ? QStringLiteral("T") : QStringLiteral("F");
        else
            text = v.toString();
        text = toCedillaForm(text);
        const QByteArray bytes = encoder_->encode(text);
        if (encoder_->hasError()) {
            encoder_ = std::make_unique<QStringEncoder>("windows-1250");
            QString bad;
            for (const uint cp : text.toUcs4()) {
                const char32_t one = cp;
                QStringEncoder probe("windows-1250");
                (void)QByteArray(probe.encode(QString::fromUcs4(&one, 1)));
                if (probe.hasError()) {
                    bad = QStringLiteral("U+%1").arg(cp, 4, 16, QLatin1Char('0')).toUpper();
                    break;
                }
            }
            failAt(f, QStringLiteral("textul contine un caracter (%1) care nu exista in pagina de cod 1250").arg(bad));
        }
        if (bytes.size() > f.length)
            failAt(f, QStringLiteral("textul \"%1\" are %2 caractere, campul %3").arg(text.left(60)).arg(bytes.size()).arg(f.length));
        std::memcpy(out, bytes.constData(), size_t(bytes.size()));
        return;
    }
    case 'N':
    case 'F': {
        std::optional<Currency> c;
        if (v.metaType() == QMetaType::fromType<Currency>())
            c = v.value<Currency>();
        else if (isInteger(v))
            c = Currency::fromLei(v.toLongLong());
        else if (v.metaType().id() == QMetaType::Double)
            c = Currency::parse(QString::number(v.toDouble(), 'f', 4));
        else if (v.metaType().id() == QMetaType::Bool)
            c = Currency::fromLei(v.toBool() ? 1 : 0);
        else {
            const QString t = v.toString().trimmed();
            if (t.isEmpty())
                return;
            c = Currency::parse(t);
        }
        if (!c)
            failAt(f, QStringLiteral("valoarea \"%1\" nu este un numar").arg(v.toString()));
        const auto text = formatNumber(*c, f.length, f.decimals);
        if (!text)
            failAt(f, QStringLiteral("valoarea %1 nu incape in N(%2,%3)").arg(c->toShortString()).arg(f.length).arg(f.decimals));
        std::memcpy(out, text->constData(), size_t(f.length));
        return;
    }
    case 'D': {
        QDate d;
        if (v.metaType().id() == QMetaType::QDate)
            d = v.toDate();
        else if (v.metaType().id() == QMetaType::QDateTime)
            d = v.toDateTime().date();
        else {
            const QString t = v.toString().trimmed();
            if (t.isEmpty())
                return;
            d = QDate::fromString(t, Qt::ISODate);
            if (!d.isValid())
                d = parseDate(t).value_or(QDate());
            if (!d.isValid())
                failAt(f, QStringLiteral("data \"%1\" nu este corecta").arg(t));
        }
        if (!d.isValid())
            return;
        if (d.year() < 1 || d.year() > 9999)
            failAt(f, QStringLiteral("anul %1 nu se poate scrie").arg(d.year()));
        const QByteArray text = d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        std::memcpy(out, text.constData(), 8);
        return;
    }
    case 'L':
        out[0] = v.isNull() ? '?' : (v.toBool() ? 'T' : 'F');
        return;
    default:
        return;
    }
}

void DbfWriter::append(const QVariantList &values, bool deleted)
{
    if (finished_)
        fail(QStringLiteral("este deja incheiat"));
    if (values.size() != qsizetype(fields_.size()))
        fail(QStringLiteral("are %1 campuri, inregistrarea %2 valori").arg(fields_.size()).arg(values.size()));
    if (count_ >= qint64(0xFFFFFFFFu))
        fail(QStringLiteral("are prea multe inregistrari"));
    QByteArray rec(recordLength_, ' ');
    rec[0] = deleted ? '*' : ' ';
    int offset = 1;
    for (size_t i = 0; i < fields_.size(); ++i) {
        encode(fields_[i], values[qsizetype(i)], rec.data() + offset);
        offset += fields_[i].length;
    }
    pending_ += rec;
    ++count_;
    if (pending_.size() >= FlushBytes)
        flush();
}

void DbfWriter::flush()
{
    if (pending_.isEmpty())
        return;
    if (file_.write(pending_) != pending_.size())
        fail(QStringLiteral("nu poate fi scris (%1)").arg(file_.errorString()));
    pending_.clear();
}

void DbfWriter::finish()
{
    if (finished_)
        return;
    pending_ += EndOfFile;
    flush();
    // The record count is known only now.
    const QByteArray head = headerBytes();
    if (!file_.seek(0) || file_.write(head) != head.size())
        fail(QStringLiteral("nu poate fi scris (%1)").arg(file_.errorString()));
    if (!file_.commit())
        fail(QStringLiteral("nu poate fi scris (%1)").arg(file_.errorString()));
    finished_ = true;
}

void writeTable(const QString &path, const std::vector<Field> &fields, const std::vector<Record> &records, QDate lastUpdate)
{
    DbfWriter w(path, fields, lastUpdate);
    for (const Record &r : records)
        w.append(r.values, r.deleted);
    w.finish();
}

} // namespace valdora::dbf
