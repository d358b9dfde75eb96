#include "register/domain/VehicleTypes.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace valdora::register_domain;

namespace {
QString q(const char *text) { return QString::fromLatin1(text); }
} // namespace

TEST(VehicleTypes, ListHasEveryNamedTypeOnceFirstTheSmallCar)
{
    const QStringList names = VehicleTypes::names();
    // 61 named types and 47 mass bands of heavy vehicles in two suspensions.
    EXPECT_EQ(names.size(), 155);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(names.first(), q("Autoturism cu capacitate <= 1600 cmc"));
    EXPECT_EQ(names[1], q("Autoturism cu capacitate <= 1600 cmc Hibrid"));
    EXPECT_EQ(names.last(), q("Auto 3+3 axe, alt tip de suspensie, masa peste 44t"));
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(VehicleTypes::number(names[i]), i + 1) << names[i].toStdString();
}

TEST(VehicleTypes, TextsAreKeysKeptByteForByte)
{
    struct Case { const char *name; const char *rate; };
    const Case known[] = {
        {"Autoturism cu capacitate intre 1601 si 2000 cmc Hibrid", "A3"},
        {"Autoturism cu capacitate > 3000 cmc", "A6"},
        {"Microbuz", "A7"},
        {"Autovehicule sub 12 tone/autovehicule de teren din prod. int.", "A8"},
        {"Tractor", "A9"},
        {"Autoturism electric", "A10"},
        {"Motoreta pest 69 CC", ""},
        {"Triciclu cu motor pentru invalizi", ""},
        {"Atas", "AUTO14"},
        {"Rulota de capacitate < 1t", "AUTO14"},
        {"Remorca de capacitate  1 - 3 t", "AUTO15"},
        {"Semiremorca de capacitate  3 - 5 t", "AUTO16"},
        {"Rulota de capacitate  > 5 t", "AUTO17"},
        {"Barca fara motor, folosita pentru uz si agrement personal", "APA1"},
        {"Scutere de apa", "APA1"},
        {"Barca fara motor folosita in alte scopuri", "APA2"},
        {"Barca cu motor", "APA3"},
        {"Iaht", "APA4"},
        {"Remorcher < 500 CP", "APA6"},
        {"Remorcher 501 - 2000 CP", "APA7"},
        {"Remorcher 2000 - 4000 CP", "APA8"},
        {"Pod plutitor", "APA9"},
        {"Vapoare", "APA10"},
        {"Ceam < 1500 t", "APA11"},
        {"Barja Fluviala  1500 - 3000 t", "APA12"},
        {"Slep 1500 - 3000 t", "APA12"},
        {"Barja Fluviala > 3000 t", "APA13"},
        {"Auto 2 axe, suspensie pneumatica, masa peste 12t, dar sub 13t", "G1A"},
        {"Auto 2 axe, alt tip de suspensie, masa peste 15t, dar sub 18t", "G4B"},
        {"Auto 2 axe, suspensie pneumatica, masa peste 18t", "G4A"},
        {"Auto 3 axe, alt tip de suspensie, masa peste 19t, dar sub 21t", "G7B"},
        {"Auto 3 axe, suspensie pneumatica, masa peste 26t", "G10A"},
        {"Auto 4 axe, alt tip de suspensie, masa peste 31t, dar sub 32t", "G15B"},
        {"Auto 4 axe, suspensie pneumatica, masa peste 32t", "G15A"},
        {"Auto 2+1 axe, alt tip de suspensie, masa peste 12t, dar sub 14t", "GC1B"},
        {"Auto 2+1 axe, suspensie pneumatica, masa peste 28t", "GC8A"},
        {"Auto 2+2 axe, alt tip de suspensie, masa peste 23t, dar sub 25t", "GC9B"},
        {"Auto 2+2 axe, suspensie pneumatica, masa peste 38t", "GC16A"},
        {"Auto 2+3 axe, alt tip de suspensie, masa peste 40t", "GC18B"},
        {"Auto 3+2 axe, suspensie pneumatica, masa peste 40t, dar sub 44t", "GC21A"},
        {"Auto 3+3 axe, suspensie pneumatica, masa peste 36t, dar sub 38t", "GC22A"},
        {"Auto 3+3 axe, alt tip de suspensie, masa peste 44t", "GC24B"},
    };
    for (const Case &k : known) {
        const VehicleType *t = VehicleTypes::find(q(k.name));
        ASSERT_NE(t, nullptr) << k.name;
        EXPECT_EQ(t->rateName(), q(k.rate)) << k.name;
    }
    // A tidied or retyped text is another key and matches nothing.
    for (const char *other : {"Remorca de capacitate 1 - 3 t", "Barja Fluviala 1500 - 3000 t", "Motoreta peste 69 CC",
                              "autobuz", "Autobuz ", "Auto 2 axe, suspensie pneumatica, masa peste 18t, dar sub 19t",
                              ""}) {
        EXPECT_EQ(VehicleTypes::find(q(other)), nullptr) << other;
        EXPECT_EQ(VehicleTypes::number(q(other)), 0) << other;
    }
}

TEST(VehicleTypes, EveryOfficeRateHasATypeExceptTheFifthVesselRate)
{
    QSet<QString> used;
    for (const VehicleType &t : VehicleTypes::all())
        if (!t.rateName().isEmpty())
            used.insert(t.rateName());
    QSet<QString> expected;
    for (int n : {1, 3, 4, 5, 6, 7, 8, 9, 10})
        expected.insert(QStringLiteral("A%1").arg(n));
    for (int n = 14; n <= 17; ++n)
        expected.insert(QStringLiteral("AUTO%1").arg(n));
    for (int n = 1; n <= 13; ++n)
        if (n != 5)
            expected.insert(QStringLiteral("APA%1").arg(n));
    for (const char *s : {"A", "B"}) {
        for (int n = 1; n <= 15; ++n)
            expected.insert(QStringLiteral("G%1%2").arg(n).arg(QLatin1String(s)));
        for (int n = 1; n <= 24; ++n)
            expected.insert(QStringLiteral("GC%1%2").arg(n).arg(QLatin1String(s)));
    }
    EXPECT_EQ(used, expected);
}

TEST(VehicleTypes, HybridFuels)
{
    EXPECT_EQ(VehicleTypes::fuels().size(), 11);
    EXPECT_EQ(VehicleTypes::fuels().first(), q("-"));
    for (const QString &f : VehicleTypes::fuels()) {
        const bool hybrid = f == q("BENZINA + ELECTRIC") || f == q("DIESEL + ELECTRIC") || f == q("HIBRID");
        EXPECT_EQ(VehicleTypes::isHybridFuel(f), hybrid) << f.toStdString();
    }
}
