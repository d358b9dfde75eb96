#include "admin/store/UserFile.h"

#include "admin/domain/PasswordHash.h"
#include "app/core/Cp1250.h"
#include "app/core/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace valdora::admin {
namespace {

constexpr int StrField = 33;

void putString(QByteArray &rec, int offset, const QByteArray &bytes)
{
    const QByteArray b = bytes.left(32);
    rec[offset] = char(b.size());
    for (int i = 0; i < b.size(); ++i)
        rec[offset + 1 + i] = b[i];
}

QByteArray getString(const QByteArray &rec, int offset)
{
    const int len = qMin(32, int(static_cast<unsigned char>(rec.at(offset))));
    return rec.mid(offset + 1, len);
}

QByteArray textBytes(const QString &s) { return encodeCp1250(s).left(32); }

} // namespace

QString gradeText(Grade g)
{
    switch (g) {
    case Grade::Admin: return QStringLiteral("ADMIN");
    case Grade::RoleOperator: return QStringLiteral("OPERATOR DE ROL");
    case Grade::Cashier: return QStringLiteral("CASIER");
    default: return QStringLiteral("NECUNOSCUT");
    }
}

Grade gradeFromText(const QString &t)
{
    for (Grade g : {Grade::Admin, Grade::RoleOperator, Grade::Cashier})
        if (gradeText(g) == t)
            return g;
    return Grade::Unknown;
}

QByteArray UserFile::encode(const UserRecord &r)
{
    QByteArray rec(RecordSize, '\0');
    putString(rec, 0, textBytes(r.name));
    putString(rec, StrField, r.password.left(32));
    rec[66] = char(static_cast<unsigned char>(r.grade));
    putString(rec, 67, textBytes(r.identityCard));
    return rec;
}

UserRecord UserFile::decode(const QByteArray &rec)
{
    UserRecord r;
    r.name = decodeCp1250(getString(rec, 0));
    r.password = getString(rec, StrField);
    const auto g = static_cast<unsigned char>(rec.at(66));
    r.grade = g <= 3 ? static_cast<Grade>(g) : Grade::Unknown;
    r.identityCard = decodeCp1250(getString(rec, 67));
    return r;
}

QByteArray UserFile::passwordBytes(const QString &typed) { return textBytes(typed); }

bool UserFile::exists() const { return QFileInfo::exists(path_); }

void UserFile::createWithAdmin()
{
    writeAll({UserRecord{QStringLiteral("ADMIN"), PasswordHash::make("952"), Grade::Admin, {}}});
}

std::vector<UserRecord> UserFile::readAll() const
{
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nu se poate citi fisierul de utilizatori %1").arg(path_));
    const QByteArray all = f.readAll();
    std::vector<UserRecord> out;
    for (qsizetype at = 0; at + RecordSize <= all.size(); at += RecordSize)
        out.push_back(decode(all.mid(at, RecordSize)));
    return out;
}

void UserFile::writeAll(const std::vector<UserRecord> &records)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QByteArray all;
    for (const auto &r : records)
        all += encode(r);
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly) || f.write(all) != all.size() || !f.commit())
        throw Error(QStringLiteral("Nu se poate scrie fisierul de utilizatori %1").arg(path_));
}

std::optional<UserRecord> UserFile::login(const QString &name, const QString &typedPassword)
{
    auto records = readAll();
    const QByteArray typedName = textBytes(name);
    const QByteArray typed = passwordBytes(typedPassword);
    std::optional<size_t> found;
    for (size_t i = 0; i < records.size(); ++i)
        if (textBytes(records[i].name) == typedName && PasswordHash::matches(records[i].password, typed))
            found = i;
    if (!found)
        return std::nullopt;
    UserRecord r = records[*found];
    if (!r.password.isEmpty() && !PasswordHash::isHashed(r.password)) {
        records[*found].password = PasswordHash::make(typed);
        writeAll(records);
    }
    return r;
}

bool UserFile::changeOwnAccount(const QString &name, const QString &currentPassword, const QString &newPassword,
                                const QString &identityCard)
{
    auto records = readAll();
    const QByteArray typed = passwordBytes(currentPassword);
    for (auto &r : records) {
        if (textBytes(r.name) == textBytes(name) && PasswordHash::matches(r.password, typed)) {
            r.password = PasswordHash::make(passwordBytes(newPassword));
            r.identityCard = identityCard.left(32);
            writeAll(records);
            return true;
        }
    }
    return false;
}

bool UserFile::add(const QString &name, Grade grade, const QString &identityCard)
{
    auto records = exists() ? readAll() : std::vector<UserRecord>{};
    for (const auto &r : records)
        if (r.name == name)
            return false;
    records.push_back({name.left(32), {}, grade, identityCard.left(32)});
    writeAll(records);
    return true;
}

bool UserFile::modify(const QString &name, Grade grade, const QString &identityCard, bool clearPassword)
{
    auto records = readAll();
    for (auto &r : records) {
        if (r.name == name) {
            r.grade = grade;
            r.identityCard = identityCard.left(32);
            if (clearPassword)
                r.password.clear();
            writeAll(records);
            return true;
        }
    }
    return false;
}

bool UserFile::remove(const QString &name)
{
    auto records = readAll();
    for (size_t i = 1; i < records.size(); ++i) {
        if (records[i].name == name) {
            records[i] = records.back();
            records.pop_back();
            writeAll(records);
            return true;
        }
    }
    return false;
}

} // namespace valdora::admin
