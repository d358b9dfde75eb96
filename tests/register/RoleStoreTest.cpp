// The roles in the database: the number proposal, adding with the zero page
// rows, a change followed by the role's debts and balances (by IDGOS, not by
// locality and number), deleting in one transaction, and the page rows.

#include "app/db/DbFixture.h"
#include "app/db/Rows.h"
#include "register/store/RolePageStore.h"
#include "register/store/RoleStore.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::roles;
using namespace valdora::test;

namespace {

struct StoreFixture : ProgramFixture {
    std::unique_ptr<Database> database;
    StoreFixture()
    {
        start();
        database = db();
    }
    Database &d() { return *database; }
    qint64 add(const QString &satul, const QString &rol, const QString &name, const QString &cnp = {})
    {
        RoleRecord r;
        r.SATUL = satul;
        r.ROL = rol;
        r.NUMEP = name;
        r.CNP = cnp;
        SettingsFile s = settings();
        return addRole(d(), s, r);
    }
    int rows(const QString &table, qint64 id)
    {
        return d().scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE IDGOS=?").arg(table), {id}).toInt();
    }
    QString text(const QString &sql, const QVariantList &params = {}) { return d().scalar(sql, params).toString(); }
};

} // namespace

TEST(RoleStore, TheProposalReadsNumericRoleNumbersOnly)
{
    StoreFixture f;
    EXPECT_EQ(highestRoleNumber(f.d()), std::nullopt);
    f.add("LUNCA", "12A", "POP ION");
    f.add("LUNCA", "ABC", "POP ANA");
    EXPECT_EQ(highestRoleNumber(f.d()), std::nullopt);
    f.add("LUNCA", "9", "POPA ION");
    f.add("PODENI", "41", "DINU ION");
    f.add("PODENI", "0041.5x", "DINU ANA");
    EXPECT_EQ(highestRoleNumber(f.d()), 41.0);
    EXPECT_THROW(f.add("PODENI", "1000000000", "DINU ANA"), Error); // ROL keeps 9 characters
    EXPECT_EQ(f.d().count("Gospodar"), 5);
}

TEST(RoleStore, AddingTakesTheCounterAndCreatesTheZeroPageRows)
{
    StoreFixture f;
    const qint64 first = f.add("LUNCA", "1", "POP \"IONEL\" O'NEIL", "1800101010015");
    const qint64 second = f.add("LUNCA", "2", "POP ANA");
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(f.settings().peekNumber("SERVER", "IDGOS"), second + 1);
    for (const char *t : {"Pag1", "Pag4", "Pag7", "Pag8"})
        EXPECT_EQ(f.rows(QString::fromLatin1(t), first), 1) << t;
    EXPECT_EQ(f.text("SELECT SUM(L1A)+SUM(L11E) FROM Pag1 WHERE IDGOS=?", {first}).toInt(), 0);
    // Quotes are stored as typed.
    const auto r = loadRole(f.d(), first);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->NUMEP, "POP \"IONEL\" O'NEIL");
    EXPECT_EQ(r->TIP, "FIZICA");
    EXPECT_EQ(r->NOTAX, "NU");
    EXPECT_EQ(r->NRPERS, 1);
    EXPECT_EQ(roleNumberUses(f.d(), "1", 0), 1);
    EXPECT_EQ(roleNumberUses(f.d(), "1", first), 0);
    const auto other = roleWithCode(f.d(), "1800101010015", second);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->ROL, "1");
    EXPECT_FALSE(roleWithCode(f.d(), "1800101010015", first));
    // Zero rows are not doubled.
    createZeroPageRows(f.d(), first);
    EXPECT_EQ(f.rows("Pag8", first), 1);
    EXPECT_EQ(f.rows("Pag8", 999), 0);
    createZeroPageRows(f.d(), 999);
    EXPECT_EQ(f.rows("Pag8", 999), 1);
}

TEST(RoleStore, DebtsAndBalancesFollowTheRoleNotItsNamesake)
{
    StoreFixture f;
    const qint64 a = f.add("LUNCA", "5", "POP ION");
    const qint64 b = f.add("LUNCA", "5", "POP ANA"); // the same locality and number
    for (qint64 id : {a, b}) {
        insertRow(f.d(), "Datorii", {{"IDDAT", id * 10}, {"IDGOS", id}, {"SATUL", "LUNCA"}, {"ROL", "5"}, {"GRUPA", "Paza"}});
        insertRow(f.d(), "SoldCalc", {{"IDRES", id * 10}, {"IDGOS", id}, {"SATUL", "LUNCA"}, {"ROL", "5"},
                                      {"GRUPA", "Impozit pe cladiri"}});
        insertRow(f.d(), "Chitante", {{"IDCHIT", id * 10}, {"IDGOS", id}, {"SATUL", "LUNCA"}, {"ROL", "5"}});
    }
    RoleRecord r = *loadRole(f.d(), a);
    r.SATUL = "PODENI";
    r.ROL = "6";
    updateRole(f.d(), r);
    for (const char *t : {"Datorii", "SoldCalc"}) {
        EXPECT_EQ(f.text(QStringLiteral("SELECT SATUL||'/'||ROL FROM %1 WHERE IDGOS=?").arg(t), {a}), "PODENI/6") << t;
        EXPECT_EQ(f.text(QStringLiteral("SELECT SATUL||'/'||ROL FROM %1 WHERE IDGOS=?").arg(t), {b}), "LUNCA/5") << t;
    }
    EXPECT_EQ(f.text("SELECT SATUL||'/'||ROL FROM Chitante WHERE IDGOS=?", {a}), "LUNCA/5"); // what was printed
    EXPECT_EQ(loadRole(f.d(), a)->SATUL, "PODENI");
    EXPECT_EQ(loadRole(f.d(), b)->SATUL, "LUNCA");
}

TEST(RoleStore, DeletingRemovesEveryRowOfTheRoleOrNothing)
{
    StoreFixture f;
    const qint64 a = f.add("LUNCA", "5", "POP ION");
    const qint64 b = f.add("LUNCA", "6", "POP ANA");
    for (qint64 id : {a, b}) {
        for (const auto &t : roleTables()) {
            const QString table = QString::fromLatin1(t.table);
            if (f.rows(table, id) == 0)
                insertRow(f.d(), table, {{"IDGOS", id}});
        }
    }
    std::vector<int> positions;
    deleteRole(f.d(), a, [&](int p) { positions.push_back(p); });
    for (const auto &t : roleTables()) {
        EXPECT_EQ(f.rows(QString::fromLatin1(t.table), a), 0) << t.table;
        EXPECT_EQ(f.rows(QString::fromLatin1(t.table), b), 1) << t.table;
    }
    EXPECT_EQ(positions, (std::vector<int>{10, 20, 30, 30, 60, 70, 80, 85, 95, 100}));

    // A failure on the way leaves the role whole.
    f.d().exec("DROP TABLE UndelDebit");
    EXPECT_THROW(deleteRole(f.d(), b), DbError);
    for (const char *t : {"Gospodar", "Pag1", "Datorii", "SoldCalc", "Chitante", "Debit"})
        EXPECT_EQ(f.rows(QString::fromLatin1(t), b), 1) << t;
}

TEST(RoleStore, PageRowsAreReadCreatedAndStored)
{
    StoreFixture f;
    const RolePageDef &land = RolePageFields::extravilanLand();
    EXPECT_EQ(readPageRow(f.d(), land, 7), std::nullopt);
    const auto zeros = loadPageRow(f.d(), land, 7); // a role without its row gets one
    EXPECT_EQ(zeros, std::vector<Currency>(55));
    EXPECT_EQ(f.rows("Pag1", 7), 1);

    std::vector<Currency> v(55);
    v[size_t(land.indexOfField("EC3ZB"))] = *Currency::parse(u"1.2345");
    v[size_t(land.indexOfField("EC11ZE"))] = *Currency::parse(u"9999.9999");
    storePageRow(f.d(), land, 7, v);
    EXPECT_EQ(readPageRow(f.d(), land, 7), v);
    EXPECT_EQ(f.text("SELECT L3B FROM Pag1 WHERE IDGOS=7"), "1.2345");

    // Too large for DECIMAL(8,4): refused, the row as it was.
    auto tooLarge = v;
    tooLarge[0] = Currency::fromLei(10000);
    EXPECT_THROW(storePageRow(f.d(), land, 7, tooLarge), Error);
    EXPECT_EQ(readPageRow(f.d(), land, 7), v);

    // A row deleted meanwhile is written anew rather than lost.
    const RolePageDef &arrears = RolePageFields::arrears();
    std::vector<Currency> a(19);
    a[0] = Currency::fromLei(500);
    storePageRow(f.d(), arrears, 8, a);
    EXPECT_EQ(f.rows("Pag8", 8), 1);
    EXPECT_EQ(readPageRow(f.d(), arrears, 8), a);
}
