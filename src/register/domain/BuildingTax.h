#pragma once
// Yearly building tax of one row of PAG2 (a building or one part of a mixed
// building). The branch follows the row's use (residential or not) and the owner
// type; the result carries every figure the calculation sheet, the building list
// and the assessment show, so that none of them has to redo a step.

#include "app/core/Currency.h"
#include "register/domain/CumulativeInflation.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <stdexcept>

namespace valdora {

enum class OwnerType { Natural, Legal };

// "FIZICA" (any case, trimmed) is a natural person; every other type is legal.
OwnerType ownerTypeFromTip(QStringView tip);

// The columns of PAG2 the tax reads, plus the keys that tie the parts of a
// mixed building together.
struct BuildingRow {
    qint64 IDCLAD = 0;
    qint64 IDMANUAL = 0;
    QString MIXTA;                        // "X" for one part of a mixed building
    QString TIPC = QStringLiteral("R");   // "R", "N"; empty counts as "R"; "M" has no tax rule
    int DESTINATIE = 1;                   // 1..4; any other value counts as 4
    Currency SUPRAFD;                     // built area, m2
    int CODMAT = 0;                       // 0 treated material, 1 untreated
    QString CUUTIL = QStringLiteral("NU");
    QString ZONA = QStringLiteral("A");   // "A".."D"; empty counts as "A"
    int RANG = 4;                         // 0..5 for 0, I..V
    QDate DATAEVAL = QDate(2000, 1, 1);   // 1 January 2000: not evaluated
    Currency VALOAREN;                    // evaluated value of a non-residential row
    Currency VALOAREJR;                   // evaluated value of a legal person's residential row
    QString ACTAGR = QStringLiteral("NU");
    QDate DATAIN;                         // taken into the records
};

enum class BuildingUse { Residential, NonResidential, Other };

// First letter of TIPC: empty or "R" residential, "N" non-residential, anything else Other.
BuildingUse buildingUse(QStringView tipc);

// A destination outside 1..3 counts as 4.
int effectiveDestination(int destinatie);

// Thrown when a row holds a zone, rank or material the value tables do not know.
class BuildingTaxInputError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The built-in value tables (fixed by law, not settings).
struct BuildingValueTables {
    // perSquareMetre[d][m][u]: d 0 "Cladire", 1 "Cladire-Anexa"; m the material
    // code; u 0 with all utilities, 1 without. Lei per m2.
    std::array<std::array<std::array<Currency, 2>, 2>, 2> perSquareMetre{};
    // zoneRank[z][r]: zone A..D, rank 0, I..V.
    std::array<std::array<Currency, 6>, 4> zoneRank{};

    static BuildingValueTables builtIn();

    // Destination 3 is 75% and 4 (or any other) 50% of the "Cladire" value.
    // Throws BuildingTaxInputError for a material other than 0 or 1.
    Currency valuePerSquareMetre(int destinatie, int codmat, bool withUtilities) const;
    // Zone "A".."D" (trimmed, any case; empty = "A"), rank 0..5. Throws
    // BuildingTaxInputError for any other zone or rank.
    Currency zoneCoefficient(QStringView zona, int rang) const;
};

// Constants of computation of the buildings page of the administration.
struct BuildingTaxConstants {
    Currency CotaCRPF = Currency::fromRaw(1000); // 0.1 %: residential, natural person
    Currency CotaCNPF = Currency::fromRaw(4000); // 0.4 %: non-residential, natural person
    Currency CotaCRPJ = Currency::fromRaw(1000); // 0.1 %: residential, legal person
    Currency CotaCNPJ = Currency::fromRaw(4000); // 0.4 %: non-residential, legal person
    Currency MajHCL;                             // % surcharge, non-residential legal person
    Currency RataInfE;                           // % inflation of the residential branches
    bool RataInfPFR = false; // index residential buildings of natural persons by RataInfE
    bool RataInfPFN = false; // index non-residential buildings of natural persons (cumulative)
    bool RataInfPJ = false;  // index buildings of legal persons
    int EvalPJAni = 5;       // years a legal person's evaluation stays valid
    InflationHistory inflation = defaultInflationHistory();
    BuildingValueTables tables = BuildingValueTables::builtIn();
};

// Rates fixed by law, in percent, and the luxury threshold.
inline constexpr Currency LegalExpiredRatePercent = Currency::fromRaw(50000);   // 5 %
inline constexpr Currency NaturalExpiredRatePercent = Currency::fromRaw(20000); // 2 %
inline constexpr Currency AgriculturalRatePercent = Currency::fromRaw(4000);    // 0.4 %
inline constexpr Currency LuxuryRatePercent = Currency::fromRaw(9000);          // 0.9 %
inline constexpr Currency LuxuryThreshold = Currency::fromRaw(2'500'000LL * Currency::Scale);
inline constexpr int NaturalEvaluationYears = 5;

enum class BuildingTaxBranch { NonResidentialLegal, NonResidentialNatural, ResidentialLegal, ResidentialNatural, NoRule };

struct BuildingTaxResult {
    BuildingTaxBranch branch = BuildingTaxBranch::NoRule;
    OwnerType owner = OwnerType::Natural;
    int fiscalYear = 0;
    BuildingRow building; // the row as given
    QString zone;         // effective zone letter
    int destination = 4;  // effective destination 1..4

    // Inflation w applied to the value.
    InflationIndex inflation;     // 1 + w/100
    Currency inflationPercent;    // w, four decimals
    QString inflationPercentText; // w in full
    QString inflationDescription; // cumulative branches: "5.1% + ... = ...%"; else empty

    // Area-based value: natural residential, natural non-residential with an expired evaluation.
    bool areaBased = false;
    Currency valuePerSquareMetre;        // table value
    Currency valuePerSquareMetreIndexed; // x (1 + w/100)
    Currency zoneCoefficient;

    // Evaluated value: non-residential and legal residential rows.
    Currency evaluatedValue;        // VALOAREN, or VALOAREJR for a legal residential row
    Currency evaluatedValueIndexed; // x (1 + w/100)
    QDate evaluationExpiry;         // invalid when the evaluation date is unreadable
    bool evaluationExpired = false;
    int evaluationYears = 0;        // EvalPJAni for a legal person, 5 for a natural one
    bool agriculturalRate = false;  // legal non-residential taxed at 0.4 % for agriculture

    Currency setRatePercent;   // the council's rate of the branch
    Currency ratePercent;      // the rate applied
    Currency surchargePercent; // MajHCL, non-residential legal person only
    Currency luxuryPart;       // L

    Currency value;            // V, four decimals
    Currency taxableValue;     // V rounded half away from zero to 2 decimals (VALIMPOZ)
    Currency rateTax;          // V x rate, before luxury part and surcharge
    Currency computedTax;      // the tax before the rule of the entry year
    bool enteredThisYear = false;
    Currency tax;              // unrounded tax of the row (0 when entered this year)
    Currency roundedTax;       // tax rounded half away from zero to whole lei (IMPOZIT)
};

// Tax of one row in `fiscalYear` (the database year). Throws BuildingTaxInputError
// when an area-based branch meets an unknown zone, rank or material.
BuildingTaxResult computeBuildingTax(const BuildingRow &row, OwnerType owner,
                                     const BuildingTaxConstants &constants, int fiscalYear);

// Computed columns of the building list.
QString useCaption(QStringView tipc);        // TIPCS: "Rezidentiala", "Nerezidentiala", "Mixta"
QString destinationCaption(int destinatie);  // DESTINATIES: "Cladire" .. "Mansarda neloc."; "" outside 1..4
QString rankCaption(int rang);               // "0", "I".."V"; the number itself outside 0..5
// DATAEVALS: "-" when the date is before 31 December of fiscalYear - 6 (an
// unreadable date counts as 31 December of fiscalYear - 7), else "dd.MM.yyyy".
QString evaluationDateText(QDate dataeval, int fiscalYear);

// The identifiers a new mixed part may join ("apartinand cladirii cu ID"): the
// distinct IDMANUAL of the rows marked MIXTA "X", ascending.
QList<qint64> mixedBuildingIds(const QList<BuildingRow> &rows);

} // namespace valdora
