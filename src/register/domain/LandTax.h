#pragma once
// Land tax of a role: the extravilan page (table PAG1, 11 categories x 5
// classification columns, areas in ha) and the intravilan page (table PAG4,
// courtyards with buildings in m2 over 6 columns, and 8 categories x 6 columns
// in ha). Everything here is computed from plain values; the assessment run
// finds the Datorii rows, feeds their previous amounts in and writes what comes out.

#include "app/core/Currency.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <span>

namespace valdora {

// One row of PAG1. L[n-1][z-1] is column L<n><z>: category n = 1..11, classification
// z = A..E (1..5); hectares with four decimals.
struct ExtravilanLandRow {
    static constexpr int Categories = 11;
    static constexpr int Columns = 5;

    qint64 IDGOS = 0;
    std::array<std::array<Currency, Columns>, Categories> L{};

    // 1-based; throws std::out_of_range outside the page.
    Currency &area(int category, int column) { return L.at(category - 1).at(column - 1); }
    Currency area(int category, int column) const { return L.at(category - 1).at(column - 1); }

    // "L3B"; the 55 names in the order the table is created.
    static QString columnName(int category, int column);
    static QStringList columnNames();
    // The area held in the named column ("L11E"), nullptr for any other name.
    Currency *column(QStringView name);
};

// One row of PAG4. CC[z-1] is column CC<z> (courtyards with buildings, m2);
// AL[n-1][z-1] is column AL<n><z>, category n = 1..8, classification z = A..F (ha).
struct IntravilanLandRow {
    static constexpr int Categories = 8;
    static constexpr int Columns = 6;

    qint64 IDGOS = 0;
    std::array<Currency, Columns> CC{};
    std::array<std::array<Currency, Columns>, Categories> AL{};

    Currency &courtyard(int column) { return CC.at(column - 1); }
    Currency courtyard(int column) const { return CC.at(column - 1); }
    Currency &area(int category, int column) { return AL.at(category - 1).at(column - 1); }
    Currency area(int category, int column) const { return AL.at(category - 1).at(column - 1); }

    // "CCA", "AL2C"; the 54 names in table order (CCA..CCF, then AL1A..AL8F).
    static QString courtyardColumnName(int column);
    static QString columnName(int category, int column);
    static QStringList columnNames();
    Currency *column(QStringView name);
};

// Zone ("A".."D") and rank ("0", "I".."V") given to a classification column.
// They only caption the column; the tax uses the column's rate.
struct LandClassification {
    QString zone;
    QString rank;
    QString caption() const; // "A I"
};

// Constants of the extravilan page (administration, section FORM4).
struct ExtravilanLandConstants {
    std::array<LandClassification, ExtravilanLandRow::Columns> classification{}; // TEZ1..TEZ5, TER1..TER5
    // EC[n-1][z-1] is EC<n>Z<z>: lei per ha of category n in column z.
    std::array<std::array<Currency, ExtravilanLandRow::Columns>, ExtravilanLandRow::Categories> EC{};
    Currency RedTE;       // discount percent for paying the year in full by the first term
    bool BonifPJ = false; // "Acorda bonificatie la persoane juridice"

    Currency &rate(int category, int column) { return EC.at(category - 1).at(column - 1); }
    Currency rate(int category, int column) const { return EC.at(category - 1).at(column - 1); }

    static QString rateName(int category, int column);         // "EC3ZB"
    static QString zoneName(int column);                        // "TEZ1"
    static QString rankName(int column);                        // "TER1"
    // The values the administration window starts with.
    static ExtravilanLandConstants initial();
};

// Constants of the intravilan page.
struct IntravilanLandConstants {
    std::array<LandClassification, IntravilanLandRow::Columns> classification{}; // TIZ1..TIZ6, TIR1..TIR6
    std::array<Currency, IntravilanLandRow::Columns> ICC{}; // ICCA..ICCF, lei per m2
    // IA[n-1][k-1] is IA<n><k>: lei per ha of category n in column k.
    std::array<std::array<Currency, IntravilanLandRow::Columns>, IntravilanLandRow::Categories> IA{};
    Currency RedTI;
    bool BonifPJ = false;

    Currency &courtyardRate(int column) { return ICC.at(column - 1); }
    Currency courtyardRate(int column) const { return ICC.at(column - 1); }
    Currency &rate(int category, int column) { return IA.at(category - 1).at(column - 1); }
    Currency rate(int category, int column) const { return IA.at(category - 1).at(column - 1); }

    static QString courtyardRateName(int column);  // "ICCA"
    static QString rateName(int category, int column); // "IA23"
    static QString zoneName(int column);           // "TIZ1"
    static QString rankName(int column);           // "TIR1"
    static IntravilanLandConstants initial();
};

// What the land tax needs of the role (Gospodar).
struct LandRole {
    bool legalPerson = false; // TIP "JURIDICA"
    int SCCC = 0;             // exemption percent on courtyards with buildings
    int SCTI = 0;             // on the other intravilan land
    int SCTE = 0;             // on extravilan land

    static LandRole fromGospodar(QStringView TIP, int SCCC, int SCTI, int SCTE);
};

struct LandDiscount {
    Currency REDUC;  // whole lei
    Currency REDUCP; // percent applied, whole (0 when none is granted)
};

// The tax of one land category (or of the courtyards), before it meets its debt row.
struct LandCategoryTax {
    QString GRUPA;
    QString DENUM;
    QString UM;         // "ha", or "mp" for courtyards
    Currency CANT;      // area total, four decimals
    Currency assessed;  // tax before the exemption, whole lei
    Currency exemption; // part taken off by the exemption percent, whole lei
    Currency tax;       // assessed - exemption: the row's SUMA2
    LandDiscount discount;
};

// The assessed Datorii row as found (all zero when it has just been created).
struct LandDebtBefore {
    Currency SUMA;
    Currency SUMA2;
    Currency RESTINI;
};

// The columns the land step sets on its Datorii row. REST, RESTINI and the
// identity columns are left as the row had them.
struct LandDebtRow {
    QString GRUPA;
    QString DENUM;
    QString UM;
    Currency CANT;
    Currency SUMA;
    Currency SUMA2;
    Currency REDUC;
    Currency REDUCP;
    Currency SCUTIT;
    // false: the row carries nothing; abandon the edit and delete the row if it existed.
    bool post = false;
};

struct ExtravilanLandAssessment {
    std::array<LandCategoryTax, ExtravilanLandRow::Categories> categories{};
    Currency SCTE; // lei exempted over the 11 categories
};

struct IntravilanLandAssessment {
    LandCategoryTax courtyards;
    std::array<LandCategoryTax, IntravilanLandRow::Categories> categories{};
    Currency SCCC; // lei exempted on the courtyards
    Currency SCTI; // lei exempted over the 8 other categories
};

class LandTax {
public:
    static QString extravilanCategoryName(int category); // 1..11, "Teren arabil" ...
    static QString intravilanCategoryName(int category); // 1..8, "Teren arabil" ... "Teren cu ape"
    static QString courtyardsName();                     // "Curti cu constructii"

    // Sum of rate x area, each product rounded to four decimals half to even, the
    // sum rounded to whole lei. Extravilan categories and courtyards.
    static Currency fixedPointTax(std::span<const Currency> rates, std::span<const Currency> areas);
    // Sum of the exact products, rounded once to whole lei. Intravilan categories.
    static Currency exactTax(std::span<const Currency> rates, std::span<const Currency> areas);
    // tax x percent / 100, truncated to whole lei; 0 when the percent is not above 0.
    static Currency exemption(Currency tax, int percent);
    // round(percent x tax / 100), one lei less when that is above a tenth of the tax;
    // nothing for a legal person unless legal persons get discounts.
    static LandDiscount discount(Currency tax, Currency percent, bool legalPerson, bool BonifPJ);

    static ExtravilanLandAssessment extravilan(const ExtravilanLandRow &page, const ExtravilanLandConstants &constants,
                                               const LandRole &role);
    static IntravilanLandAssessment intravilan(const IntravilanLandRow &page, const IntravilanLandConstants &constants,
                                               const LandRole &role);

    // The row values of one category: the difference SUMA - SUMA2 found on the row
    // (a manual change) is kept on top of the new tax.
    static LandDebtRow debtRow(const LandCategoryTax &category, const LandDebtBefore &before);
};

} // namespace valdora
