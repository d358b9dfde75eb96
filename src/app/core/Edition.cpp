#include "app/core/Edition.h"

namespace valdora::edition {

QString versionText()
{
    return QStringLiteral("%1.%2").arg(VersionScaled / 10000).arg(VersionScaled % 10000, 4, 10, QLatin1Char('0'));
}

QString titleWithVersion() { return QString::fromLatin1(Title) + QStringLiteral(" ver.") + versionText(); }

} // namespace valdora::edition
