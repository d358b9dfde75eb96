// The program's entry: one running copy, the initialisation window, then the
// main window; when that closes the temporary folders go and the program ends.

#include "admin/ui/TForm3.h"
#include "admin/ui/TForm4.h"
#include "admin/ui/TFVerificari.h"
#include "app/core/Edition.h"
#include "app/core/Folders.h"
#include "app/core/RegistryStore.h"
#include "app/core/TempNames.h"
#include "app/docs/TemplateCatalogue.h"
#include "reports/xlsx/XlsxTemplates.h"
#include "app/docs/TemplateHandlers.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/TForm1.h"
#include "register/ui/RoleRegister.h"
#include "yearend/ui/BackupActions.h"

#include <QApplication>
#include <QPointer>

using namespace valdora;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(edition::Title));
    QApplication::setOrganizationName(QStringLiteral("Orlenix"));

    ui::SingleInstance single(QStringLiteral("valdora-2026-") + qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME")));
    if (!single.claim())
        return 0;

    runFolders() = Folders::under(Folders::programFolderOf(QCoreApplication::applicationDirPath()));
    RegistryStore registry(edition::ProductNumber);
    AppContext &ctx = appContext();
    ctx.registry = &registry;

    QPointer<QWidget> front;
    single.onActivate([&front] {
        if (!front)
            return;
        if (front->isMinimized())
            front->showNormal();
        front->raise();
        front->activateWindow();
    });

    ui::TForm1 *init = nullptr;
    auto startup = [&]() {
        return runStartup({runFolders(), true, registry, appClock(),
                           [](const QString &title, const QString &text) { ui::message(title, text, ui::Ok, ui::Error); },
                           [&](const QString &status, int pos) { init->setProgress(status, pos); },
                           [](const QString &folder) {
                               docs::WriteTemplates(folder);
                               xlsx::writeEditableTemplates(folder);
                           }});
    };
    auto handOver = [&](StartupState &state) {
        ctx.startup = state;
        ctx.db = std::make_unique<Database>(state.folders.database);
        admin::MainActions actions;
        QPointer<admin::TForm3> mainWindow;
        actions.administration = [&] {
            admin::TForm4 w(ctx, [&] {
                if (mainWindow)
                    mainWindow->closeWithoutQuestions();
            }, mainWindow);
            w.openAdministration();
        };
        actions.backupRestore = [&] {
            // A restore replaced the database: the program must start again, without the closing questions.
            if (yearend::showBackupWindow(ctx) && mainWindow)
                mainWindow->closeWithoutQuestions();
        };
        actions.automaticBackup = [&] { yearend::runAutomaticBackup(ctx); };
        actions.roles = [&] { roles::openRoleRegister(ctx, mainWindow); };
        actions.checks = [&] {
            admin::TFVerificari w(*ctx.db, mainWindow);
            w.exec();
        };
        const docs::DocsPlace place{state.folders.database, state.folders.temp};
        const docs::DocumentSeam seam{ui::message, [](const QString &p) { return ui::interaction().openDocument(p); }};
        for (auto &e : docs::templateMenuEntries(place, seam))
            actions.templates.push_back({e.path, e.name, e.caption, e.action});
        for (auto &e : docs::lawMenuEntries(place, seam))
            actions.lists.emplace_back(e.caption, e.action);
        admin::TForm3 main(ctx, actions);
        mainWindow = &main;
        front = &main;
        main.showMain();
        front = nullptr;
        ctx.db.reset();
        removeFolder(state.folders.temp);
        removeFolder(state.folders.tmpSql);
        state = ctx.startup;
    };
    ui::TForm1 form(startup, handOver);
    init = &form;
    front = &form;
    QObject::connect(&form, &ui::TForm1::finished, &app, [&](int code) { QCoreApplication::exit(code); });
    form.show();
    return app.exec();
}
