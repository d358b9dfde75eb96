#include "register/domain/VehicleTax.h"

#include "app/core/Dates.h"

namespace valdora::register_domain {

namespace {

using K = VehicleTaxConstants;

const Currency hundred = K::lei(100);
const Currency luxuryThreshold = K::lei(375000);
const Currency luxuryPercent = K::tenths(9); // 0.9 %

// Day numbers up to this one are placeholders, not exit dates, for the tax.
constexpr qint64 realExitDay = 10000;

// Percent increase with one rounding: t x (100 + p) / 100.
Currency raisedBy(Currency t, Currency percent)
{
    return Currency::percentOf(t, hundred + percent, Rounding::HalfAwayFromZero);
}

EmissionColumn euroColumn(int euro)
{
    if (euro <= 3)
        return EmissionColumn::E3;
    if (euro == 4)
        return EmissionColumn::E4;
    if (euro == 5)
        return EmissionColumn::E5;
    return EmissionColumn::E6;
}

// The slot of an office value by its control name, nullptr for an unknown name.
Currency *slot(K &k, QStringView name)
{
    struct Plain {
        const char16_t *name;
        Currency K::*member;
    };
    static const Plain plain[] = {
        {u"HiRed", &K::HiRed},         {u"AUTO14", &K::AUTO14},       {u"AUTO15", &K::AUTO15},
        {u"AUTO16", &K::AUTO16},       {u"AUTO17", &K::AUTO17},       {u"AI1", &K::AI1},
        {u"AI2", &K::AI2},             {u"AI3", &K::AI3},             {u"RataInfA1", &K::RataInfA1},
        {u"RataInfA2", &K::RataInfA2}, {u"RataInfA3", &K::RataInfA3}, {u"MajHCLA1", &K::MajHCLA1},
        {u"MajHCLA2", &K::MajHCLA2},   {u"CotaHCLA3", &K::CotaHCLA3}, {u"RedA1", &K::RedA1},
    };
    for (const Plain &p : plain)
        if (name == QStringView(p.name))
            return &(k.*p.member);

    // "G7B", "GC24A", "APA13": the number is checked by writing the name back, so "G07A" is unknown.
    auto numbered = [&](QStringView prefix, bool lettered, int count) -> int {
        if (!name.startsWith(prefix))
            return 0;
        QStringView digits = name.mid(prefix.size());
        if (lettered)
            digits.chop(1);
        bool ok = false;
        const int n = digits.toInt(&ok);
        if (!ok || n < 1 || n > count || QString::number(n) != digits)
            return 0;
        return n;
    };
    const QChar last = name.isEmpty() ? QChar() : name.back();
    const bool a = last == u'A';
    const bool b = last == u'B';
    if (int n = numbered(u"GC", true, 24); n && (a || b))
        return a ? &k.GCA[n - 1] : &k.GCB[n - 1];
    if (int n = numbered(u"G", true, 15); n && (a || b))
        return a ? &k.GA[n - 1] : &k.GB[n - 1];
    if (int n = numbered(u"APA", false, 13))
        return &k.APA[n - 1];
    return nullptr;
}

QString money(Currency c)
{
    return c.toString(2);
}

} // namespace

Currency VehicleTaxConstants::rowRate(int row, EmissionColumn column) const
{
    if (row == 9)
        return A9;
    if (row == 10)
        return A10;
    if (row < 1 || row > 8)
        return {};
    return ratePer200[row - 1][static_cast<int>(column)];
}

std::optional<Currency> VehicleTaxConstants::yearlyRate(const VehicleType &type) const
{
    const int n = type.number;
    switch (type.kind) {
    case VehicleTypeKind::Trailer:
        switch (n) {
        case 14: return AUTO14;
        case 15: return AUTO15;
        case 16: return AUTO16;
        case 17: return AUTO17;
        default: return std::nullopt;
        }
    case VehicleTypeKind::Vessel:
        if (n >= 1 && n <= 13)
            return APA[n - 1];
        return std::nullopt;
    case VehicleTypeKind::Heavy:
        if (n >= 1 && n <= 15)
            return type.suspension == 'A' ? GA[n - 1] : GB[n - 1];
        return std::nullopt;
    case VehicleTypeKind::Combination:
        if (n >= 1 && n <= 24)
            return type.suspension == 'A' ? GCA[n - 1] : GCB[n - 1];
        return std::nullopt;
    case VehicleTypeKind::Row:
    case VehicleTypeKind::Motorcycle:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Currency> VehicleTaxConstants::value(QStringView controlName) const
{
    if (Currency *p = slot(const_cast<VehicleTaxConstants &>(*this), controlName))
        return *p;
    return std::nullopt;
}

bool VehicleTaxConstants::setValue(QStringView controlName, Currency v)
{
    Currency *p = slot(*this, controlName);
    if (!p)
        return false;
    *p = v;
    return true;
}

QStringList VehicleTaxConstants::controlNames()
{
    QStringList names = {QStringLiteral("HiRed"),  QStringLiteral("AUTO14"),    QStringLiteral("AUTO15"),
                         QStringLiteral("AUTO16"), QStringLiteral("AUTO17"),    QStringLiteral("RataInfA1"),
                         QStringLiteral("MajHCLA1"), QStringLiteral("RedA1"),   QStringLiteral("AI1"),
                         QStringLiteral("AI2"),    QStringLiteral("AI3"),       QStringLiteral("RataInfA2"),
                         QStringLiteral("MajHCLA2")};
    for (QChar s : {u'A', u'B'})
        for (int n = 1; n <= 15; ++n)
            names.append(QStringLiteral("G%1%2").arg(n).arg(s));
    names.append(QStringLiteral("RataInfA3"));
    names.append(QStringLiteral("CotaHCLA3"));
    for (QChar s : {u'A', u'B'})
        for (int n = 1; n <= 24; ++n)
            names.append(QStringLiteral("GC%1%2").arg(n).arg(s));
    for (int n = 1; n <= 13; ++n)
        names.append(QStringLiteral("APA%1").arg(n));
    return names;
}

QString zeroReasonText(VehicleZeroReason reason)
{
    switch (reason) {
    case VehicleZeroReason::AcquiredThisYear:
        return QStringLiteral("AUTO ESTE DOBANDIT IN ANUL CURENT.");
    case VehicleZeroReason::SoldBeforeThisYear:
        return QStringLiteral("AUTO ERA VANDUT LA INCEPUTUL ANULUI CURENT.");
    case VehicleZeroReason::Exempt:
        return QStringLiteral("SCUTIT DE IMPOZIT LA ACEST AUTO.");
    }
    return {};
}

qint64 unitsOf200(int capacity)
{
    // Rounded up; whole cm3 over 200 never needs more than three decimals, so this is exact.
    if (capacity <= 0)
        return -(static_cast<qint64>(-capacity) / 200);
    return (static_cast<qint64>(capacity) + 199) / 200;
}

VehicleTaxResult computeVehicleTax(const Vehicle &v, bool exempt, int fiscalYear, const VehicleTaxConstants &k)
{
    VehicleTaxResult r;
    const VehicleType *type = VehicleTypes::find(v.TipAuto);
    const QString fuel = v.Combus.trimmed();
    const bool electric = fuel == u"ELECTRIC";
    const bool hybrid = VehicleTypes::isHybridFuel(fuel);
    const bool above50 = v.HIBpeste50.trimmed() == u"X";
    const int capacity = v.Capacit;

    auto applyPercents = [&r](Currency t, Currency inflation, Currency council) {
        r.inflationPercent = inflation;
        r.afterInflation = raisedBy(t, inflation);
        r.councilPercent = council;
        r.afterCouncil = raisedBy(r.afterInflation, council);
        return r.afterCouncil;
    };

    Currency t;
    const bool registered = v.Inmatric == 1;
    if (registered && type
        && (type->kind == VehicleTypeKind::Row || type->kind == VehicleTypeKind::Motorcycle)) {
        r.rule = VehicleTaxRule::Registered;
        int row = type->number;
        if (type->kind == VehicleTypeKind::Motorcycle)
            row = capacity > 1600 ? 2 : capacity >= 1 ? 1 : 10;
        if (electric)
            row = 10;
        r.rateName = QStringLiteral("A%1").arg(row);
        if (row == 10) {
            r.rate = k.A10;
            r.calculated = r.rate;
        } else {
            if (row <= 8)
                r.column = hybrid && above50 ? EmissionColumn::E7 : euroColumn(v.Euro);
            r.rate = k.rowRate(row, r.column.value_or(EmissionColumn::E3));
            r.units = unitsOf200(capacity);
            r.calculated = r.rate * *r.units;
        }
        t = r.calculated;
        r.base = t.roundTo(2, Rounding::HalfAwayFromZero);
        if (hybrid && !above50) {
            r.hybridDiscount = true;
            r.hybridPercent = k.HiRed;
            t = Currency::percentOf(t, hundred - k.HiRed, Rounding::HalfAwayFromZero);
            r.afterHybridDiscount = t;
        }
        if (v.Valoare > luxuryThreshold) {
            r.luxury = true;
            r.luxuryPart = Currency::percentOf(v.Valoare - luxuryThreshold, luxuryPercent, Rounding::HalfAwayFromZero);
            t += r.luxuryPart;
            r.afterLuxury = t;
        }
        t = applyPercents(t, k.RataInfA1, k.MajHCLA1);
    } else if (registered && type && type->kind == VehicleTypeKind::Trailer) {
        r.rule = VehicleTaxRule::RegisteredTrailer;
        r.rateName = type->rateName();
        r.rate = k.yearlyRate(*type).value_or(Currency());
        r.calculated = r.rate;
        r.base = r.calculated.roundTo(2, Rounding::HalfAwayFromZero);
        t = applyPercents(r.calculated, k.RataInfA1, k.MajHCLA1);
    } else if (v.Inmatric == 2) {
        r.rule = VehicleTaxRule::RecordedLocally;
        if (capacity <= 0) {
            if (electric) {
                r.flatElectric = true;
                r.rateName = QStringLiteral("A10");
                r.rate = k.A10;
            } else {
                r.rateName = QStringLiteral("AI3");
                r.rate = k.AI3;
            }
            r.calculated = r.rate;
        } else {
            const bool small = capacity <= 4800;
            r.rateName = small ? QStringLiteral("AI1") : QStringLiteral("AI2");
            r.rate = small ? k.AI1 : k.AI2;
            r.units = unitsOf200(capacity);
            r.calculated = r.rate * *r.units;
        }
        r.base = r.calculated.roundTo(2, Rounding::HalfAwayFromZero);
        t = r.flatElectric ? r.calculated : applyPercents(r.calculated, k.RataInfA2, k.MajHCLA2);
    } else {
        // Unregistered vehicles of any kind, and registered heavy vehicles and vessels:
        // only the office's yearly rates of heavy vehicles and vessels apply.
        r.rule = VehicleTaxRule::HeavyOrWater;
        if (type
            && (type->kind == VehicleTypeKind::Vessel || type->kind == VehicleTypeKind::Heavy
                || type->kind == VehicleTypeKind::Combination)) {
            r.rateName = type->rateName();
            r.rate = k.yearlyRate(*type).value_or(Currency());
        }
        r.calculated = r.rate;
        t = applyPercents(r.calculated, k.RataInfA3, k.CotaHCLA3);
    }

    if (dateFromDayNumber(v.DataIn).year() == fiscalYear)
        r.zeroReasons.append(VehicleZeroReason::AcquiredThisYear);
    if (v.DataOut > realExitDay && dateFromDayNumber(v.DataOut).year() < fiscalYear)
        r.zeroReasons.append(VehicleZeroReason::SoldBeforeThisYear);
    if (exempt)
        r.zeroReasons.append(VehicleZeroReason::Exempt);
    r.tax = r.zeroReasons.isEmpty() ? t : Currency();
    return r;
}

QStringList vehicleTaxSheet(const Vehicle &v, const VehicleTaxResult &r, const QString &locality,
                            const QString &role, const QString &name)
{
    QStringList s;
    s << QStringLiteral("FISA DE CALCUL MIJLOC DE TRANSPORT") << QString(34, u'*') << QString() << locality
      << QStringLiteral("ROL: ") + role + QStringLiteral(" - ") + name << QString()
      << QStringLiteral("Detalii vehicul:") << QStringLiteral(" - Tip:           ") + v.TipAuto
      << QStringLiteral(" - Combustibil:   ") + v.Combus
      << QStringLiteral(" - Capacitate:    ") + QString::number(v.Capacit)
      << QStringLiteral(" - Euro:          ") + QString::number(v.Euro);

    auto inflationLines = [&](const QString &percentSuffix) {
        s << QStringLiteral("Rata inflatiei            = ") + money(r.inflationPercent) + percentSuffix
          << QStringLiteral("Impozit cu rata inflatiei = ") + money(r.afterInflation) + QStringLiteral(" lei");
    };
    auto councilLines = [&](const QString &resultLabel) {
        s << QStringLiteral("Cota aditionala HCL cf.L.239 pct.48 = ") + money(r.councilPercent) + QStringLiteral("%")
          << resultLabel + money(r.afterCouncil) + QStringLiteral(" lei");
    };
    const QString spacedPercent = QStringLiteral(" %");
    const QString councilResult = QStringLiteral("Impozit cu cota aditionala          = ");

    switch (r.rule) {
    case VehicleTaxRule::Registered:
        s << QStringLiteral(" - Inmatriculat: DA");
        if (r.column == EmissionColumn::E7)
            s << QStringLiteral(" - Hibrid cu emisii CO2 peste 50g/km: DA");
        s << QStringLiteral("Impozit cf.L.239/2025 pct.43 : ") + money(r.rate);
        if (r.units)
            s << QStringLiteral("Parti de 200 cmc sau fratiune : ") + QString::number(*r.units);
        s << QStringLiteral("Impozit calculat : ") + money(r.calculated);
        if (r.hybridDiscount)
            s << QStringLiteral("Reducere HCL pentru hibride cu emisii CO2<=50g/km = ") + money(r.hybridPercent)
                     + QStringLiteral("%")
              << QStringLiteral("Impozit dupa reducere HCL = ") + money(r.afterHybridDiscount) + QStringLiteral(" lei");
        if (r.luxury)
            s << QStringLiteral("Taxa cf.L.239/2025 pct.51 pentru valoarea auto peste 375000 lei, de 0.9% :")
              << QStringLiteral("Taxa lux        = ") + money(r.luxuryPart) + QStringLiteral(" lei")
              << QStringLiteral("Impozit cu taxa = ") + money(r.afterLuxury) + QStringLiteral(" lei");
        inflationLines(spacedPercent);
        councilLines(councilResult);
        break;
    case VehicleTaxRule::RegisteredTrailer:
        s << QStringLiteral(" - Inmatriculat: DA") << QStringLiteral("Impozit calculat : ") + money(r.calculated);
        inflationLines(QStringLiteral("%"));
        councilLines(QStringLiteral("Impozit cu cota aditionala         = "));
        break;
    case VehicleTaxRule::RecordedLocally:
        s << QStringLiteral(" - Inmatriculat: NU");
        if (r.units)
            s << QStringLiteral(" - Numar de 200 cmc sau fractie: ") + QString::number(*r.units);
        if (r.flatElectric) {
            s << QStringLiteral("Impozit cf.L.239/2025 pct.46 : ") + money(r.rate) + QStringLiteral(" lei/an.");
        } else {
            s << QStringLiteral("Impozit calculat : ") + money(r.calculated) + QStringLiteral(" lei.");
            inflationLines(spacedPercent);
            councilLines(councilResult);
        }
        break;
    case VehicleTaxRule::HeavyOrWater:
        s << QStringLiteral("Impozit calculat : ") + money(r.calculated) + QStringLiteral(" lei.");
        inflationLines(spacedPercent);
        councilLines(councilResult);
        break;
    }

    for (VehicleZeroReason reason : r.zeroReasons)
        s << QString() << zeroReasonText(reason) << QStringLiteral("Valoare Impozit = 0") << QString(67, u'*');
    return s;
}

} // namespace valdora::register_domain
