#include "collections/domain/OtherTaxEntry.h"

namespace valdora::collections {

DatoriiRow OtherTaxEntry::toDatoriiRow(qint64 IDDAT, qint64 IDGOS, const QString &SATUL, const QString &ROL) const
{
    DatoriiRow r;
    r.IDDAT = IDDAT;
    r.IDGOS = IDGOS;
    r.DINDATA = date;
    r.SATUL = SATUL;
    r.ROL = ROL;
    r.GRUPA = debt;
    r.DENUM = debt;
    r.DOCJUS = DOCJUS;
    r.NR = NR;
    r.SUMA = SUMA.truncLei();
    r.REST = REST.truncLei();
    r.REDUC = REDUC.truncLei();
    r.UM = QStringLiteral("buc");
    r.CANT = Currency::fromLei(1);
    // Whole percent of the reduction; a row with nothing to pay has none (and no division by 0).
    const Currency base = r.SUMA + r.REST;
    if (!base.isZero())
        r.REDUCP = Currency::div(r.REDUC * 100, base, Rounding::Truncate).truncLei();
    r.SCUTIT = Currency();
    r.TIP = QStringLiteral("M");
    r.SUMA2 = r.SUMA;
    r.RESTINI = r.REST;
    return r;
}

} // namespace valdora::collections
