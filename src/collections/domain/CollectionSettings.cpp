#include "collections/domain/CollectionSettings.h"

namespace valdora::collections {

bool isDa(QStringView value) { return value.trimmed().compare(u"DA", Qt::CaseInsensitive) == 0; }

bool bearsNoPenalties(const CollectionSettings &settings, QStringView NOTAX)
{
    return settings.penaltyExemptionsAllowed && isDa(NOTAX);
}

} // namespace valdora::collections
