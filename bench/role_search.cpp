// The role register's name search on a register of 20,000 roles: fills a
// database in a temporary folder, opens the register window (offscreen) and
// times each keystroke of a name typed into "Nume/Denumire", from the change
// of the field to the painted grid.
//
//   bench_role_search [roles]

#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/SchemaSetup.h"
#include "app/db/Transaction.h"
#include "app/startup/AppContext.h"
#include "register/ui/TGospodarii.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace valdora;

namespace {

const char *const surnames[] = {"POPESCU", "POPA", "POP", "IONESCU", "IONITA", "CONSTANTIN", "STAN", "STANCU", "DUMITRU",
                                "DINU", "GHEORGHE", "MARIN", "TUDOR", "MOLDOVAN", "MUNTEANU", "MATEI", "LUPU",
                                "RADU", "BARBU", "NISTOR", "FLOREA", "OPREA", "ENACHE", "SERBAN", "CRISTEA",
                                "DOBRE", "ANGHEL", "VOICU", "NEAGU", "ROMAN", "BADEA", "COMAN", "ILIE", "SANDU"};
const char *const firstNames[] = {"ION", "IOAN", "MARIA", "ELENA", "GHEORGHE", "VASILE", "CONSTANTIN", "ANA", "MIHAI",
                                  "ANDREI", "NICOLAE", "IOANA", "DANIEL", "ALEXANDRU", "GABRIEL", "ADRIAN"};
const char *const localities[] = {"VALEA MARE", "DEALU MIC", "SATU NOU", "LUNCA", "PODENI", "POIANA", "BRAZI",
                                  "CRANGU", "RUNCU", "SLATINA", "ZAVOI", "GURA VAII"};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[size_t(std::min<double>(double(v.size() - 1), p * double(v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int roles = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;

    QTemporaryDir dir;
    AppContext ctx;
    ctx.startup.folders.database = dir.path();
    ctx.db = std::make_unique<Database>(dir.path());
    SettingsFile settings(dir.path() + QStringLiteral("/Valdora.set"));
    createMissingTables(*ctx.db, settings, {});

    QElapsedTimer t;
    t.start();
    {
        QRandomGenerator rnd(2026);
        Transaction tr(*ctx.db);
        for (int i = 1; i <= roles; ++i) {
            const QString name = QString::fromLatin1(surnames[rnd.bounded(int(std::size(surnames)))]) + u' ' +
                                 QString::fromLatin1(firstNames[rnd.bounded(int(std::size(firstNames)))]);
            insertRow(*ctx.db, QStringLiteral("Gospodar"),
                      {{"IDGOS", i},
                       {"SATUL", QString::fromLatin1(localities[rnd.bounded(int(std::size(localities)))])},
                       {"ROL", QString::number(i)},
                       {"NUMEP", name},
                       {"STRADA", QStringLiteral("PRINCIPALA")},
                       {"ADRESA", QStringLiteral("nr. %1").arg(rnd.bounded(1, 400))},
                       {"NRPERS", 1 + rnd.bounded(6)},
                       {"TIP", QStringLiteral("FIZICA")},
                       {"NOTAX", QStringLiteral("NU")}});
        }
        tr.commit();
    }
    std::printf("filled %d roles in %lld ms\n", roles, static_cast<long long>(t.elapsed()));
    ctx.startup.localities << QStringLiteral(" * indiferent *");
    for (const char *l : localities)
        ctx.startup.localities << QString::fromLatin1(l);

    roles::TGospodarii w(ctx);
    t.restart();
    w.prepare();
    w.show();
    QApplication::processEvents();
    std::printf("register opened (roles read, ordered, shown) in %lld ms\n", static_cast<long long>(t.elapsed()));

    const QString typed = QStringLiteral("POPESCU ION");
    std::vector<double> keystrokes, all;
    auto type = [&](const QString &text) {
        QElapsedTimer k;
        k.start();
        w.SearchNume->setText(text);
        QApplication::processEvents();
        keystrokes.push_back(double(k.nsecsElapsed()) / 1e6);
        all.push_back(keystrokes.back());
    };
    for (int round = 0; round < 5; ++round) {
        for (int n = 1; n <= typed.size(); ++n)
            type(typed.left(n));
        for (int n = typed.size() - 1; n >= 0; --n)
            type(typed.left(n)); // erasing, back to the whole register
    }
    std::printf("name search keystroke over %zu keystrokes: median %.2f ms, 95%% %.2f ms, max %.2f ms\n",
                keystrokes.size(), percentile(keystrokes, 0.5), percentile(keystrokes, 0.95),
                *std::max_element(keystrokes.begin(), keystrokes.end()));

    // The same with the list ordered by name and narrowed to one locality.
    w.sortByColumn(2);
    w.SearchLocalitate->setCurrentIndex(1);
    keystrokes.clear();
    for (int n = 1; n <= typed.size(); ++n)
        type(typed.left(n));
    for (int n = typed.size() - 1; n >= 0; --n)
        type(typed.left(n));
    std::printf("ordered by name, one locality: median %.2f ms, max %.2f ms (%d roles shown at the end)\n",
                percentile(keystrokes, 0.5), *std::max_element(keystrokes.begin(), keystrokes.end()), w.shownRoles());
    const double worst = *std::max_element(all.begin(), all.end());
    std::printf("%s\n", worst < 50 ? "under 50 ms" : "OVER 50 ms");
    return 0;
}
