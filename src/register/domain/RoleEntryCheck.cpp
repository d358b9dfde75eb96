#include "register/domain/RoleEntryCheck.h"

#include "app/core/Text.h"
#include "app/core/Validation.h"

#include <cmath>

namespace valdora {

RoleEntry RoleEntryCheck::normalised(const RoleEntry &t)
{
    RoleEntry e;
    e.SATUL = cleanSpaces(t.SATUL);
    e.ROL = cleanSpaces(t.ROL);
    e.NUMEP = cleanSpaces(t.NUMEP);
    e.CNP = t.CNP.trimmed();
    e.STRADA = cleanSpaces(t.STRADA);
    e.ADRESA = cleanSpaces(t.ADRESA);
    e.NRPERS = QString::number(t.NRPERS.trimmed().toInt());
    e.MOST = cleanSpaces(t.MOST);
    e.INDOP = cleanSpaces(t.INDOP);
    return e;
}

bool RoleEntryCheck::acceptableCode(QStringView code)
{
    return code.isEmpty() || CnpCheck::isValid(code) || isValidFiscalCode(code);
}

std::optional<RoleEntryProblem> RoleEntryCheck::firstProblem(const RoleEntry &e)
{
    if (e.SATUL.isEmpty())
        return RoleEntryProblem{RoleEntryField::Locality, QStringLiteral("Lipseste Localitatea!")};
    if (e.ROL.isEmpty())
        return RoleEntryProblem{RoleEntryField::RoleNumber, QStringLiteral("Numar de ROL incorect!")};
    if (!acceptableCode(e.CNP))
        return RoleEntryProblem{RoleEntryField::Cnp, QStringLiteral("CNP / CUI incorect!")};
    if (e.NUMEP.isEmpty())
        return RoleEntryProblem{RoleEntryField::Name, QStringLiteral("Lipseste Capul de gospodarie!")};
    return std::nullopt;
}

QString RoleEntryCheck::proposedRoleNumber(std::optional<double> highest)
{
    if (!highest || !std::isfinite(*highest))
        return QStringLiteral("1");
    const double next = *highest + 1;
    const QString text = next == std::floor(next) && std::fabs(next) < 1e15 ? QString::number(qint64(next))
                                                                           : QString::number(next, 'g', 15);
    return text.size() <= 9 ? text : QString();
}

QString RoleEntryCheck::duplicateNumberQuestion()
{
    return QStringLiteral("Numarul unic de ROL exista deja!\rContinuati in halul asta?! ;)");
}

QString RoleEntryCheck::duplicateCodeQuestion(const QString &otherRol, const QString &otherName)
{
    return QStringLiteral("Acest CNP mai exista la ROL ") + otherRol + QStringLiteral("\r") + otherName + QStringLiteral(" !") +
           QStringLiteral("\r") + QStringLiteral("Continuati memorarea ?");
}

} // namespace valdora
