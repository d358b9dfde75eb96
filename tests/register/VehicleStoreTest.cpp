// The vehicles in the database, the constants read from the administration, the
// computed list columns and the placeholders of the three vehicle documents.

#include "admin/domain/AdminControls.h"
#include "app/core/Dates.h"
#include "app/db/DbFixture.h"
#include "register/store/RoleStore.h"
#include "register/store/VehicleConstants.h"
#include "register/store/VehicleDocumentValues.h"
#include "register/store/VehicleList.h"
#include "register/store/VehicleStore.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::roles;
using namespace valdora::test;

namespace {

qint64 day(int d, int m, int y) { return dayNumber(QDate(y, m, d)); }

struct StoreFixture : ProgramFixture {
    std::unique_ptr<Database> database;
    StoreFixture()
    {
        start();
        database = db();
    }
    Database &db_() { return *database; }
    qint64 role()
    {
        RoleRecord r;
        r.SATUL = QStringLiteral("LUNCA");
        r.ROL = QStringLiteral("125");
        r.NUMEP = QStringLiteral("POPESCU ION");
        SettingsFile s = settings();
        return addRole(db_(), s, r);
    }
    qint64 add(const VehicleRecord &v)
    {
        SettingsFile s = settings();
        return addVehicle(db_(), s, v);
    }
};

VehicleRecord everyColumn(qint64 IDGOS)
{
    VehicleRecord v;
    v.IDGOS = IDGOS;
    v.NrDos = QStringLiteral("12/2025");
    v.TipAuto = QStringLiteral("Autoturism cu capacitate intre 1601 si 2000 cmc Hibrid");
    v.Marca = QStringLiteral("TOYOTA");
    v.Combus = QStringLiteral("HIBRID");
    v.Euro = 6;
    v.HIBpeste50 = QStringLiteral("X");
    v.NrInmat = QStringLiteral("BC01XYZ");
    v.Inmatric = 1;
    v.Valoare = *Currency::parse(u"400000.50");
    v.AnulF = 2024;
    v.Capacit = 1798;
    v.Tonaj = 2;
    v.Serie = QStringLiteral("JTDKB20U");
    v.SerieM = QStringLiteral("2ZR-FXE");
    v.OBS = QStringLiteral("leasing");
    v.PVInNr = 15;
    v.PVOutNr = 16;
    v.DataIn = day(5, 5, 2025);
    v.DataDob = day(2, 5, 2025);
    v.ActD = QStringLiteral("Factura");
    v.NrActD = QStringLiteral("F-1");
    v.DataOut = day(20, 2, 2026);
    v.DataInstr = day(18, 2, 2026);
    v.ActV = QStringLiteral("Contract");
    v.NrActV = QStringLiteral("C-9");
    v.CertRad = QStringLiteral("R-1");
    v.CertRadD = day(19, 2, 2026);
    v.NumeNou = QStringLiteral("IONESCU MARIA");
    v.JudNou = QStringLiteral("BACAU");
    v.LocNou = QStringLiteral("ONESTI");
    v.AdrNou = QStringLiteral("Str. Oituz 3");
    v.Scutit = QStringLiteral("X");
    return v;
}

// Every column, as one text, to compare two records.
QString columns(const VehicleRecord &v)
{
    return QStringList{QString::number(v.IDGOS), QString::number(v.IDDETA), v.NrDos, v.TipAuto, v.Marca, v.Combus,
                       QString::number(v.Euro), v.HIBpeste50, v.NrInmat, QString::number(v.Inmatric),
                       v.Valoare.toString(2), QString::number(v.AnulF), QString::number(v.Capacit),
                       QString::number(v.Tonaj), v.Serie, v.SerieM, v.OBS, QString::number(v.PVInNr),
                       QString::number(v.PVOutNr), QString::number(v.DataIn), QString::number(v.DataDob), v.ActD,
                       v.NrActD, QString::number(v.DataOut), QString::number(v.DataInstr), v.ActV, v.NrActV,
                       v.CertRad, QString::number(v.CertRadD), v.NumeNou, v.JudNou, v.LocNou, v.AdrNou, v.Scutit}
        .join(u'|');
}

QStringList keys(const PlaceholderValues &values)
{
    QStringList out;
    for (const auto &[placeholder, value] : values)
        out << placeholder;
    return out;
}

} // namespace

TEST(VehicleStore, EveryColumnIsStoredAndReadBackAndChangesKeepTheRole)
{
    StoreFixture f;
    const qint64 a = f.role();
    VehicleRecord v = everyColumn(a);
    const qint64 first = f.add(v);
    const qint64 second = f.add(everyColumn(a));
    EXPECT_EQ(second, first + 1); // the IDDETA counter
    v.IDDETA = first;
    const auto back = loadVehicle(f.db_(), first);
    ASSERT_TRUE(back);
    EXPECT_EQ(columns(*back).toStdString(), columns(v).toStdString());

    // An edit rewrites the vehicle, never its owner; without an exit protocol the exit is cleared.
    VehicleRecord edited = *back;
    edited.IDGOS = 999;
    edited.Marca = QStringLiteral("LEXUS");
    updateVehicle(f.db_(), edited, false);
    const auto after = loadVehicle(f.db_(), first);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->IDGOS, a);
    EXPECT_EQ(after->Marca, "LEXUS");
    EXPECT_EQ(after->DataOut, 0);
    EXPECT_EQ(after->PVOutNr, 0);
    EXPECT_EQ(after->NumeNou, "");
    EXPECT_EQ(after->PVInNr, 15);
    EXPECT_EQ(loadVehicle(f.db_(), second)->Marca, "TOYOTA");

    EXPECT_TRUE(deleteVehicle(f.db_(), first));
    EXPECT_FALSE(deleteVehicle(f.db_(), first));
    EXPECT_FALSE(loadVehicle(f.db_(), first));
    ASSERT_EQ(loadVehicles(f.db_(), a).size(), 1u);
}

TEST(VehicleStore, ListOrderSuggestionsAndComputedColumns)
{
    StoreFixture f;
    const qint64 a = f.role();
    VehicleRecord out = everyColumn(a); // exempt, out in February
    out.NrDos = QStringLiteral("out");
    VehicleRecord late;
    late.IDGOS = a;
    late.NrDos = QStringLiteral("late");
    late.TipAuto = QStringLiteral("Auto 3 axe, alt tip de suspensie, masa peste 19t, dar sub 21t");
    late.Inmatric = 0;
    late.DataIn = day(1, 3, 2025);
    late.ActD = QStringLiteral("Factura");
    VehicleRecord early = late;
    early.NrDos = QStringLiteral("early");
    early.DataIn = day(1, 1, 2024);
    early.ActD = QStringLiteral("Contract");
    f.add(out);
    f.add(late);
    f.add(early);

    admin::AdminValues office;
    office.setText(QStringLiteral("G7B"), QStringLiteral("500"));
    office.setText(QStringLiteral("CotaHCLA3"), QStringLiteral("10"));
    const auto rows = vehicleList(loadVehicles(f.db_(), a), vehicleTaxConstants(office), 2026);
    ASSERT_EQ(rows.size(), 3u);
    // By exit date, then entry date.
    EXPECT_EQ(rows[0].vehicle.NrDos, "early");
    EXPECT_EQ(rows[1].vehicle.NrDos, "late");
    EXPECT_EQ(rows[2].vehicle.NrDos, "out");
    EXPECT_EQ(rows[0].InmatricS, "neinmat.");
    EXPECT_EQ(rows[0].DataOutS, "-");
    EXPECT_EQ(rows[0].CertRadDS, "-");
    EXPECT_EQ(rows[0].Impozit.toString(2), "550.00"); // the office's heavy-vehicle tax, council percent added
    EXPECT_EQ(rows[2].InmatricS, "inmat.");
    EXPECT_EQ(rows[2].DataOutS, "20.02.2026");
    EXPECT_EQ(rows[2].Impozit.toString(2), "0.00"); // exempt
    EXPECT_EQ(storedAcquisitionDocuments(f.db_()), QStringList({"Contract", "Factura"}));
}

TEST(VehicleDocuments, EachDocumentFillsItsOwnPlaceholders)
{
    admin::AdminValues office;
    office.setText(QStringLiteral("PrimariaLab"), QStringLiteral("COMUNA LUNCA"));
    office.setText(QStringLiteral("LocalitateaLab"), QStringLiteral("LUNCA"));
    office.setText(QStringLiteral("JudetulLab"), QStringLiteral("BACAU"));
    office.setText(QStringLiteral("CUILab"), QStringLiteral("4231609"));
    RoleRecord role;
    role.ROL = QStringLiteral("125");
    role.NUMEP = QStringLiteral("POPESCU ION");
    role.STRADA = QStringLiteral("Unirii");
    role.ADRESA = QStringLiteral("12");
    const VehicleRecord v = everyColumn(1);
    const QDate today(2026, 3, 2);
    const QStringList common{"[UAT]", "[CUI]", "[NR]", "[DATA]", "[NUMEP]", "[JUDET]", "[LOCALITATEA]", "[SATUL]",
                             "[ADRESA]", "[CNP]", "[ROL]", "[MARCA]", "[COMBUS]", "[SERIEM]", "[SERIE]"};
    const QStringList exitOnes{"[CAPACIT]", "[TONAJ]", "[DATADOB]", "[NRDOS]", "[DATAINSTR]", "[ACTV]", "[NRACTV]",
                               "[CERTRAD]", "[CERTRADD]", "[NUMENOU]", "[JUDNOU]", "[LOCNOU]", "[ADRNOU]"};
    struct Case {
        VehicleDocument document;
        QStringList placeholders;
        const char *number;
        const char *date;
    };
    const Case cases[] = {
        {VehicleDocument::EntryProtocol,
         common + QStringList{"[ANULF]", "[CAPACIT]", "[TONAJ]", "[DATADOB]", "[ACTD]", "[NRACTD]", "[NRDOS]"}, "15",
         "05.05.2025"},
        {VehicleDocument::ExitProtocol, common + exitOnes, "16", "20.02.2026"},
        {VehicleDocument::Deregistration, common + exitOnes, "16", "02.03.2026"},
    };
    for (const Case &c : cases) {
        const PlaceholderValues values = vehicleDocumentValues(c.document, office, role, v, today);
        EXPECT_EQ(keys(values), c.placeholders) << vehicleDocumentTemplate(c.document).toStdString();
        const auto value = [&](const char *p) {
            for (const auto &[placeholder, text] : values)
                if (placeholder == QLatin1String(p))
                    return text;
            return QStringLiteral("<none>");
        };
        EXPECT_EQ(value("[NR]"), c.number);
        EXPECT_EQ(value("[DATA]"), c.date);
        EXPECT_EQ(value("[UAT]"), "COMUNA LUNCA");
        EXPECT_EQ(value("[CUI]"), "4231609");
        EXPECT_EQ(value("[JUDET]"), "BACAU");
        EXPECT_EQ(value("[LOCALITATEA]"), "LUNCA");
        EXPECT_EQ(value("[ADRESA]"), "str.Unirii 12");
    }
    EXPECT_EQ(vehicleDocumentPrefix(VehicleDocument::Deregistration), "ITL016_");

    // A protocol without a number yet prints a blank, not "0".
    VehicleRecord unnumbered = v;
    unnumbered.PVInNr = 0;
    EXPECT_EQ(vehicleDocumentValues(VehicleDocument::EntryProtocol, office, role, unnumbered, today)[2].second, "");
}
