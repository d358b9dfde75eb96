#pragma once
// The calculation sheets of a role's land ("Fisa de calcul" on the pages
// "Teren Extravilan" and "Teren intravilan"): the built-in templates CALCULTE and
// CALCULTI filled with the page's areas, the rates of the constants and the
// exemptions of the assessment; the template's formulas do the sums.
//
// Extravilan: category c, column i: area at (c + 8, 2i), rate at (c + 8, 2i + 1).
// Intravilan: courtyards at row 9, category c at row c + 9, the same columns.

#include "register/domain/LandTax.h"
#include "reports/xlsx/TExpXLSOLE.h"

#include <QString>

namespace valdora::xlsx {

struct LandSheetHeader {
    QString role;     // [ROL]
    QString locality; // [LOC]
    QString name;     // [NUME]
};

// Fill a workbook opened from CALCULTE / CALCULTI.
void fillExtravilanSheet(TExpXLSOLE &engine, const LandSheetHeader &header, const ExtravilanLandRow &page,
                         const ExtravilanLandConstants &constants, const ExtravilanLandAssessment &assessment);
void fillIntravilanSheet(TExpXLSOLE &engine, const LandSheetHeader &header, const IntravilanLandRow &page,
                         const IntravilanLandConstants &constants, const IntravilanLandAssessment &assessment);

// The whole sheet: the template written to the temporary folder ("CalculTE" + N +
// ".xlsx"), opened, filled and finished, shown through the engine's document
// opener when show is true. Returns the workbook's path.
QString extravilanSheet(TExpXLSOLE &engine, const QString &tempFolder, const LandSheetHeader &header,
                        const ExtravilanLandRow &page, const ExtravilanLandConstants &constants,
                        const ExtravilanLandAssessment &assessment, bool show = true);
QString intravilanSheet(TExpXLSOLE &engine, const QString &tempFolder, const LandSheetHeader &header,
                        const IntravilanLandRow &page, const IntravilanLandConstants &constants,
                        const IntravilanLandAssessment &assessment, bool show = true);

} // namespace valdora::xlsx
