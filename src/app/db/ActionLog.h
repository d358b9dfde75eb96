#pragma once
// The action log: every change that matters, kept twice, in the database
// (all workstations) and in the program folder (this workstation only).
// Texts are bound, so quotes and any other character are stored as typed.

#include <QDateTime>
#include <QString>
#include <vector>

namespace valdora {

class Database;

struct LogEntry {
    QDateTime at;
    QString user;   // the name typed at login
    QString rol;    // role number, may be empty
    QString action;
};

class ActionLog {
public:
    // programFolder holds the local copy (Log.db).
    explicit ActionLog(QString programFolder) : programFolder_(std::move(programFolder)) {}

    // Writes to the database's Log (inside the caller's transaction when there
    // is one) and then to the local copy.
    void write(Database &db, const LogEntry &e) const;
    // The two halves, for a caller that writes the database half inside its
    // transaction and the local half once that has committed.
    static void writeTo(Database &db, const LogEntry &e);
    void writeLocal(const LogEntry &e) const;

    QString localLogPath() const;

    // Every entry of a log, oldest first; empty when the log does not exist yet.
    static std::vector<LogEntry> readAll(Database &db);

private:
    QString programFolder_;
};

} // namespace valdora
