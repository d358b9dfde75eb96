#pragma once
// The stored rows of a role that collections read: balances of the main groups
// (SoldCalc), items of every group (Datorii) and bordereaux of the year (Debit).
// Fields carry the column names; amounts are whole lei.

#include "app/core/Currency.h"

#include <QDate>
#include <QString>

namespace valdora::collections {

struct SoldCalcRow {
    qint64 IDRES = 0;
    qint64 IDGOS = 0;
    QString SATUL;
    QString ROL;
    QString GRUPA;
    Currency SUMA;    // tax of the year
    Currency REST;    // part of it still due
    Currency REDUC;   // discount for payment in full by the first term
    Currency SCUTIRE; // non-zero: exempt, nothing current is due
    Currency DATOR;   // arrears still due
    Currency DEPOZ;   // credit still available
    Currency MAJOR;   // penalties carried from earlier years
    Currency DATORI;
    Currency DEPOZI;
    Currency MAJORI;
    QString TIP;
};

struct DatoriiRow {
    qint64 IDDAT = 0;
    qint64 IDGOS = 0;
    QDate DINDATA;
    QString SATUL;
    QString ROL;
    QString GRUPA;
    QString DENUM;
    QString DOCJUS;
    qint64 NR = 0;
    Currency SUMA;  // current amount still due (negative after an overpayment)
    Currency REST;  // arrears still due
    Currency REDUC; // reduction
    QString UM;
    Currency CANT;
    Currency REDUCP; // reduction percent
    Currency SCUTIT;
    QString TIP;
    Currency SUMA2;
    Currency RESTINI;
};

struct DebitRow {
    qint64 IDDEB = 0;
    qint64 IDGOS = 0;
    QString GRUPA;
    QString DOCJUS;
    qint64 NR = 0;
    QString CATEG; // "Cumparare", "Vanzare", "Majorare", "Reducere", "Taxa"
    QString DENUM;
    QDate DINDATA;
    QDate PENDATA; // penalties run from this day
    Currency SUMAINI;
    Currency SUMAC; // signed part still due
};

// A Chitante row of the working year that granted a discount (REDUCERE > 0).
struct GrantedDiscount {
    QString GRUPA;
    Currency REDUCERE;
};

} // namespace valdora::collections
