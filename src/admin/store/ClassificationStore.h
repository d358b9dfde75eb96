#pragma once
// The nomenclature of tax groups and their budget classification codes (CODCL).

#include <QString>
#include <vector>

namespace valdora {
class Database;
class SettingsFile;
}

namespace valdora::admin {

struct ClassificationCode {
    qint64 id = 0;
    QString group;        // GRUPA
    QString naturalCode;  // CODCLF
    QString legalCode;    // CODCLJ
    QString tip;          // "I" tax, "T" fee
};

std::vector<ClassificationCode> loadCodes(Database &db); // ORDER BY TIP, GRUPA
// The code of a group for a natural or legal person; empty when the group is unknown.
QString classificationCode(Database &db, const QString &group, bool naturalPerson);

// The refusal of "Memoreaza", in its order, or empty. Fields are space-cleaned first by the caller.
QString codeRefusal(Database &db, const ClassificationCode &c, qint64 editedId);
qint64 addCode(Database &db, SettingsFile &settings, const ClassificationCode &c); // TIP "T"
// Updates both codes and carries a changed code onto the group's receipt lines (one transaction).
void updateCodes(Database &db, const ClassificationCode &c);
// The twelve default groups may not be removed.
bool isProtectedGroup(qint64 id);
void deleteCode(Database &db, qint64 id);

} // namespace valdora::admin
