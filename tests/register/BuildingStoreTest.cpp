// The buildings in the database and the rules of the building dialog: the
// constants read from the administration, the checks and the stored values of
// each page, and the purchase list, from which a bought building is gone.

#include "admin/domain/AdminControls.h"
#include "app/db/DbFixture.h"
#include "app/db/Rows.h"
#include "register/store/BuildingConstants.h"
#include "register/store/BuildingEntry.h"
#include "register/store/BuildingList.h"
#include "register/store/BuildingStore.h"
#include "register/store/RoleStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace valdora;
using namespace valdora::roles;
using namespace valdora::test;

namespace valdora {
// Readable amounts in failure messages; internal to this file.
[[maybe_unused]] static void PrintTo(const Currency &value, std::ostream *os) { *os << value.toString().toStdString(); }
} // namespace valdora

namespace {

constexpr int Y = 2026;
const QDate today(2026, 3, 2);
const QDate firstDay(2026, 1, 1);

Currency c(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }
QDate d(int day, int month, int year) { return QDate(year, month, day); }

struct StoreFixture : ProgramFixture {
    std::unique_ptr<Database> database;
    StoreFixture()
    {
        start();
        database = db();
    }
    Database &db_() { return *database; }
    qint64 role(const QString &rol, const QString &name, const QString &tip = QStringLiteral("FIZICA"))
    {
        RoleRecord r;
        r.SATUL = QStringLiteral("LUNCA");
        r.ROL = rol;
        r.NUMEP = name;
        r.TIP = tip;
        SettingsFile s = settings();
        return addRole(db_(), s, r);
    }
    qint64 building(qint64 IDGOS, const std::function<void(BuildingRecord &)> &tweak = {})
    {
        BuildingRecord b;
        b.IDGOS = IDGOS;
        b.SUPRAFD = c("100");
        b.ANUL = 1990;
        b.RANG = 4;
        b.CUUTIL = QStringLiteral("DA");
        b.DATADOB = d(1, 5, 2025);
        b.DATAIN = d(10, 5, 2025);
        b.ADRESA = QStringLiteral("Str. Morii 7");
        if (tweak)
            tweak(b);
        SettingsFile s = settings();
        return addBuilding(db_(), s, b);
    }
    void sell(qint64 IDCLAD, QDate sale = d(20, 2, 2026), QDate exit = d(2, 3, 2026))
    {
        sellBuilding(db_(), IDCLAD, sale, exit, QStringLiteral("contract %1").arg(IDCLAD));
    }
    qint64 buy(qint64 IDCLAD, qint64 buyer)
    {
        SettingsFile s = settings();
        return buyBuilding(db_(), s, IDCLAD, buyer, firstDay);
    }
    std::vector<qint64> offered(qint64 buyer)
    {
        std::vector<qint64> out;
        for (const PurchaseOffer &o : purchaseOffers(db_(), buyer, firstDay))
            out.push_back(o.building.IDCLAD);
        return out;
    }
};

} // namespace

TEST(BuildingConstants, AreReadFromTheAdministrationValues)
{
    admin::AdminValues v;
    v.setText("CotaCRPF", "0,15");
    v.setText("CotaCNPF", "0.5");
    v.setText("CotaCRPJ", "0.2");
    v.setText("CotaCNPJ", "1.3");
    v.setText("MajHCL", "25");
    v.setText("RataInfE", "5.6");
    v.setText("EvalPJAni", "3.7");
    v.setChecked("RataInfPFN", true);
    v.setChecked("RataInfPJ", true);
    const BuildingTaxConstants k = buildingTaxConstants(v, Y);
    EXPECT_EQ(k.CotaCRPF, c("0.15"));
    EXPECT_EQ(k.CotaCNPF, c("0.5"));
    EXPECT_EQ(k.CotaCRPJ, c("0.2"));
    EXPECT_EQ(k.CotaCNPJ, c("1.3"));
    EXPECT_EQ(k.MajHCL, c("25"));
    EXPECT_EQ(k.RataInfE, c("5.6"));
    EXPECT_EQ(k.EvalPJAni, 3);
    EXPECT_FALSE(k.RataInfPFR);
    EXPECT_TRUE(k.RataInfPFN);
    EXPECT_TRUE(k.RataInfPJ);
    // Inf0 is the fiscal year: 2026 5.6 ... 2019 1.3.
    EXPECT_EQ(k.inflation.Inf, defaultInflationHistory().Inf);
    EXPECT_EQ(k.inflation.Inf[0], c("5.6"));
    EXPECT_EQ(k.inflation.Inf[7], c("1.3"));
    // A year later the history moves one place and its newest year is unknown.
    const BuildingTaxConstants later = buildingTaxConstants(v, 2027);
    EXPECT_EQ(later.inflation.Inf[0], Currency());
    EXPECT_EQ(later.inflation.Inf[1], c("5.6"));
    EXPECT_EQ(later.inflation.Inf[7], c("4.6")); // 2020

    EXPECT_EQ(defaultZone(v), "A");
    EXPECT_EQ(defaultRank(v), 4); // "IV"
    v.setText("ComboBox2", "c");
    v.setText("ComboBox3", "III");
    EXPECT_EQ(defaultZone(v), "C");
    EXPECT_EQ(defaultRank(v), 3);
    v.setText("ComboBox2", "");
    v.setText("ComboBox3", "VII");
    EXPECT_EQ(defaultZone(v), "A");
    EXPECT_EQ(defaultRank(v), 0);
}

namespace {

BuildingForm validForm(BuildingClass classification)
{
    BuildingForm f = newBuildingForm(today, Y, "A", 4);
    f.classification = classification;
    f.area = c("80");
    f.year = 1985;
    f.evaluationDate = d(1, 6, 2024);
    f.value = c("150000");
    f.entryDate = d(10, 5, 2025);
    f.acquisitionDate = d(1, 5, 2025);
    return f;
}

struct ProblemCase {
    const char *name;
    OwnerType owner;
    BuildingClass classification;
    std::function<void(BuildingForm &)> change;
    std::optional<EntryField> field; // nullopt: accepted
    const char *text;
};

} // namespace

TEST(BuildingEntry, ChecksInTheirOrderFirstFailureWins)
{
    using BC = BuildingClass;
    using EF = EntryField;
    const auto N = OwnerType::Natural;
    const auto L = OwnerType::Legal;
    const ProblemCase cases[] = {
        {"valid natural residential", N, BC::Residential, [](BuildingForm &) {}, std::nullopt, ""},
        {"area below 1", N, BC::Residential, [](BuildingForm &f) { f.area = c("0.99"); }, EF::Area, "Suprafata incorecta!"},
        {"area wins over the year", N, BC::Residential, [](BuildingForm &f) { f.area = {}; f.year = 0; }, EF::Area,
         "Suprafata incorecta!"},
        {"year after the fiscal year", N, BC::Residential, [](BuildingForm &f) { f.year = 2027; }, EF::Year,
         "Anul este incorect!"},
        {"year before 1200", N, BC::Residential, [](BuildingForm &f) { f.year = 1199; }, EF::Year, "Anul este incorect!"},
        {"year 1200 and the fiscal year are accepted", N, BC::Residential, [](BuildingForm &f) { f.year = 1200; },
         std::nullopt, ""},
        {"a residential page does not check the evaluation", N, BC::Residential,
         [](BuildingForm &f) { f.evaluationDate = d(1, 1, 2030); f.value = {}; }, std::nullopt, ""},
        {"non-residential evaluation after today", N, BC::NonResidential,
         [](BuildingForm &f) { f.evaluationDate = d(3, 3, 2026); }, EF::EvaluationDate, "Data evaluarii este incorecta!"},
        {"non-residential evaluation before 2000", N, BC::NonResidential,
         [](BuildingForm &f) { f.evaluationDate = d(31, 12, 1999); }, EF::EvaluationDate,
         "Data evaluarii este incorecta!"},
        {"non-residential value below 1", N, BC::NonResidential, [](BuildingForm &f) { f.value = c("0.5"); }, EF::Value,
         "Valoare incorecta!"},
        {"not evaluated skips both", N, BC::NonResidential,
         [](BuildingForm &f) { f.notEvaluated = true; f.evaluationDate = d(1, 1, 1990); f.value = {}; }, std::nullopt, ""},
        {"non-residential still checks the area first", N, BC::NonResidential,
         [](BuildingForm &f) { f.area = {}; f.value = {}; }, EF::Area, "Suprafata incorecta!"},
        {"a mixed part is checked by its use", N, BC::Mixed,
         [](BuildingForm &f) { f.mixedPartResidential = false; f.value = {}; }, EF::Value, "Valoare incorecta!"},
        {"legal: the area is not asked", L, BC::Residential, [](BuildingForm &f) { f.area = {}; f.year = 0; },
         std::nullopt, ""},
        {"legal evaluation after today", L, BC::Residential, [](BuildingForm &f) { f.evaluationDate = d(3, 3, 2026); },
         EF::EvaluationDate, "Data evaluarii este incorecta!"},
        {"legal evaluation may be before 2000", L, BC::NonResidential,
         [](BuildingForm &f) { f.evaluationDate = d(1, 1, 1995); }, std::nullopt, ""},
        {"legal value below 1", L, BC::NonResidential, [](BuildingForm &f) { f.value = {}; }, EF::Value,
         "Valoare incorecta!"},
        {"entry after today", N, BC::Residential, [](BuildingForm &f) { f.entryDate = d(3, 3, 2026); }, EF::EntryDate,
         "Valoare incorecta!"},
        {"entry today", N, BC::Residential, [](BuildingForm &f) { f.entryDate = today; }, std::nullopt, ""},
        {"acquisition after the entry", N, BC::Residential, [](BuildingForm &f) { f.acquisitionDate = d(11, 5, 2025); },
         EF::AcquisitionDate, "Data incorecta!"},
        {"sale after today", N, BC::Residential, [](BuildingForm &f) { f.sold = true; f.saleDate = d(3, 3, 2026); },
         EF::SaleDate, "Data incorecta!"},
        {"exit before the sale", N, BC::Residential,
         [](BuildingForm &f) { f.sold = true; f.saleDate = d(20, 2, 2026); f.exitDate = d(19, 2, 2026); }, EF::ExitDate,
         "Data incorecta!"},
        {"exit before the fiscal year", N, BC::Residential,
         [](BuildingForm &f) { f.sold = true; f.saleDate = d(20, 12, 2025); f.exitDate = d(31, 12, 2025); },
         EF::ExitDate, "Data incorecta!"},
        {"a sale last year with an exit this year", N, BC::Residential,
         [](BuildingForm &f) { f.sold = true; f.saleDate = d(20, 12, 2025); f.exitDate = d(1, 1, 2026); }, std::nullopt,
         ""},
        {"unticked sale dates are not checked", N, BC::Residential,
         [](BuildingForm &f) { f.saleDate = d(1, 1, 2030); f.exitDate = d(1, 1, 2020); }, std::nullopt, ""},
    };
    for (const ProblemCase &k : cases) {
        SCOPED_TRACE(k.name);
        BuildingForm f = validForm(k.classification);
        k.change(f);
        const auto p = firstEntryProblem(f, k.owner, today, Y);
        ASSERT_EQ(p.has_value(), k.field.has_value());
        if (p) {
            EXPECT_EQ(p->field, *k.field);
            EXPECT_EQ(p->text, QString::fromLatin1(k.text));
        }
    }
}

TEST(BuildingEntry, EachPageStoresItsFixedValues)
{
    BuildingForm f = validForm(BuildingClass::Residential);
    f.inBlock = true;
    f.utilities = true;
    f.agricultural = true;
    f.material = 1;
    f.destination = 3;
    f.zone = "C";
    f.rank = 2;
    f.address = "  Str.   Morii  7 ";
    f.entryRemark = " act   12 ";
    f.exitRemark = "left over";

    // Natural person, residential: no evaluation, no agriculture.
    BuildingRecord b = storedBuilding(f, OwnerType::Natural, "B", 5);
    EXPECT_EQ(b.TIPC, "R");
    EXPECT_EQ(b.MIXTA, "");
    EXPECT_EQ(b.IDMANUAL, 0);
    EXPECT_EQ(b.ACTAGR, "NU");
    EXPECT_EQ(b.DATAEVAL, d(1, 1, 2000));
    EXPECT_EQ(b.VALOAREN, Currency());
    EXPECT_EQ(b.VALOAREJR, Currency());
    EXPECT_EQ(b.APT8, "DA");
    EXPECT_EQ(b.ZONA, "C");
    EXPECT_EQ(b.RANG, 2);
    EXPECT_EQ(b.SUPRAFD, c("80"));
    EXPECT_EQ(b.ANUL, 1985);
    EXPECT_EQ(b.CODMAT, 1);
    EXPECT_EQ(b.CUUTIL, "DA");
    EXPECT_EQ(b.DESTINATIE, 3);
    EXPECT_EQ(b.ADRESA, "Str. Morii 7");
    EXPECT_EQ(b.OBSIN, "act 12");
    // Without the sale box the sale is undone.
    EXPECT_EQ(b.DATAVANZ, d(1, 1, 1900));
    EXPECT_EQ(b.DATAOUT, d(1, 1, 1900));
    EXPECT_EQ(b.OBSOUT, "");

    // Natural person, non-residential: the evaluation and agriculture count.
    f.classification = BuildingClass::NonResidential;
    b = storedBuilding(f, OwnerType::Natural, "B", 5);
    EXPECT_EQ(b.TIPC, "N");
    EXPECT_EQ(b.ACTAGR, "DA");
    EXPECT_EQ(b.DATAEVAL, d(1, 6, 2024));
    EXPECT_EQ(b.VALOAREN, c("150000"));
    EXPECT_EQ(b.VALOAREJR, Currency());
    EXPECT_EQ(b.SUPRAFD, c("80"));
    f.notEvaluated = true;
    b = storedBuilding(f, OwnerType::Natural, "B", 5);
    EXPECT_EQ(b.DATAEVAL, d(1, 1, 2000));
    EXPECT_EQ(b.VALOAREN, Currency());
    f.notEvaluated = false;

    // Legal person, non-residential: the office's zone and rank, no area.
    b = storedBuilding(f, OwnerType::Legal, "B", 5);
    EXPECT_EQ(b.APT8, "NU");
    EXPECT_EQ(b.ZONA, "B");
    EXPECT_EQ(b.RANG, 5);
    EXPECT_EQ(b.SUPRAFD, Currency());
    EXPECT_EQ(b.ANUL, 1500);
    EXPECT_EQ(b.CODMAT, 0);
    EXPECT_EQ(b.CUUTIL, "NU");
    EXPECT_EQ(b.ACTAGR, "DA");
    EXPECT_EQ(b.VALOAREN, c("150000"));
    EXPECT_EQ(b.VALOAREJR, Currency());
    EXPECT_EQ(b.DESTINATIE, 3);

    // Legal person, residential: the value is VALOAREJR.
    f.classification = BuildingClass::Residential;
    f.sold = true;
    f.saleDate = d(20, 2, 2026);
    f.exitDate = d(2, 3, 2026);
    f.exitRemark = "  vandut   catre X ";
    b = storedBuilding(f, OwnerType::Legal, "B", 5);
    EXPECT_EQ(b.TIPC, "R");
    EXPECT_EQ(b.ACTAGR, "NU");
    EXPECT_EQ(b.VALOAREN, Currency());
    EXPECT_EQ(b.VALOAREJR, c("150000"));
    EXPECT_EQ(b.DATAEVAL, d(1, 6, 2024));
    EXPECT_EQ(b.ANUL, 1500);
    EXPECT_EQ(b.DATAVANZ, d(20, 2, 2026));
    EXPECT_EQ(b.DATAOUT, d(2, 3, 2026));
    EXPECT_EQ(b.OBSOUT, "vandut catre X");
    EXPECT_TRUE(keepsApt8(buildingPage(OwnerType::Legal, f)));
    EXPECT_FALSE(keepsApt8(buildingPage(OwnerType::Natural, f)));

    // A mixed part: "X", its own use, the chosen building.
    f.classification = BuildingClass::Mixed;
    f.mixedPartResidential = false;
    f.mixedId = 17;
    b = storedBuilding(f, OwnerType::Natural, "B", 5);
    EXPECT_EQ(b.MIXTA, "X");
    EXPECT_EQ(b.TIPC, "N");
    EXPECT_EQ(b.IDMANUAL, 17);
}

TEST(BuildingEntry, AStoredRowFillsTheDialogBackAndKeepsItsId)
{
    BuildingRecord stored;
    stored.IDCLAD = 40;
    stored.IDMANUAL = 12; // bought: it keeps the seller's ID
    stored.TIPC = "N";
    stored.SUPRAFD = c("55.5");
    stored.ANUL = 1975;
    stored.CODMAT = 1;
    stored.DESTINATIE = 2;
    stored.CUUTIL = "DA";
    stored.ZONA = "";
    stored.RANG = 3;
    stored.APT8 = "DA";
    stored.ACTAGR = "DA";
    stored.DATAEVAL = d(1, 1, 2000);
    stored.ADRESA = "Str. Noua 1";
    stored.DATADOB = d(20, 2, 2026);
    stored.DATAIN = d(2, 3, 2026);
    stored.OBSIN = "contract 3";
    BuildingForm f = formOf(stored, OwnerType::Natural, today);
    EXPECT_EQ(f.classification, BuildingClass::NonResidential);
    EXPECT_TRUE(f.notEvaluated); // 1 January 2000 and no value
    EXPECT_EQ(f.zone, "A");      // an empty zone counts as "A"
    EXPECT_FALSE(f.sold);
    EXPECT_EQ(f.saleDate, today);
    EXPECT_EQ(f.exitDate, today);
    BuildingRecord again = storedBuilding(f, OwnerType::Natural, "D", 0);
    EXPECT_EQ(again.SUPRAFD, stored.SUPRAFD);
    EXPECT_EQ(again.ANUL, 1975);
    EXPECT_EQ(again.CODMAT, 1);
    EXPECT_EQ(again.DESTINATIE, 2);
    EXPECT_EQ(again.RANG, 3);
    EXPECT_EQ(again.ZONA, "A");
    EXPECT_EQ(again.APT8, "DA");
    EXPECT_EQ(again.ACTAGR, "DA");
    EXPECT_EQ(again.DATAIN, stored.DATAIN);
    EXPECT_EQ(again.OBSIN, stored.OBSIN);
    EXPECT_EQ(editedManualId(f, stored), 12);

    // A legal person's residential row shows VALOAREJR as its value.
    BuildingRecord legal;
    legal.IDCLAD = 41;
    legal.IDMANUAL = 41;
    legal.VALOAREJR = c("2600000");
    legal.VALOAREN = c("5");
    legal.DATAEVAL = d(10, 5, 2022);
    legal.DATAVANZ = d(20, 2, 2026);
    legal.DATAOUT = d(1, 3, 2026);
    f = formOf(legal, OwnerType::Legal, today);
    EXPECT_EQ(f.value, c("2600000"));
    EXPECT_TRUE(f.sold);
    EXPECT_EQ(f.saleDate, d(20, 2, 2026));
    EXPECT_EQ(f.exitDate, d(1, 3, 2026));

    // IDMANUAL of an edit.
    BuildingRecord part = stored;
    part.MIXTA = "X";
    part.IDMANUAL = 30;
    BuildingForm m = formOf(part, OwnerType::Natural, today);
    EXPECT_EQ(m.classification, BuildingClass::Mixed);
    EXPECT_FALSE(m.mixedPartResidential);
    EXPECT_EQ(m.mixedId, 30);
    EXPECT_EQ(editedManualId(m, part), 30);
    m.mixedId = 0; // "nu exista in lista": a mixed building of its own
    EXPECT_EQ(editedManualId(m, part), 40);
    m.classification = BuildingClass::Residential; // no longer a part
    EXPECT_EQ(editedManualId(m, part), 40);
}

TEST(BuildingList, ComputedColumns)
{
    BuildingRecord b;
    b.IDCLAD = b.IDMANUAL = 3;
    b.SUPRAFD = c("100");
    b.ANUL = 1990;
    b.RANG = 4;
    b.CUUTIL = "DA";
    b.DATAIN = d(10, 5, 2025);
    BuildingListRow r = buildingListRow(b, OwnerType::Natural, {}, Y);
    EXPECT_EQ(r.TIPCS, "Rezidentiala");
    EXPECT_EQ(r.DESTINATIES, "Cladire");
    EXPECT_EQ(r.CODMATS, "beton...");
    EXPECT_EQ(r.ANULS, "1990");
    EXPECT_EQ(r.DATAEVALS, "-");
    EXPECT_EQ(r.DATAOUTS, "-");
    EXPECT_EQ(r.VALIMPOZ, c("294470"));
    EXPECT_EQ(r.IMPOZIT, c("294"));
    EXPECT_EQ(r.problem, "");

    // A legal person's row, the exit date of a sold one, an unknown zone.
    b.DATAOUT = d(2, 3, 2026);
    b.ZONA = "E";
    b.CODMAT = 1;
    r = buildingListRow(b, OwnerType::Legal, {}, Y);
    EXPECT_EQ(r.CODMATS, "-");
    EXPECT_EQ(r.ANULS, "-");
    EXPECT_EQ(r.DATAOUTS, "02.03.2026");
    r = buildingListRow(b, OwnerType::Natural, {}, Y);
    EXPECT_EQ(r.CODMATS, "lemn...");
    EXPECT_EQ(r.problem, "Zona cladirii este necunoscuta: E");
    EXPECT_EQ(r.IMPOZIT, Currency());
    // Day 100 of the old calendar is the first real exit date.
    EXPECT_EQ(exitDateText(d(9, 4, 1900)), "-");
    EXPECT_EQ(exitDateText(d(10, 4, 1900)), "10.04.1900");
    EXPECT_EQ(exitDateText(QDate()), "-");
}

TEST(BuildingStore, RowsRoundTripAndEditsKeepTheRole)
{
    StoreFixture f;
    const qint64 a = f.role("1", "POP ION");
    const qint64 first = f.building(a);
    const qint64 second = f.building(a, [](BuildingRecord &b) { b.MIXTA = "X"; b.IDMANUAL = 99; b.TIPC = "N"; });
    EXPECT_EQ(second, first + 1);
    const auto rows = loadBuildings(f.db_(), a);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].IDCLAD, first);
    EXPECT_EQ(rows[0].IDMANUAL, first); // its own ID
    EXPECT_EQ(rows[1].IDMANUAL, 99);
    EXPECT_EQ(rows[0].SUPRAFD, c("100"));
    EXPECT_EQ(rows[0].DATAIN, d(10, 5, 2025));
    EXPECT_EQ(rows[0].DATAVANZ, d(1, 1, 1900));
    EXPECT_EQ(rows[0].ADRESA, "Str. Morii 7");
    EXPECT_FALSE(rows[0].hasExitDate());

    BuildingRecord e = rows[0];
    e.IDGOS = 12345; // an edit never moves a building to another role
    e.APT8 = "DA";
    e.SUPRAFD = c("120.25");
    updateBuilding(f.db_(), e, true);
    auto back = loadBuilding(f.db_(), first);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->IDGOS, a);
    EXPECT_EQ(back->SUPRAFD, c("120.25"));
    EXPECT_EQ(back->APT8, "NU"); // kept
    updateBuilding(f.db_(), e, false);
    EXPECT_EQ(loadBuilding(f.db_(), first)->APT8, "DA");

    // A value that does not fit its column is refused and nothing changes.
    e.VALOAREN = c("123456789");
    EXPECT_THROW(updateBuilding(f.db_(), e, false), Error);
    EXPECT_EQ(loadBuilding(f.db_(), first)->VALOAREN, Currency());

    EXPECT_TRUE(deleteBuilding(f.db_(), first));
    EXPECT_FALSE(deleteBuilding(f.db_(), first));
    EXPECT_EQ(loadBuildings(f.db_(), a).size(), 1u);
}

TEST(BuildingStore, APurchaseCopiesTheSoldRowWithoutItsAddress)
{
    StoreFixture f;
    const qint64 a = f.role("1", "POP ION");
    const qint64 b = f.role("2", "DINU ANA");
    const qint64 sold = f.building(a, [](BuildingRecord &r) { r.APT8 = "DA"; r.TIPC = "N"; r.VALOAREN = c("1500.5"); });
    f.sell(sold);
    const qint64 bought = f.buy(sold, b);
    const auto copy = loadBuilding(f.db_(), bought);
    const auto seller = loadBuilding(f.db_(), sold);
    ASSERT_TRUE(copy && seller);
    EXPECT_EQ(copy->IDGOS, b);
    EXPECT_EQ(copy->IDMANUAL, seller->IDMANUAL);
    EXPECT_EQ(copy->DATADOB, d(20, 2, 2026));
    EXPECT_EQ(copy->DATAIN, d(2, 3, 2026));
    EXPECT_EQ(copy->OBSIN, QStringLiteral("contract %1").arg(sold));
    EXPECT_EQ(copy->DATAVANZ, d(1, 1, 1900));
    EXPECT_EQ(copy->DATAOUT, d(1, 1, 1900));
    EXPECT_EQ(copy->OBSOUT, "");
    EXPECT_EQ(copy->ADRESA, "");
    EXPECT_EQ(copy->APT8, "");
    EXPECT_EQ(copy->TIPC, "N");
    EXPECT_EQ(copy->VALOAREN, c("1500.5"));
    EXPECT_EQ(copy->SUPRAFD, c("100"));
    // The seller keeps the row, with its sale.
    EXPECT_EQ(seller->IDGOS, a);
    EXPECT_EQ(seller->DATAOUT, d(2, 3, 2026));
    EXPECT_EQ(seller->ADRESA, "Str. Morii 7");
}

TEST(BuildingStore, ABoughtBuildingLeavesThePurchaseList)
{
    StoreFixture f;
    const qint64 a = f.role("1", "POP ION");
    const qint64 b = f.role("2", "DINU ANA");
    const qint64 c3 = f.role("3", "ANGHEL IOAN");
    const qint64 house = f.building(a);
    const qint64 lastYear = f.building(a);
    f.building(b); // never sold
    EXPECT_TRUE(f.offered(b).empty());
    f.sell(house);
    f.sell(lastYear, d(10, 12, 2025), d(31, 12, 2025)); // left the records before the year
    EXPECT_EQ(f.offered(b), std::vector<qint64>{house});
    EXPECT_EQ(f.offered(c3), std::vector<qint64>{house});
    EXPECT_TRUE(f.offered(a).empty()); // a role does not buy its own building

    const qint64 copy = f.buy(house, b);
    EXPECT_TRUE(f.offered(b).empty());
    EXPECT_TRUE(f.offered(c3).empty());
    // Not twice, whoever asks (another workstation with an old list).
    const qint64 rows = f.db_().count("Pag2");
    const qint64 counter = f.settings().peekNumber("SERVER", "IDCLAD");
    try {
        f.buy(house, c3);
        ADD_FAILURE() << "bought twice";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), alreadyBoughtText());
    }
    EXPECT_EQ(f.db_().count("Pag2"), rows);
    EXPECT_EQ(f.settings().peekNumber("SERVER", "IDCLAD"), counter);

    // The buyer's edits of the copy do not bring the sale back.
    BuildingRecord edited = *loadBuilding(f.db_(), copy);
    edited.DATAIN = d(5, 3, 2026);
    edited.SUPRAFD = c("90");
    edited.ADRESA = "Str. Morii 7";
    updateBuilding(f.db_(), edited, false);
    EXPECT_TRUE(f.offered(c3).empty());

    // The buyer resells: only the buyer's row is offered; once bought, nothing.
    f.sell(copy, d(1, 3, 2026), d(2, 3, 2026));
    EXPECT_EQ(f.offered(c3), std::vector<qint64>{copy});
    f.buy(copy, c3);
    EXPECT_TRUE(f.offered(a).empty());
    EXPECT_TRUE(f.offered(b).empty());

    // A purchase undone by deleting the copy offers the building again.
    const qint64 other = f.building(a);
    f.sell(other);
    const qint64 mistaken = f.buy(other, b);
    EXPECT_TRUE(f.offered(c3).empty());
    deleteBuilding(f.db_(), mistaken);
    EXPECT_EQ(f.offered(c3), std::vector<qint64>{other});
}

TEST(BuildingStore, PartsOfAMixedBuildingSoldTogetherAreBoughtOneByOne)
{
    StoreFixture f;
    const qint64 a = f.role("1", "POP ION");
    const qint64 b = f.role("2", "DINU ANA");
    const qint64 living = f.building(a, [](BuildingRecord &r) { r.MIXTA = "X"; r.IDMANUAL = 500; });
    const qint64 shop = f.building(a, [](BuildingRecord &r) {
        r.MIXTA = "X";
        r.IDMANUAL = 500;
        r.TIPC = "N";
        r.SUPRAFD = c("40");
        r.VALOAREN = c("80000");
    });
    f.sell(living, d(20, 2, 2026), d(2, 3, 2026));
    f.sell(shop, d(20, 2, 2026), d(2, 3, 2026));
    EXPECT_EQ(f.offered(b), (std::vector<qint64>{living, shop}));
    // The later part first: the earlier one is still offered.
    const qint64 shopCopy = f.buy(shop, b);
    EXPECT_EQ(f.offered(b), std::vector<qint64>{living});
    const qint64 livingCopy = f.buy(living, b);
    EXPECT_TRUE(f.offered(b).empty());
    // Both parts arrive as one mixed building of the buyer.
    EXPECT_EQ(loadBuilding(f.db_(), shopCopy)->IDMANUAL, 500);
    EXPECT_EQ(loadBuilding(f.db_(), livingCopy)->IDMANUAL, 500);
    EXPECT_EQ(loadBuilding(f.db_(), livingCopy)->MIXTA, "X");
}

TEST(BuildingStore, OffersAreOrderedByOwnerName)
{
    StoreFixture f;
    const qint64 buyer = f.role("9", "CUMPARATOR");
    const qint64 z = f.role("1", "ZAHARIA ION", "JURIDICA");
    const qint64 s = f.role("2", "STAN ANA");
    const qint64 s2 = f.role("3", "ŞERBAN ANA");
    const qint64 bz = f.building(z);
    const qint64 bs = f.building(s);
    const qint64 bs2 = f.building(s2);
    for (qint64 id : {bz, bs, bs2})
        f.sell(id);
    const auto offers = purchaseOffers(f.db_(), buyer, firstDay);
    ASSERT_EQ(offers.size(), 3u);
    EXPECT_EQ(offers[0].building.IDCLAD, bs);  // STAN
    EXPECT_EQ(offers[1].building.IDCLAD, bs2); // ŞERBAN after S
    EXPECT_EQ(offers[2].building.IDCLAD, bz);
    EXPECT_EQ(offers[2].TIP, "JURIDICA");
    EXPECT_EQ(offers[2].ROL, "1");
    EXPECT_EQ(offers[2].SATUL, "LUNCA");
}
