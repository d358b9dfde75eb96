#include "register/domain/LandTax.h"

#include "app/core/Text.h"

#include <limits>
#include <stdexcept>

namespace valdora {
namespace {

__extension__ typedef __int128 i128;

constexpr int64_t Scale = Currency::Scale;

QChar columnLetter(int column) { return QChar(u'A' + (column - 1)); }

void checkRange(int value, int last, const char *what)
{
    if (value < 1 || value > last)
        throw std::out_of_range(what);
}

int64_t checked(i128 v)
{
    if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
        throw CurrencyOverflow("Suma depaseste domeniul de calcul");
    return static_cast<int64_t>(v);
}

// n / d rounded half away from zero, d > 0.
i128 divideRounded(i128 n, i128 d)
{
    i128 q = n / d;
    i128 r = n % d;
    if ((r < 0 ? -r : r) * 2 >= d)
        q += n < 0 ? -1 : 1;
    return q;
}

// Reads a 1-based number of one or two digits with no leading zero; -1 when malformed.
int readNumber(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 2 || digits.front() == u'0')
        return -1;
    int n = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// Column letter A.. of a name, 0 when it is not one of the first `columns` letters.
int readLetter(QChar c, int columns)
{
    int z = c.unicode() - u'A' + 1;
    return z >= 1 && z <= columns ? z : 0;
}

LandClassification zoneRank(const char *zone, const char *rank)
{
    return {QString::fromLatin1(zone), QString::fromLatin1(rank)};
}

LandCategoryTax categoryTax(QString group, QString name, QString unit, Currency area, Currency assessed,
                            int exemptionPercent, Currency discountPercent, const LandRole &role, bool BonifPJ)
{
    LandCategoryTax t;
    t.GRUPA = std::move(group);
    t.DENUM = std::move(name);
    t.UM = std::move(unit);
    t.CANT = area;
    t.assessed = assessed;
    t.exemption = LandTax::exemption(assessed, exemptionPercent);
    t.tax = assessed - t.exemption;
    t.discount = LandTax::discount(t.tax, discountPercent, role.legalPerson, BonifPJ);
    return t;
}

template <std::size_t N>
Currency sum(const std::array<Currency, N> &areas)
{
    Currency total;
    for (Currency a : areas)
        total += a;
    return total;
}

} // namespace

QString ExtravilanLandRow::columnName(int category, int column)
{
    checkRange(category, Categories, "categorie teren extravilan");
    checkRange(column, Columns, "coloana teren extravilan");
    return u'L' + QString::number(category) + columnLetter(column);
}

QStringList ExtravilanLandRow::columnNames()
{
    QStringList names;
    for (int n = 1; n <= Categories; ++n)
        for (int z = 1; z <= Columns; ++z)
            names << columnName(n, z);
    return names;
}

Currency *ExtravilanLandRow::column(QStringView name)
{
    if (name.size() < 3 || name.front() != u'L')
        return nullptr;
    int z = readLetter(name.back(), Columns);
    int n = readNumber(name.mid(1, name.size() - 2));
    if (z == 0 || n < 1 || n > Categories)
        return nullptr;
    return &area(n, z);
}

QString IntravilanLandRow::courtyardColumnName(int column)
{
    checkRange(column, Columns, "coloana curti constructii");
    return QStringLiteral("CC") + columnLetter(column);
}

QString IntravilanLandRow::columnName(int category, int column)
{
    checkRange(category, Categories, "categorie teren intravilan");
    checkRange(column, Columns, "coloana teren intravilan");
    return QStringLiteral("AL") + QString::number(category) + columnLetter(column);
}

QStringList IntravilanLandRow::columnNames()
{
    QStringList names;
    for (int z = 1; z <= Columns; ++z)
        names << courtyardColumnName(z);
    for (int n = 1; n <= Categories; ++n)
        for (int z = 1; z <= Columns; ++z)
            names << columnName(n, z);
    return names;
}

Currency *IntravilanLandRow::column(QStringView name)
{
    if (name.size() == 3 && name.startsWith(u"CC")) {
        int z = readLetter(name.back(), Columns);
        return z == 0 ? nullptr : &courtyard(z);
    }
    if (name.size() < 4 || !name.startsWith(u"AL"))
        return nullptr;
    int z = readLetter(name.back(), Columns);
    int n = readNumber(name.mid(2, name.size() - 3));
    if (z == 0 || n < 1 || n > Categories)
        return nullptr;
    return &area(n, z);
}

QString LandClassification::caption() const { return zone + u' ' + rank; }

QString ExtravilanLandConstants::rateName(int category, int column)
{
    checkRange(category, ExtravilanLandRow::Categories, "categorie teren extravilan");
    checkRange(column, ExtravilanLandRow::Columns, "coloana teren extravilan");
    return QStringLiteral("EC") + QString::number(category) + u'Z' + columnLetter(column);
}

QString ExtravilanLandConstants::zoneName(int column)
{
    checkRange(column, ExtravilanLandRow::Columns, "coloana teren extravilan");
    return QStringLiteral("TEZ") + QString::number(column);
}

QString ExtravilanLandConstants::rankName(int column)
{
    checkRange(column, ExtravilanLandRow::Columns, "coloana teren extravilan");
    return QStringLiteral("TER") + QString::number(column);
}

ExtravilanLandConstants ExtravilanLandConstants::initial()
{
    ExtravilanLandConstants k;
    k.classification = {zoneRank("A", "I"), zoneRank("B", "II"), zoneRank("C", "II"),
                        zoneRank("D", "II"), zoneRank("D", "IV")};
    struct Rates { int category; int lei[ExtravilanLandRow::Columns]; };
    const Rates rates[] = {{1, {40, 37, 35, 30, 30}}, {2, {22, 20, 18, 14, 14}}, {3, {44, 42, 40, 34, 34}},
                           {5, {44, 42, 40, 34, 34}}, {7, {13, 11, 9, 6, 6}},     {8, {24, 22, 20, 16, 16}}};
    for (const Rates &r : rates)
        for (int z = 1; z <= ExtravilanLandRow::Columns; ++z)
            k.rate(r.category, z) = Currency::fromLei(r.lei[z - 1]);
    k.RedTE = Currency::fromLei(10);
    return k;
}

QString IntravilanLandConstants::courtyardRateName(int column)
{
    checkRange(column, IntravilanLandRow::Columns, "coloana curti constructii");
    return QStringLiteral("ICC") + columnLetter(column);
}

QString IntravilanLandConstants::rateName(int category, int column)
{
    checkRange(category, IntravilanLandRow::Categories, "categorie teren intravilan");
    checkRange(column, IntravilanLandRow::Columns, "coloana teren intravilan");
    return QStringLiteral("IA") + QString::number(category) + QString::number(column);
}

QString IntravilanLandConstants::zoneName(int column)
{
    checkRange(column, IntravilanLandRow::Columns, "coloana teren intravilan");
    return QStringLiteral("TIZ") + QString::number(column);
}

QString IntravilanLandConstants::rankName(int column)
{
    checkRange(column, IntravilanLandRow::Columns, "coloana teren intravilan");
    return QStringLiteral("TIR") + QString::number(column);
}

IntravilanLandConstants IntravilanLandConstants::initial()
{
    IntravilanLandConstants k;
    k.classification = {zoneRank("A", "I"),   zoneRank("B", "II"), zoneRank("C", "III"),
                        zoneRank("D", "III"), zoneRank("D", "IV"), zoneRank("D", "IV")};
    k.RedTI = Currency::fromLei(10);
    return k;
}

LandRole LandRole::fromGospodar(QStringView TIP, int SCCC, int SCTI, int SCTE)
{
    return {TIP.trimmed() == u"JURIDICA", SCCC, SCTI, SCTE};
}

QString LandTax::extravilanCategoryName(int category)
{
    static const char *const names[ExtravilanLandRow::Categories] = {
        "Teren arabil",
        "Pasuni - fanete",
        "Vie pe rod",
        "Vie pana la intrarea pe rod",
        "Livada pe rod",
        "Livada pana la intrarea pe rod",
        "Fond forestier sau alt teren",
        "Teren de constructii",
        "Teren neproductiv",
        "Teren cu apa, fara amenajari piscicole",
        "Teren cu amenajari piscicole",
    };
    checkRange(category, ExtravilanLandRow::Categories, "categorie teren extravilan");
    return QString::fromLatin1(names[category - 1]);
}

QString LandTax::intravilanCategoryName(int category)
{
    static const char *const names[IntravilanLandRow::Categories] = {
        "Teren arabil", "Pasune", "Faneata", "Vie", "Livada", "Neproductiv", "Padure", "Teren cu ape",
    };
    checkRange(category, IntravilanLandRow::Categories, "categorie teren intravilan");
    return QString::fromLatin1(names[category - 1]);
}

QString LandTax::courtyardsName() { return QStringLiteral("Curti cu constructii"); }

Currency LandTax::fixedPointTax(std::span<const Currency> rates, std::span<const Currency> areas)
{
    if (rates.size() != areas.size())
        throw std::invalid_argument("rates and areas differ in length");
    Currency total;
    for (std::size_t i = 0; i < rates.size(); ++i)
        total += Currency::mul(rates[i], areas[i], Rounding::HalfToEven);
    return total.roundLei();
}

Currency LandTax::exactTax(std::span<const Currency> rates, std::span<const Currency> areas)
{
    if (rates.size() != areas.size())
        throw std::invalid_argument("rates and areas differ in length");
    // Products of two four-decimal values have eight decimals; keep them all.
    i128 total = 0;
    for (std::size_t i = 0; i < rates.size(); ++i)
        total += i128(rates[i].raw()) * areas[i].raw();
    return Currency::fromLei(checked(divideRounded(total, i128(Scale) * Scale)));
}

Currency LandTax::exemption(Currency tax, int percent)
{
    if (percent <= 0)
        return {};
    return Currency::percentOf(tax, Currency::fromLei(percent), Rounding::Truncate).truncLei();
}

LandDiscount LandTax::discount(Currency tax, Currency percent, bool legalPerson, bool BonifPJ)
{
    if (legalPerson && !BonifPJ)
        return {};
    // One rounding of tax x percent / 100 straight to lei: rounding to four
    // decimals first could lift x.49995 to x.5.
    Currency d = Currency::fromLei(checked(divideRounded(i128(tax.raw()) * percent.raw(), i128(Scale) * Scale * 100)));
    if (d * 10 > tax)
        d -= Currency::fromLei(1);
    // REDUCP is a whole-number column.
    return {d, percent.truncLei()};
}

ExtravilanLandAssessment LandTax::extravilan(const ExtravilanLandRow &page, const ExtravilanLandConstants &constants,
                                             const LandRole &role)
{
    ExtravilanLandAssessment result;
    const QString group = mainGroupName(3);
    for (int n = 1; n <= ExtravilanLandRow::Categories; ++n) {
        const auto &areas = page.L[n - 1];
        Currency assessed = fixedPointTax(constants.EC[n - 1], areas);
        LandCategoryTax &t = result.categories[n - 1];
        t = categoryTax(group, extravilanCategoryName(n), QStringLiteral("ha"), sum(areas), assessed, role.SCTE,
                        constants.RedTE, role, constants.BonifPJ);
        result.SCTE += t.exemption;
    }
    return result;
}

IntravilanLandAssessment LandTax::intravilan(const IntravilanLandRow &page, const IntravilanLandConstants &constants,
                                             const LandRole &role)
{
    IntravilanLandAssessment result;
    const QString group = mainGroupName(2);
    result.courtyards = categoryTax(group, courtyardsName(), QStringLiteral("mp"), sum(page.CC),
                                    fixedPointTax(constants.ICC, page.CC), role.SCCC, constants.RedTI, role,
                                    constants.BonifPJ);
    result.SCCC = result.courtyards.exemption;
    for (int n = 1; n <= IntravilanLandRow::Categories; ++n) {
        const auto &areas = page.AL[n - 1];
        LandCategoryTax &t = result.categories[n - 1];
        t = categoryTax(group, intravilanCategoryName(n), QStringLiteral("ha"), sum(areas),
                        exactTax(constants.IA[n - 1], areas), role.SCTI, constants.RedTI, role, constants.BonifPJ);
        result.SCTI += t.exemption;
    }
    return result;
}

LandDebtRow LandTax::debtRow(const LandCategoryTax &category, const LandDebtBefore &before)
{
    LandDebtRow row;
    row.GRUPA = category.GRUPA;
    row.DENUM = category.DENUM;
    row.UM = category.UM;
    row.CANT = category.CANT;
    row.SUMA = before.SUMA - before.SUMA2 + category.tax;
    row.SUMA2 = category.tax;
    row.REDUC = category.discount.REDUC;
    row.REDUCP = category.discount.REDUCP;
    row.post = !row.SUMA2.isZero() || !before.RESTINI.isZero() || !row.REDUC.isZero();
    return row;
}

} // namespace valdora
