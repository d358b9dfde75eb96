#include "app/docs/DocumentFiles.h"
#include "app/docs/Resources.h"
#include "app/docs/TemplateCatalogue.h"
#include "app/docs/TemplateHandlers.h"
#include "app/ui/Interaction.h"
#include "support/ScriptedInteraction.h"
#include "support/TempDir.h"
#include "DocsTestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace valdora;
using namespace valdora::docs;
using valdora::test::ScriptedInteraction;
using valdora::test::TempDir;
using valdora::test::readFile;
using valdora::test::writeFile;

static_assert(seam::ButtonsDaNu == ui::DaNu && seam::ButtonOk == ui::Ok);
static_assert(seam::KindError == ui::Error && seam::KindInformation == ui::Information &&
              seam::KindConfirmation == ui::Confirmation && seam::ResultDa == ui::ResultDa);

namespace {

// The seam as the main window wires it.
DocumentSeam windowSeam()
{
    return {[](const QString &t, const QString &x, int b, int k) { return ui::message(t, x, b, k); },
            [](const QString &p) { return ui::interaction().openDocument(p); }};
}

struct Office {
    TempDir dir;
    DocsPlace place{dir.file("Data"), dir.file("Temp")};
    Office()
    {
        QDir().mkpath(place.database);
        WriteTemplates(place.database);
    }
    QString file(const QString &name) const { return place.database + "/" + name; }
};

const QString Title = "Refacere model initial";

} // namespace

TEST(RefaModel, RestoresTheInitialTemplateAfterConfirmation)
{
    Office o;
    writeFile(o.file("Sistare.rtf"), "{\\rtf1 edited}");
    ScriptedInteraction ui;
    ui.answer(ui::ResultDa, Title).answer(ui::ResultOk, Title);
    EXPECT_EQ(RefaModel(o.place, "Sistare.rtf", windowSeam()), RestoreOutcome::Restored);
    EXPECT_EQ(readFile(o.file("Sistare.rtf")), *resourceBytes("SISTARE"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "\rDoriti sa punem inapoi modelul initial?");
    EXPECT_EQ(ui.messages[0].buttons, int(ui::DaNu));
    EXPECT_EQ(ui.messages[0].kind, int(ui::Confirmation));
    EXPECT_EQ(ui.messages[1].text, "\rModelul a fost reinitializat!");
    EXPECT_EQ(ui.messages[1].buttons, int(ui::Ok));
    EXPECT_EQ(ui.messages[1].kind, int(ui::Information));
}

TEST(RefaModel, AnythingButDaChangesNothing)
{
    for (int answer : {int(ui::ResultNu), int(ui::ResultRenunt)}) {
        Office o;
        writeFile(o.file("Aviz.rtf"), "{\\rtf1 edited}");
        ScriptedInteraction ui;
        ui.answer(answer, Title);
        EXPECT_EQ(RefaModel(o.place, "Aviz.rtf", windowSeam()), RestoreOutcome::Declined);
        EXPECT_EQ(readFile(o.file("Aviz.rtf")), "{\\rtf1 edited}");
        EXPECT_EQ(ui.messages.size(), 1u);
    }
}

TEST(RefaModel, TemplateOpenInTheWordProcessorIsLeftUntouched)
{
    Office o;
    writeFile(o.file("Angajament.rtf"), "{\\rtf1 edited}");
    writeFile(officeLockFile(o.file("Angajament.rtf")), "lock");
    ScriptedInteraction ui;
    ui.answer(ui::ResultDa, Title).answer(ui::ResultOk, Title);
    EXPECT_EQ(RefaModel(o.place, "Angajament.rtf", windowSeam()), RestoreOutcome::InUse);
    EXPECT_EQ(readFile(o.file("Angajament.rtf")), "{\\rtf1 edited}");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "\rModelul este in utilizare!\rInchideti-l si reincercati!");
    EXPECT_EQ(ui.messages[1].kind, int(ui::Error));
    EXPECT_EQ(ui.messages[1].buttons, int(ui::Ok));
}

TEST(RefaModel, AMissingFileIsWrittenAgainNotReportedInUse)
{
    Office o;
    QFile::remove(o.file("PVAutoIn.rtf"));
    ScriptedInteraction ui;
    ui.answer(ui::ResultDa, Title).answer(ui::ResultOk, Title);
    EXPECT_EQ(RefaModel(o.place, "PVAutoIn.rtf", windowSeam()), RestoreOutcome::Restored);
    EXPECT_EQ(readFile(o.file("PVAutoIn.rtf")), *resourceBytes("PVAUTOIN"));
    EXPECT_EQ(ui.messages[1].text, "\rModelul a fost reinitializat!");
}

TEST(ModelEdit, OpensTheTemplateOfTheDatabaseFolder)
{
    Office o;
    ScriptedInteraction ui;
    EXPECT_TRUE(ModelEdit(o.place, "Titlu.rtf", windowSeam()));
    EXPECT_EQ(ui.opened, QStringList{o.file("Titlu.rtf")});
    EXPECT_FALSE(ModelEdit(o.place, "NotaPlata.xls", windowSeam()));
    EXPECT_EQ(ui.opened.size(), 1);
}

TEST(LegeShow, WritesTheLawTextAfreshAndOpensIt)
{
    Office o;
    ScriptedInteraction ui;
    const QString first = LegeShow(o.place, "COD2016", windowSeam());
    EXPECT_EQ(first, o.place.temp + "/Lege0.pdf");
    EXPECT_EQ(readFile(first), *resourceBytes("COD2016"));
    writeFile(first, "damaged");
    const QString second = LegeShow(o.place, "L239", windowSeam());
    EXPECT_EQ(readFile(second), *resourceBytes("L239"));
    EXPECT_EQ(ui.opened, (QStringList{first, second}));
}

TEST(LegeShow, PrefersTheOfficialPdfOfTheOffice)
{
    Office o;
    const QString official = writeFile(o.file("cod2016.PDF"), "%PDF official");
    ScriptedInteraction ui;
    EXPECT_EQ(LegeShow(o.place, "COD2016", windowSeam()), official);
    EXPECT_EQ(ui.opened, QStringList{official});
}

TEST(TemplateMenu, EntriesFollowTheMenuTable)
{
    Office o;
    const auto entries = templateMenuEntries(o.place, windowSeam());
    std::map<QString, const MenuEntry *> byName;
    for (const MenuEntry &e : entries)
        byName[e.name] = &e;
    EXPECT_EQ(entries.size(), 34u);
    EXPECT_EQ(byName.size(), entries.size());

    struct Row {
        const char *name;
        QStringList path;
        const char *caption;
        bool enabled;
    } rows[] = {
        {"DeclImpPFEdit", {"Model Declaratie de impunere", "Persoane fizice"}, "Editare model", true},
        {"DeclImpPFIni", {"Model Declaratie de impunere", "Persoane fizice"}, "Refa modelul initial", true},
        {"Mdl1", {"Model Nota de plata"}, "Editare model", false},
        {"RMInst", {"Model Nota de plata"}, "Refa modelul initial", false},
        {"MdlSomTit", {"Modele Executare silita"}, "Somatie - Titlu executoriu", true},
        {"MdlPopBanca", {"Modele Executare silita"}, "Poprire Banca", true},
        {"RefaSistare", {"Modele Executare silita", "Sistare urmarire"}, "Refa modelul initial", true},
        {"RModCFPJ", {"Model Certificat Fiscal", "Persoane juridice"}, "Refa modelul initial", true},
        {"Mdl7", {}, "Model Confirmarea de primire a debitelor", true},
        {"ListPlatB", {}, "Model Lista plati - Registrul de casa", false},
        {"Formular1Ini", {"Modele alte formulare", "Instiintare de plata"}, "Refa modelul initial", false},
        {"EditAviz", {"Modele alte formulare", "Aviz Control fiscal"}, "Editare model", true},
        {"RefaITL016", {"Detalii Auto", "Declaratie scoatere din evidenta Auto"}, "Refa modelul initial", true},
    };
    for (const Row &r : rows) {
        ASSERT_TRUE(byName.count(r.name)) << r.name;
        const MenuEntry &e = *byName[r.name];
        EXPECT_EQ(e.path, r.path) << r.name;
        EXPECT_EQ(e.caption, r.caption) << r.name;
        EXPECT_EQ(bool(e.action), r.enabled) << r.name;
    }

    ScriptedInteraction ui;
    byName["ModCFPF"]->action();
    EXPECT_EQ(ui.opened, QStringList{o.file("CFiscal4.rtf")});
    ui.answer(ui::ResultNu, Title);
    byName["RefaAngaj"]->action();
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(TemplateMenu, LawEntries)
{
    Office o;
    const auto entries = lawMenuEntries(o.place, windowSeam());
    ASSERT_EQ(entries.size(), 3u);
    const std::pair<const char *, const char *> expected[] = {
        {"Lege1", "Legea 277 / 2015"}, {"Lege2", "Adresa M.F.2021 - Reevaluare cladiri PJ"}, {"Lege3", "Legea 239 / 2025"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].name, expected[i].first);
        EXPECT_EQ(entries[i].caption, expected[i].second);
        EXPECT_TRUE(entries[i].path.isEmpty());
    }
    ScriptedInteraction ui;
    entries[1].action();
    ASSERT_EQ(ui.opened.size(), 1);
    EXPECT_EQ(readFile(ui.opened[0]), *resourceBytes("ANAF"));
}
