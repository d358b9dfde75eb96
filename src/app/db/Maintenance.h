#pragma once
// The daily maintenance and the start-up bookkeeping of a database.

#include <QString>
#include <QStringList>

namespace valdora {

class Database;
class SettingsFile;

// Physically drops deleted space (SQLite's VACUUM); needs no other writer.
void packDatabase(Database &db);

// Sets each re-seeded counter to the column's maximum + 1 (1 for an empty
// table), never below the number it already holds, so a number handed out
// is never handed out again.
void reseedCounters(Database &db, SettingsFile &settings);

// " * indiferent *", the distinct localities of the roles in order, then the
// localities of DefZone not already listed.
QStringList localityList(Database &db);
inline const char *anyLocality() { return " * indiferent *"; }

struct OrphanReport {
    int debtRows = 0;      // Datorii rows removed
    int balanceRows = 0;   // SoldCalc rows removed
    int receiptRows = 0;   // Chitante rows without a role, kept
};

// Removes debt and balance rows whose role no longer exists (by IDGOS).
// Receipts are never removed: the ones without a role are only counted.
OrphanReport removeOrphans(Database &db);

} // namespace valdora
