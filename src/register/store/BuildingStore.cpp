#include "register/store/BuildingStore.h"

#include "app/core/Dates.h"
#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"

#include <QSqlQuery>
#include <algorithm>

namespace valdora::roles {
namespace {

const QString table = QStringLiteral("Pag2");

const char *const columns = "IDGOS, IDCLAD, ADRESA, IDMANUAL, MIXTA, APT8, TIPC, ACTAGR, DATAEVAL, VALOAREN, "
                            "DESTINATIE, ZONA, RANG, SUPRAFD, ANUL, CODMAT, CUUTIL, VALOAREJR, DATADOB, DATAIN, OBSIN, "
                            "DATAVANZ, DATAOUT, OBSOUT";
constexpr int columnCount = 24;

QString prefixed(const QString &alias)
{
    QStringList out;
    for (const QString &c : QString::fromLatin1(columns).split(QStringLiteral(", ")))
        out << alias + QStringLiteral(".") + c;
    return out.join(QStringLiteral(", "));
}

BuildingRecord readBuilding(const QSqlQuery &q, int at = 0)
{
    BuildingRecord b;
    b.IDGOS = readWhole(q.value(at + 0));
    b.IDCLAD = readWhole(q.value(at + 1));
    b.ADRESA = readText(q.value(at + 2));
    b.IDMANUAL = readWhole(q.value(at + 3));
    b.MIXTA = readText(q.value(at + 4));
    b.APT8 = readText(q.value(at + 5));
    b.TIPC = readText(q.value(at + 6));
    b.ACTAGR = readText(q.value(at + 7));
    b.DATAEVAL = readDate(q.value(at + 8));
    b.VALOAREN = readDecimal(q.value(at + 9), 2);
    b.DESTINATIE = int(readWhole(q.value(at + 10)));
    b.ZONA = readText(q.value(at + 11));
    b.RANG = int(readWhole(q.value(at + 12)));
    b.SUPRAFD = readDecimal(q.value(at + 13), 2);
    b.ANUL = int(readWhole(q.value(at + 14)));
    b.CODMAT = int(readWhole(q.value(at + 15)));
    b.CUUTIL = readText(q.value(at + 16));
    b.VALOAREJR = readDecimal(q.value(at + 17), 2);
    b.DATADOB = readDate(q.value(at + 18));
    b.DATAIN = readDate(q.value(at + 19));
    b.OBSIN = readText(q.value(at + 20));
    b.DATAVANZ = readDate(q.value(at + 21));
    b.DATAOUT = readDate(q.value(at + 22));
    b.OBSOUT = readText(q.value(at + 23));
    return b;
}

// The columns an edit rewrites, in the order of the statement.
RowValues editedValues(const BuildingRecord &b, bool keepApt8)
{
    RowValues v{{"IDMANUAL", b.IDMANUAL}, {"MIXTA", b.MIXTA},     {"TIPC", b.TIPC},
                {"ACTAGR", b.ACTAGR},     {"DATAEVAL", b.DATAEVAL}, {"VALOAREN", money(b.VALOAREN)},
                {"DESTINATIE", b.DESTINATIE}};
    if (!keepApt8)
        v.push_back({"APT8", b.APT8});
    const RowValues rest{{"ZONA", b.ZONA},         {"RANG", b.RANG},         {"SUPRAFD", money(b.SUPRAFD)},
                         {"ANUL", b.ANUL},         {"CODMAT", b.CODMAT},     {"CUUTIL", b.CUUTIL},
                         {"VALOAREJR", money(b.VALOAREJR)}, {"DATADOB", b.DATADOB}, {"DATAIN", b.DATAIN},
                         {"OBSIN", b.OBSIN},       {"DATAVANZ", b.DATAVANZ}, {"DATAOUT", b.DATAOUT},
                         {"OBSOUT", b.OBSOUT},     {"ADRESA", b.ADRESA}};
    v.insert(v.end(), rest.begin(), rest.end());
    return v;
}

// The insert of a new row: the key columns, then what an edit writes.
RowValues insertedValues(const BuildingRecord &b)
{
    RowValues v{{"IDGOS", b.IDGOS}, {"IDCLAD", b.IDCLAD}};
    const RowValues rest = editedValues(b, false);
    v.insert(v.end(), rest.begin(), rest.end());
    return v;
}

QString isoDate(QDate d) { return d.toString(Qt::ISODate); }

// How surely row `copy` was made from the sold row `sold` by a purchase: 3 when
// it still holds every value the purchase wrote, 2 when it keeps the two
// purchase dates, 1 when only the building's ID ties them, 0 when it cannot be
// a copy of it (a copy is a later row of another role with the same ID).
int likeness(const BuildingRecord &sold, const BuildingRecord &copy)
{
    if (copy.IDMANUAL != sold.IDMANUAL || copy.IDGOS == sold.IDGOS || copy.IDCLAD <= sold.IDCLAD)
        return 0;
    if (copy.DATADOB != sold.DATAVANZ || copy.DATAIN != sold.DATAOUT)
        return 1;
    const BuildingRecord made = purchasedCopy(sold, copy.IDGOS);
    const bool same = copy.OBSIN == made.OBSIN && copy.MIXTA == made.MIXTA && copy.TIPC == made.TIPC &&
                      copy.ACTAGR == made.ACTAGR && copy.DATAEVAL == made.DATAEVAL && copy.VALOAREN == made.VALOAREN &&
                      copy.DESTINATIE == made.DESTINATIE && copy.ZONA == made.ZONA && copy.RANG == made.RANG &&
                      copy.SUPRAFD == made.SUPRAFD && copy.ANUL == made.ANUL && copy.CODMAT == made.CODMAT &&
                      copy.CUUTIL == made.CUUTIL && copy.VALOAREJR == made.VALOAREJR;
    return same ? 3 : 2;
}

} // namespace

bool isRealDate(QDate date) { return date.isValid() && date > dateFromDayNumber(100); }

BuildingRow BuildingRecord::taxRow() const
{
    BuildingRow r;
    r.IDCLAD = IDCLAD;
    r.IDMANUAL = IDMANUAL;
    r.MIXTA = MIXTA;
    r.TIPC = TIPC;
    r.DESTINATIE = DESTINATIE;
    r.SUPRAFD = SUPRAFD;
    r.CODMAT = CODMAT;
    r.CUUTIL = CUUTIL;
    r.ZONA = ZONA;
    r.RANG = RANG;
    r.DATAEVAL = DATAEVAL;
    r.VALOAREN = VALOAREN;
    r.VALOAREJR = VALOAREJR;
    r.ACTAGR = ACTAGR;
    r.DATAIN = DATAIN;
    return r;
}

std::vector<BuildingRecord> loadBuildings(Database &db, qint64 IDGOS)
{
    std::vector<BuildingRecord> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM Pag2 WHERE IDGOS=? ORDER BY IDMANUAL, IDCLAD")
                              .arg(QLatin1String(columns)),
                          {IDGOS});
    while (q.next())
        out.push_back(readBuilding(q));
    return out;
}

std::optional<BuildingRecord> loadBuilding(Database &db, qint64 IDCLAD)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM Pag2 WHERE IDCLAD=?").arg(QLatin1String(columns)), {IDCLAD});
    if (!q.next())
        return std::nullopt;
    return readBuilding(q);
}

qint64 addBuilding(Database &db, SettingsFile &settings, const BuildingRecord &building)
{
    BuildingRecord b = building;
    b.IDCLAD = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("IDCLAD"));
    if (b.IDMANUAL == 0)
        b.IDMANUAL = b.IDCLAD;
    Transaction t(db);
    insertRow(db, table, insertedValues(b));
    t.commit();
    return b.IDCLAD;
}

void updateBuilding(Database &db, const BuildingRecord &b, bool keepApt8)
{
    Transaction t(db);
    updateRows(db, table, editedValues(b, keepApt8), QStringLiteral("IDCLAD=?"), {b.IDCLAD});
    t.commit();
}

bool deleteBuilding(Database &db, qint64 IDCLAD)
{
    Transaction t(db);
    QSqlQuery q = db.exec(QStringLiteral("DELETE FROM Pag2 WHERE IDCLAD=?"), {IDCLAD});
    const bool deleted = q.numRowsAffected() > 0;
    t.commit();
    return deleted;
}

void sellBuilding(Database &db, qint64 IDCLAD, QDate saleDate, QDate exitDate, const QString &remark)
{
    Transaction t(db);
    updateRows(db, table, {{"DATAVANZ", saleDate}, {"DATAOUT", exitDate}, {"OBSOUT", remark}}, QStringLiteral("IDCLAD=?"),
               {IDCLAD});
    t.commit();
}

std::vector<PurchaseOffer> purchaseOffers(Database &db, qint64 buyerIDGOS, QDate firstDay)
{
    const QString since = isoDate(firstDay);
    // Every sold row of the year (the buyer's too: they may have been bought from).
    std::vector<PurchaseOffer> sold;
    {
        QSqlQuery q = db.exec(QStringLiteral("SELECT %1, G.TIP, G.SATUL, G.ROL, G.NUMEP, G.STRADA FROM Pag2 P "
                                             "JOIN Gospodar G ON G.IDGOS=P.IDGOS WHERE P.DATAOUT>=? "
                                             "ORDER BY G.NUMEP COLLATE RO, P.IDCLAD")
                                  .arg(prefixed(QStringLiteral("P"))),
                              {since});
        while (q.next())
            sold.push_back({readBuilding(q), readText(q.value(columnCount)), readText(q.value(columnCount + 1)),
                            readText(q.value(columnCount + 2)), readText(q.value(columnCount + 3)),
                            readText(q.value(columnCount + 4))});
    }
    if (sold.empty())
        return {};
    // The rows that may be their copies: the same ID, in another role, made later.
    std::vector<BuildingRecord> copies;
    {
        QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM Pag2 B WHERE EXISTS (SELECT 1 FROM Pag2 S WHERE "
                                             "S.DATAOUT>=? AND S.IDMANUAL=B.IDMANUAL AND S.IDGOS<>B.IDGOS AND "
                                             "S.IDCLAD<B.IDCLAD) ORDER BY B.IDCLAD")
                                  .arg(prefixed(QStringLiteral("B"))),
                              {since});
        while (q.next())
            copies.push_back(readBuilding(q));
    }
    // Each copy accounts for one sale: the surest pairs first, so that the parts
    // of a mixed building sold together are told apart by their own values, and
    // a copy the buyer has edited since still accounts for its sale.
    std::vector<size_t> order(sold.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return sold[a].building.IDCLAD < sold[b].building.IDCLAD; });
    std::vector<bool> bought(sold.size(), false), used(copies.size(), false);
    for (int degree = 3; degree >= 1; --degree)
        for (size_t i : order) {
            if (bought[i])
                continue;
            for (size_t c = 0; c < copies.size(); ++c)
                if (!used[c] && likeness(sold[i].building, copies[c]) >= degree) {
                    used[c] = true;
                    bought[i] = true;
                    break;
                }
        }
    std::vector<PurchaseOffer> out;
    for (size_t i = 0; i < sold.size(); ++i)
        if (!bought[i] && sold[i].building.IDGOS != buyerIDGOS)
            out.push_back(sold[i]);
    return out;
}

BuildingRecord purchasedCopy(const BuildingRecord &sold, qint64 buyerIDGOS)
{
    BuildingRecord b = sold;
    b.IDGOS = buyerIDGOS;
    b.IDCLAD = 0;
    b.DATADOB = sold.DATAVANZ;
    b.DATAIN = sold.DATAOUT;
    b.OBSIN = sold.OBSOUT;
    b.DATAVANZ = notLeftDate();
    b.DATAOUT = notLeftDate();
    b.OBSOUT.clear();
    b.ADRESA.clear();
    b.APT8.clear();
    return b;
}

QString alreadyBoughtText() { return QStringLiteral("\rCladirea aleasa a fost deja cumparata!"); }

qint64 buyBuilding(Database &db, SettingsFile &settings, qint64 soldIDCLAD, qint64 buyerIDGOS, QDate firstDay)
{
    Transaction t(db);
    const std::vector<PurchaseOffer> offers = purchaseOffers(db, buyerIDGOS, firstDay);
    const auto offer = std::find_if(offers.begin(), offers.end(),
                                    [&](const PurchaseOffer &o) { return o.building.IDCLAD == soldIDCLAD; });
    if (offer == offers.end())
        throw Error(alreadyBoughtText());
    BuildingRecord b = purchasedCopy(offer->building, buyerIDGOS);
    b.IDCLAD = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("IDCLAD"));
    insertRow(db, table, insertedValues(b));
    t.commit();
    return b.IDCLAD;
}

} // namespace valdora::roles
