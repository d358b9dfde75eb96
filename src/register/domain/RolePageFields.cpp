#include "register/domain/RolePageFields.h"

#include "register/domain/LandTax.h"

namespace valdora {

QStringList RolePageDef::columns() const
{
    QStringList c;
    for (const auto &f : fields)
        c << f.column;
    return c;
}

int RolePageDef::indexOfField(const QString &field) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const RolePageDef &RolePageFields::extravilanLand()
{
    static const RolePageDef d = [] {
        RolePageDef p{1, QStringLiteral("Pag1"), QStringLiteral("Teren Extravilan"), 4, 4, {}};
        for (int n = 1; n <= ExtravilanLandRow::Categories; ++n)
            for (int z = 1; z <= ExtravilanLandRow::Columns; ++z)
                p.fields.push_back({ExtravilanLandConstants::rateName(n, z), ExtravilanLandRow::columnName(n, z)});
        return p;
    }();
    return d;
}

const RolePageDef &RolePageFields::intravilanLand()
{
    static const RolePageDef d = [] {
        RolePageDef p{3, QStringLiteral("Pag4"), QStringLiteral("Teren intravilan"), 4, 4, {}};
        for (int z = 1; z <= IntravilanLandRow::Columns; ++z)
            p.fields.push_back({IntravilanLandConstants::courtyardRateName(z), IntravilanLandRow::courtyardColumnName(z)});
        for (int n = 1; n <= IntravilanLandRow::Categories; ++n)
            for (int z = 1; z <= IntravilanLandRow::Columns; ++z)
                p.fields.push_back({IntravilanLandConstants::rateName(n, z), IntravilanLandRow::columnName(n, z)});
        return p;
    }();
    return d;
}

const RolePageDef &RolePageFields::otherTaxes()
{
    static const RolePageDef d = [] {
        RolePageDef p{5, QStringLiteral("Pag7"), QStringLiteral("Alte taxe"), 3, 1, {}};
        for (int k = 1; k <= 6; ++k)
            p.fields.push_back({QStringLiteral("Alte%1").arg(k), QStringLiteral("LIN%1").arg(k)});
        return p;
    }();
    return d;
}

const RolePageDef &RolePageFields::arrears()
{
    static const RolePageDef d = [] {
        RolePageDef p{6, QStringLiteral("Pag8"), QStringLiteral("Restante din evidentele anterioare"), 5, 0, {}};
        // The arrears of the four main taxes are fields 12..15, those of the seven other taxes 17..23.
        for (int k = 1; k <= 4; ++k)
            p.fields.push_back({QStringLiteral("NumericEdit%1").arg(11 + k), QStringLiteral("LIN%1").arg(k)});
        for (int k = 5; k <= 11; ++k)
            p.fields.push_back({QStringLiteral("NumericEdit%1").arg(12 + k), QStringLiteral("LIN%1").arg(k)});
        for (int k = 1; k <= 4; ++k)
            p.fields.push_back({QStringLiteral("Pen%1").arg(11 + k), QStringLiteral("PEN%1").arg(k)});
        for (int k = 1; k <= 4; ++k)
            p.fields.push_back({creditField(k), QStringLiteral("SOLD%1").arg(k)});
        return p;
    }();
    return d;
}

const RolePageDef *RolePageFields::page(int page)
{
    switch (page) {
    case 1: return &extravilanLand();
    case 3: return &intravilanLand();
    case 5: return &otherTaxes();
    case 6: return &arrears();
    default: return nullptr;
    }
}

int RolePageFields::firstCreditWithArrears(std::span<const Currency> values)
{
    const RolePageDef &d = arrears();
    if (values.size() != d.fields.size())
        return 0;
    // Table order: LIN1..LIN11, PEN1..PEN4, SOLD1..SOLD4.
    for (int tax = 1; tax <= 4; ++tax) {
        const Currency arrears = values[size_t(tax - 1)];
        const Currency penalties = values[size_t(11 + tax - 1)];
        const Currency credit = values[size_t(15 + tax - 1)];
        if (credit > Currency() && arrears + penalties > Currency())
            return tax;
    }
    return 0;
}

} // namespace valdora
