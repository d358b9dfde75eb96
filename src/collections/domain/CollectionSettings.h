#pragma once
// The office's settings that the collection rules read, handed in by the caller
// (the rules never read the settings file themselves).

#include "app/core/Currency.h"

#include <QStringView>

namespace valdora::collections {

struct CollectionSettings {
    int workingYear = 0;                   // fiscal year of the database
    bool penaltyExemptionsAllowed = false; // FARAMAJORARI is "DA"
    bool discountForLegalPersons = false;  // REDUCERE_JURIDICE is "DA" ("Acorda bonificatie la persoane juridice")
    bool discountUnder50 = false;          // BONIF50 is "DA" ("Acorda bonificatie pentru sume sub 50 ron")
    // "Reducere la plata integrala in avans" of the extravilan land page (RedTE):
    // the percent a compensation note recomputes the discount with.
    Currency noteDiscountPercent = Currency::fromLei(10);
};

// "DA" in any case, surrounding spaces ignored.
bool isDa(QStringView value);

// The one no-penalty rule of the window, the operation and the breakdown: a role
// bears no penalties only when the office allows exemptions and the role is marked.
bool bearsNoPenalties(const CollectionSettings &settings, QStringView NOTAX);

} // namespace valdora::collections
