#pragma once
// Yearly tax of one vehicle, and the calculation sheet that explains it.

#include "app/core/Currency.h"
#include "register/domain/VehicleTypes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

namespace valdora::register_domain {

// Day numbers of `AutoDet` below this one are no date (the lists show "-").
inline constexpr qint64 firstDateDay = 101;
inline bool isDateDay(qint64 day) { return day >= firstDateDay; }
// An exit day number above this one is a real exit; below it the vehicle is still in the records.
inline constexpr qint64 vehicleExitDay = 1000;

// One `AutoDet` row, as far as the tax and the vehicle dialog's checks read it.
// Dates are day numbers as the table keeps them (0 when empty).
struct Vehicle {
    qint64 IDDETA = 0;
    QString TipAuto;
    QString Combus = QStringLiteral("-");
    int Euro = 0;
    QString HIBpeste50; // "X": hybrid above 50 g CO2/km
    int Inmatric = 1;   // 0 neinmatriculat, 1 inmatriculat, 2 inregistrat
    QString NrInmat;
    Currency Valoare;
    int Capacit = 0; // cm3
    qint64 DataIn = 0;
    qint64 DataDob = 0;
    qint64 DataOut = 0;
    qint64 DataInstr = 0;
    QString Scutit; // "X": exempt
};

// Columns of the registered-vehicle rates: Euro 0-3, 4, 5, 6, and hybrids above 50 g CO2/km.
enum class EmissionColumn { E3, E4, E5, E6, E7 };

// Every value the vehicle tax reads. The office's values carry the administration
// window's control names and their initial values; the rates fixed by law follow.
struct VehicleTaxConstants {
    static constexpr Currency lei(int64_t whole) { return Currency::fromRaw(whole * Currency::Scale); }
    static constexpr Currency tenths(int64_t t) { return Currency::fromRaw(t * (Currency::Scale / 10)); }

    Currency HiRed = lei(30); // percent off for hybrids up to 50 g CO2/km
    Currency AUTO14, AUTO15, AUTO16, AUTO17; // registered trailers, lei per year
    Currency AI1 = lei(2);  // locally recorded, per 200 cm3, up to 4 800 cm3
    Currency AI2 = lei(4);  // locally recorded, per 200 cm3, above 4 800 cm3
    Currency AI3 = lei(50); // locally recorded without capacity, lei per year
    std::array<Currency, 15> GA{}, GB{};   // G1A..G15A, G1B..G15B, lei per year
    std::array<Currency, 24> GCA{}, GCB{}; // GC1A..GC24A, GC1B..GC24B, lei per year
    std::array<Currency, 13> APA{};        // APA1..APA13, lei per year
    Currency RataInfA1, RataInfA2, RataInfA3; // inflation percent: registered, recorded, heavy or water
    Currency MajHCLA1, MajHCLA2, CotaHCLA3;   // council percent for the same three groups
    Currency RedA1 = lei(10); // advance-payment discount percent, read by the assessment run

    // Lei per 200 cm3 or fraction for registered vehicles, rows A1..A8, columns E3..E7.
    std::array<std::array<Currency, 5>, 8> ratePer200{{
        {tenths(195), tenths(188), tenths(176), tenths(165), tenths(162)},
        {tenths(221), tenths(213), tenths(199), tenths(187), tenths(184)},
        {tenths(297), tenths(285), tenths(267), tenths(251), tenths(246)},
        {tenths(922), tenths(886), tenths(828), tenths(778), tenths(763)},
        {tenths(1829), tenths(1728), tenths(1541), tenths(1512), tenths(1498)},
        {tenths(3190), tenths(2973), tenths(2944), tenths(2900), tenths(2755)},
        {tenths(312), tenths(300), tenths(281), tenths(264), tenths(259)},
        {tenths(390), tenths(375), tenths(351), tenths(330), tenths(324)},
    }};
    Currency A9 = lei(18);  // registered tractors, per 200 cm3
    Currency A10 = lei(40); // electric vehicles, lei per year

    // Rate of row 1..8 in a column; row 9 and 10 ignore the column.
    Currency rowRate(int row, EmissionColumn column) const;
    // The office's yearly tax of a trailer, vessel, heavy vehicle or combination; nullopt for other kinds.
    std::optional<Currency> yearlyRate(const VehicleType &type) const;

    // Access by the administration control's name ("HiRed", "AUTO15", "G7B", "GC24A", "APA3", ...),
    // as `Ini.dbf` keys them. The rates fixed by law have no control and are not reachable here.
    std::optional<Currency> value(QStringView controlName) const;
    bool setValue(QStringView controlName, Currency value);
    static QStringList controlNames();
};

enum class VehicleTaxRule {
    Registered = 1,        // registered, rows A1..A10
    RegisteredTrailer = 2, // registered trailer, AUTO14..AUTO17
    RecordedLocally = 3,   // recorded locally, AI1..AI3
    HeavyOrWater = 4       // anything else: heavy vehicles and vessels by exact name, else 0
};

enum class VehicleZeroReason { AcquiredThisYear, SoldBeforeThisYear, Exempt };
QString zeroReasonText(VehicleZeroReason reason);

// Every intermediate the calculation sheet shows. Amounts are unrounded (four decimals)
// unless said otherwise.
struct VehicleTaxResult {
    Currency tax;  // after every step; 0 when a zero reason applies
    Currency base; // before hybrid discount, luxury part, inflation and council percent; 2 decimals; 0 for rule 4
    VehicleTaxRule rule = VehicleTaxRule::HeavyOrWater;
    QString rateName;                     // "A3", "A10", "AUTO15", "AI1", "G7B", "APA4"; empty when nothing matched
    std::optional<EmissionColumn> column; // rule 1, rows A1..A8 only
    Currency rate;                        // per 200 cm3, or per year
    std::optional<qint64> units;          // parts of 200 cm3 or fraction, when the rate is per 200 cm3
    Currency calculated;                  // units x rate, or the yearly rate

    bool hybridDiscount = false;
    Currency hybridPercent;
    Currency afterHybridDiscount;

    bool luxury = false;
    Currency luxuryPart;
    Currency afterLuxury;

    bool flatElectric = false; // locally recorded electric vehicle: the A10 amount and nothing else

    Currency inflationPercent;
    Currency afterInflation;
    Currency councilPercent;
    Currency afterCouncil;

    QList<VehicleZeroReason> zeroReasons; // in the order they were checked
};

// Parts of 200 cm3 or fraction.
qint64 unitsOf200(int capacity);

// The tax of `vehicle` in `fiscalYear`. `exempt` is the vehicle's exemption flag as the
// caller wants it counted (the assessment run passes false and handles exemption itself).
VehicleTaxResult computeVehicleTax(const Vehicle &vehicle, bool exempt, int fiscalYear,
                                   const VehicleTaxConstants &constants);

// Lines of the calculation sheet of a vehicle ("FisCAuto*.txt"). `locality`, `role` and
// `name` head the sheet (the role's locality, role number and name).
QStringList vehicleTaxSheet(const Vehicle &vehicle, const VehicleTaxResult &result, const QString &locality,
                            const QString &role, const QString &name);

} // namespace valdora::register_domain
