#include "register/domain/VehicleEntryCheck.h"
#include "register/domain/VehicleTax.h"

#include "app/core/Dates.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::register_domain;

namespace {

constexpr int Y = 2026;

QString q(const char *text) { return QString::fromLatin1(text); }
Currency c(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }
qint64 day(int y, int m, int d) { return dayNumber(QDate(y, m, d)); }

const char *const smallCar = "Autoturism cu capacitate <= 1600 cmc";

// A registered petrol car, in the records since 2020.
Vehicle car(const char *type = smallCar, int capacity = 1598, int euro = 6)
{
    Vehicle v;
    v.IDDETA = 1;
    v.TipAuto = q(type);
    v.Combus = q("BENZINA");
    v.Euro = euro;
    v.Inmatric = 1;
    v.Capacit = capacity;
    v.DataIn = day(2020, 5, 4);
    v.DataDob = day(2020, 5, 1);
    return v;
}

Vehicle with(Vehicle v, const char *fuel, const char *above50 = "")
{
    v.Combus = q(fuel);
    v.HIBpeste50 = q(above50);
    return v;
}

} // namespace

TEST(VehicleTax, RegisteredVehiclesPayPer200CubicCentimetres)
{
    struct Case {
        const char *what;
        Vehicle v;
        const char *rateName;
        std::optional<qint64> units;
        const char *tax;
    };
    Vehicle tractor = car("Tractor", 4500, 2);
    tractor.Combus = q("DIESEL");
    const Case cases[] = {
        {"1598 cm3 Euro 6: 7.99 parts round up to 8", car(smallCar, 1598, 6), "A1", 8, "132"},
        {"1600 cm3 is exactly 8 parts", car(smallCar, 1600, 6), "A1", 8, "132"},
        {"1601 cm3 is 9 parts", car("Autoturism cu capacitate intre 1601 si 2000 cmc", 1601, 6), "A3", 9, "225.9"},
        {"Euro 0 uses the Euro 0-3 column", car("Autoturism cu capacitate intre 1601 si 2000 cmc", 1601, 0), "A3", 9,
         "267.3"},
        {"Euro 4", car("Autoturism cu capacitate intre 1601 si 2000 cmc", 2000, 4), "A3", 10, "285"},
        {"Euro 5", car("Autoturism cu capacitate intre 2001 si 2600 cmc", 2400, 5), "A4", 12, "993.6"},
        {"A5 at 3000 cm3", car("Autoturism cu capacitate intre 2601 si 3000 cmc", 3000, 6), "A5", 15, "2268"},
        {"A6 at 3001 cm3", car("Autoturism cu capacitate > 3000 cmc", 3001, 3), "A6", 16, "5104"},
        {"bus", car("Autobuz", 6000, 5), "A7", 30, "843"},
        {"other vehicle under 12 t", car("Autovehicule sub 12 tone/autovehicule de teren din prod. int.", 3000, 4),
         "A8", 15, "562.5"},
        {"small motorcycle uses A1", car("Motocicleta", 125, 3), "A1", 1, "19.5"},
        {"motorcycle at 1600 cm3 still A1", car("Scuter", 1600, 4), "A1", 8, "150.4"},
        {"motorcycle above 1600 cm3 uses A2", car("Triciclu cu motor", 1800, 3), "A2", 9, "198.9"},
        {"motorcycle above 1600 cm3, hybrid above 50 g/km", with(car("Motocicleta", 1601, 6), "HIBRID", "X"), "A2", 9,
         "165.6"},
        {"motorcycle without capacity pays the electric amount", car("Motoreta sub 69 CC", 0, 3), "A10", std::nullopt,
         "40"},
        {"tractor: 18 lei per part whatever the class", tractor, "A9", 23, "414"},
    };
    const VehicleTaxConstants k;
    for (const Case &t : cases) {
        const VehicleTaxResult r = computeVehicleTax(t.v, false, Y, k);
        EXPECT_EQ(r.rule, VehicleTaxRule::Registered) << t.what;
        EXPECT_EQ(r.rateName, q(t.rateName)) << t.what;
        EXPECT_EQ(r.units, t.units) << t.what;
        EXPECT_EQ(r.tax, c(t.tax)) << t.what;
        EXPECT_EQ(r.base, c(t.tax)) << t.what;
        EXPECT_TRUE(r.zeroReasons.isEmpty()) << t.what;
    }
}

TEST(VehicleTax, HybridsAndElectricVehicles)
{
    struct Case {
        const char *what;
        Vehicle v;
        const char *base;
        const char *tax;
        bool discount;
        std::optional<EmissionColumn> column;
    };
    const char *const hybridCar = "Autoturism cu capacitate <= 1600 cmc Hibrid";
    const char *const bigCar = "Autoturism cu capacitate intre 1601 si 2000 cmc";
    const Case cases[] = {
        {"hybrid up to 50 g/km: HiRed percent off", with(car(hybridCar), "HIBRID"), "132", "92.4", true,
         EmissionColumn::E6},
        {"petrol-electric up to 50 g/km", with(car(hybridCar, 1598, 4), "BENZINA + ELECTRIC"), "150.4", "105.28", true,
         EmissionColumn::E4},
        {"hybrid above 50 g/km: E7 column, no discount", with(car(hybridCar), "DIESEL + ELECTRIC", "X"), "129.6",
         "129.6", false, EmissionColumn::E7},
        // The fuel decides, not the word in the type.
        {"hybrid fuel on a plain type", with(car(bigCar, 1800, 6), "HIBRID"), "225.9", "158.13", true,
         EmissionColumn::E6},
        {"a stray mark on a petrol car is ignored", with(car(bigCar, 1800, 6), "BENZINA", "X"), "225.9", "225.9", false,
         EmissionColumn::E6},
        {"electric car pays the flat amount", with(car("Autoturism electric", 0, 0), "ELECTRIC"), "40", "40", false,
         std::nullopt},
        {"electric type, capacity ignored", with(car("Autoturism electric", 2500, 6), "-"), "40", "40", false,
         std::nullopt},
        {"electric fuel on a large car", with(car("Autoturism cu capacitate > 3000 cmc", 3500, 6), "ELECTRIC"), "40",
         "40", false, std::nullopt},
        {"electric fuel on a tractor", with(car("Tractor", 3000, 0), "ELECTRIC"), "40", "40", false, std::nullopt},
    };
    const VehicleTaxConstants k;
    for (const Case &t : cases) {
        const VehicleTaxResult r = computeVehicleTax(t.v, false, Y, k);
        EXPECT_EQ(r.base, c(t.base)) << t.what;
        EXPECT_EQ(r.tax, c(t.tax)) << t.what;
        EXPECT_EQ(r.hybridDiscount, t.discount) << t.what;
        EXPECT_EQ(r.column, t.column) << t.what;
    }
    const VehicleTaxResult electric = computeVehicleTax(with(car("Autoturism electric", 2500, 6), "ELECTRIC"), false, Y, k);
    EXPECT_EQ(electric.rateName, q("A10"));
    EXPECT_FALSE(electric.units.has_value());

    VehicleTaxConstants lower;
    lower.HiRed = c("12.5");
    EXPECT_EQ(computeVehicleTax(with(car(hybridCar), "HIBRID"), false, Y, lower).tax, c("115.5"));
}

TEST(VehicleTax, LuxuryPartAboveThreeHundredSeventyFiveThousandLei)
{
    struct Case { const char *value; const char *part; const char *tax; };
    const Case cases[] = {
        {"400000", "225", "357"},
        {"375000", "0", "132"},
        {"375000.01", "0.0001", "132.0001"},
        {"375111.11", "1", "133"},
    };
    for (const Case &t : cases) {
        Vehicle v = car();
        v.Valoare = c(t.value);
        const VehicleTaxResult r = computeVehicleTax(v, false, Y, VehicleTaxConstants{});
        EXPECT_EQ(r.luxury, c(t.part) > Currency()) << t.value;
        EXPECT_EQ(r.luxuryPart, c(t.part)) << t.value;
        EXPECT_EQ(r.tax, c(t.tax)) << t.value;
        EXPECT_EQ(r.base, c("132")) << t.value;
    }
}

TEST(VehicleTax, StepsComeInOrderDiscountLuxuryInflationCouncil)
{
    VehicleTaxConstants k;
    k.RataInfA1 = c("10");
    k.MajHCLA1 = c("5");
    Vehicle v = with(car("Autoturism cu capacitate <= 1600 cmc Hibrid"), "HIBRID");
    v.Valoare = c("400000");
    const VehicleTaxResult r = computeVehicleTax(v, false, Y, k);
    // 132 x 70% = 92.4; + 225 = 317.4; x 1.10 = 349.14; x 1.05 = 366.597
    EXPECT_EQ(r.calculated, c("132"));
    EXPECT_EQ(r.afterHybridDiscount, c("92.4"));
    EXPECT_EQ(r.afterLuxury, c("317.4"));
    EXPECT_EQ(r.afterInflation, c("349.14"));
    EXPECT_EQ(r.afterCouncil, c("366.597"));
    EXPECT_EQ(r.tax, c("366.597"));
    EXPECT_EQ(r.base, c("132"));

    // Percents of the other groups do not touch registered vehicles.
    VehicleTaxConstants others;
    others.RataInfA2 = others.RataInfA3 = others.MajHCLA2 = others.CotaHCLA3 = c("50");
    EXPECT_EQ(computeVehicleTax(car(), false, Y, others).tax, c("132"));
}

TEST(VehicleTax, TrailersRecordedAndOtherVehicles)
{
    VehicleTaxConstants k;
    k.AUTO14 = c("30");
    k.AUTO15 = c("100");
    k.AUTO17 = c("250");
    k.RataInfA1 = c("10");
    k.MajHCLA1 = c("10");
    k.RataInfA2 = c("10");
    k.MajHCLA2 = c("20");
    k.GB[6] = c("500");  // G7B
    k.GA[6] = c("9999"); // G7A
    k.APA[2] = c("80");  // APA3
    k.RataInfA3 = c("10");
    k.CotaHCLA3 = c("20");

    auto status = [](Vehicle v, int inmatric) {
        v.Inmatric = inmatric;
        return v;
    };
    const char *const heavy = "Auto 3 axe, alt tip de suspensie, masa peste 19t, dar sub 21t";
    struct Case {
        const char *what;
        Vehicle v;
        VehicleTaxRule rule;
        const char *rateName;
        const char *base;
        const char *tax;
    };
    const Case cases[] = {
        {"registered trailer", car("Remorca de capacitate  1 - 3 t", 0), VehicleTaxRule::RegisteredTrailer, "AUTO15",
         "100", "121"},
        {"registered sidecar", car("Atas", 0), VehicleTaxRule::RegisteredTrailer, "AUTO14", "30", "36.3"},
        {"registered large caravan", car("Rulota de capacitate  > 5 t", 0), VehicleTaxRule::RegisteredTrailer,
         "AUTO17", "250", "302.5"},
        {"unregistered trailer", status(car("Remorca de capacitate  1 - 3 t", 0), 0), VehicleTaxRule::HeavyOrWater, "",
         "0", "0"},
        {"recorded, no capacity", status(car("Tractor", 0), 2), VehicleTaxRule::RecordedLocally, "AI3", "50", "66"},
        {"recorded electric, nothing else applied", status(with(car("Tractor", 0), "ELECTRIC"), 2),
         VehicleTaxRule::RecordedLocally, "A10", "40", "40"},
        {"recorded, 4800 cm3", status(car("Tractor", 4800), 2), VehicleTaxRule::RecordedLocally, "AI1", "48",
         "63.36"},
        {"recorded, 4801 cm3", status(car("Tractor", 4801), 2), VehicleTaxRule::RecordedLocally, "AI2", "100", "132"},
        {"recorded, any type", status(car(smallCar, 1598), 2), VehicleTaxRule::RecordedLocally, "AI1", "16",
         "21.12"},
        {"recorded heavy vehicle uses the recorded rates", status(car(heavy, 0), 2), VehicleTaxRule::RecordedLocally,
         "AI3", "50", "66"},
        {"unregistered car", status(car(), 0), VehicleTaxRule::HeavyOrWater, "", "0", "0"},
        {"unregistered electric car", status(with(car("Autoturism electric", 0), "ELECTRIC"), 0),
         VehicleTaxRule::HeavyOrWater, "", "0", "0"},
        {"registered heavy vehicle", car(heavy, 0), VehicleTaxRule::HeavyOrWater, "G7B", "0", "660"},
        {"unregistered heavy vehicle", status(car(heavy, 0), 0), VehicleTaxRule::HeavyOrWater, "G7B", "0", "660"},
        {"registered boat", car("Barca cu motor", 0), VehicleTaxRule::HeavyOrWater, "APA3", "0", "105.6"},
        {"type not in the list", car("Autoturism", 1598), VehicleTaxRule::HeavyOrWater, "", "0", "0"},
    };
    for (const Case &t : cases) {
        const VehicleTaxResult r = computeVehicleTax(t.v, false, Y, k);
        EXPECT_EQ(r.rule, t.rule) << t.what;
        EXPECT_EQ(r.rateName, q(t.rateName)) << t.what;
        EXPECT_EQ(r.base, c(t.base)) << t.what;
        EXPECT_EQ(r.tax, c(t.tax)) << t.what;
    }
}

TEST(VehicleTax, HeavyAndWaterVehiclesUseTheRateOfTheirExactName)
{
    // Every office value distinct, so a type reading the wrong one shows.
    VehicleTaxConstants k;
    const QStringList controls = VehicleTaxConstants::controlNames();
    for (int i = 0; i < controls.size(); ++i)
        ASSERT_TRUE(k.setValue(controls[i], Currency::fromLei(1000 + i))) << controls[i].toStdString();
    k.RataInfA3 = k.CotaHCLA3 = Currency();
    struct Case { const char *name; const char *rate; };
    const Case cases[] = {
        {"Auto 2 axe, suspensie pneumatica, masa peste 12t, dar sub 13t", "G1A"},
        {"Auto 2 axe, alt tip de suspensie, masa peste 13t, dar sub 14t", "G2B"},
        {"Auto 2 axe, suspensie pneumatica, masa peste 15t, dar sub 18t", "G4A"},
        {"Auto 2 axe, alt tip de suspensie, masa peste 18t", "G4B"},
        {"Auto 3 axe, suspensie pneumatica, masa peste 15t, dar sub 17t", "G5A"},
        {"Auto 3 axe, alt tip de suspensie, masa peste 19t, dar sub 21t", "G7B"},
        {"Auto 3 axe, alt tip de suspensie, masa peste 25t, dar sub 26t", "G10B"},
        {"Auto 3 axe, suspensie pneumatica, masa peste 26t", "G10A"},
        {"Auto 4 axe, suspensie pneumatica, masa peste 23t, dar sub 25t", "G11A"},
        {"Auto 4 axe, alt tip de suspensie, masa peste 29t, dar sub 31t", "G14B"},
        {"Auto 4 axe, alt tip de suspensie, masa peste 32t", "G15B"},
        {"Auto 2+1 axe, suspensie pneumatica, masa peste 12t, dar sub 14t", "GC1A"},
        {"Auto 2+1 axe, alt tip de suspensie, masa peste 22t, dar sub 23t", "GC6B"},
        {"Auto 2+1 axe, suspensie pneumatica, masa peste 28t", "GC8A"},
        {"Auto 2+2 axe, alt tip de suspensie, masa peste 23t, dar sub 25t", "GC9B"},
        {"Auto 2+2 axe, suspensie pneumatica, masa peste 33t, dar sub 36t", "GC15A"},
        {"Auto 2+2 axe, alt tip de suspensie, masa peste 38t", "GC16B"},
        {"Auto 2+3 axe, suspensie pneumatica, masa peste 36t, dar sub 38t", "GC17A"},
        {"Auto 2+3 axe, alt tip de suspensie, masa peste 40t", "GC18B"},
        {"Auto 3+2 axe, alt tip de suspensie, masa peste 38t, dar sub 40t", "GC20B"},
        {"Auto 3+2 axe, suspensie pneumatica, masa peste 44t", "GC21A"},
        {"Auto 3+3 axe, alt tip de suspensie, masa peste 36t, dar sub 38t", "GC22B"},
        {"Auto 3+3 axe, suspensie pneumatica, masa peste 40t, dar sub 44t", "GC24A"},
        {"Auto 3+3 axe, alt tip de suspensie, masa peste 44t", "GC24B"},
        {"Luntre", "APA1"},
        {"Barca fara motor folosita in alte scopuri", "APA2"},
        {"Barca cu motor", "APA3"},
        {"Salupa", "APA4"},
        {"Remorcher < 500 CP", "APA6"},
        {"Remorcher 501 - 2000 CP", "APA7"},
        {"Remorcher 2000 - 4000 CP", "APA8"},
        {"Bac", "APA9"},
        {"Vapoare", "APA10"},
        {"Slep < 1500 t", "APA11"},
        {"Barja Fluviala  1500 - 3000 t", "APA12"},
        {"Ceam > 3000 t", "APA13"},
    };
    for (const Case &t : cases) {
        const Currency expected = Currency::fromLei(1000 + controls.indexOf(q(t.rate)));
        for (int inmatric : {0, 1}) {
            Vehicle v = car(t.name, 0);
            v.Inmatric = inmatric;
            const VehicleTaxResult r = computeVehicleTax(v, false, Y, k);
            EXPECT_EQ(r.rateName, q(t.rate)) << t.name;
            EXPECT_EQ(r.tax, expected) << t.name;
            EXPECT_EQ(r.base, Currency()) << t.name;
        }
    }
}

TEST(VehicleTax, BoughtThisYearSoldEarlierOrExemptPaysNothing)
{
    using R = VehicleZeroReason;
    struct Case {
        const char *what;
        qint64 dataIn;
        qint64 dataOut;
        bool exempt;
        QList<R> reasons;
    };
    const Case cases[] = {
        {"in the records since last year", day(2025, 12, 31), 0, false, {}},
        {"entered on 1 January", day(Y, 1, 1), 0, false, {R::AcquiredThisYear}},
        {"entered this year", day(Y, 8, 15), 0, false, {R::AcquiredThisYear}},
        {"sold last year", day(2020, 1, 1), day(2025, 12, 31), false, {R::SoldBeforeThisYear}},
        {"sold this year still pays", day(2020, 1, 1), day(Y, 1, 2), false, {}},
        {"an exit day up to 10000 is no date", day(2020, 1, 1), 10000, false, {}},
        {"exempt", day(2020, 1, 1), 0, true, {R::Exempt}},
        {"every reason, in order", day(Y, 2, 1), day(2025, 3, 1), true,
         {R::AcquiredThisYear, R::SoldBeforeThisYear, R::Exempt}},
    };
    for (const Case &t : cases) {
        Vehicle v = car();
        v.DataIn = t.dataIn;
        v.DataOut = t.dataOut;
        const VehicleTaxResult r = computeVehicleTax(v, t.exempt, Y, VehicleTaxConstants{});
        EXPECT_EQ(r.zeroReasons, t.reasons) << t.what;
        EXPECT_EQ(r.tax, t.reasons.isEmpty() ? c("132") : Currency()) << t.what;
        EXPECT_EQ(r.afterCouncil, c("132")) << t.what;
    }
    // The table's own mark is not the flag: the caller decides what exemption counts.
    Vehicle marked = car();
    marked.Scutit = q("X");
    EXPECT_EQ(computeVehicleTax(marked, false, Y, VehicleTaxConstants{}).tax, c("132"));
}

TEST(VehicleTax, BaseIsRoundedToTwoDecimalsAndTaxIsNot)
{
    VehicleTaxConstants k;
    k.ratePer200[0][3] = c("16.5555"); // A1, Euro 6
    k.AI3 = c("10.005");
    const VehicleTaxResult registered = computeVehicleTax(car(), false, Y, k);
    EXPECT_EQ(registered.tax, c("132.444"));
    EXPECT_EQ(registered.base, c("132.44"));
    Vehicle recorded = car(smallCar, 0);
    recorded.Inmatric = 2;
    const VehicleTaxResult r = computeVehicleTax(recorded, false, Y, k);
    EXPECT_EQ(r.tax, c("10.005"));
    EXPECT_EQ(r.base, c("10.01"));
}

TEST(VehicleTax, UnitsOf200RoundUp)
{
    const std::pair<int, qint64> cases[] = {{0, 0}, {1, 1}, {199, 1}, {200, 1}, {201, 2}, {1598, 8},
                                            {1600, 8}, {1601, 9}, {4800, 24}, {4801, 25}};
    for (const auto &[capacity, units] : cases)
        EXPECT_EQ(unitsOf200(capacity), units) << capacity;
}

TEST(VehicleTaxConstants, InitialValuesAndControlNames)
{
    const VehicleTaxConstants k;
    const QStringList names = VehicleTaxConstants::controlNames();
    EXPECT_EQ(names.size(), 106);
    for (const QString &n : names) {
        const char *expected = n == u"HiRed" ? "30"
                               : n == u"AI1" ? "2"
                               : n == u"AI2" ? "4"
                               : n == u"AI3" ? "50"
                               : n == u"RedA1" ? "10"
                                               : "0";
        EXPECT_EQ(k.value(n), c(expected)) << n.toStdString();
    }
    VehicleTaxConstants set;
    EXPECT_TRUE(set.setValue(u"GC24B", c("7")));
    EXPECT_EQ(set.GCB[23], c("7"));
    EXPECT_TRUE(set.setValue(u"G1A", c("8")));
    EXPECT_EQ(set.GA[0], c("8"));
    EXPECT_TRUE(set.setValue(u"APA13", c("9")));
    EXPECT_EQ(set.APA[12], c("9"));
    for (const char *unknown : {"G16A", "G0A", "G07A", "G1", "G1C", "GC25A", "APA0", "APA14", "APA1A", "AUTO13",
                                "hired", "A1", ""}) {
        EXPECT_FALSE(set.setValue(q(unknown), c("1"))) << unknown;
        EXPECT_FALSE(set.value(q(unknown)).has_value()) << unknown;
    }
    // The rates fixed by law.
    EXPECT_EQ(k.rowRate(1, EmissionColumn::E6), c("16.5"));
    EXPECT_EQ(k.rowRate(2, EmissionColumn::E7), c("18.4"));
    EXPECT_EQ(k.rowRate(5, EmissionColumn::E3), c("182.9"));
    EXPECT_EQ(k.rowRate(6, EmissionColumn::E4), c("297.3"));
    EXPECT_EQ(k.rowRate(8, EmissionColumn::E5), c("35.1"));
    EXPECT_EQ(k.rowRate(9, EmissionColumn::E3), c("18"));
    EXPECT_EQ(k.rowRate(10, EmissionColumn::E7), c("40"));
}

// --- Calculation sheet -------------------------------------------------------------------

namespace {

QStringList header(const char *type, const char *fuel, const char *capacity, const char *euro)
{
    return {q("FISA DE CALCUL MIJLOC DE TRANSPORT"), q("**********************************"), q(""), q("VALEA MARE"),
            q("ROL: 112 - POPESCU ION"), q(""), q("Detalii vehicul:"), q(" - Tip:           ") + q(type),
            q(" - Combustibil:   ") + q(fuel), q(" - Capacitate:    ") + q(capacity), q(" - Euro:          ") + q(euro)};
}

QStringList sheetOf(const Vehicle &v, bool exempt, const VehicleTaxConstants &k)
{
    return vehicleTaxSheet(v, computeVehicleTax(v, exempt, Y, k), q("VALEA MARE"), q("112"), q("POPESCU ION"));
}

} // namespace

TEST(VehicleTaxSheet, RegisteredCarWithEveryStep)
{
    VehicleTaxConstants k;
    k.RataInfA1 = c("10");
    k.MajHCLA1 = c("5");
    Vehicle v = with(car("Autoturism cu capacitate <= 1600 cmc Hibrid"), "HIBRID");
    v.Valoare = c("400000");
    QStringList expected = header("Autoturism cu capacitate <= 1600 cmc Hibrid", "HIBRID", "1598", "6");
    expected << q(" - Inmatriculat: DA") << q("Impozit cf.L.239/2025 pct.43 : 16.50")
             << q("Parti de 200 cmc sau fratiune : 8") << q("Impozit calculat : 132.00")
             << q("Reducere HCL pentru hibride cu emisii CO2<=50g/km = 30.00%")
             << q("Impozit dupa reducere HCL = 92.40 lei")
             << q("Taxa cf.L.239/2025 pct.51 pentru valoarea auto peste 375000 lei, de 0.9% :")
             << q("Taxa lux        = 225.00 lei") << q("Impozit cu taxa = 317.40 lei")
             << q("Rata inflatiei            = 10.00 %") << q("Impozit cu rata inflatiei = 349.14 lei")
             << q("Cota aditionala HCL cf.L.239 pct.48 = 5.00%") << q("Impozit cu cota aditionala          = 366.60 lei");
    EXPECT_EQ(sheetOf(v, false, k), expected);
}

TEST(VehicleTaxSheet, HybridAboveFiftyGramsAndElectricCar)
{
    const VehicleTaxConstants k;
    QStringList hybrid = header(smallCar, "DIESEL + ELECTRIC", "1598", "6");
    hybrid << q(" - Inmatriculat: DA") << q(" - Hibrid cu emisii CO2 peste 50g/km: DA")
           << q("Impozit cf.L.239/2025 pct.43 : 16.20") << q("Parti de 200 cmc sau fratiune : 8")
           << q("Impozit calculat : 129.60") << q("Rata inflatiei            = 0.00 %")
           << q("Impozit cu rata inflatiei = 129.60 lei") << q("Cota aditionala HCL cf.L.239 pct.48 = 0.00%")
           << q("Impozit cu cota aditionala          = 129.60 lei");
    EXPECT_EQ(sheetOf(with(car(), "DIESEL + ELECTRIC", "X"), false, k), hybrid);

    QStringList electric = header("Autoturism electric", "ELECTRIC", "0", "0");
    electric << q(" - Inmatriculat: DA") << q("Impozit cf.L.239/2025 pct.43 : 40.00") << q("Impozit calculat : 40.00")
             << q("Rata inflatiei            = 0.00 %") << q("Impozit cu rata inflatiei = 40.00 lei")
             << q("Cota aditionala HCL cf.L.239 pct.48 = 0.00%") << q("Impozit cu cota aditionala          = 40.00 lei");
    EXPECT_EQ(sheetOf(with(car("Autoturism electric", 0, 0), "ELECTRIC"), false, k), electric);
}

TEST(VehicleTaxSheet, TrailerRecordedAndHeavyVehicles)
{
    VehicleTaxConstants k;
    k.AUTO16 = c("120");
    k.RataInfA1 = c("2.5");
    k.RataInfA2 = c("10");
    k.MajHCLA2 = c("20");
    k.APA[0] = c("50");
    k.CotaHCLA3 = c("10");

    QStringList trailer = header("Remorca de capacitate  3 - 5 t", "BENZINA", "0", "6");
    trailer << q(" - Inmatriculat: DA") << q("Impozit calculat : 120.00") << q("Rata inflatiei            = 2.50%")
            << q("Impozit cu rata inflatiei = 123.00 lei") << q("Cota aditionala HCL cf.L.239 pct.48 = 0.00%")
            << q("Impozit cu cota aditionala         = 123.00 lei");
    EXPECT_EQ(sheetOf(car("Remorca de capacitate  3 - 5 t", 0), false, k), trailer);

    Vehicle recorded = car("Tractor", 2500, 0);
    recorded.Inmatric = 2;
    QStringList local = header("Tractor", "BENZINA", "2500", "0");
    local << q(" - Inmatriculat: NU") << q(" - Numar de 200 cmc sau fractie: 13") << q("Impozit calculat : 26.00 lei.")
          << q("Rata inflatiei            = 10.00 %") << q("Impozit cu rata inflatiei = 28.60 lei")
          << q("Cota aditionala HCL cf.L.239 pct.48 = 20.00%") << q("Impozit cu cota aditionala          = 34.32 lei");
    EXPECT_EQ(sheetOf(recorded, false, k), local);

    Vehicle recordedElectric = with(car("Tractor", 0, 0), "ELECTRIC");
    recordedElectric.Inmatric = 2;
    QStringList flat = header("Tractor", "ELECTRIC", "0", "0");
    flat << q(" - Inmatriculat: NU") << q("Impozit cf.L.239/2025 pct.46 : 40.00 lei/an.");
    EXPECT_EQ(sheetOf(recordedElectric, false, k), flat);

    Vehicle recordedNoCapacity = car("Tractor", 0, 0);
    recordedNoCapacity.Inmatric = 2;
    QStringList ai3 = header("Tractor", "BENZINA", "0", "0");
    ai3 << q(" - Inmatriculat: NU") << q("Impozit calculat : 50.00 lei.") << q("Rata inflatiei            = 10.00 %")
        << q("Impozit cu rata inflatiei = 55.00 lei") << q("Cota aditionala HCL cf.L.239 pct.48 = 20.00%")
        << q("Impozit cu cota aditionala          = 66.00 lei");
    EXPECT_EQ(sheetOf(recordedNoCapacity, false, k), ai3);

    QStringList boat = header("Luntre", "-", "0", "0");
    boat << q("Impozit calculat : 50.00 lei.") << q("Rata inflatiei            = 0.00 %")
         << q("Impozit cu rata inflatiei = 50.00 lei") << q("Cota aditionala HCL cf.L.239 pct.48 = 10.00%")
         << q("Impozit cu cota aditionala          = 55.00 lei");
    EXPECT_EQ(sheetOf(with(car("Luntre", 0, 0), "-"), false, k), boat);
}

TEST(VehicleTaxSheet, EveryZeroReasonAddsItsBlock)
{
    Vehicle v = car();
    v.DataIn = day(Y, 3, 1);
    const QStringList lines = sheetOf(v, true, VehicleTaxConstants{});
    const QString stars(67, u'*');
    const QStringList tail = {q(""), q("AUTO ESTE DOBANDIT IN ANUL CURENT."), q("Valoare Impozit = 0"), stars,
                              q(""), q("SCUTIT DE IMPOZIT LA ACEST AUTO."),   q("Valoare Impozit = 0"), stars};
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(lines.mid(lines.size() - tail.size()), tail);
    // The computation is still shown before the reasons.
    EXPECT_EQ(lines[lines.size() - tail.size() - 1], q("Impozit cu cota aditionala          = 132.00 lei"));

    Vehicle sold = car();
    sold.DataOut = day(2025, 6, 30);
    const QStringList soldLines = sheetOf(sold, false, VehicleTaxConstants{});
    const QStringList soldTail = {q(""), q("AUTO ERA VANDUT LA INCEPUTUL ANULUI CURENT."), q("Valoare Impozit = 0"), stars};
    EXPECT_EQ(soldLines.mid(soldLines.size() - soldTail.size()), soldTail);
}

// --- Vehicle dialog checks ---------------------------------------------------------------

TEST(VehicleEntryCheck, TypeMustBeChosenAndFitTheCapacity)
{
    EXPECT_EQ(checkTypeChosen(u""), q("Nu ati ales Tip Auto!"));
    EXPECT_EQ(checkTypeChosen(u"  "), q("Nu ati ales Tip Auto!"));
    EXPECT_EQ(checkTypeChosen(u"Tractor"), std::nullopt);

    struct Case { const char *type; int capacity; bool fits; };
    const Case cases[] = {
        {"Autoturism cu capacitate <= 1600 cmc", 0, true},
        {"Autoturism cu capacitate <= 1600 cmc", 1600, true},
        {"Autoturism cu capacitate <= 1600 cmc", 1601, false},
        {"Autoturism cu capacitate <= 1600 cmc Hibrid", 1601, false},
        {"Autoturism cu capacitate intre 1601 si 2000 cmc", 1600, false},
        {"Autoturism cu capacitate intre 1601 si 2000 cmc", 1601, true},
        {"Autoturism cu capacitate intre 1601 si 2000 cmc Hibrid", 2000, true},
        {"Autoturism cu capacitate intre 1601 si 2000 cmc", 2001, false},
        {"Autoturism cu capacitate intre 2001 si 2600 cmc", 2000, false},
        {"Autoturism cu capacitate intre 2001 si 2600 cmc", 2600, true},
        {"Autoturism cu capacitate intre 2001 si 2600 cmc Hibrid", 2601, false},
        {"Autoturism cu capacitate intre 2601 si 3000 cmc", 2601, true},
        {"Autoturism cu capacitate intre 2601 si 3000 cmc", 3001, false},
        {"Autoturism cu capacitate > 3000 cmc", 3000, false},
        {"Autoturism cu capacitate > 3000 cmc", 3001, true},
        {"Autoturism cu capacitate > 3000 cmc Hibrid", 3000, false},
        {"Motoreta pest 69 CC", 69, false},
        {"Motoreta pest 69 CC", 70, true},
        {"Motoreta sub 69 CC", 69, true},
        {"Motoreta sub 69 CC", 70, false},
        {"Motocicleta", 2500, true},
        {"Remorca de capacitate  > 5 t", 0, true},
        // Barges hold "> 3000" in their text but are no cars.
        {"Slep > 3000 t", 0, true},
        {"Barja Fluviala > 3000 t", 0, true},
    };
    for (const Case &t : cases)
        EXPECT_EQ(checkTypeCapacity(q(t.type), t.capacity),
                  t.fits ? std::nullopt : std::optional<QString>(q("Tip Auto incorect!")))
            << t.type << " " << t.capacity;
}

TEST(VehicleEntryCheck, DatesOfEntryAcquisitionAndExit)
{
    const QDate today(Y, 6, 10);
    using F = VehicleEntryField;
    struct Case {
        const char *what;
        qint64 in, dob, out, instr;
        bool exitProtocol;
        std::optional<F> field;
    };
    const qint64 jan = day(Y, 1, 15), feb = day(Y, 2, 1), may = day(Y, 5, 1);
    const qint64 todayN = dayNumber(today), tomorrow = todayN + 1;
    const Case cases[] = {
        {"all in order", feb, jan, 0, 0, false, std::nullopt},
        {"entered and acquired today", todayN, todayN, 0, 0, false, std::nullopt},
        {"entry after today", tomorrow, jan, 0, 0, false, F::DataIn},
        {"acquisition after today", feb, tomorrow, 0, 0, false, F::DataDob},
        {"acquisition after entry", jan, feb, 0, 0, false, F::DataDob},
        {"exit protocol in order", jan, jan, may, may, true, std::nullopt},
        {"exit on the entry day", jan, jan, jan, jan, true, std::nullopt},
        {"exit before entry", feb, jan, jan, may, true, F::DataOut},
        {"exit after today", jan, jan, tomorrow, may, true, F::DataOut},
        {"sale before entry", feb, jan, may, jan, true, F::DataInstr},
        {"sale after today", jan, jan, may, tomorrow, true, F::DataInstr},
        {"exit dates unchecked without the protocol", jan, jan, tomorrow, 0, false, std::nullopt},
        // Older rows may lack dates: a missing one is not compared, the exit date is required.
        {"no entry or acquisition date", 0, 0, 0, 0, false, std::nullopt},
        {"acquired without an entry date", 0, feb, 0, 0, false, std::nullopt},
        {"acquisition after today without an entry date", 0, tomorrow, 0, 0, false, F::DataDob},
        {"exit protocol without an entry or sale date", 0, 0, may, 0, true, std::nullopt},
        {"exit protocol without an exit date", jan, jan, 0, may, true, F::DataOut},
    };
    for (const Case &t : cases) {
        Vehicle v = car();
        v.DataIn = t.in;
        v.DataDob = t.dob;
        v.DataOut = t.out;
        v.DataInstr = t.instr;
        const auto problem = checkVehicleDates(v, t.exitProtocol, today);
        EXPECT_EQ(problem.has_value(), t.field.has_value()) << t.what;
        if (problem && t.field) {
            EXPECT_EQ(problem->field, *t.field) << t.what;
            EXPECT_EQ(problem->message, q("Data incorecta!")) << t.what;
        }
    }
}

TEST(VehicleEntryCheck, SecondExemptVehicleIsRefused)
{
    const QString refused = q("Nu puteti avea doua masini scutite!");
    auto other = [](qint64 id, const char *scutit, qint64 dataOut) {
        Vehicle v = car();
        v.IDDETA = id;
        v.Scutit = q(scutit);
        v.DataOut = dataOut;
        return v;
    };
    struct Case {
        const char *what;
        qint64 id;
        const char *scutit;
        QList<Vehicle> role;
        bool refuse;
    };
    const Case cases[] = {
        {"another exempt vehicle in the records", 0, "X", {other(7, "X", 0)}, true},
        {"exit day below 1000 means still in the records", 0, "X", {other(7, "X", 999)}, true},
        {"the other was sold this year", 0, "X", {other(7, "X", day(Y, 1, 2))}, true},
        {"the other was sold on 1 January", 0, "X", {other(7, "X", day(Y, 1, 1))}, false},
        {"the other was sold last year", 0, "X", {other(7, "X", day(2025, 11, 3))}, false},
        {"the other is not exempt", 0, "X", {other(7, " ", 0), other(8, "", 0)}, false},
        {"editing the exempt vehicle itself", 7, "X", {other(7, "X", 0), other(8, "", 0)}, false},
        {"editing another while one is exempt", 8, "X", {other(7, "X", 0), other(8, "", 0)}, true},
        {"this vehicle is not exempt", 0, " ", {other(7, "X", 0)}, false},
        {"no other vehicle", 0, "X", {}, false},
    };
    for (const Case &t : cases) {
        Vehicle v = car();
        v.IDDETA = t.id;
        v.Scutit = q(t.scutit);
        EXPECT_EQ(checkSecondExempt(v, t.role, Y), t.refuse ? std::optional<QString>(refused) : std::nullopt)
            << t.what;
    }
}

TEST(VehicleEntryCheck, FirstFailureWinsAndTheEntryIsNormalised)
{
    const QDate today(Y, 6, 10);
    Vehicle exempt = car();
    exempt.IDDETA = 5;
    exempt.Scutit = q("X");
    const QList<Vehicle> role = {exempt};

    Vehicle v = car("Autoturism cu capacitate <= 1600 cmc", 1700);
    v.DataIn = dayNumber(today) + 1;
    v.Scutit = q("X");
    Vehicle noType = v;
    noType.TipAuto.clear();
    auto problem = validateVehicleEntry(noType, false, role, today, Y);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->message, q("Nu ati ales Tip Auto!"));

    problem = validateVehicleEntry(v, false, role, today, Y);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->message, q("Tip Auto incorect!"));

    v.Capacit = 1598;
    problem = validateVehicleEntry(v, false, role, today, Y);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, VehicleEntryField::DataIn);

    v.DataIn = dayNumber(today);
    problem = validateVehicleEntry(v, false, role, today, Y);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, VehicleEntryField::Scutit);
    EXPECT_EQ(problem->message, q("Nu puteti avea doua masini scutite!"));

    // Hidden fields are cleared and no fuel becomes "-"; the type is a key and keeps its blanks.
    Vehicle entry = car("Remorca de capacitate  1 - 3 t", 0);
    entry.Inmatric = 0;
    entry.NrInmat = q("B 12 ABC");
    entry.Combus = q("  ");
    entry.HIBpeste50 = q("X");
    entry.DataOut = day(Y, 3, 1);
    entry.DataInstr = day(Y, 3, 1);
    EXPECT_EQ(validateVehicleEntry(entry, false, {}, today, Y), std::nullopt);
    EXPECT_EQ(entry.TipAuto, q("Remorca de capacitate  1 - 3 t"));
    EXPECT_EQ(entry.NrInmat, QString());
    EXPECT_EQ(entry.Combus, q("-"));
    EXPECT_EQ(entry.HIBpeste50, QString());
    EXPECT_EQ(entry.DataOut, 0);
    EXPECT_EQ(entry.DataInstr, 0);

    Vehicle recorded = with(car(), "HIBRID", "X");
    recorded.Inmatric = 2;
    recorded.NrInmat = q("  VM  123 ");
    normalizeVehicleEntry(recorded, true);
    EXPECT_EQ(recorded.NrInmat, q("VM 123"));
    EXPECT_EQ(recorded.HIBpeste50, q("X"));
}
