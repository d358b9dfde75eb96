#include "collections/store/CollectionStore.h"

#include "admin/domain/AdminControls.h"
#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace valdora::collections {
namespace {
Currency lei(const QSqlQuery &q, const char *column) { return Currency::fromLei(readWhole(q.value(QString::fromLatin1(column)))); }
QString text(const QSqlQuery &q, const char *column) { return readText(q.value(QString::fromLatin1(column))); }
} // namespace

std::optional<RoleHeader> loadRole(Database &db, qint64 IDGOS)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT * FROM Gospodar WHERE IDGOS=?"), {IDGOS});
    if (!q.next())
        return std::nullopt;
    return RoleHeader{IDGOS,           text(q, "SATUL"),  text(q, "ROL"), text(q, "NUMEP"), text(q, "CNP"),
                      text(q, "STRADA"), text(q, "ADRESA"), text(q, "TIP"), text(q, "NOTAX")};
}

RoleSituationInput loadSituationInput(Database &db, const RoleHeader &role, QDate date, int workingYear)
{
    RoleSituationInput in;
    in.IDGOS = role.IDGOS;
    in.calculationDate = date;
    in.TIP = role.TIP;
    in.NOTAX = role.NOTAX;
    QSqlQuery s = db.exec(QStringLiteral("SELECT * FROM SoldCalc WHERE IDGOS=? ORDER BY IDRES"), {role.IDGOS});
    while (s.next()) {
        SoldCalcRow r;
        r.IDRES = readWhole(s.value(QStringLiteral("IDRES")));
        r.IDGOS = role.IDGOS;
        r.SATUL = text(s, "SATUL");
        r.ROL = text(s, "ROL");
        r.GRUPA = text(s, "GRUPA");
        r.SUMA = lei(s, "SUMA");
        r.REST = lei(s, "REST");
        r.REDUC = lei(s, "REDUC");
        r.SCUTIRE = lei(s, "SCUTIRE");
        r.DATOR = lei(s, "DATOR");
        r.DEPOZ = lei(s, "DEPOZ");
        r.MAJOR = lei(s, "MAJOR");
        r.DATORI = lei(s, "DATORI");
        r.DEPOZI = lei(s, "DEPOZI");
        r.MAJORI = lei(s, "MAJORI");
        r.TIP = text(s, "TIP");
        in.soldCalc.push_back(r);
    }
    QSqlQuery d = db.exec(QStringLiteral("SELECT * FROM Datorii WHERE IDGOS=? ORDER BY GRUPA, DINDATA, IDDAT"), {role.IDGOS});
    while (d.next()) {
        DatoriiRow r;
        r.IDDAT = readWhole(d.value(QStringLiteral("IDDAT")));
        r.IDGOS = role.IDGOS;
        r.DINDATA = readDate(d.value(QStringLiteral("DINDATA")));
        r.SATUL = text(d, "SATUL");
        r.ROL = text(d, "ROL");
        r.GRUPA = text(d, "GRUPA");
        r.DENUM = text(d, "DENUM");
        r.DOCJUS = text(d, "DOCJUS");
        r.NR = readWhole(d.value(QStringLiteral("NR")));
        r.SUMA = lei(d, "SUMA");
        r.REST = lei(d, "REST");
        r.REDUC = lei(d, "REDUC");
        r.UM = text(d, "UM");
        r.CANT = readDecimal(d.value(QStringLiteral("CANT")), 4);
        r.REDUCP = lei(d, "REDUCP");
        r.SCUTIT = lei(d, "SCUTIT");
        r.TIP = text(d, "TIP");
        r.SUMA2 = lei(d, "SUMA2");
        r.RESTINI = lei(d, "RESTINI");
        in.datorii.push_back(r);
    }
    QSqlQuery b = db.exec(QStringLiteral("SELECT * FROM Debit WHERE IDGOS=? ORDER BY GRUPA, DINDATA, IDDEB"), {role.IDGOS});
    while (b.next()) {
        DebitRow r;
        r.IDDEB = readWhole(b.value(QStringLiteral("IDDEB")));
        r.IDGOS = role.IDGOS;
        r.GRUPA = text(b, "GRUPA");
        r.DOCJUS = text(b, "DOCJUS");
        r.NR = readWhole(b.value(QStringLiteral("NR")));
        r.CATEG = text(b, "CATEG");
        r.DENUM = text(b, "DENUM");
        r.DINDATA = readDate(b.value(QStringLiteral("DINDATA")));
        r.PENDATA = readDate(b.value(QStringLiteral("PENDATA")));
        r.SUMAINI = lei(b, "SUMAINI");
        r.SUMAC = lei(b, "SUMAC");
        in.debit.push_back(r);
    }
    const QString from = QDate(workingYear, 1, 1).toString(Qt::ISODate);
    const QString to = QDate(workingYear, 12, 31).toString(Qt::ISODate);
    QSqlQuery g = db.exec(QStringLiteral("SELECT GRUPA, REDUCERE FROM Chitante WHERE IDGOS=? AND REDUCERE>0 AND DATAI>=? AND DATAI<=?"),
                          {role.IDGOS, from, to});
    while (g.next())
        in.discountsGranted.push_back({g.value(0).toString(), Currency::fromLei(readWhole(g.value(1)))});
    return in;
}

CollectionSettings collectionSettings(const admin::AdminValues &v, int workingYear)
{
    CollectionSettings s;
    s.workingYear = workingYear;
    s.penaltyExemptionsAllowed = v.noPenaltiesAllowed;
    s.discountForLegalPersons = v.checked(QStringLiteral("BonifPJ"));
    s.discountUnder50 = v.checked(QStringLiteral("Bonificatie50"));
    s.noteDiscountPercent = v.number(QStringLiteral("RedTE"));
    return s;
}

std::vector<ClassificationCode> loadClassificationCodes(Database &db)
{
    std::vector<ClassificationCode> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT GRUPA, CODCLF, CODCLJ FROM CODCL"));
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    return out;
}

std::optional<QString> receiptOwner(Database &db, const QString &SERIA, qint64 NR)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT ROL FROM Chitante WHERE SERIA=? AND NR=? LIMIT 1"), {SERIA.trimmed(), NR});
    if (q.next())
        return q.value(0).toString();
    return std::nullopt;
}

std::optional<int> closedYear(const SettingsFile &settings)
{
    bool ok = false;
    const int y = settings.read(QStringLiteral("VARIABILE"), QStringLiteral("ANINCHIS")).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return y;
}

} // namespace valdora::collections
