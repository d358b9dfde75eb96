#include "admin/store/ClassificationStore.h"

#include "app/core/SettingsFile.h"
#include "app/core/Validation.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"

#include <QSqlQuery>

namespace valdora::admin {

std::vector<ClassificationCode> loadCodes(Database &db)
{
    std::vector<ClassificationCode> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT IDCOD, GRUPA, CODCLF, CODCLJ, TIP FROM CODCL ORDER BY TIP, GRUPA COLLATE RO"));
    while (q.next())
        out.push_back({readWhole(q.value(0)), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                       q.value(4).toString()});
    return out;
}

QString classificationCode(Database &db, const QString &group, bool naturalPerson)
{
    return db.scalar(naturalPerson ? QStringLiteral("SELECT CODCLF FROM CODCL WHERE GRUPA=?")
                                   : QStringLiteral("SELECT CODCLJ FROM CODCL WHERE GRUPA=?"),
                     {group})
        .toString();
}

QString codeRefusal(Database &db, const ClassificationCode &c, qint64 editedId)
{
    if (c.group.isEmpty())
        return QStringLiteral("Lipseste denumirea creantei!");
    if (c.naturalCode.isEmpty() || c.legalCode.isEmpty())
        return QStringLiteral("Lipseste contul!");
    for (const QString &acct : {c.naturalCode, c.legalCode})
        if (acct.startsWith(QLatin1String("RO")) && !isValidIban(acct))
            return QStringLiteral("Cont incorect!");
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM CODCL WHERE upper(GRUPA)=upper(?) AND IDCOD<>?"), {c.group, editedId})
            .toInt() > 0)
        return QStringLiteral("Exista deja creanta in lista!!");
    return {};
}

qint64 addCode(Database &db, SettingsFile &settings, const ClassificationCode &c)
{
    const qint64 id = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("IDCOD"));
    insertRow(db, QStringLiteral("CODCL"),
              {{"IDCOD", id}, {"GRUPA", c.group}, {"CODCLF", c.naturalCode}, {"CODCLJ", c.legalCode}, {"TIP", "T"}});
    return id;
}

void updateCodes(Database &db, const ClassificationCode &c)
{
    Transaction t(db);
    QSqlQuery q = db.exec(QStringLiteral("SELECT CODCLF, CODCLJ FROM CODCL WHERE IDCOD=?"), {c.id});
    if (q.next()) {
        if (q.value(0).toString() != c.naturalCode)
            updateRows(db, QStringLiteral("Chitante"), {{"CODCLAS", c.naturalCode}}, QStringLiteral("GRUPA=? AND TIPF='F'"),
                       {c.group});
        if (q.value(1).toString() != c.legalCode)
            updateRows(db, QStringLiteral("Chitante"), {{"CODCLAS", c.legalCode}}, QStringLiteral("GRUPA=? AND TIPF='J'"),
                       {c.group});
    }
    updateRows(db, QStringLiteral("CODCL"), {{"CODCLF", c.naturalCode}, {"CODCLJ", c.legalCode}}, QStringLiteral("IDCOD=?"),
               {c.id});
    t.commit();
}

bool isProtectedGroup(qint64 id) { return id <= 12; }

void deleteCode(Database &db, qint64 id) { db.exec(QStringLiteral("DELETE FROM CODCL WHERE IDCOD=?"), {id}); }

} // namespace valdora::admin
