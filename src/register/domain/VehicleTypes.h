#pragma once
// The catalogue of vehicle types offered by the vehicle dialog. A type's text is
// the key of its tax rate and is stored as such in `AutoDet.TipAuto`, so every
// text is kept exactly as the office has always written it (double blanks and
// misspellings included): changing one would orphan the vehicles stored with it.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace valdora::register_domain {

enum class VehicleTypeKind {
    Row,         // fixed row of the registered-vehicle rates: A1, A3..A10
    Motorcycle,  // row by capacity: A1 up to 1600 cm3, A2 above, A10 without capacity
    Trailer,     // office tax per year `AUTO14`..`AUTO17`
    Vessel,      // office tax per year `APA1`..`APA13`
    Heavy,       // vehicle over 12 t, `G1A`..`G15B`
    Combination  // combination over 12 t, `GC1A`..`GC24B`
};

struct VehicleType {
    QString name;
    VehicleTypeKind kind = VehicleTypeKind::Row;
    // Row: 1..10 (0 for Motorcycle); Trailer: 14..17; Vessel: 1..13; Heavy: 1..15; Combination: 1..24.
    int number = 0;
    // 'A' pneumatic suspension, 'B' another kind; only for Heavy and Combination.
    char suspension = 0;

    // "A3", "AUTO15", "APA4", "G7B", "GC24A"; empty for Motorcycle (its row depends on capacity).
    QString rateName() const;
};

class VehicleTypes {
public:
    // Every type in the order of the dialog's list.
    static const QList<VehicleType> &all();
    static QStringList names();
    // The type with exactly this text (no trimming, no case folding), or nullptr.
    static const VehicleType *find(QStringView name);
    // 1-based position in the list, 0 when the text is not a listed type.
    static int number(QStringView name);

    // The fuels of `Combus` in the order of the dialog's list; "-" means none chosen.
    static const QStringList &fuels();
    // The suggestion list of makes of the vehicle dialog; the first is a new vehicle's make.
    static const QStringList &makes();
    // "BENZINA + ELECTRIC", "DIESEL + ELECTRIC" and "HIBRID": the fuels with a hybrid discount
    // and for which the "Poluare peste 50g CO2/Km" box is offered.
    static bool isHybridFuel(QStringView fuel);
};

} // namespace valdora::register_domain
