#pragma once
// "&OPEREAZA" of the collection window up to the dialog: checks the amounts typed in
// "ACHITA", decides the document kind and allocates each row's amount over its parts,
// giving the document lines and the new values of every balance row it changes.
// Nothing is written here; the store layer writes the result in one transaction.

#include "app/core/Currency.h"
#include "collections/domain/ChitanteLine.h"
#include "collections/domain/CollectionSettings.h"
#include "collections/domain/Refusal.h"
#include "collections/domain/RoleSituation.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace valdora::collections {

enum class DocumentKind {
    Payment,          // only positive amounts: receipt, transfer, card or online
    CompensationNote, // positive and negative amounts with equal sums
    PaymentOrder      // only negative amounts
};

// Kind letter of the lines while the document is prepared: "C", "N", "O".
QString kindLetter(DocumentKind kind);

// The SoldCalc columns a payment writes.
struct SoldCalcValues {
    Currency SUMA;
    Currency REST;
    Currency REDUC;
    Currency DATOR;
    Currency DEPOZ;
    Currency MAJOR;
    bool operator==(const SoldCalcValues &) const = default;
};

struct SoldCalcChange {
    qint64 IDRES = 0;
    QString GRUPA;
    SoldCalcValues before; // as the situation read them
    SoldCalcValues after;
};

struct DatoriiChange {
    qint64 IDDAT = 0;
    QString GRUPA;
    Currency SUMA0, REST0; // before
    Currency SUMA, REST;   // after
};

struct DebitChange {
    qint64 IDDEB = 0;
    QString GRUPA;
    Currency SUMAC0; // before
    Currency SUMAC;  // after
};

// What the allocation of one operation produced.
struct PaymentAllocation {
    DocumentKind kind = DocumentKind::Payment;
    bool noPenalty = false;
    bool naturalPerson = false;
    QDate calculationDate;
    Currency positive; // P: sum of the positive amounts
    Currency negative; // N: sum of the absolute values of the negative ones
    Currency entered;  // P - N: what the lines add up to
    std::vector<ChitanteLine> lines; // as emitted, row by row
    std::vector<SoldCalcChange> soldCalc; // every main-tax row of the role
    std::vector<DatoriiChange> datorii;   // the other-tax rows that received an amount
    std::vector<DebitChange> debit;       // the year debts that received an amount
};

struct OperationResult {
    std::optional<Refusal> refusal; // set: nothing happens
    PaymentAllocation allocation;

    bool ok() const { return !refusal.has_value(); }
};

// The date and flags an allocation of one row runs with.
struct AllocationContext {
    DocumentKind kind = DocumentKind::Payment;
    QDate calculationDate;
    int workingYear = 0;
    bool noPenalty = false;
    bool yearDebtAmountEntered = false; // some amount was typed in the Td grid
    Currency noteDiscountPercent;
};

struct MainTaxAllocation {
    SoldCalcValues after;
    std::vector<ChitanteLine> lines;
    std::optional<Refusal> refusal;
};

struct OtherTaxAllocation {
    Currency SUMA;
    Currency REST;
    ChitanteLine line;
};

struct YearDebtAllocation {
    Currency SUMAC;
    ChitanteLine line;
};

// The allocation of one row of each grid (H = the amount typed on it).
MainTaxAllocation allocateMainTax(const TiRow &row, Currency H, const AllocationContext &context);
OtherTaxAllocation allocateOtherTax(const TtRow &row, Currency H, const AllocationContext &context);
YearDebtAllocation allocateYearDebt(const TdRow &row, Currency H, const AllocationContext &context);

class PaymentOperation {
public:
    // The kind the typed amounts make, or the refusal of the window ("Operare").
    static std::optional<Refusal> checkAmounts(const RoleSituation &situation, DocumentKind *kind);

    // Checks and allocates the ACHITAT of a collection-window situation.
    static OperationResult operate(const RoleSituation &situation, const CollectionSettings &settings);
};

} // namespace valdora::collections
