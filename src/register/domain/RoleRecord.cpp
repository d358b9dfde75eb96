#include "register/domain/RoleRecord.h"

#include "app/core/Text.h"

namespace valdora {

void RoleRecord::setObservations(QStringView text)
{
    auto [first, second] = splitObservations(text);
    OBS = std::move(first);
    OBS2 = std::move(second);
}

QString RoleRecord::joinObservations(const QString &OBS, const QString &OBS2)
{
    if (OBS2.isEmpty())
        return OBS;
    return OBS.leftJustified(ObservationPart, u' ') + OBS2;
}

std::pair<QString, QString> RoleRecord::splitObservations(QStringView text)
{
    const QString clean = cleanSpaces(text).left(MaxObservations);
    return {clean.left(ObservationPart), clean.mid(ObservationPart)};
}

const QStringList &RoleRecord::personTypes()
{
    static const QStringList t{QStringLiteral("FIZICA"), QStringLiteral("JURIDICA")};
    return t;
}

const QStringList &RoleRecord::exemptionPercents()
{
    static const QStringList p{QStringLiteral("0"), QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("100")};
    return p;
}

} // namespace valdora
