#include "register/store/LandConstants.h"

#include "admin/domain/AdminControls.h"
#include "register/store/RolePageStore.h"

namespace valdora::roles {

ExtravilanLandConstants extravilanConstants(const admin::AdminValues &v)
{
    ExtravilanLandConstants c = ExtravilanLandConstants::initial();
    for (int z = 1; z <= ExtravilanLandRow::Columns; ++z)
        c.classification.at(size_t(z - 1)) = {v.text(ExtravilanLandConstants::zoneName(z)), v.text(ExtravilanLandConstants::rankName(z))};
    for (int n = 1; n <= ExtravilanLandRow::Categories; ++n)
        for (int z = 1; z <= ExtravilanLandRow::Columns; ++z)
            c.rate(n, z) = v.number(ExtravilanLandConstants::rateName(n, z));
    c.RedTE = v.number(QStringLiteral("RedTE"));
    c.BonifPJ = v.checked(QStringLiteral("BonifPJ"));
    return c;
}

IntravilanLandConstants intravilanConstants(const admin::AdminValues &v)
{
    IntravilanLandConstants c = IntravilanLandConstants::initial();
    for (int z = 1; z <= IntravilanLandRow::Columns; ++z) {
        c.classification.at(size_t(z - 1)) = {v.text(IntravilanLandConstants::zoneName(z)), v.text(IntravilanLandConstants::rankName(z))};
        c.courtyardRate(z) = v.number(IntravilanLandConstants::courtyardRateName(z));
    }
    for (int n = 1; n <= IntravilanLandRow::Categories; ++n)
        for (int k = 1; k <= IntravilanLandRow::Columns; ++k)
            c.rate(n, k) = v.number(IntravilanLandConstants::rateName(n, k));
    c.RedTI = v.number(QStringLiteral("RedTI"));
    c.BonifPJ = v.checked(QStringLiteral("BonifPJ"));
    return c;
}

namespace {
template <typename Row> Row rowFrom(Database &db, const RolePageDef &def, qint64 IDGOS)
{
    Row row;
    row.IDGOS = IDGOS;
    const auto values = readPageRow(db, def, IDGOS);
    if (!values)
        return row;
    const QStringList cols = def.columns();
    for (int i = 0; i < cols.size() && i < int(values->size()); ++i)
        if (Currency *c = row.column(cols[i]))
            *c = (*values)[size_t(i)];
    return row;
}
} // namespace

ExtravilanLandRow extravilanRow(Database &db, qint64 IDGOS)
{
    return rowFrom<ExtravilanLandRow>(db, RolePageFields::extravilanLand(), IDGOS);
}

IntravilanLandRow intravilanRow(Database &db, qint64 IDGOS)
{
    return rowFrom<IntravilanLandRow>(db, RolePageFields::intravilanLand(), IDGOS);
}

} // namespace valdora::roles
