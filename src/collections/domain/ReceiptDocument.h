#pragma once
// The document of a payment operation between the allocation and the database:
// the lines as the "Operare" dialog shows them (named, coded, merged for payments),
// the dialog's corrections and checks, and the save plan the store layer writes in
// one transaction.

#include "app/core/Currency.h"
#include "collections/domain/ChitanteLine.h"
#include "collections/domain/PaymentOperation.h"
#include "collections/domain/Refusal.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace valdora::collections {

// Entries of the kind list `TipDoc`.
enum class DocumentEntry {
    Chitanta,      // cash receipt, "C"
    Virament,      // bank transfer, "V" series "O.P."
    CardBancar,    // card, "V" series "CARD BANCA"
    Online,        // national online payment platform, "V"
    NotaContabila, // compensation note, "N"
    OrdinDePlata   // payment order, "O"
};

// A CODCL row: classification codes of a group for natural and legal persons.
struct ClassificationCode {
    QString GRUPA;
    QString CODCLF;
    QString CODCLJ;
};

struct PreparationInputs {
    QString userSeries;               // SERIA of the user's section
    qint64 proposedReceiptNumber = 0; // the user's CHIT counter, peeked
    std::vector<ClassificationCode> codes;
    // Caption and series of the online-platform entry.
    QString onlineSeries = QStringLiteral("GHISEUL.RO");
};

// The six amounts of a line as typed in "Detalii / Modificari".
struct LineAmounts {
    Currency RESTANTA;
    Currency MAJOREST;
    Currency DEPOZIT;
    Currency CURENT;
    Currency MAJOR;
    Currency REDUCERE;
};

// The dialog's fields when "&OPEREAZA" is pressed.
struct OperareFields {
    DocumentEntry entry = DocumentEntry::Chitanta;
    qint64 NR = 0;  // "Nr."
    QDate dinData;  // "din data"
    QString payer;  // "Cine plateste"
};

// What the checks of "&OPEREAZA" need from outside the dialog.
struct OperareContext {
    std::optional<int> closedYear; // VARIABILE / ANINCHIS, when set
    // ROL of a stored Chitante row with this SERIA and NR, if there is one.
    std::function<std::optional<QString>(const QString &SERIA, qint64 NR)> receiptOwner;
};

// What the store layer writes for a confirmed operation, in one transaction:
// 1. take IDANUL; UndelSold for every SoldCalc row of the role (all its columns as
//    stored), UndelDat for the `datorii` rows, UndelDebit for the `debit` rows;
// 2. SoldCalc SUMA, REST, REDUC, DATOR, DEPOZ, MAJOR by IDRES from `soldCalc[].after`;
//    Datorii SUMA, REST by IDDAT; Debit SUMAC by IDDEB (refusing the whole operation
//    when a row no longer holds its `before` values);
// 3. take IDCHIT; when `needsReceiptNumber`, take the user's CHIT counter once and
//    call assignReceiptNumber; write chitanteRows();
// 4. the action log with logText(); print when `printed`.
struct PaymentSavePlan {
    DocumentKind kind = DocumentKind::Payment;
    QString TIP;                     // "C", "V", "N", "O"
    bool needsReceiptNumber = false; // a cash receipt: one number for all its lines
    bool printed = false;            // cash receipt, or card payment
    QDate DATAI;
    QString PLATNUME;
    std::vector<ChitanteLine> lines; // in save order (DENUM, GRUPA, TIP)
    std::vector<SoldCalcChange> soldCalc;
    std::vector<DatoriiChange> datorii;
    std::vector<DebitChange> debit;

    void assignReceiptNumber(qint64 NR);
    qint64 number() const; // the document number on its lines
    // "Operat Chitanta nr.17", "Operat N nr.5"
    QString logText() const;
    std::vector<ChitanteRow> chitanteRows(const ChitanteHeader &header) const;

private:
    bool numberAssigned_ = false;
};

class ReceiptDocument {
public:
    struct Prepared;
    struct Finalized;

    // Lines for the dialog; refused with "Nu ati facut nici o operatiune!" when none.
    static Prepared prepare(const PaymentAllocation &allocation, const PreparationInputs &inputs);

    DocumentKind kind() const { return allocation_.kind; }
    const std::vector<ChitanteLine> &lines() const { return lines_; }
    const std::vector<SoldCalcChange> &soldCalc() const { return allocation_.soldCalc; }
    Currency total() const { return allocation_.entered; } // "TOTAL:"

    // TipDoc: what the kind list offers, first entry selected.
    std::vector<DocumentEntry> entries() const;
    QString caption(DocumentEntry entry) const;
    // "Nr." as proposed for an entry (the receipt number for "CHITANTA", else empty = 0)
    // and whether the user may change it.
    qint64 proposedNumber(DocumentEntry entry) const;
    static bool numberEditable(DocumentEntry entry) { return entry != DocumentEntry::Chitanta; }

    // "Coduri clasificare": every line's CODCLAS again from CODCL.
    void refillClassificationCodes(const std::vector<ClassificationCode> &codes);

    // "Detalii / &Modificari" on a line: whether it may be edited, and "&Memoreaza".
    std::optional<Refusal> canEditLine(std::size_t index) const;
    std::optional<Refusal> editLine(std::size_t index, const LineAmounts &typed);

    // The checks of the dialog's "&OPEREAZA", in order.
    std::optional<Refusal> checkOperare(const OperareFields &fields, const OperareContext &context) const;

    // Runs the checks and builds the save plan.
    Finalized finalize(const OperareFields &fields, const OperareContext &context) const;

private:
    QString codeOf(const QString &grupa, bool naturalPersonCode) const;

    PaymentAllocation allocation_;
    PreparationInputs inputs_;
    std::vector<ChitanteLine> lines_;
};

struct ReceiptDocument::Prepared {
    std::optional<Refusal> refusal;
    ReceiptDocument document;
    bool ok() const { return !refusal.has_value(); }
};

struct ReceiptDocument::Finalized {
    std::optional<Refusal> refusal;
    PaymentSavePlan plan;
    bool ok() const { return !refusal.has_value(); }
};

} // namespace valdora::collections
