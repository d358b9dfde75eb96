#include "app/db/ActionLog.h"

#include "app/core/Dates.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Schema.h"

#include <QSqlQuery>

namespace valdora {
namespace {
// The log keeps what fits its columns; an overlong note must not stop the
// operation it records.
QString fit(const QString &text, const char *column)
{
    const Column *c = schema::require(QStringLiteral("Log")).column(QString::fromLatin1(column));
    return text.left(c->width);
}
} // namespace

void ActionLog::writeTo(Database &db, const LogEntry &e)
{
    if (!db.hasTable(QStringLiteral("Log")))
        db.exec(schema::createStatement(schema::require(QStringLiteral("Log"))));
    insertRow(db, QStringLiteral("Log"),
              {{"DATAA", e.at.date()},
               {"ORA", formatTime(e.at.time())},
               {"UTILIZATOR", fit(e.user, "UTILIZATOR")},
               {"ROL", fit(e.rol, "ROL")},
               {"ACTIUNE", fit(e.action, "ACTIUNE")}});
}

QString ActionLog::localLogPath() const { return programFolder_ + QStringLiteral("/Log.db"); }

void ActionLog::writeLocal(const LogEntry &e) const
{
    Database local(Database::AtFile{}, localLogPath());
    writeTo(local, e);
}

std::vector<LogEntry> ActionLog::readAll(Database &db)
{
    std::vector<LogEntry> out;
    if (!db.hasTable(QStringLiteral("Log")))
        return out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT DATAA, ORA, UTILIZATOR, ROL, ACTIUNE FROM Log ORDER BY rowid"));
    while (q.next()) {
        const QTime t = QTime::fromString(q.value(1).toString(), QStringLiteral("HH:mm:ss"));
        out.push_back({QDateTime(readDate(q.value(0)), t), q.value(2).toString(), q.value(3).toString(), q.value(4).toString()});
    }
    return out;
}

void ActionLog::write(Database &db, const LogEntry &e) const
{
    writeTo(db, e);
    writeLocal(e);
}

} // namespace valdora
