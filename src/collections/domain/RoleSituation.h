#pragma once
// What a role owes on a calculation date: the three grids of the collection window
// (Ti main taxes, Tt other taxes and fines, Td debts of the year) with their computed
// columns. The documents and lists run the same calculation with their own policy
// (no discount, reductions netted, other penalty categories).

#include "app/core/Currency.h"
#include "collections/domain/BalanceRows.h"
#include "collections/domain/CollectionSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace valdora::collections {

// How the calculation differs between the collection window and the role
// calculation of the documents and lists.
struct SituationPolicy {
    enum class Purpose { CollectionWindow, RoleCalculation };

    Purpose purpose = Purpose::CollectionWindow;
    bool offersDiscount = true;
    // Datorii rows kept: SUMA<>0 OR REST<>0 OR REDUC>0 (else SUMA+REST-REDUC<>0).
    bool keepsOtherTaxWithAnyAmount = false;
    // CUR1 = SUMA - REDUC (else CUR1 = SUMA and the reduction comes off DEPLATA).
    bool otherTaxCurrentNetOfReduction = false;
    // Every Debit row of the role (else only those with SUMAC<>0).
    bool keepsSettledYearDebts = false;
    // CATEG values on which a debt of the year accrues penalties.
    QStringList yearDebtPenaltyCategories;
    // Whether the role's exemption from penalties covers its debts of the year.
    bool noPenaltyCoversYearDebts = true;

    static SituationPolicy collectionWindow();
    static SituationPolicy roleCalculation();
};

// A row of Ti ("IMPOZITE").
struct TiRow {
    qint64 IDRES = 0;
    QString GRUPA;
    Currency SUMA;
    Currency REST;
    Currency REDUC;
    Currency SCUTIRE;
    Currency DATOR;
    Currency DEPOZ;
    Currency MAJOR;
    QString TIP;
    Currency CUR1;    // "Rest de plata"
    Currency RAM1;    // "Ramasite": arrears net of credit
    Currency MAJOR1;  // "Majorari": carried plus accrued now
    Currency RED1;    // "Bonificatie"
    Currency SCUT1;
    Currency DEPLATA; // "Total de plata"
    Currency ACHITAT; // "ACHITA"

    // The parts behind MAJOR1 and CUR1, for the due-date breakdown.
    Currency carriedPenalty;  // MAJOR as shown (0 for a role without penalties)
    Currency arrearsPenalty;  // on RAM1 from 31 December of the previous year
    Currency firstPenalty;    // on the late first installment
    Currency secondPenalty;   // on the late second installment
    Currency firstRemainder;  // owed on the first installment
    Currency secondRemainder; // owed on the second installment
};

// A row of Tt ("TAXE / AMENZI").
struct TtRow {
    qint64 IDDAT = 0;
    QString GRUPA;
    QString DENUM;
    QString DOCJUS;
    qint64 NR = 0;
    QString TIP;
    Currency SUMA;
    QDate DINDATA;
    Currency SUMA2;
    Currency RESTINI;
    Currency REST;
    Currency REDUC;
    Currency CUR1;    // "Curent"
    Currency REST1;   // "Ramasita"
    Currency DEPLATA; // "Total de plata"
    Currency ACHITAT; // "ACHITA"
};

// A row of Td ("DEBITE IN TIMPUL ANULUI").
struct TdRow {
    qint64 IDDEB = 0;
    QString GRUPA;
    QString DOCJUS;
    qint64 NR = 0;
    QString CATEG;
    QString DENUM;
    QDate DINDATA;
    QDate PENDATA;
    Currency SUMAINI;
    Currency SUMAC;
    Currency MAJOR;   // "Majorari"
    Currency DEPLATA; // "Total de plata"
    Currency ACHITAT; // "ACHITA"
};

struct RoleSituationInput {
    qint64 IDGOS = 0;
    QDate calculationDate; // LaData (window) or the document's date
    QString TIP;           // Gospodar.TIP: "FIZICA" natural person, otherwise legal
    QString NOTAX;         // "DA": exempt from penalties (when the office allows it)
    std::vector<SoldCalcRow> soldCalc;
    std::vector<DatoriiRow> datorii;
    std::vector<DebitRow> debit;
    std::vector<GrantedDiscount> discountsGranted; // this year's Chitante rows with REDUCERE > 0
};

struct RoleSituation {
    qint64 IDGOS = 0;
    QDate calculationDate;
    int workingYear = 0;
    bool naturalPerson = false;
    bool noPenalty = false;
    SituationPolicy policy;
    std::vector<TiRow> Ti;
    std::vector<TtRow> Tt;
    std::vector<TdRow> Td;

    static RoleSituation calculate(const RoleSituationInput &input, const CollectionSettings &settings,
                                   const SituationPolicy &policy);

    // "Total datorie": DEPLATA over the three grids (the total T of the documents).
    Currency totalDatorie() const;
    // "Valoare chitanta": ACHITAT over the three grids.
    Currency valoareChitanta() const;
    // TDATOR of the search table when the window closes: positive RAM1 plus positive REST1.
    Currency arrears() const;
};

// TDATOR of the role search: DATOR of the SoldCalc rows with DATOR > 0, plus the sum
// of REST - REDUC of the Datorii rows with REST > 0 when that sum is positive.
Currency searchTableArrears(const std::vector<SoldCalcRow> &soldCalc, const std::vector<DatoriiRow> &datorii);

// "ACHITA" of a main-tax or year-debt row after an edit: a negative amount below the
// row's DEPLATA becomes DEPLATA (a credit can be moved out only up to what is shown).
Currency amountAfterEdit(Currency typed, Currency DEPLATA);
// A double-click sets ACHITAT to DEPLATA, or back to 0 when it already is DEPLATA.
Currency amountAfterDoubleClick(Currency ACHITAT, Currency DEPLATA);

} // namespace valdora::collections
