#include "admin/store/UserFile.h"
#include "app/db/ActionLog.h"
#include "app/db/DbFixture.h"
#include "app/db/Rows.h"
#include "collections/domain/PaymentOperation.h"
#include "collections/domain/ReceiptDocument.h"
#include "collections/store/CollectionStore.h"
#include "collections/store/PaymentStore.h"
#include "support/Cli.h"

#include <QJsonArray>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtConcurrent/QtConcurrent>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::collections;
using namespace valdora::test;

namespace {

// Two roles, each with a building balance (arrears, penalties, this year's tax)
// and a sanitation fee; a cashier with series VLD starting at number 100.
struct CashFixture : ProgramFixture {
    CashFixture()
    {
        start();
        auto d = db();
        for (int id : {1, 2}) {
            const QString rol = QString::number(id);
            insertRow(*d, "Gospodar", {{"IDGOS", id}, {"SATUL", "Deal"}, {"ROL", rol}, {"NUMEP", QString("Pop \"Ion\" %1").arg(id)},
                                        {"TIP", "FIZICA"}, {"NOTAX", "NU"}});
            insertRow(*d, "SoldCalc", {{"IDRES", id}, {"IDGOS", id}, {"SATUL", "Deal"}, {"ROL", rol}, {"GRUPA", "Impozit pe cladiri"},
                                        {"SUMA", 100}, {"REST", 100}, {"REDUC", 10}, {"DATOR", 50}, {"MAJOR", 5}, {"TIP", "M"}});
            insertRow(*d, "Datorii", {{"IDDAT", id}, {"IDGOS", id}, {"DINDATA", QDate(2026, 1, 1)}, {"SATUL", "Deal"},
                                       {"ROL", rol}, {"GRUPA", "Salubritate"}, {"DENUM", "Salubritate"}, {"SUMA", 60},
                                       {"SUMA2", 60}, {"TIP", "M"}, {"UM", "buc"}, {"CANT", 1}});
        }
        d->exec("UPDATE CODCL SET CODCLF='21.A.' || IDCOD, CODCLJ='21.B.' || IDCOD");
        admin::UserFile users(dataFolder() + "/s.mpg");
        users.createWithAdmin();
        users.add("CASA1", admin::Grade::Cashier, "CI 77");
        settings().write("CASA1", "SERIA", "VLD");
        settings().write("CASA1", "CHIT", "100");
    }

    CliResult pay(int role, const QString &amounts, const QStringList &extra = {})
    {
        return runCli(QStringList{"--data", dataFolder(), "pay", "--role", QString::number(role), "--date", "15.02.2026",
                                  "--user", "CASA1", "--amounts", amounts} + extra);
    }

    // Every row of every table, for "nothing changed" checks.
    QStringList dump()
    {
        auto d = db();
        QStringList out;
        for (const QString &t : d->tables()) {
            QSqlQuery q = d->exec("SELECT * FROM \"" + t + "\" ORDER BY rowid");
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < q.record().count(); ++i)
                    cells << q.value(i).toString();
                out << t + ":" + cells.join('|');
            }
        }
        return out;
    }

    // The save plan of paying `amount` on the role's sanitation fee, as the window would confirm it.
    PaymentSavePlan plan(Database &d, int role, Currency amount)
    {
        const auto header = *loadRole(d, role);
        admin::AdminValues values;
        const CollectionSettings cs = collectionSettings(values, 2026);
        RoleSituation s = RoleSituation::calculate(loadSituationInput(d, header, QDate(2026, 2, 15), 2026), cs,
                                                   SituationPolicy::collectionWindow());
        s.Tt.at(0).ACHITAT = amount;
        const OperationResult op = PaymentOperation::operate(s, cs);
        EXPECT_TRUE(op.ok());
        PreparationInputs in;
        in.userSeries = "VLD";
        in.proposedReceiptNumber = 100;
        in.codes = loadClassificationCodes(d);
        auto prepared = ReceiptDocument::prepare(op.allocation, in);
        EXPECT_TRUE(prepared.ok());
        OperareFields f;
        f.entry = DocumentEntry::Chitanta;
        f.NR = 100;
        f.dinData = QDate(2026, 2, 15);
        f.payer = header.NUMEP;
        OperareContext ctx;
        ctx.receiptOwner = [&d](const QString &s, qint64 n) { return receiptOwner(d, s, n); };
        auto fin = prepared.document.finalize(f, ctx);
        EXPECT_TRUE(fin.ok()) << (fin.refusal ? fin.refusal->text.toStdString() : "");
        return fin.plan;
    }
    PaymentSaveInputs inputs(int role)
    {
        PaymentSaveInputs in;
        in.header = {0, 0, role, "Deal", QString::number(role), "Pop", "", "", "", "F", "CASA1", "CI 77"};
        in.userSection = "CASA1";
        in.now = QDateTime(QDate(2026, 2, 15), QTime(10, 0));
        return in;
    }
};

} // namespace

TEST(PaymentStore, ACashReceiptIsSavedWhole)
{
    CashFixture f;
    auto s = runCli({"--data", f.dataFolder(), "situation", "--role", "1", "--date", "15.02.2026"});
    ASSERT_EQ(s.exitCode, 0) << s.err.toStdString();
    const QJsonObject ti = s.json["Ti"].toArray().at(0).toObject();
    EXPECT_EQ(ti["GRUPA"].toString(), "Impozit pe cladiri");
    const int deplata = ti["DEPLATA"].toInt();
    EXPECT_GT(deplata, 0);
    EXPECT_EQ(s.json["Total datorie"].toInt(), deplata + s.json["Tt"].toArray().at(0).toObject()["DEPLATA"].toInt());

    auto r = f.pay(1, QString("{\"Ti:1\": %1, \"Tt:1\": 60}").arg(deplata));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["TIP"].toString(), "C");
    EXPECT_EQ(r.json["NR"].toInt(), 100);
    EXPECT_TRUE(r.json["printed"].toBool());
    const QJsonArray lines = r.json["lines"].toArray();
    ASSERT_GE(lines.size(), 2);
    int total = 0;
    for (const auto &l : lines) {
        EXPECT_EQ(l.toObject()["SERIA"].toString(), "VLD");
        EXPECT_EQ(l.toObject()["NR"].toInt(), 100);
        EXPECT_EQ(l.toObject()["IDCHIT"].toInt(), r.json["IDCHIT"].toInt());
        total += l.toObject()["TOTAL"].toInt();
    }
    EXPECT_EQ(total, deplata + 60);

    auto d = f.db();
    EXPECT_EQ(d->scalar("SELECT SUM(TOTAL) FROM Chitante").toInt(), deplata + 60);
    EXPECT_EQ(d->scalar("SELECT INCANUME || '/' || LEGITIMA FROM Chitante LIMIT 1").toString(), "CASA1/CI 77");
    EXPECT_EQ(d->scalar("SELECT REST + DATOR + MAJOR FROM SoldCalc WHERE IDRES=1").toInt(), 0);
    EXPECT_EQ(d->scalar("SELECT SUMA FROM Datorii WHERE IDDAT=1").toInt(), 0);
    EXPECT_EQ(d->scalar("SELECT SUMA2 FROM Datorii WHERE IDDAT=1").toInt(), 60);
    // The undo snapshot holds the rows as they were.
    EXPECT_EQ(d->scalar("SELECT REST FROM UndelSold WHERE IDRES=1").toInt(), 100);
    EXPECT_EQ(d->scalar("SELECT SUMA FROM UndelDat WHERE IDDAT=1").toInt(), 60);
    EXPECT_EQ(d->scalar("SELECT COUNT(DISTINCT IDANUL) FROM Chitante").toInt(), 1);
    EXPECT_TRUE(d->scalar("SELECT ACTIUNE FROM Log ORDER BY rowid DESC").toString().contains("100"));
    EXPECT_EQ(f.settings().read("CASA1", "CHIT"), "101");
    // The role's second role is untouched.
    EXPECT_EQ(d->scalar("SELECT REST FROM SoldCalc WHERE IDRES=2").toInt(), 100);
}

TEST(PaymentStore, ARefusedPaymentWritesNothing)
{
    CashFixture f;
    const QStringList before = f.dump();
    const QByteArray settingsBefore = readFile(f.settings().path());
    for (const QString &amounts : {QString("{\"Ti:99\": 5}"), QString("{\"Tt:1\": \"abc\"}"), QString("[1]"), QString("{}")}) {
        const auto r = f.pay(1, amounts);
        EXPECT_EQ(r.exitCode, 1) << amounts.toStdString() << " " << r.out.toStdString();
        EXPECT_FALSE(r.err.trimmed().isEmpty());
    }
    EXPECT_EQ(runCli({"--data", f.dataFolder(), "pay", "--role", "1", "--date", "15.02.2026", "--user", "NIMENI",
                      "--amounts", "{\"Tt:1\": 5}"}).exitCode, 1);
    EXPECT_EQ(f.dump(), before);
    EXPECT_EQ(readFile(f.settings().path()), settingsBefore);
}

TEST(PaymentStore, AFailureHalfWayLeavesEveryTableAsItWas)
{
    CashFixture f;
    for (const char *stage : {"snapshot", "balances", "lines"}) {
        const QStringList before = f.dump();
        const QByteArray settingsBefore = readFile(f.settings().path());
        {
            auto d = f.db();
            SettingsFile settings = f.settings();
            PaymentSaveInputs in = f.inputs(1);
            in.checkpoint = [stage](const char *at) {
                if (qstrcmp(at, stage) == 0)
                    throw Error("injected");
            };
            EXPECT_THROW(PaymentStore::save(*d, settings, ActionLog(f.folders().program), f.plan(*d, 1, Currency::fromLei(10)), in),
                         Error);
        }
        EXPECT_EQ(f.dump(), before) << stage;
        EXPECT_EQ(readFile(f.settings().path()), settingsBefore) << stage;
    }
    // The same payment then goes through, with the number the failed tries did not use.
    auto d = f.db();
    SettingsFile settings = f.settings();
    const SavedPayment saved = PaymentStore::save(*d, settings, ActionLog(f.folders().program), f.plan(*d, 1, Currency::fromLei(10)),
                                                  f.inputs(1));
    EXPECT_EQ(saved.NR, 100);
    EXPECT_EQ(d->scalar("SELECT SUMA FROM Datorii WHERE IDDAT=1").toInt(), 50);
}

TEST(PaymentStore, ARowChangedMeanwhileRefusesTheWholeSave)
{
    CashFixture f;
    auto d = f.db();
    SettingsFile settings = f.settings();
    const PaymentSavePlan plan = f.plan(*d, 1, Currency::fromLei(10));
    d->exec("UPDATE Datorii SET SUMA=55 WHERE IDDAT=1"); // another workstation was quicker
    EXPECT_THROW(PaymentStore::save(*d, settings, ActionLog(f.folders().program), plan, f.inputs(1)), Error);
    EXPECT_EQ(d->count("Chitante"), 0);
    EXPECT_EQ(d->count("UndelSold"), 0);
    EXPECT_EQ(d->scalar("SELECT SUMA FROM Datorii WHERE IDDAT=1").toInt(), 55);
}

TEST(PaymentStore, ANumberOnAStoredReceiptIsNeverIssuedAgain)
{
    CashFixture f;
    auto d = f.db();
    SettingsFile settings = f.settings();
    PaymentSavePlan plan = f.plan(*d, 1, Currency::fromLei(10));
    // Another workstation stored number 100 after the dialog checked it: the save moves past it.
    insertRow(*d, "Chitante", {{"IDCHIT", 40}, {"IDGOS", 2}, {"SERIA", "VLD"}, {"NR", 100}, {"TOTAL", 1}, {"TIP", "C"}});
    const SavedPayment saved = PaymentStore::save(*d, settings, ActionLog(f.folders().program), plan, f.inputs(1));
    EXPECT_EQ(saved.NR, 101);
    EXPECT_EQ(saved.IDCHIT, 41);
    EXPECT_EQ(f.settings().read("CASA1", "CHIT"), "102");
}

TEST(PaymentStore, TwoProcessesIssueDistinctGaplessNumbers)
{
    CashFixture f;
    constexpr int perRole = 8;
    auto run = [&](int role) {
        QList<int> numbers;
        for (int i = 0; i < perRole; ++i) {
            const auto r = f.pay(role, "{\"Tt:" + QString::number(role) + "\": 1}");
            if (r.exitCode != 0) {
                ADD_FAILURE() << r.err.toStdString();
                continue;
            }
            numbers << r.json["NR"].toInt();
        }
        return numbers;
    };
    auto a = QtConcurrent::run([&] { return run(1); });
    auto b = QtConcurrent::run([&] { return run(2); });
    QSet<int> all;
    for (int n : a.result() + b.result())
        all.insert(n);
    EXPECT_EQ(all.size(), 2 * perRole);
    for (int n = 100; n < 100 + 2 * perRole; ++n)
        EXPECT_TRUE(all.contains(n)) << n;
    auto d = f.db();
    EXPECT_EQ(d->scalar("SELECT COUNT(DISTINCT IDCHIT) FROM Chitante").toInt(), 2 * perRole);
    EXPECT_EQ(d->scalar("SELECT SUM(TOTAL) FROM Chitante").toInt(), 2 * perRole);
    EXPECT_EQ(f.settings().read("CASA1", "CHIT"), QString::number(100 + 2 * perRole));
}

TEST(Cli, Penalty)
{
    struct Case { const char *amount, *due, *date; int penalty; };
    // 1 % a month or part of a month after the due date.
    const Case cases[] = {{"1000", "31.03.2026", "01.04.2026", 10}, {"1000", "31.03.2026", "30.04.2026", 10},
                          {"1000", "31.03.2026", "01.05.2026", 20}, {"1000", "31.03.2026", "31.03.2026", 0}};
    for (const auto &k : cases) {
        const auto r = runCli({"penalty", "--amount", k.amount, "--due", k.due, "--date", k.date});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.json["penalty"].toInt(), k.penalty) << k.date;
    }
    EXPECT_EQ(runCli({"penalty", "--amount", "x", "--due", "31.03.2026", "--date", "01.04.2026"}).exitCode, 1);
    EXPECT_EQ(runCli({"penalty", "--amount", "10"}).exitCode, 2);
}
