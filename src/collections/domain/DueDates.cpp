#include "collections/domain/DueDates.h"

#include "app/core/Dates.h"

namespace valdora::collections {

DueDates DueDates::ofYear(int year)
{
    return DueDates{QDate(year - 1, 12, 31), firstTerm(year), secondTerm(year)};
}

} // namespace valdora::collections
