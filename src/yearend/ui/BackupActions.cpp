#include "yearend/ui/BackupActions.h"

#include "app/core/RegistryStore.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "yearend/domain/BackupNames.h"
#include "yearend/store/Backup.h"
#include "yearend/ui/TForm21.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace valdora::yearend {
namespace {

// The progress window, finished before any message is shown over it.
class Progress {
public:
    Progress(const QString &description, int maximum) { ui::interaction().progressStart(description, maximum, false); }
    ~Progress() { finish(); }
    void restart(const QString &description, int maximum)
    {
        ui::interaction().progressStart(description, maximum, false);
        open_ = true;
    }
    void finish()
    {
        if (open_)
            ui::interaction().progressFinish();
        open_ = false;
    }

private:
    bool open_ = true;
};

// The run's connection, or one of our own when none is open.
class Connection {
public:
    explicit Connection(AppContext &ctx)
    {
        if (!ctx.db)
            own_ = std::make_unique<Database>(ctx.folders().database);
        db_ = ctx.db ? ctx.db.get() : own_.get();
    }
    Database &operator*() { return *db_; }

private:
    Database *db_ = nullptr;
    std::unique_ptr<Database> own_;
};

void setProgress(int done) { ui::interaction().progressSet(done); }

} // namespace

bool archiveDatabase(AppContext &ctx, const QString &archivePath, QString *why, bool byHand)
{
    Progress progress(QStringLiteral("Pregatesc datele..."), 100);
    try {
        Connection db(ctx);
        const Snapshot snapshot(*db, ctx.folders().database, ctx.folders().temp, ctx.clock->today());
        progress.restart(QStringLiteral("Salvez datele..."), int(snapshot.files().size()));
        archiveSnapshot(snapshot, archivePath, setProgress);
        return true;
    } catch (const BackupError &e) {
        progress.finish();
        if (e.reason() == BackupError::Reason::NoSnapshotFolder)
            ui::message(QStringLiteral("Salvare"),
                        (byHand ? QStringLiteral("\r") : QString()) + QStringLiteral("Nu pot scrie pe harddisk!!"), ui::Ok,
                        ui::Error);
        else if (why)
            *why = e.message();
        return false;
    } catch (const Error &e) {
        progress.finish();
        if (why)
            *why = e.message();
        return false;
    }
}

bool runAutomaticBackup(AppContext &ctx, const RemoteCopy &remote)
{
    const Folders &f = ctx.folders();
    if (QDir(f.database) != QDir(f.localData))
        return false;
    const QString folder = ctx.registry ? ctx.registry->read(QStringLiteral("CALESALVARI")).trimmed() : QString();
    if (folder.isEmpty())
        return false;
    auto failed = [](const QString &why) {
        ui::message(QStringLiteral("Salvare automata"),
                    QStringLiteral("\rEroare la salvare!") + (why.isEmpty() ? QString() : QStringLiteral("\r") + why),
                    ui::Ok, ui::Error);
        return false;
    };
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("Folderul %1 nu poate fi creat.").arg(QDir::toNativeSeparators(folder)));
    const QString name = automaticBackupName(ctx.clock->today(),
                                             [&](const QString &n) { return QFileInfo::exists(folder + u'/' + n); });
    const QString target = folder + u'/' + name;
    QString why;
    if (!archiveDatabase(ctx, target, &why))
        return failed(why);
    if (remote.send &&
        ui::message(QStringLiteral("Copie la Distanta"), QStringLiteral("\rDoriti sa transmiteti salvarea si pe Server?"),
                    ui::DaNu, ui::Confirmation) == ui::ResultDa)
        remote.send(target);
    return true;
}

bool restoreDatabase(AppContext &ctx, const QString &archivePath)
{
    const QString failedTitle = QStringLiteral("Restaurare date");
    const QString failedText = QStringLiteral("Restaurare esuata!");
    const QString databaseFolder = ctx.folders().database;
    Progress progress(QStringLiteral("Desfac baza de date..."), std::max(1, archiveCount(archivePath)));
    std::unique_ptr<RestoreStage> stage;
    try {
        stage = std::make_unique<RestoreStage>(archivePath, ctx.folders().temp, setProgress);
    } catch (const RestoreError &e) {
        progress.finish();
        switch (e.reason()) {
        case RestoreError::Reason::NoFolder:
            ui::message(QStringLiteral("Incarcare date"), QStringLiteral("\rNu pot scrie pe harddisk!"), ui::Ok, ui::Error);
            break;
        case RestoreError::Reason::Tables:
            ui::message(failedTitle, failedText + QStringLiteral("\r") + e.message(), ui::Ok, ui::Error);
            break;
        default:
            ui::message(failedTitle, failedText, ui::Ok, ui::Error);
            break;
        }
        return false;
    }

    // The database file is about to move: no connection may hold it.
    const bool reopen = ctx.db != nullptr;
    ctx.db.reset();
    auto openAgain = [&] {
        if (!reopen)
            return;
        try {
            ctx.db = std::make_unique<Database>(databaseFolder);
        } catch (const Error &) {
        }
    };
    const QString bak = dataBakFolder(ctx.folders().program);
    ReplaceResult r;
    try {
        r = replaceDatabaseFiles(*stage, databaseFolder, bak);
    } catch (const RestoreError &e) {
        openAgain();
        progress.finish();
        ui::message(failedTitle, failedText + QStringLiteral("\r") + e.message(), ui::Ok, ui::Error);
        return false;
    }
    openAgain();
    progress.finish();
    stage.reset();
    switch (r.outcome) {
    case ReplaceResult::Outcome::Replaced:
        ui::message(QStringLiteral("Informatie"),
                    QStringLiteral("Restaurare incheiata cu succes !\r\nVa rog sa porniti programul din nou !"), ui::Ok,
                    ui::Information);
        return true;
    case ReplaceResult::Outcome::RolledBack:
        ui::message(failedTitle,
                    failedText + QStringLiteral("\r") + r.detail + QStringLiteral("\rDatele anterioare au fost puse la loc."),
                    ui::Ok, ui::Error);
        return false;
    case ReplaceResult::Outcome::LeftInBackup:
        ui::message(failedTitle,
                    failedText + QStringLiteral("\r") + r.detail + QStringLiteral("\rDatele anterioare au ramas in ") +
                        QDir::toNativeSeparators(bak) + QStringLiteral(" (") + r.notRestored.join(QStringLiteral(", ")) +
                        QStringLiteral(")."),
                    ui::Ok, ui::Error);
        return false;
    }
    return false;
}

bool showBackupWindow(AppContext &ctx, const RemoteCopy &remote)
{
    TForm21 w(ctx, remote);
    w.exec();
    return w.restored();
}

} // namespace valdora::yearend
