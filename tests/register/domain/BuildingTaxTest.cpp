#include "register/domain/BuildingTax.h"
#include "register/domain/BuildingTaxSheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace valdora;

namespace valdora {
// Readable amounts in failure messages; internal to this file.
[[maybe_unused]] static void PrintTo(const Currency &value, std::ostream *os) { *os << value.toString().toStdString(); }
} // namespace valdora

namespace {

constexpr int Y = 2026;

Currency c(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }
Currency lei(int64_t n) { return Currency::fromLei(n); }
QDate d(int day, int month, int year) { return QDate(year, month, day); }

BuildingRow residential(const char *area, int destination, int material, bool utilities, const char *zone, int rank)
{
    BuildingRow b;
    b.TIPC = QStringLiteral("R");
    b.SUPRAFD = c(area);
    b.DESTINATIE = destination;
    b.CODMAT = material;
    b.CUUTIL = utilities ? QStringLiteral("DA") : QStringLiteral("NU");
    b.ZONA = QString::fromLatin1(zone);
    b.RANG = rank;
    b.DATAIN = d(15, 5, 2020);
    return b;
}

// The worked example: 100 m2, "Cladire", material 0, with utilities, zone A, rank IV.
BuildingRow workedExample() { return residential("100", 1, 0, true, "A", 4); }

BuildingRow nonResidential(int64_t value, QDate evaluated, bool agricultural = false)
{
    BuildingRow b;
    b.TIPC = QStringLiteral("N");
    b.VALOAREN = lei(value);
    b.DATAEVAL = evaluated;
    b.ACTAGR = agricultural ? QStringLiteral("DA") : QStringLiteral("NU");
    b.DATAIN = d(15, 5, 2020);
    // The area-based value of an expired natural-person evaluation: 1.10 x 2677 x 50 = 147 235.
    b.SUPRAFD = lei(50);
    b.DESTINATIE = 1;
    b.CODMAT = 0;
    b.CUUTIL = QStringLiteral("DA");
    b.ZONA = QStringLiteral("A");
    b.RANG = 4;
    return b;
}

BuildingRow legalResidential(int64_t value, QDate evaluated)
{
    BuildingRow b;
    b.TIPC = QStringLiteral("R");
    b.VALOAREJR = lei(value);
    b.DATAEVAL = evaluated;
    b.DATAIN = d(15, 5, 2020);
    b.SUPRAFD = Currency();
    return b;
}

using Tweak = std::function<void(BuildingTaxConstants &)>;
const Tweak none = [](BuildingTaxConstants &) {};

struct Case {
    const char *name;
    BuildingRow row;
    OwnerType owner;
    Tweak tweak;
    BuildingTaxBranch branch;
    const char *value;        // V, four decimals
    const char *ratePercent;  // the rate applied
    const char *luxury;       // L
    const char *tax;          // unrounded
    int64_t roundedTax;       // IMPOZIT
};

void check(const Case &k)
{
    BuildingTaxConstants constants;
    k.tweak(constants);
    const BuildingTaxResult r = computeBuildingTax(k.row, k.owner, constants, Y);
    SCOPED_TRACE(k.name);
    EXPECT_EQ(r.branch, k.branch);
    EXPECT_EQ(r.value, c(k.value));
    EXPECT_EQ(r.taxableValue, c(k.value).roundTo(2, Rounding::HalfAwayFromZero));
    EXPECT_EQ(r.ratePercent, c(k.ratePercent));
    EXPECT_EQ(r.luxuryPart, c(k.luxury));
    EXPECT_EQ(r.tax, c(k.tax));
    EXPECT_EQ(r.roundedTax, lei(k.roundedTax));
}

} // namespace

TEST(BuildingTax, ResidentialNaturalPerson)
{
    const auto R = BuildingTaxBranch::ResidentialNatural;
    const auto F = OwnerType::Natural;
    const Case cases[] = {
        // 1.10 x 2677 x 100 = 294 470 lei, tax 294.47, shown 294.
        {"worked example", workedExample(), F, none, R, "294470", "0.1", "0", "294.47", 294},
        // Destination 3 uses 75 % of 2677 = 2007.75; destination 4 (and any other) 50 %.
        {"destination 3", residential("100", 3, 0, true, "A", 4), F, none, R, "220852.5", "0.1", "0", "220.8525", 221},
        {"destination 4", residential("100", 4, 0, true, "A", 4), F, none, R, "147235", "0.1", "0", "147.235", 147},
        {"destination 9 counts as 4", residential("100", 9, 0, true, "A", 4), F, none, R, "147235", "0.1", "0", "147.235", 147},
        {"annex, untreated, no utilities, D V", residential("100", 2, 1, false, "D", 5), F, none, R, "18090", "0.1", "0", "18.09", 18},
        // 803 x 2.40 x 55.55 = 107 055.96; 0.1 % = 107.05596 -> 107.0560.
        {"untreated with utilities, C 0", residential("55.55", 1, 1, true, "C", 0), F, none, R, "107055.96", "0.1", "0", "107.056", 107},
        {"empty zone counts as A", residential("10", 1, 0, false, "", 0), F, none, R, "41756", "0.1", "0", "41.756", 42},
        {"lower-case zone", residential("10", 1, 0, false, " b ", 1), F, none, R, "38544", "0.1", "0", "38.544", 39},
        {"empty TIPC counts as residential",
         [] { BuildingRow b = workedExample(); b.TIPC.clear(); return b; }(), F, none, R, "294470", "0.1", "0", "294.47", 294},
        {"council rate 0.2", workedExample(), F, [](BuildingTaxConstants &k) { k.CotaCRPF = c("0.2"); }, R,
         "294470", "0.2", "0", "588.94", 589},
        // Inflation RataInfE applies only with RataInfPFR ticked.
        {"RataInfE 10 with RataInfPFR", workedExample(), F,
         [](BuildingTaxConstants &k) { k.RataInfE = c("10"); k.RataInfPFR = true; }, R, "323917", "0.1", "0", "323.917", 324},
        {"RataInfE 10 without RataInfPFR", workedExample(), F,
         [](BuildingTaxConstants &k) { k.RataInfE = c("10"); k.RataInfPFN = true; k.RataInfPJ = true; }, R,
         "294470", "0.1", "0", "294.47", 294},
        // Luxury part: 0.9 % of what passes 2 500 000.
        {"luxury, 1.00 x 2677 x 1000", residential("1000", 1, 0, true, "B", 5), F, none, R,
         "2677000", "0.1", "1593", "4270", 4270},
        {"just under the luxury bound", residential("933.88", 1, 0, true, "B", 5), F, none, R,
         "2499996.76", "0.1", "0", "2499.9968", 2500},
        {"just over the luxury bound", residential("933.91", 1, 0, true, "B", 5), F, none, R,
         "2500077.07", "0.1", "0.6936", "2500.7707", 2501},
    };
    for (const Case &k : cases)
        check(k);
}

TEST(BuildingTax, ResidentialLegalPerson)
{
    const auto R = BuildingTaxBranch::ResidentialLegal;
    const auto J = OwnerType::Legal;
    const QDate recent = d(10, 5, 2022);
    const Case cases[] = {
        {"evaluated value", legalResidential(400000, recent), J, none, R, "400000", "0.1", "0", "400", 400},
        // Exactly 2 500 000 has no luxury part; 2 600 000 adds 900 lei.
        {"2 500 000", legalResidential(2500000, recent), J, none, R, "2500000", "0.1", "0", "2500", 2500},
        {"2 600 000", legalResidential(2600000, recent), J, none, R, "2600000", "0.1", "900", "3500", 3500},
        // Expiry = evaluation + 5 x 12 months; expired when 1 January 2026 is after it.
        {"evaluated 31.12.2020: expired, 5 %", legalResidential(400000, d(31, 12, 2020)), J, none, R,
         "400000", "5", "0", "20000", 20000},
        {"5 % whatever the rate set", legalResidential(400000, d(31, 12, 2020)), J,
         [](BuildingTaxConstants &k) { k.CotaCRPJ = c("0.2"); }, R, "400000", "5", "0", "20000", 20000},
        {"evaluated 01.01.2021: expires on 1 January, still valid", legalResidential(400000, d(1, 1, 2021)), J, none, R,
         "400000", "0.1", "0", "400", 400},
        {"EvalPJAni 3: a 2022 evaluation has expired", legalResidential(400000, recent), J,
         [](BuildingTaxConstants &k) { k.EvalPJAni = 3; }, R, "400000", "5", "0", "20000", 20000},
        {"expired with a luxury part", legalResidential(2600000, d(1, 1, 2000)), J, none, R,
         "2600000", "5", "900", "130900", 130900},
        {"unreadable evaluation date counts as expired", legalResidential(400000, QDate()), J, none, R,
         "400000", "5", "0", "20000", 20000},
        // RataInfPJ indexes a residential row by RataInfE, not by the cumulative inflation.
        {"RataInfE 10 with RataInfPJ", legalResidential(500000, recent), J,
         [](BuildingTaxConstants &k) { k.RataInfE = c("10"); k.RataInfPJ = true; }, R, "550000", "0.1", "0", "550", 550},
        {"RataInfE 10 without RataInfPJ", legalResidential(500000, recent), J,
         [](BuildingTaxConstants &k) { k.RataInfE = c("10"); k.RataInfPFR = true; }, R, "500000", "0.1", "0", "500", 500},
    };
    for (const Case &k : cases)
        check(k);
}

TEST(BuildingTax, NonResidentialNaturalPerson)
{
    const auto N = BuildingTaxBranch::NonResidentialNatural;
    const auto F = OwnerType::Natural;
    const Case cases[] = {
        {"evaluated 2022", nonResidential(150000, d(15, 6, 2022)), F, none, N, "150000", "0.4", "0", "600", 600},
        {"agricultural activity changes nothing", nonResidential(150000, d(15, 6, 2022), true), F, none, N,
         "150000", "0.4", "0", "600", 600},
        // Evaluated more than five years before 1 January: 2 % of the area-based value.
        {"evaluated 31.12.2020: 2 % of 1.10 x 2677 x 50", nonResidential(150000, d(31, 12, 2020)), F, none, N,
         "147235", "2", "0", "2944.7", 2945},
        {"evaluated 01.01.2021: still valid", nonResidential(150000, d(1, 1, 2021)), F, none, N,
         "150000", "0.4", "0", "600", 600},
        {"not evaluated (01.01.2000, value 0)", nonResidential(0, d(1, 1, 2000)), F, none, N,
         "147235", "2", "0", "2944.7", 2945},
        // EvalPJAni belongs to legal persons only.
        {"EvalPJAni does not shorten a natural person's evaluation", nonResidential(150000, d(15, 6, 2022)), F,
         [](BuildingTaxConstants &k) { k.EvalPJAni = 1; }, N, "150000", "0.4", "0", "600", 600},
        // RataInfPFN: cumulative inflation since the evaluation year.
        {"cumulative inflation since 2022", nonResidential(1000000, d(15, 6, 2022)), F,
         [](BuildingTaxConstants &k) { k.RataInfPFN = true; }, N, "1394369.8053", "0.4", "0", "5577.4792", 5577},
        {"cumulative inflation on the area-based value", nonResidential(150000, d(31, 12, 2019)), F,
         [](BuildingTaxConstants &k) { k.RataInfPFN = true; }, N, "210637.8393", "2", "0", "4212.7568", 4213},
        {"RataInfE alone indexes nothing here", nonResidential(150000, d(15, 6, 2022)), F,
         [](BuildingTaxConstants &k) { k.RataInfE = c("10"); k.RataInfPFR = true; k.RataInfPJ = true; }, N,
         "150000", "0.4", "0", "600", 600},
    };
    for (const Case &k : cases)
        check(k);
}

TEST(BuildingTax, NonResidentialLegalPerson)
{
    const auto N = BuildingTaxBranch::NonResidentialLegal;
    const auto J = OwnerType::Legal;
    const QDate valid = d(10, 5, 2021); // expires 10.05.2026
    const Tweak rate1 = [](BuildingTaxConstants &k) { k.CotaCNPJ = c("1"); };
    const Case cases[] = {
        {"council rate", nonResidential(1000000, valid), J, rate1, N, "1000000", "1", "0", "10000", 10000},
        {"agricultural activity: 0.4 %", nonResidential(1000000, valid, true), J, rate1, N, "1000000", "0.4", "0", "4000", 4000},
        {"expired: 5 %", nonResidential(1000000, d(31, 12, 2020)), J, rate1, N, "1000000", "5", "0", "50000", 50000},
        {"expired wins over agricultural activity", nonResidential(1000000, d(31, 12, 2020), true), J, rate1, N,
         "1000000", "5", "0", "50000", 50000},
        {"EvalPJAni 3", nonResidential(1000000, valid), J, [](BuildingTaxConstants &k) { k.EvalPJAni = 3; }, N,
         "1000000", "5", "0", "50000", 50000},
        {"EvalPJAni 10 keeps a 2016 evaluation", nonResidential(1000000, d(31, 12, 2016)), J,
         [](BuildingTaxConstants &k) { k.EvalPJAni = 10; }, N, "1000000", "0.4", "0", "4000", 4000},
        // Tax = V x r x (1 + MajHCL/100).
        {"MajHCL 10", nonResidential(1000000, valid), J,
         [](BuildingTaxConstants &k) { k.CotaCNPJ = c("1"); k.MajHCL = c("10"); }, N, "1000000", "1", "0", "11000", 11000},
        {"MajHCL 12.5 on an expired evaluation", nonResidential(1000000, d(1, 1, 2000)), J,
         [](BuildingTaxConstants &k) { k.MajHCL = c("12.5"); }, N, "1000000", "5", "0", "56250", 56250},
        {"RataInfPJ: cumulative inflation since 2022", nonResidential(1000000, d(1, 2, 2022)), J,
         [](BuildingTaxConstants &k) { k.RataInfPJ = true; }, N, "1394369.8053", "0.4", "0", "5577.4792", 5577},
        {"no luxury part on a non-residential row", nonResidential(3000000, valid), J, none, N,
         "3000000", "0.4", "0", "12000", 12000},
    };
    for (const Case &k : cases)
        check(k);

    // The single rounding of the surcharge: 333.33 x 0.4 / 100 x 1.15 = 1.533318.
    BuildingRow small = nonResidential(0, valid);
    small.VALOAREN = c("333.33");
    BuildingTaxConstants k;
    k.MajHCL = c("15");
    const BuildingTaxResult r = computeBuildingTax(small, OwnerType::Legal, k, Y);
    EXPECT_EQ(r.rateTax, c("1.3333"));
    EXPECT_EQ(r.tax, c("1.5333"));
    EXPECT_EQ(r.roundedTax, lei(2));
}

TEST(BuildingTax, NoRuleForOtherUses)
{
    BuildingRow mixed = workedExample();
    mixed.TIPC = QStringLiteral("M");
    const BuildingTaxResult r = computeBuildingTax(mixed, OwnerType::Natural, {}, Y);
    EXPECT_EQ(r.branch, BuildingTaxBranch::NoRule);
    EXPECT_EQ(r.value, Currency());
    EXPECT_EQ(r.taxableValue, Currency());
    EXPECT_EQ(r.tax, Currency());
    EXPECT_EQ(computeBuildingTax(mixed, OwnerType::Legal, {}, Y).tax, Currency());
}

TEST(BuildingTax, EnteredThisYearHasNoTaxButShowsItsValue)
{
    struct Entry { QDate in; bool thisYear; };
    const Entry entries[] = {{d(1, 1, 2026), true}, {d(15, 3, 2026), true}, {d(31, 12, 2026), true},
                             {d(31, 12, 2025), false}, {QDate(), false}};
    for (const Entry &e : entries) {
        BuildingRow rows[] = {workedExample(), nonResidential(1000000, d(1, 1, 2000)), legalResidential(2600000, d(1, 6, 2023))};
        // Each row is run for both owner types: give it what both branches read.
        rows[0].VALOAREJR = lei(100000);
        rows[2].SUPRAFD = lei(100);
        for (BuildingRow &row : rows) {
            row.DATAIN = e.in;
            for (OwnerType owner : {OwnerType::Natural, OwnerType::Legal}) {
                const BuildingTaxResult r = computeBuildingTax(row, owner, {}, Y);
                SCOPED_TRACE(e.in.toString().toStdString() + " " + row.TIPC.toStdString());
                EXPECT_EQ(r.enteredThisYear, e.thisYear);
                EXPECT_GT(r.taxableValue, Currency());
                EXPECT_GT(r.computedTax, Currency());
                EXPECT_EQ(r.tax, e.thisYear ? Currency() : r.computedTax);
                EXPECT_EQ(r.roundedTax, r.tax.roundLei());
            }
        }
    }
    BuildingRow row = workedExample();
    row.DATAIN = d(2, 2, 2026);
    const BuildingTaxResult r = computeBuildingTax(row, OwnerType::Natural, {}, Y);
    EXPECT_EQ(r.taxableValue, c("294470"));
    EXPECT_EQ(r.computedTax, c("294.47"));
    EXPECT_EQ(r.roundedTax, Currency());
}

TEST(BuildingTax, MixedBuildingPartsAreTaxedByTheirOwnUse)
{
    // One building (ID 7) entered as a residential part and a non-residential part.
    BuildingRow home = residential("80", 1, 0, true, "A", 4);
    home.IDCLAD = 11;
    home.IDMANUAL = 7;
    home.MIXTA = QStringLiteral("X");
    BuildingRow shop = nonResidential(50000, d(20, 3, 2023));
    shop.IDCLAD = 12;
    shop.IDMANUAL = 7;
    shop.MIXTA = QStringLiteral("X");
    BuildingRow other = workedExample();
    other.IDCLAD = 13;
    other.IDMANUAL = 13;

    const BuildingTaxResult h = computeBuildingTax(home, OwnerType::Natural, {}, Y);
    const BuildingTaxResult s = computeBuildingTax(shop, OwnerType::Natural, {}, Y);
    EXPECT_EQ(h.branch, BuildingTaxBranch::ResidentialNatural);
    EXPECT_EQ(h.value, lei(235576)); // 1.10 x 2677 x 80
    EXPECT_EQ(h.roundedTax, lei(236));
    EXPECT_EQ(s.branch, BuildingTaxBranch::NonResidentialNatural);
    EXPECT_EQ(s.value, lei(50000));
    EXPECT_EQ(s.roundedTax, lei(200));

    EXPECT_EQ(mixedBuildingIds({home, shop, other}), QList<qint64>{7});
    BuildingRow second = home;
    second.IDMANUAL = 3;
    second.MIXTA = QStringLiteral("x");
    EXPECT_EQ(mixedBuildingIds({home, other, second, shop}), (QList<qint64>{3, 7}));
    EXPECT_TRUE(mixedBuildingIds({other}).isEmpty());
}

TEST(BuildingTax, UnknownZoneRankOrMaterialIsRefusedWhereTheyCount)
{
    const std::function<void(BuildingRow &)> faults[] = {
        [](BuildingRow &b) { b.ZONA = QStringLiteral("E"); },
        [](BuildingRow &b) { b.ZONA = QStringLiteral("AB"); },
        [](BuildingRow &b) { b.RANG = 6; },
        [](BuildingRow &b) { b.RANG = -1; },
        [](BuildingRow &b) { b.CODMAT = 2; },
    };
    for (const auto &fault : faults) {
        BuildingRow home = workedExample();
        fault(home);
        EXPECT_THROW(computeBuildingTax(home, OwnerType::Natural, {}, Y), BuildingTaxInputError);
        BuildingRow expired = nonResidential(1000, d(1, 1, 2000));
        fault(expired);
        EXPECT_THROW(computeBuildingTax(expired, OwnerType::Natural, {}, Y), BuildingTaxInputError);
        // Rows that do not use the tables are taxed as usual.
        BuildingRow company = legalResidential(400000, d(1, 6, 2023));
        fault(company);
        EXPECT_EQ(computeBuildingTax(company, OwnerType::Legal, {}, Y).roundedTax, lei(400));
        BuildingRow valid = nonResidential(150000, d(15, 6, 2022));
        fault(valid);
        EXPECT_EQ(computeBuildingTax(valid, OwnerType::Natural, {}, Y).roundedTax, lei(600));
    }
}

TEST(BuildingTax, ValueTables)
{
    const BuildingValueTables t = BuildingValueTables::builtIn();
    struct PerM2 { int destination; int material; bool utilities; const char *value; };
    const PerM2 values[] = {{1, 0, true, "2677"}, {1, 0, false, "1606"}, {1, 1, true, "803"}, {1, 1, false, "535"},
                            {2, 0, true, "535"},  {2, 0, false, "469"},  {2, 1, true, "335"}, {2, 1, false, "201"},
                            {3, 0, true, "2007.75"}, {3, 1, false, "401.25"}, {4, 0, false, "803"}, {4, 1, true, "401.5"},
                            {0, 0, true, "1338.5"}, {5, 1, false, "267.5"}};
    for (const PerM2 &v : values)
        EXPECT_EQ(t.valuePerSquareMetre(v.destination, v.material, v.utilities), c(v.value))
            << v.destination << " " << v.material << " " << v.utilities;

    struct Coefficient { const char *zone; int rank; const char *value; };
    const Coefficient coefficients[] = {{"A", 0, "2.60"}, {"A", 4, "1.10"}, {"A", 5, "1.05"}, {"B", 1, "2.40"},
                                        {"C", 3, "2.10"}, {"C", 4, "1.00"}, {"D", 0, "2.30"}, {"D", 5, "0.90"},
                                        {"", 2, "2.40"}, {"d", 3, "2.00"}};
    for (const Coefficient &k : coefficients)
        EXPECT_EQ(t.zoneCoefficient(QString::fromLatin1(k.zone), k.rank), c(k.value)) << k.zone << k.rank;
}

TEST(BuildingTax, OwnerTypeAndListCaptions)
{
    EXPECT_EQ(ownerTypeFromTip(u"FIZICA"), OwnerType::Natural);
    EXPECT_EQ(ownerTypeFromTip(u" fizica "), OwnerType::Natural);
    EXPECT_EQ(ownerTypeFromTip(u"JURIDICA"), OwnerType::Legal);
    EXPECT_EQ(ownerTypeFromTip(u""), OwnerType::Legal);

    EXPECT_EQ(useCaption(u""), "Rezidentiala");
    EXPECT_EQ(useCaption(u"R"), "Rezidentiala");
    EXPECT_EQ(useCaption(u"N"), "Nerezidentiala");
    EXPECT_EQ(useCaption(u"M"), "Mixta");
    EXPECT_EQ(useCaption(u"Q"), "");
    const char *destinations[] = {"", "Cladire", "Cladire-Anexa", "Mansarda loc.", "Mansarda neloc.", ""};
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(destinationCaption(i), QString::fromLatin1(destinations[i])) << i;
    EXPECT_EQ(rankCaption(0), "0");
    EXPECT_EQ(rankCaption(4), "IV");
    EXPECT_EQ(rankCaption(5), "V");

    // "-" before 31 December of Y - 6.
    EXPECT_EQ(evaluationDateText(d(31, 12, 2020), Y), "31.12.2020");
    EXPECT_EQ(evaluationDateText(d(30, 12, 2020), Y), "-");
    EXPECT_EQ(evaluationDateText(d(1, 1, 2000), Y), "-");
    EXPECT_EQ(evaluationDateText(d(10, 5, 2024), Y), "10.05.2024");
    EXPECT_EQ(evaluationDateText(QDate(), Y), "-");
}

TEST(BuildingTaxSheet, WorkedExampleResidentialNaturalPerson)
{
    const BuildingTaxResult r = computeBuildingTax(workedExample(), OwnerType::Natural, {}, Y);
    const QStringList expected = {
        "FISA DE CALCUL CLADIRE",
        "***********************",
        "",
        "VALDORA",
        "ROL: 125 - POPESCU ION",
        "",
        "Tip persoana           : FIZICA",
        "Tip cladire            : REZIDENTIALA",
        "Suprafata              : 100.00 mp",
        "Destinatia cladirii    : Cladire",
        "Cod material           : 0",
        "Cu toate utilitatile   : DA",
        "Situata in Zona        : A",
        "                Rangul    : IV",
        "",
        "Coeficient cf.L.239/2025 pct.28   = 2677",
        "Coeficient cf.Art.457 alin(6)    = 1.10",
        "TaxaLux cf.L.239 pct.51 alin(a)  = 0.00",
        "",
        "",
        "Calculul valorii impozabile : Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) * CoefArt457alin6 =",
        " = 100.00 X 2677 X (1+0.00/100) * 1.10 = 294470.00 lei",
        "",
        "Cota stabilita prin H.C.L.       = 0.10 %",
        "IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL + TaxaLux = 294470.00 X 0.10 / 100 + 0.00 = 294.47 lei",
        "",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 294.00 lei",
        QString(67, u'*'),
    };
    EXPECT_EQ(buildingTaxSheet({"VALDORA", "125", "POPESCU ION"}, r), expected);
}

TEST(BuildingTaxSheet, ResidentialNaturalPersonWithInflationAndAFractionalValuePerSquareMetre)
{
    BuildingTaxConstants k;
    k.RataInfE = c("10");
    k.RataInfPFR = true;
    const BuildingTaxResult r = computeBuildingTax(residential("100", 3, 0, true, "A", 4), OwnerType::Natural, k, Y);
    const QStringList s = buildingTaxSheet({}, r);
    EXPECT_TRUE(s.contains("Rata inflatiei         : 10.00 %"));
    EXPECT_TRUE(s.contains("Destinatia cladirii    : Mansarda loc."));
    EXPECT_TRUE(s.contains("Coeficient cf.L.239/2025 pct.28   = 2007.75"));
    EXPECT_TRUE(s.contains("  corectat cu Rata inflatiei  = 2208.53"));
    EXPECT_TRUE(s.contains(" = 100.00 X 2007.75 X (1+10.00/100) * 1.10 = 242937.75 lei"));
}

TEST(BuildingTaxSheet, NonResidentialLegalPerson)
{
    BuildingTaxConstants k;
    k.MajHCL = c("10");
    const BuildingTaxResult expired = computeBuildingTax(nonResidential(1000000, d(31, 12, 2020)), OwnerType::Legal, k, Y);
    const QStringList s = buildingTaxSheet({"VALDORA", "9", "AGRO SRL"}, expired);
    const QStringList tail = s.mid(6);
    const QStringList expected = {
        "Majorare conf.H.C.L.   : 10.00 %",
        "Tip persoana           : JURIDICA",
        "Tip cladire            : NEREZIDENTIALA",
        "Data evaluarii         = 31.12.2020",
        "Rata inflatiei         : 0.00 %",
        "Valoare evaluata   = 1000000.00 lei",
        " corectata cu Rata inflatiei  = 1000000.00 lei",
        "Cota stabilita prin H.C.L. = 0.40 %",
        "Cladire neevaluata in ultimii 5 ani.",
        "  - Cota devine cf.Art.460 alin(8) = 5%",
        "",
        "Calculul impozitului : ValoareImpozabila X Cota% =",
        " = 1000000.00 X 5.00 / 100 = 50000.00 lei",
        "",
        "Se aplica Majorare cf.H.C.L. 10.00 %",
        "IMPOZIT : Impozit Calculat X 1.10 = 55000.00",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 55000.00 lei",
        QString(67, u'*'),
    };
    EXPECT_EQ(tail, expected);

    // Valid evaluation with agricultural activity, cumulative inflation, no surcharge.
    BuildingTaxConstants k2;
    k2.RataInfPJ = true;
    const BuildingTaxResult agri = computeBuildingTax(nonResidential(1000000, d(1, 2, 2022), true), OwnerType::Legal, k2, Y);
    const QStringList a = buildingTaxSheet({}, agri);
    EXPECT_FALSE(a.join('\n').contains("Majorare"));
    EXPECT_TRUE(a.contains("Rata inflatiei         : 5.1% + 13.8% + 10.4% + 5.6% = 39.4369805312%"));
    EXPECT_TRUE(a.contains(" corectata cu Rata inflatiei  = 1394369.81 lei"));
    const qsizetype at = a.indexOf("Cladire evaluata in ultimii 5 ani.");
    ASSERT_GE(at, 0);
    EXPECT_EQ(a.mid(at + 1, 2), (QStringList{"Se desfasoara activitati agricole :", "  - Cota devine cf.Art.460 alin(3) = 0.4%"}));
    EXPECT_TRUE(a.contains(" = 1394369.81 X 0.40 / 100 = 5577.48 lei"));
    EXPECT_TRUE(a.contains("IMPOZIT FINAL (stabilit prin rotunjire) = 5577.00 lei"));

    // The years on the line follow EvalPJAni.
    BuildingTaxConstants k3;
    k3.EvalPJAni = 3;
    const QStringList three = buildingTaxSheet({}, computeBuildingTax(nonResidential(1000, d(1, 6, 2021)), OwnerType::Legal, k3, Y));
    EXPECT_TRUE(three.contains("Cladire neevaluata in ultimii 3 ani."));
}

TEST(BuildingTaxSheet, NonResidentialNaturalPerson)
{
    const QStringList expired =
        buildingTaxSheet({}, computeBuildingTax(nonResidential(150000, d(31, 12, 2020)), OwnerType::Natural, {}, Y)).mid(6);
    const QStringList expected = {
        "Tip persoana           : FIZICA",
        "Tip cladire            : NEREZIDENTIALA",
        "Data evaluarii     = 31.12.2020",
        "Rata inflatiei     = 0.00 %",
        "Valoare evaluata   = 150000.00 lei",
        " corectie cu Rata inflatiei = 150000.00 lei",
        "Cota stabilita prin H.C.L. = 0.40 %",
        "Cladire neevaluata in ultimii 5 ani.",
        "  - Cota devine cf.Art.458 alin(4) = 2%",
        "    si Valoarea impozabila se calculeaza cf.Art.457 :",
        "Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) X CoefArt457alin6 =",
        " = 50.00 X 2677 X (1+0.00/100) X 1.10 = 147235.00 lei",
        "",
        "Calculul impozitului : ValoareImpozabila X Cota% =",
        " = 147235.00 X 2.00 / 100 = 2944.70 lei",
        "",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 2945.00 lei",
        QString(67, u'*'),
    };
    EXPECT_EQ(expired, expected);

    const QStringList valid =
        buildingTaxSheet({}, computeBuildingTax(nonResidential(150000, d(15, 6, 2022)), OwnerType::Natural, {}, Y));
    EXPECT_TRUE(valid.contains("Cladire evaluata in ultimii 5 ani."));
    EXPECT_FALSE(valid.join('\n').contains("Art.458"));
    EXPECT_TRUE(valid.contains(" = 150000.00 X 0.40 / 100 = 600.00 lei"));
}

TEST(BuildingTaxSheet, ResidentialLegalPersonWithLuxuryPartAndExpiredEvaluation)
{
    const QStringList luxury =
        buildingTaxSheet({}, computeBuildingTax(legalResidential(2600000, d(10, 5, 2022)), OwnerType::Legal, {}, Y)).mid(6);
    const QStringList expected = {
        "Tip persoana           : JURIDICA",
        "Tip cladire            : REZIDENTIALA",
        "Valoare evaluata   = 2600000.00 lei",
        "Valoare evaluata corectata cu Rata inflatiei  = 2600000.00 lei",
        "Cota stabilita prin H.C.L. = 0.10 %",
        "Data evaluarii           = 10.05.2022",
        "Data expirarii evaluarii = 10.05.2027",
        "TaxaLux cf.L.239 pct.51 alin(a)  = 900.00",
        "Calculul impozitului : ValoareEvaluata X Cota + TaxaLux = ",
        "2600000.00 X 0.10 / 100 + 900.00 = 3500.00 lei",
        "",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 3500.00 lei",
        QString(67, u'*'),
    };
    EXPECT_EQ(luxury, expected);

    BuildingTaxConstants k;
    k.RataInfE = c("10");
    k.RataInfPJ = true;
    const QStringList old = buildingTaxSheet({}, computeBuildingTax(legalResidential(400000, d(31, 12, 2020)), OwnerType::Legal, k, Y));
    EXPECT_TRUE(old.contains("Rata inflatiei         : 10.00 %"));
    EXPECT_TRUE(old.contains("Data expirarii evaluarii = 31.12.2025"));
    EXPECT_TRUE(old.contains(" - Evaluare expirata! Cota devine 5%  cf. Art.460 Alin.(8)"));
    EXPECT_TRUE(old.contains("440000.00 X 5.00 / 100 + 0.00 = 22000.00 lei"));
}

TEST(BuildingTaxSheet, EnteredThisYear)
{
    BuildingRow row = workedExample();
    row.DATAIN = d(3, 3, 2026);
    const QStringList s = buildingTaxSheet({}, computeBuildingTax(row, OwnerType::Natural, {}, Y));
    // The computation is shown, then the zero tax instead of the final lines.
    EXPECT_TRUE(s.contains("IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL + TaxaLux = 294470.00 X 0.10 / 100 + 0.00 = 294.47 lei"));
    EXPECT_EQ(s.mid(s.size() - 4),
              (QStringList{"", "CONSTRUCTIA ESTE DOBANDITA IN ANUL CURENT.", "Valoare Impozit = 0", QString(67, u'*')}));
    EXPECT_FALSE(s.join('\n').contains("IMPOZIT FINAL"));

    BuildingTaxConstants k;
    k.MajHCL = c("10");
    BuildingRow shop = nonResidential(1000000, d(10, 5, 2024));
    shop.DATAIN = d(1, 4, 2026);
    const QStringList legal = buildingTaxSheet({}, computeBuildingTax(shop, OwnerType::Legal, k, Y));
    EXPECT_FALSE(legal.join('\n').contains("Se aplica Majorare"));
    EXPECT_EQ(legal.last(), QString(67, u'*'));
    EXPECT_EQ(legal[legal.size() - 2], "Valoare Impozit = 0");
}
