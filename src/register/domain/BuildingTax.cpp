#include "register/domain/BuildingTax.h"

#include "app/core/Dates.h"

#include <algorithm>

namespace valdora {
namespace {

Currency lei(int64_t n) { return Currency::fromLei(n); }
Currency hundredths(int64_t n) { return Currency::fromScaled(n, 2); }

bool isDa(QStringView text) { return text.trimmed().compare(u"DA", Qt::CaseInsensitive) == 0; }

QString normalisedZone(QStringView zona)
{
    const QString z = zona.trimmed().toString().toUpper();
    return z.isEmpty() ? QStringLiteral("A") : z;
}

// value x percent / 100, rounded once.
Currency ofPercent(Currency value, Currency percent)
{
    return Currency::percentOf(value, percent, Rounding::HalfAwayFromZero);
}

} // namespace

OwnerType ownerTypeFromTip(QStringView tip)
{
    return tip.trimmed().compare(u"FIZICA", Qt::CaseInsensitive) == 0 ? OwnerType::Natural : OwnerType::Legal;
}

BuildingUse buildingUse(QStringView tipc)
{
    const QStringView t = tipc.trimmed();
    if (t.isEmpty())
        return BuildingUse::Residential;
    const QChar c = t.front().toUpper();
    if (c == u'R')
        return BuildingUse::Residential;
    if (c == u'N')
        return BuildingUse::NonResidential;
    return BuildingUse::Other;
}

int effectiveDestination(int destinatie)
{
    return destinatie >= 1 && destinatie <= 3 ? destinatie : 4;
}

BuildingValueTables BuildingValueTables::builtIn()
{
    BuildingValueTables t;
    t.perSquareMetre[0][0] = {lei(2677), lei(1606)};
    t.perSquareMetre[0][1] = {lei(803), lei(535)};
    t.perSquareMetre[1][0] = {lei(535), lei(469)};
    t.perSquareMetre[1][1] = {lei(335), lei(201)};
    const int zoneRank[4][6] = {{260, 250, 240, 230, 110, 105},
                                {250, 240, 230, 220, 105, 100},
                                {240, 230, 220, 210, 100, 95},
                                {230, 220, 210, 200, 95, 90}};
    for (size_t z = 0; z < 4; ++z)
        for (size_t r = 0; r < 6; ++r)
            t.zoneRank[z][r] = hundredths(zoneRank[z][r]);
    return t;
}

Currency BuildingValueTables::valuePerSquareMetre(int destinatie, int codmat, bool withUtilities) const
{
    if (codmat != 0 && codmat != 1)
        throw BuildingTaxInputError("Materialul cladirii este necunoscut: " + std::to_string(codmat));
    const size_t m = static_cast<size_t>(codmat);
    const size_t u = withUtilities ? 0 : 1;
    const int d = effectiveDestination(destinatie);
    if (d <= 2)
        return perSquareMetre[static_cast<size_t>(d - 1)][m][u];
    const Currency building = perSquareMetre[0][m][u];
    return ofPercent(building, lei(d == 3 ? 75 : 50));
}

Currency BuildingValueTables::zoneCoefficient(QStringView zona, int rang) const
{
    const QString z = normalisedZone(zona);
    if (z.size() != 1 || z[0] < u'A' || z[0] > u'D')
        throw BuildingTaxInputError("Zona cladirii este necunoscuta: " + z.toStdString());
    if (rang < 0 || rang > 5)
        throw BuildingTaxInputError("Rangul cladirii este necunoscut: " + std::to_string(rang));
    return zoneRank[static_cast<size_t>(z[0].unicode() - u'A')][static_cast<size_t>(rang)];
}

BuildingTaxResult computeBuildingTax(const BuildingRow &row, OwnerType owner,
                                     const BuildingTaxConstants &constants, int fiscalYear)
{
    BuildingTaxResult r;
    r.owner = owner;
    r.fiscalYear = fiscalYear;
    r.building = row;
    r.zone = normalisedZone(row.ZONA);
    r.destination = effectiveDestination(row.DESTINATIE);

    const QDate firstOfYear(fiscalYear, 1, 1);

    // An unreadable evaluation date is no evaluation: expired, and indexed over
    // the longest span the rule allows.
    auto checkExpiry = [&](int years) {
        r.evaluationYears = years;
        if (row.DATAEVAL.isValid()) {
            r.evaluationExpiry = row.DATAEVAL.addMonths(years * 12);
            r.evaluationExpired = firstOfYear > r.evaluationExpiry;
        } else {
            r.evaluationExpired = true;
        }
    };
    auto indexSinceEvaluation = [&](bool ticked) {
        if (!ticked)
            return;
        const int since = row.DATAEVAL.isValid() ? row.DATAEVAL.year() : fiscalYear - 5;
        const CumulativeInflation c = cumulativeInflation(since, fiscalYear, constants.inflation);
        r.inflation = c.index;
        r.inflationDescription = c.description;
    };
    auto indexByRate = [&](bool ticked) {
        if (ticked)
            r.inflation = InflationIndex::fromPercent(constants.RataInfE);
    };
    auto areaBasedValue = [&]() {
        r.areaBased = true;
        r.valuePerSquareMetre =
            constants.tables.valuePerSquareMetre(row.DESTINATIE, row.CODMAT, isDa(row.CUUTIL));
        r.valuePerSquareMetreIndexed = r.inflation.apply(r.valuePerSquareMetre);
        r.zoneCoefficient = constants.tables.zoneCoefficient(row.ZONA, row.RANG);
        return r.inflation.apply({r.zoneCoefficient, r.valuePerSquareMetre, row.SUPRAFD});
    };
    auto luxuryPart = [](Currency value) {
        return value > LuxuryThreshold ? ofPercent(value - LuxuryThreshold, LuxuryRatePercent) : Currency();
    };

    const BuildingUse use = buildingUse(row.TIPC);
    if (use == BuildingUse::NonResidential && owner == OwnerType::Legal) {
        r.branch = BuildingTaxBranch::NonResidentialLegal;
        indexSinceEvaluation(constants.RataInfPJ);
        r.evaluatedValue = row.VALOAREN;
        r.evaluatedValueIndexed = r.inflation.apply(row.VALOAREN);
        r.value = r.evaluatedValueIndexed;
        r.setRatePercent = r.ratePercent = constants.CotaCNPJ;
        checkExpiry(constants.EvalPJAni);
        if (r.evaluationExpired) {
            r.ratePercent = LegalExpiredRatePercent;
        } else if (isDa(row.ACTAGR)) {
            r.ratePercent = AgriculturalRatePercent;
            r.agriculturalRate = true;
        }
        r.surchargePercent = constants.MajHCL;
        r.rateTax = ofPercent(r.value, r.ratePercent);
        // V x rate/100 x (1 + MajHCL/100) with a single rounding.
        r.computedTax = InflationIndex::fromPercent(constants.MajHCL)
                            .apply({r.value, r.ratePercent, Currency::fromRaw(100)});
    } else if (use == BuildingUse::NonResidential) {
        r.branch = BuildingTaxBranch::NonResidentialNatural;
        indexSinceEvaluation(constants.RataInfPFN);
        r.evaluatedValue = row.VALOAREN;
        r.evaluatedValueIndexed = r.inflation.apply(row.VALOAREN);
        r.value = r.evaluatedValueIndexed;
        r.setRatePercent = r.ratePercent = constants.CotaCNPF;
        checkExpiry(NaturalEvaluationYears);
        if (r.evaluationExpired) {
            r.ratePercent = NaturalExpiredRatePercent;
            r.value = areaBasedValue();
        }
        r.rateTax = ofPercent(r.value, r.ratePercent);
        r.computedTax = r.rateTax;
    } else if (use == BuildingUse::Residential && owner == OwnerType::Legal) {
        r.branch = BuildingTaxBranch::ResidentialLegal;
        indexByRate(constants.RataInfPJ);
        r.setRatePercent = r.ratePercent = constants.CotaCRPJ;
        checkExpiry(constants.EvalPJAni);
        if (r.evaluationExpired)
            r.ratePercent = LegalExpiredRatePercent;
        r.evaluatedValue = row.VALOAREJR;
        r.evaluatedValueIndexed = r.inflation.apply(row.VALOAREJR);
        r.value = r.evaluatedValueIndexed;
        r.luxuryPart = luxuryPart(r.value);
        r.rateTax = ofPercent(r.value, r.ratePercent);
        r.computedTax = r.rateTax + r.luxuryPart;
    } else if (use == BuildingUse::Residential) {
        r.branch = BuildingTaxBranch::ResidentialNatural;
        indexByRate(constants.RataInfPFR);
        r.value = areaBasedValue();
        r.luxuryPart = luxuryPart(r.value);
        r.setRatePercent = r.ratePercent = constants.CotaCRPF;
        r.rateTax = ofPercent(r.value, r.ratePercent);
        r.computedTax = r.rateTax + r.luxuryPart;
    }

    r.inflationPercent = r.inflation.percent();
    r.inflationPercentText = r.inflation.percentText();
    r.enteredThisYear = row.DATAIN.isValid() && row.DATAIN.year() == fiscalYear;
    r.tax = r.enteredThisYear ? Currency() : r.computedTax;
    r.roundedTax = r.tax.roundLei();
    r.taxableValue = r.value.roundTo(2, Rounding::HalfAwayFromZero);
    return r;
}

QString useCaption(QStringView tipc)
{
    switch (buildingUse(tipc)) {
    case BuildingUse::Residential:
        return QStringLiteral("Rezidentiala");
    case BuildingUse::NonResidential:
        return QStringLiteral("Nerezidentiala");
    case BuildingUse::Other:
        break;
    }
    return tipc.trimmed().front().toUpper() == u'M' ? QStringLiteral("Mixta") : QString();
}

QString destinationCaption(int destinatie)
{
    switch (destinatie) {
    case 1: return QStringLiteral("Cladire");
    case 2: return QStringLiteral("Cladire-Anexa");
    case 3: return QStringLiteral("Mansarda loc.");
    case 4: return QStringLiteral("Mansarda neloc.");
    default: return {};
    }
}

QString rankCaption(int rang)
{
    static const char *const names[] = {"0", "I", "II", "III", "IV", "V"};
    if (rang < 0 || rang > 5)
        return QString::number(rang);
    return QString::fromLatin1(names[rang]);
}

QString evaluationDateText(QDate dataeval, int fiscalYear)
{
    const QDate date = dataeval.isValid() ? dataeval : QDate(fiscalYear - 7, 12, 31);
    return date < QDate(fiscalYear - 6, 12, 31) ? QStringLiteral("-") : formatDate(date);
}

QList<qint64> mixedBuildingIds(const QList<BuildingRow> &rows)
{
    QList<qint64> ids;
    for (const BuildingRow &row : rows)
        if (row.MIXTA.trimmed().compare(u"X", Qt::CaseInsensitive) == 0 && !ids.contains(row.IDMANUAL))
            ids.append(row.IDMANUAL);
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace valdora
