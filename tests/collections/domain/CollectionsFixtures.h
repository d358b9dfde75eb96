#pragma once
// Small builders for the collection-rule tests: a role's rows in whole lei.

#include "collections/domain/BalanceRows.h"
#include "collections/domain/CollectionSettings.h"
#include "collections/domain/RoleSituation.h"

#include <QDate>
#include <QString>

namespace valdora::collections::testing {

inline Currency lei(int64_t v) { return Currency::fromLei(v); }
inline QDate d(int day, int month, int year = 2026) { return QDate(year, month, day); }

inline const QString Cladiri = QStringLiteral("Impozit pe cladiri");
inline const QString TerenIntravilan = QStringLiteral("Impozit pe teren intravilan");
inline const QString TerenExtravilan = QStringLiteral("Impozit pe teren extravilan");
inline const QString Auto = QStringLiteral("Impozit pe mijloace de transport");

inline CollectionSettings settings2026()
{
    CollectionSettings s;
    s.workingYear = 2026;
    s.noteDiscountPercent = lei(10);
    return s;
}

struct SoldSpec {
    QString GRUPA = Cladiri;
    int64_t SUMA = 0, REST = 0, REDUC = 0, DATOR = 0, DEPOZ = 0, MAJOR = 0, SCUTIRE = 0;
    qint64 IDRES = 1;
};

inline SoldCalcRow sold(const SoldSpec &s)
{
    SoldCalcRow r;
    r.IDRES = s.IDRES;
    r.IDGOS = 7;
    r.GRUPA = s.GRUPA;
    r.SUMA = lei(s.SUMA);
    r.REST = lei(s.REST);
    r.REDUC = lei(s.REDUC);
    r.DATOR = lei(s.DATOR);
    r.DEPOZ = lei(s.DEPOZ);
    r.MAJOR = lei(s.MAJOR);
    r.SCUTIRE = lei(s.SCUTIRE);
    r.TIP = QStringLiteral("M");
    return r;
}

inline DatoriiRow item(qint64 IDDAT, const QString &GRUPA, int64_t SUMA, int64_t REST, int64_t REDUC,
                       QDate DINDATA = QDate(2026, 1, 1))
{
    DatoriiRow r;
    r.IDDAT = IDDAT;
    r.IDGOS = 7;
    r.GRUPA = GRUPA;
    r.DENUM = GRUPA;
    r.DOCJUS = QStringLiteral("HCL ") + QString::number(IDDAT);
    r.DINDATA = DINDATA;
    r.SUMA = lei(SUMA);
    r.REST = lei(REST);
    r.REDUC = lei(REDUC);
    r.SUMA2 = lei(SUMA);
    r.RESTINI = lei(REST);
    r.TIP = QStringLiteral("M");
    return r;
}

inline DebitRow bordereau(qint64 IDDEB, const QString &CATEG, int64_t SUMAC, QDate PENDATA,
                          const QString &GRUPA = Cladiri)
{
    DebitRow r;
    r.IDDEB = IDDEB;
    r.IDGOS = 7;
    r.GRUPA = GRUPA;
    r.DOCJUS = QStringLiteral("Borderou ") + QString::number(IDDEB);
    r.CATEG = CATEG;
    r.DINDATA = PENDATA;
    r.PENDATA = PENDATA;
    r.SUMAINI = lei(SUMAC);
    r.SUMAC = lei(SUMAC);
    return r;
}

inline RoleSituationInput role(QDate C, std::vector<SoldCalcRow> soldRows = {}, std::vector<DatoriiRow> items = {},
                               std::vector<DebitRow> debits = {})
{
    RoleSituationInput in;
    in.IDGOS = 7;
    in.calculationDate = C;
    in.TIP = QStringLiteral("FIZICA");
    in.NOTAX = QStringLiteral("NU");
    in.soldCalc = std::move(soldRows);
    in.datorii = std::move(items);
    in.debit = std::move(debits);
    return in;
}

inline RoleSituation window(const RoleSituationInput &in, const CollectionSettings &s = settings2026())
{
    return RoleSituation::calculate(in, s, SituationPolicy::collectionWindow());
}

} // namespace valdora::collections::testing
