#pragma once
// What the building dialog holds, its checks and the row it stores. The owner
// type and the effective use choose one of four pages; each page stores some
// columns with fixed values. No database here: the dialog and the tests use it
// as it is.

#include "app/core/Currency.h"
#include "register/domain/BuildingTax.h"
#include "register/store/BuildingStore.h"

#include <QDate>
#include <QString>
#include <optional>

namespace valdora::roles {

// "Clasificarea Cladirii".
enum class BuildingClass { Residential, NonResidential, Mixed };

enum class BuildingPage { NaturalResidential, NaturalNonResidential, LegalResidential, LegalNonResidential };

struct BuildingForm {
    BuildingClass classification = BuildingClass::Residential;
    bool mixedPartResidential = true; // "- Suprafata este folosita in scop" REZIDENTIAL / NEREZIDENTIAL
    qint64 mixedId = 0;               // "apartinand cladirii cu ID"; 0 for "nu exista in lista"

    // Natural person pages.
    Currency area;         // "Suprafata desfasurata - mp"
    int year = 0;          // "Anul finalizarii constructiei"
    int material = 0;      // position in the material list
    int destination = 1;   // 1..4
    bool utilities = false;
    QString zone = QStringLiteral("A");
    int rank = 0;          // position in "0", "I".."V"
    bool inBlock = false;  // "Situata in bloc cu mai mult de 3 niveluri si 8 apartamente"

    // Evaluated value pages.
    QDate evaluationDate = notEvaluatedDate();
    Currency value;
    bool agricultural = false;
    bool notEvaluated = false; // "Nu este evaluata" (natural person, non-residential)

    // Every page.
    QString address;
    QDate acquisitionDate;
    QDate entryDate;
    QString entryRemark;
    bool sold = false; // "Instrainata la data de"
    QDate saleDate;
    QDate exitDate;
    QString exitRemark;
};

// The classification, or for a mixed row the chosen part.
BuildingUse effectiveUse(const BuildingForm &form);
BuildingPage buildingPage(OwnerType owner, BuildingUse use);
inline BuildingPage buildingPage(OwnerType owner, const BuildingForm &form)
{
    return buildingPage(owner, effectiveUse(form));
}
// The legal-person pages do not show "La bloc": an edit leaves it as stored.
bool keepsApt8(BuildingPage page);

// A new building: acquired on 1 January of the fiscal year, entered today,
// sale and exit dates today (the sale box unticked), the office's zone and rank.
BuildingForm newBuildingForm(QDate today, int fiscalYear, const QString &zone, int rank);
// The dialog filled from a stored row.
BuildingForm formOf(const BuildingRecord &building, OwnerType owner, QDate today);

enum class EntryField { Area, Year, EvaluationDate, Value, EntryDate, AcquisitionDate, SaleDate, ExitDate };
struct EntryProblem {
    EntryField field;
    QString text;
};
// The first check that fails, in the order the dialog makes them.
std::optional<EntryProblem> firstEntryProblem(const BuildingForm &form, OwnerType owner, QDate today, int fiscalYear);

// Address and remarks trimmed, with single blanks.
BuildingForm normalised(BuildingForm form);

// The row the form stores (IDGOS and IDCLAD 0). IDMANUAL is the chosen mixed
// building, 0 when the row is not mixed or starts a mixed building of its own.
// Columns a page does not show take its fixed values; the legal-person pages
// take the office's zone and rank.
BuildingRecord storedBuilding(const BuildingForm &form, OwnerType owner, const QString &defaultZone, int defaultRank);

// IDMANUAL of an edited row: the chosen mixed building; its own IDCLAD when it
// starts a mixed building or stops being a part of one; otherwise it keeps the
// ID it shows (a bought building keeps the one it came with).
qint64 editedManualId(const BuildingForm &form, const BuildingRecord &stored);

} // namespace valdora::roles
