#pragma once
// The role pages edited in place — 1 extravilan land, 3 intravilan land,
// 5 other taxes, 6 arrears from earlier records — each one row of its table
// per role: which field of the page shows which column, and what a field accepts.

#include "app/core/Currency.h"

#include <QString>
#include <QStringList>
#include <span>
#include <vector>

namespace valdora {

struct RolePageField {
    QString field;  // name of the page's field ("EC3ZB")
    QString column; // column of the page table ("L3B")
};

struct RolePageDef {
    int page = 0;
    QString table;
    QString title;
    int wholeDigits = 0; // what a field accepts: digits before and after "."
    int decimals = 0;
    std::vector<RolePageField> fields; // in the order of the table's columns

    QStringList columns() const;
    int indexOfField(const QString &field) const; // -1 when not on the page
};

class RolePageFields {
public:
    static const RolePageDef &extravilanLand(); // page 1, Pag1: EC<n>Z<z> <- L<n><z>
    static const RolePageDef &intravilanLand(); // page 3, Pag4: ICC<z> <- CC<z>, IA<n><k> <- AL<n><z>
    static const RolePageDef &otherTaxes();     // page 5, Pag7: Alte<k> <- LIN<k>
    static const RolePageDef &arrears();        // page 6, Pag8
    // The definition of page 1, 3, 5 or 6; nullptr for the others.
    static const RolePageDef *page(int page);

    // Page 6: the first of the four main taxes (1 extravilan land, 2 buildings,
    // 3 intravilan land, 4 vehicles) whose credit comes together with arrears or
    // penalties of the same tax; 0 when there is none. `values` in the page's order.
    static int firstCreditWithArrears(std::span<const Currency> values);
    static QString creditField(int tax) { return QStringLiteral("Sold%1").arg(tax); }
};

} // namespace valdora
