#include "collections/store/PaymentStore.h"

#include "app/core/Error.h"
#include "app/core/FileLock.h"
#include "app/core/IniFile.h"
#include "app/core/SettingsFile.h"
#include "app/db/ActionLog.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"

#include <QSqlQuery>

namespace valdora::collections {
namespace {

const QString Server = QStringLiteral("SERVER");

[[noreturn]] void changedMeanwhile()
{
    throw Error(QStringLiteral("Situatia rolului s-a modificat intre timp (alt calculator a operat pe el).\r"
                               "Reincarcati rolul si operati din nou. Nu am operat nimic."));
}

// The next free identifier: the counter, raised past what the table already holds.
qint64 nextId(Database &db, const IniFile &ini, const char *key, const char *table)
{
    const qint64 counter = parseCounter(Server, QString::fromLatin1(key), ini.value(Server, QString::fromLatin1(key)));
    const QVariant max = db.scalar(QStringLiteral("SELECT MAX(\"%1\") FROM \"%2\"").arg(QString::fromLatin1(key), QString::fromLatin1(table)));
    const qint64 free = max.isNull() ? 1 : max.toLongLong() + 1;
    return qMax(counter, free);
}

QVariant lei(Currency c) { return QVariant::fromValue(c); }
qint64 w(Currency c) { return qint64(c.wholeLei()); }

void snapshot(Database &db, const PaymentSavePlan &plan, qint64 IDANUL, qint64 IDGOS)
{
    QSqlQuery s = db.exec(QStringLiteral("SELECT IDRES, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, DATORI, DEPOZI, MAJORI "
                                         "FROM SoldCalc WHERE IDGOS=?"),
                          {IDGOS});
    while (s.next()) {
        RowValues v{{"IDANUL", IDANUL}, {"IDGOS", IDGOS}};
        static const char *const cols[] = {"IDRES", "SUMA", "REST", "REDUC", "SCUTIRE", "DATOR", "DEPOZ", "MAJOR", "DATORI", "DEPOZI", "MAJORI"};
        for (int i = 0; i < 11; ++i)
            v.emplace_back(QString::fromLatin1(cols[i]), s.value(i));
        insertRow(db, QStringLiteral("UndelSold"), v);
    }
    for (const auto &d : plan.datorii) {
        QSqlQuery q = db.exec(QStringLiteral("SELECT SUMA, REST, REDUC, SUMA2, RESTINI FROM Datorii WHERE IDDAT=? AND IDGOS=?"),
                              {d.IDDAT, IDGOS});
        if (!q.next())
            changedMeanwhile();
        insertRow(db, QStringLiteral("UndelDat"),
                  {{"IDANUL", IDANUL}, {"IDGOS", IDGOS}, {"IDDAT", d.IDDAT}, {"SUMA", q.value(0)}, {"REST", q.value(1)},
                   {"REDUC", q.value(2)}, {"SUMA2", q.value(3)}, {"RESTINI", q.value(4)}});
    }
    for (const auto &b : plan.debit) {
        QSqlQuery q = db.exec(QStringLiteral("SELECT SUMAINI, SUMAC FROM Debit WHERE IDDEB=? AND IDGOS=?"), {b.IDDEB, IDGOS});
        if (!q.next())
            changedMeanwhile();
        insertRow(db, QStringLiteral("UndelDebit"),
                  {{"IDANUL", IDANUL}, {"IDGOS", IDGOS}, {"IDDEB", b.IDDEB}, {"SUMAINI", q.value(0)}, {"SUMAC", q.value(1)}});
    }
}

void writeBalances(Database &db, const PaymentSavePlan &plan, qint64 IDGOS)
{
    for (const auto &c : plan.soldCalc) {
        const auto &b = c.before;
        const auto &a = c.after;
        // The row must still hold what the situation showed.
        const int n = updateRows(db, QStringLiteral("SoldCalc"),
                                 {{"SUMA", lei(a.SUMA)}, {"REST", lei(a.REST)}, {"REDUC", lei(a.REDUC)}, {"DATOR", lei(a.DATOR)},
                                  {"DEPOZ", lei(a.DEPOZ)}, {"MAJOR", lei(a.MAJOR)}},
                                 QStringLiteral("IDRES=? AND IDGOS=? AND SUMA=? AND REST=? AND REDUC=? AND DATOR=? AND DEPOZ=? AND MAJOR=?"),
                                 {c.IDRES, IDGOS, w(b.SUMA), w(b.REST), w(b.REDUC), w(b.DATOR),
                                  w(b.DEPOZ), w(b.MAJOR)});
        if (n != 1)
            changedMeanwhile();
    }
    for (const auto &d : plan.datorii) {
        const int n = updateRows(db, QStringLiteral("Datorii"), {{"SUMA", lei(d.SUMA)}, {"REST", lei(d.REST)}},
                                 QStringLiteral("IDDAT=? AND IDGOS=? AND SUMA=? AND REST=?"),
                                 {d.IDDAT, IDGOS, w(d.SUMA0), w(d.REST0)});
        if (n != 1)
            changedMeanwhile();
    }
    for (const auto &b : plan.debit) {
        const int n = updateRows(db, QStringLiteral("Debit"), {{"SUMAC", lei(b.SUMAC)}},
                                 QStringLiteral("IDDEB=? AND IDGOS=? AND SUMAC=?"), {b.IDDEB, IDGOS, w(b.SUMAC0)});
        if (n != 1)
            changedMeanwhile();
    }
}

void writeLine(Database &db, const ChitanteRow &r)
{
    insertRow(db, QStringLiteral("Chitante"),
              {{"IDCHIT", r.IDCHIT},     {"IDGOS", r.IDGOS},       {"IDANUL", r.IDANUL},     {"SERIA", r.SERIA.trimmed()},
               {"NR", r.NR},             {"DATAI", r.DATAI},       {"SATUL", r.SATUL},       {"ROL", r.ROL},
               {"GRUPA", r.GRUPA},       {"DENUM", r.DENUM},       {"CODCLAS", r.CODCLAS},   {"NUMEP", r.NUMEP},
               {"CNP", r.CNP},           {"STRADA", r.STRADA},     {"ADRESA", r.ADRESA},     {"TIPF", r.TIPF},
               {"PLATNUME", r.PLATNUME}, {"INCANUME", r.INCANUME}, {"LEGITIMA", r.LEGITIMA}, {"RESTANTA", lei(r.RESTANTA)},
               {"MAJOREST", lei(r.MAJOREST)}, {"DEPOZIT", lei(r.DEPOZIT)}, {"CURENT", lei(r.CURENT)}, {"MAJOR", lei(r.MAJOR)},
               {"REDUCERE", lei(r.REDUCERE)}, {"TOTAL", lei(r.TOTAL)}, {"TIP", r.TIP}});
}

} // namespace

SavedPayment PaymentStore::save(Database &db, SettingsFile &settings, const ActionLog &log, PaymentSavePlan plan,
                                const PaymentSaveInputs &in)
{
    auto checkpoint = [&](const char *stage) {
        if (in.checkpoint)
            in.checkpoint(stage);
    };
    const qint64 IDGOS = in.header.IDGOS;
    SavedPayment saved;
    LogEntry entry;
    {
        // The counters' lock is held across the transaction: numbers are read,
        // used and stored as one step for every workstation.
        FileLock counters(settings.lockPath());
        const IniFile ini = settings.snapshot();
        Transaction t(db);
        saved.IDANUL = nextId(db, ini, "IDANUL", "UndelSold");
        const qint64 undelDat = nextId(db, ini, "IDANUL", "UndelDat");
        saved.IDANUL = qMax(saved.IDANUL, undelDat);
        saved.IDCHIT = nextId(db, ini, "IDCHIT", "Chitante");

        snapshot(db, plan, saved.IDANUL, IDGOS);
        checkpoint("snapshot");
        writeBalances(db, plan, IDGOS);
        checkpoint("balances");

        qint64 nextReceipt = 0;
        if (plan.needsReceiptNumber) {
            qint64 n = parseCounter(in.userSection, QStringLiteral("CHIT"), ini.value(in.userSection, QStringLiteral("CHIT")));
            const QString series = plan.lines.empty() ? QString() : plan.lines.front().SERIA.trimmed();
            // A number already on a stored receipt of the series is never issued again.
            while (db.scalar(QStringLiteral("SELECT COUNT(*) FROM Chitante WHERE SERIA=? AND NR=?"), {series, n}).toInt() > 0)
                ++n;
            plan.assignReceiptNumber(n);
            nextReceipt = n + 1;
        }
        ChitanteHeader header = in.header;
        header.IDCHIT = saved.IDCHIT;
        header.IDANUL = saved.IDANUL;
        saved.rows = plan.chitanteRows(header);
        for (const auto &r : saved.rows)
            writeLine(db, r);
        checkpoint("lines");

        entry = LogEntry{in.now, in.header.INCANUME, in.header.ROL, plan.logText()};
        ActionLog::writeTo(db, entry);
        t.commit();

        // Still under the lock: the numbers used move on.
        settings.update([&](IniFile &file) {
            file.setValue(Server, QStringLiteral("IDANUL"), QString::number(saved.IDANUL + 1));
            file.setValue(Server, QStringLiteral("IDCHIT"), QString::number(saved.IDCHIT + 1));
            if (nextReceipt > 0)
                file.setValue(in.userSection, QStringLiteral("CHIT"), QString::number(nextReceipt));
        });
    }
    saved.NR = plan.number();
    saved.TIP = plan.TIP;
    saved.printed = plan.printed;
    try {
        log.writeLocal(entry);
    } catch (const Error &) {
        // The workstation's own copy of the log is not worth failing a saved payment.
    }
    return saved;
}

} // namespace valdora::collections
