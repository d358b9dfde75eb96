#include "admin/store/UserAccounts.h"

#include "app/core/Error.h"
#include "app/core/IniFile.h"
#include "app/core/SettingsFile.h"

#include <QRegularExpression>

namespace valdora::admin {

std::vector<UserRow> userRows(const UserFile &users, const SettingsFile &settings, const QString &except)
{
    std::vector<UserRow> out;
    if (!users.exists())
        return out;
    const IniFile ini = settings.snapshot();
    for (const auto &r : users.readAll()) {
        if (r.name == except)
            continue;
        QString next = ini.value(r.name, QStringLiteral("CHIT"));
        if (next.trimmed().isEmpty())
            next = QStringLiteral("1");
        out.push_back({r.name, r.grade, r.identityCard, ini.value(r.name, QStringLiteral("SERIA")), next});
    }
    return out;
}

QString userRefusal(const UserFile &users, const QString &name, bool adding)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Lipseste numele!");
    if (adding && users.exists())
        for (const auto &r : users.readAll())
            if (r.name == name)
                return QStringLiteral("Acest nume mai exista!");
    return {};
}

bool isValidReceiptNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,10}$"));
    return digits.match(text.trimmed()).hasMatch();
}

namespace {
void writeSeries(SettingsFile &settings, const UserRow &row)
{
    settings.update([&](IniFile &ini) {
        ini.setValue(row.name, QStringLiteral("SERIA"), row.series);
        ini.setValue(row.name, QStringLiteral("CHIT"), row.nextNumber.trimmed().isEmpty() ? QStringLiteral("1") : row.nextNumber.trimmed());
    });
}
} // namespace

void addUser(UserFile &users, SettingsFile &settings, const UserRow &row)
{
    if (!users.add(row.name, row.grade, row.identityCard))
        throw Error(QStringLiteral("Acest nume mai exista!"));
    writeSeries(settings, row);
}

void modifyUser(UserFile &users, SettingsFile &settings, const UserRow &row, bool clearPassword)
{
    if (!users.modify(row.name, row.grade, row.identityCard, clearPassword))
        throw Error(QStringLiteral("Utilizatorul %1 nu mai exista.").arg(row.name));
    writeSeries(settings, row);
}

bool removeUser(UserFile &users, const QString &name) { return users.remove(name); }

} // namespace valdora::admin
