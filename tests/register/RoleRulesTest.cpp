// Rules of the role register that need no database: observations, the role
// number proposal, the dialog's refusals, the search and order of the list,
// the page fields and the credit-with-arrears refusal of page 6.

#include "register/domain/RoleEntryCheck.h"
#include "register/domain/RoleListing.h"
#include "register/domain/RolePageFields.h"
#include "register/domain/RoleRecord.h"

#include <gtest/gtest.h>

using namespace valdora;

namespace {

RoleRecord role(qint64 id, const char *satul, const char *rol, const char *name)
{
    RoleRecord r;
    r.IDGOS = id;
    r.SATUL = QString::fromUtf8(satul);
    r.ROL = QString::fromUtf8(rol);
    r.NUMEP = QString::fromUtf8(name);
    return r;
}

RoleEntry entry(const char *satul, const char *rol, const char *name, const char *cnp)
{
    RoleEntry e;
    e.SATUL = QString::fromUtf8(satul);
    e.ROL = QString::fromUtf8(rol);
    e.NUMEP = QString::fromUtf8(name);
    e.CNP = QString::fromUtf8(cnp);
    return e;
}

std::vector<qint64> shown(const RoleListing &l)
{
    std::vector<qint64> ids;
    for (int i = 0; i < l.size(); ++i)
        ids.push_back(l.at(i).IDGOS);
    return ids;
}

} // namespace

TEST(RoleObservations, SplitTwoHundredFortyPlusTwoHundredFortyAndJoinBack)
{
    struct Case {
        QString typed;
        int obs, obs2;
        QString joined;
    };
    const QString words = QString(239, u'a') + u' ' + QString(100, u'b'); // a blank falls on character 240
    const Case cases[] = {
        {QString(300, u'x'), 240, 60, QString(300, u'x')},
        {QString(480, u'y'), 240, 240, QString(480, u'y')},
        {QString(500, u'z'), 240, 240, QString(480, u'z')},
        {QStringLiteral("  doua   vorbe "), 10, 0, QStringLiteral("doua vorbe")},
        {words, 240, 100, words},
        {QString(), 0, 0, QString()},
    };
    for (const auto &c : cases) {
        RoleRecord r;
        r.setObservations(c.typed);
        // The table keeps CHAR values without trailing blanks.
        QString OBS = r.OBS;
        while (OBS.endsWith(u' '))
            OBS.chop(1);
        EXPECT_EQ(r.OBS.size(), c.obs) << c.typed.size();
        EXPECT_EQ(r.OBS2.size(), c.obs2) << c.typed.size();
        EXPECT_EQ(RoleRecord::joinObservations(OBS, r.OBS2), c.joined) << c.typed.size();
    }
}

TEST(RoleEntryCheck, ProposedRoleNumber)
{
    EXPECT_EQ(RoleEntryCheck::proposedRoleNumber(std::nullopt), "1");
    EXPECT_EQ(RoleEntryCheck::proposedRoleNumber(0.0), "1");
    EXPECT_EQ(RoleEntryCheck::proposedRoleNumber(41.0), "42");
    EXPECT_EQ(RoleEntryCheck::proposedRoleNumber(12.5), "13.5");
    EXPECT_EQ(RoleEntryCheck::proposedRoleNumber(999999998.0), "999999999");
    EXPECT_EQ(RoleEntryCheck::proposedRoleNumber(999999999.0), ""); // 10 digits do not fit ROL
}

TEST(RoleEntryCheck, RefusalsComeInTheirOrder)
{
    struct Case {
        RoleEntry typed;
        std::optional<RoleEntryField> field;
        QString text;
    };
    const Case cases[] = {
        {{}, RoleEntryField::Locality, "Lipseste Localitatea!"},
        {entry("  ", "5", "ION", "x"), RoleEntryField::Locality, "Lipseste Localitatea!"},
        {entry("LUNCA", "   ", "", "1"), RoleEntryField::RoleNumber, "Numar de ROL incorect!"},
        {entry("LUNCA", "5", "", "1800101010016"), RoleEntryField::Cnp, "CNP / CUI incorect!"},
        {entry("LUNCA", "5", "ION", "18547291"), RoleEntryField::Cnp, "CNP / CUI incorect!"},
        {entry("LUNCA", "5", "  ", "1800101010015"), RoleEntryField::Name, "Lipseste Capul de gospodarie!"},
        {entry("LUNCA", "5", "ION", "1800101010015"), std::nullopt, {}},
        {entry("LUNCA", "5", "SC ALFA SRL", "18547290"), std::nullopt, {}}, // a fiscal code
        {entry("LUNCA", "5", "ION", ""), std::nullopt, {}},                  // no code is no check
    };
    for (const auto &c : cases) {
        const auto p = RoleEntryCheck::firstProblem(RoleEntryCheck::normalised(c.typed));
        ASSERT_EQ(p.has_value(), c.field.has_value()) << c.typed.SATUL.toStdString() << "/" << c.typed.CNP.toStdString();
        if (p) {
            EXPECT_EQ(p->field, *c.field);
            EXPECT_EQ(p->text, c.text);
        }
    }
}

TEST(RoleEntryCheck, NormalisesTheFieldsAndTheQuestions)
{
    const RoleEntry e = RoleEntryCheck::normalised(
        {" VALEA   MARE ", " 12 ", "  POP   ION ", " 1800101010015 ", " Unirii  ", "nr.  3 ", "07", " Ana   si  Ion ", " AB  "});
    EXPECT_EQ(e.SATUL, "VALEA MARE");
    EXPECT_EQ(e.ROL, "12");
    EXPECT_EQ(e.NUMEP, "POP ION");
    EXPECT_EQ(e.CNP, "1800101010015");
    EXPECT_EQ(e.STRADA, "Unirii");
    EXPECT_EQ(e.ADRESA, "nr. 3");
    EXPECT_EQ(e.NRPERS, "7");
    EXPECT_EQ(e.MOST, "Ana si Ion");
    EXPECT_EQ(e.INDOP, "AB");
    EXPECT_EQ(RoleEntryCheck::normalised({}).NRPERS, "0");
    EXPECT_EQ(RoleEntryCheck::duplicateCodeQuestion("17", "POP ION"),
              "Acest CNP mai exista la ROL 17\rPOP ION !\rContinuati memorarea ?");
}

TEST(RoleListing, SearchNarrowsByLocalityExactNumberAndNamePrefix)
{
    RoleListing l;
    l.setRoles({role(1, "LUNCA", "10", "POPESCU ION"), role(2, "LUNCA", "9", "POP ANA"),
                role(3, "PODENI", "10", "Popa Vasile"), role(4, "PODENI", "100", "IONESCU POP"),
                role(5, "PODENI", "12a", "ŞERBAN ION"), role(6, "podeni", "7", "ȘTEFAN ANA")});
    struct Case {
        RoleSearch search;
        std::vector<qint64> ids;
    };
    const Case cases[] = {
        {{}, {2, 1, 4, 3, 5, 6}},
        {{"", "", "POP"}, {2, 1, 3}},              // a prefix, without regard to case
        {{"", "", "POPE"}, {1}},
        {{"", "", "ION"}, {4}},                    // the beginning of the name only
        {{"", "10", ""}, {1, 3}},                  // the number in any locality
        {{"", "1", ""}, {}},                       // exact, not a prefix
        {{"", "12A", ""}, {5}},
        {{"PODENI", "", ""}, {4, 3, 5, 6}},
        {{"PODENI", "10", "POP"}, {3}},
        {{"", "", "ŞTEFAN"}, {6}},                 // cedilla and comma below are one letter
        {{"", "", "ȘERBAN"}, {5}},
        {{"LUNCA", "", "IONESCU"}, {}},
    };
    for (const auto &c : cases) {
        l.setSearch(c.search);
        EXPECT_EQ(shown(l), c.ids) << c.search.locality.toStdString() << "|" << c.search.rol.toStdString() << "|"
                                   << c.search.name.toStdString();
        EXPECT_EQ(l.total(), 6);
    }
    l.setSearch({"", "", "POP"});
    EXPECT_EQ(l.rowOf(3), 2);
    EXPECT_EQ(l.rowOf(4), -1); // not shown
    EXPECT_TRUE(l.contains(4));
}

TEST(RoleListing, OrderByAColumnKeepsTheSearch)
{
    RoleListing l;
    l.setRoles({role(1, "LUNCA", "10", "POPESCU ION"), role(2, "LUNCA", "9", "POP ANA"),
                role(3, "BRAZI", "100", "POPA VASILE"), role(4, "ZAVOI", "9", "ANGHEL ION"),
                role(5, "ĂRIEŞ", "2", "ZAMFIR ION")});
    EXPECT_EQ(shown(l), (std::vector<qint64>{5, 3, 2, 1, 4})); // Ă after A, before B
    l.sortBy(RoleColumn::ROL);
    EXPECT_EQ(shown(l), (std::vector<qint64>{5, 2, 4, 1, 3})); // numbers as numbers; ties in the usual order
    l.sortBy(RoleColumn::NUMEP);
    EXPECT_EQ(shown(l), (std::vector<qint64>{4, 2, 3, 1, 5}));
    l.setSearch({"", "", "POP"});
    EXPECT_EQ(shown(l), (std::vector<qint64>{2, 3, 1}));
    // New roles take the order and the search in force.
    l.setRoles({role(7, "LUNCA", "1", "POPOVICI DAN"), role(8, "LUNCA", "2", "POPA ANA"), role(9, "X", "3", "ION")});
    EXPECT_EQ(shown(l), (std::vector<qint64>{8, 7}));
    l.sortBy(std::nullopt);
    l.setSearch({});
    EXPECT_EQ(shown(l), (std::vector<qint64>{8, 7, 9}));
    EXPECT_EQ(RoleListing::columnNamed(u"scte"), RoleColumn::SCTE);
}

TEST(RolePageFields, FieldsShowTheirColumns)
{
    struct Case {
        int page;
        const char *table;
        size_t count;
        const char *field;
        const char *column;
    };
    const Case cases[] = {
        {1, "Pag1", 55, "EC3ZB", "L3B"},         {1, "Pag1", 55, "EC11ZE", "L11E"},
        {3, "Pag4", 54, "ICCA", "CCA"},          {3, "Pag4", 54, "IA23", "AL2C"},
        {3, "Pag4", 54, "IA86", "AL8F"},         {5, "Pag7", 6, "Alte6", "LIN6"},
        {6, "Pag8", 19, "NumericEdit12", "LIN1"}, {6, "Pag8", 19, "NumericEdit15", "LIN4"},
        {6, "Pag8", 19, "NumericEdit17", "LIN5"}, {6, "Pag8", 19, "NumericEdit23", "LIN11"},
        {6, "Pag8", 19, "Pen14", "PEN3"},         {6, "Pag8", 19, "Sold4", "SOLD4"},
    };
    for (const auto &c : cases) {
        const RolePageDef *d = RolePageFields::page(c.page);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->table, c.table);
        EXPECT_EQ(d->fields.size(), c.count);
        const int i = d->indexOfField(c.field);
        ASSERT_GE(i, 0) << c.field;
        EXPECT_EQ(d->fields[size_t(i)].column, c.column);
    }
    EXPECT_EQ(RolePageFields::page(2), nullptr);
    EXPECT_EQ(RolePageFields::arrears().indexOfField("NumericEdit16"), -1);
}

TEST(RolePageFields, CreditTogetherWithArrearsOfTheSameTax)
{
    auto page = [](std::initializer_list<std::pair<const char *, int>> values) {
        std::vector<Currency> v(RolePageFields::arrears().fields.size());
        for (auto [column, lei] : values)
            for (size_t i = 0; i < v.size(); ++i)
                if (RolePageFields::arrears().fields[i].column == QLatin1String(column))
                    v[i] = Currency::fromLei(lei);
        return v;
    };
    struct Case {
        std::vector<Currency> values;
        int tax;
    };
    const Case cases[] = {
        {page({}), 0},
        {page({{"SOLD1", 100}}), 0},
        {page({{"SOLD1", 100}, {"LIN1", 50}}), 1},
        {page({{"SOLD2", 100}, {"PEN2", 5}}), 2},               // penalties count as arrears
        {page({{"SOLD3", 100}, {"LIN1", 50}}), 0},              // another tax's arrears
        {page({{"SOLD4", 100}, {"LIN5", 50}, {"LIN6", 1}}), 0}, // other taxes have no credit
        {page({{"SOLD4", 1}, {"LIN4", 1}, {"SOLD2", 1}, {"PEN2", 1}}), 2}, // the first in turn
    };
    for (const auto &c : cases)
        EXPECT_EQ(RolePageFields::firstCreditWithArrears(c.values), c.tax);
}
