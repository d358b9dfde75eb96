#pragma once
// A line of a payment document: one part of a row that received money, and the
// Chitante row it becomes when the document is saved. Amounts are whole lei.

#include "app/core/Currency.h"

#include <QDate>
#include <QString>

namespace valdora::collections {

struct ChitanteLine {
    QString GRUPA;
    QString DOCJUS; // kind text, not stored in Chitante
    QString SERIA;
    qint64 NR = 0;
    QString DENUM;  // empty for main taxes, DOCJUS of the Datorii/Debit row otherwise
    QString CODCLAS;
    Currency RESTANTA; // arrears ("Ramasita")
    Currency MAJOREST; // penalties carried from earlier years
    Currency DEPOZIT;  // into the credit ("Sold"); negative when credit moves out
    Currency CURENT;   // current year
    Currency MAJOR;    // penalties accrued now
    Currency REDUCERE; // discount granted
    QString TIP;       // "C", "V", "N", "O"
    Currency TOTAL;

    // RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE
    Currency partsTotal() const { return RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE; }
    bool hasAmounts() const
    {
        return !RESTANTA.isZero() || !MAJOREST.isZero() || !DEPOZIT.isZero() || !CURENT.isZero()
               || !MAJOR.isZero() || !REDUCERE.isZero();
    }
    bool operator==(const ChitanteLine &) const = default;
};

// The role and cashier fields every Chitante row of a document repeats.
struct ChitanteHeader {
    qint64 IDCHIT = 0;
    qint64 IDANUL = 0;
    qint64 IDGOS = 0;
    QString SATUL;
    QString ROL;
    QString NUMEP;
    QString CNP;
    QString STRADA;
    QString ADRESA;
    QString TIPF;     // "F" natural person, "J" legal person
    QString INCANUME; // logged-in user
    QString LEGITIMA; // the user's identity card
};

// A stored Chitante row.
struct ChitanteRow {
    qint64 IDCHIT = 0;
    qint64 IDGOS = 0;
    qint64 IDANUL = 0;
    QString SERIA;
    qint64 NR = 0;
    QDate DATAI;
    QString SATUL;
    QString ROL;
    QString GRUPA;
    QString DENUM;
    QString CODCLAS;
    QString NUMEP;
    QString CNP;
    QString STRADA;
    QString ADRESA;
    QString TIPF;
    QString PLATNUME;
    QString INCANUME;
    QString LEGITIMA;
    Currency RESTANTA;
    Currency MAJOREST;
    Currency DEPOZIT;
    Currency CURENT;
    Currency MAJOR;
    Currency REDUCERE;
    Currency TOTAL;
    QString TIP;
};

} // namespace valdora::collections
