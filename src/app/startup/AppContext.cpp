#include "app/startup/AppContext.h"

#include "app/db/Transaction.h"

#include "app/core/Edition.h"

namespace valdora {

SettingsFile AppContext::settings() const
{
    return SettingsFile(folders().database + u'/' + QString::fromLatin1(edition::SettingsFileName));
}

QString AppContext::userFilePath() const { return folders().database + QStringLiteral("/s.mpg"); }

void AppContext::logAction(const QString &rol, const QString &text) { actionLog().write(*db, actionEntry(rol, text)); }

LogEntry AppContext::actionEntry(const QString &rol, const QString &text) const
{
    return {clock->now(), user.name, rol, text};
}

void AppContext::logChange(const QString &rol, const std::function<QString()> &change)
{
    LogEntry entry;
    {
        Transaction t(*db);
        entry = actionEntry(rol, change());
        ActionLog::writeTo(*db, entry);
        t.commit();
    }
    try {
        actionLog().writeLocal(entry);
    } catch (const Error &) {
        // The shared log holds the entry; a workstation log that cannot be written does not undo the change.
    }
}

AppContext &appContext()
{
    static AppContext c;
    return c;
}

} // namespace valdora
