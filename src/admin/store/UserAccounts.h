#pragma once
// The users of the administration's grid: the accounts of s.mpg with their
// receipt series and next receipt number from the settings file.

#include "admin/store/UserFile.h"

#include <vector>

namespace valdora {
class SettingsFile;
}

namespace valdora::admin {

struct UserRow {
    QString name;
    Grade grade = Grade::Cashier;
    QString identityCard;
    QString series;     // settings section = name, key SERIA
    QString nextNumber; // key CHIT, "1" when missing
};

// Every account except `except` (the logged-in user's own).
std::vector<UserRow> userRows(const UserFile &users, const SettingsFile &settings, const QString &except);
// "Lipseste numele!" / "Acest nume mai exista!" (when adding), or empty.
QString userRefusal(const UserFile &users, const QString &name, bool adding);
// The receipt number typed: whole, at most 10 digits; false otherwise.
bool isValidReceiptNumber(const QString &text);

void addUser(UserFile &users, SettingsFile &settings, const UserRow &row);
void modifyUser(UserFile &users, SettingsFile &settings, const UserRow &row, bool clearPassword);
bool removeUser(UserFile &users, const QString &name);

} // namespace valdora::admin
