#pragma once
// The buildings of the roles (Pag2): the list of a role, adding, changing and
// deleting a building, its sale, and its purchase by another role. Each change
// is one transaction.

#include "app/core/Currency.h"
#include "register/domain/BuildingTax.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace valdora {
class Database;
class SettingsFile;
}

namespace valdora::roles {

// 1 January 1900: the sale and exit dates of a building that has not left.
inline QDate notLeftDate() { return QDate(1900, 1, 1); }
// 1 January 2000: the evaluation date of a building never evaluated.
inline QDate notEvaluatedDate() { return QDate(2000, 1, 1); }
// An exit (or sale) date counts from day 100 of the old calendar (09.04.1900)
// on; the 1 January 1900 of a building still owned does not.
bool isRealDate(QDate date);

// One row of Pag2.
struct BuildingRecord {
    qint64 IDGOS = 0;
    qint64 IDCLAD = 0;
    QString ADRESA;
    qint64 IDMANUAL = 0;
    QString MIXTA;
    QString APT8 = QStringLiteral("NU");
    QString TIPC = QStringLiteral("R");
    QString ACTAGR = QStringLiteral("NU");
    QDate DATAEVAL = notEvaluatedDate();
    Currency VALOAREN;
    int DESTINATIE = 1;
    QString ZONA = QStringLiteral("A");
    int RANG = 0;
    Currency SUPRAFD;
    int ANUL = 0;
    int CODMAT = 0;
    QString CUUTIL = QStringLiteral("NU");
    Currency VALOAREJR;
    QDate DATADOB;
    QDate DATAIN;
    QString OBSIN;
    QDate DATAVANZ = notLeftDate();
    QDate DATAOUT = notLeftDate();
    QString OBSOUT;

    bool mixed() const { return MIXTA.trimmed().compare(u"X", Qt::CaseInsensitive) == 0; }
    bool hasExitDate() const { return isRealDate(DATAOUT); }
    // The columns the tax reads.
    BuildingRow taxRow() const;
};

// The role's buildings, ordered by IDMANUAL (parts of a mixed building by IDCLAD).
std::vector<BuildingRecord> loadBuildings(Database &db, qint64 IDGOS);
std::optional<BuildingRecord> loadBuilding(Database &db, qint64 IDCLAD);

// Inserts the building with the next IDCLAD of the settings counter and returns
// it. IDMANUAL 0 gives the building its own IDCLAD as IDMANUAL.
qint64 addBuilding(Database &db, SettingsFile &settings, const BuildingRecord &building);
// Rewrites the building found by IDCLAD (its role is kept). keepApt8 leaves
// "La bloc" as stored (the legal-person pages do not show it).
void updateBuilding(Database &db, const BuildingRecord &building, bool keepApt8);
// false when the building was no longer there.
bool deleteBuilding(Database &db, qint64 IDCLAD);
// Dates the sale: DATAVANZ, DATAOUT and the exit remark. The building stays on the role.
void sellBuilding(Database &db, qint64 IDCLAD, QDate saleDate, QDate exitDate, const QString &remark);

// A building another role sold this year and nobody has bought yet, with its owner.
struct PurchaseOffer {
    BuildingRecord building;
    QString TIP;    // owner type
    QString SATUL;  // owner's locality
    QString ROL;
    QString NUMEP;
    QString STRADA; // owner's street
};

// Every building that left the records on or after `firstDay` (1 January of the
// fiscal year), except the buyer's own and those already bought, by owner name.
std::vector<PurchaseOffer> purchaseOffers(Database &db, qint64 buyerIDGOS, QDate firstDay);

// The buyer's row made from a sold building: the seller's sale date, exit date
// and exit remark become the acquisition date, entry date and entry remark; the
// address and "La bloc" are left empty for the buyer to enter.
BuildingRecord purchasedCopy(const BuildingRecord &sold, qint64 buyerIDGOS);

// Buys the sold building for the buyer, after checking in the same transaction
// that it is still offered; returns the new IDCLAD. Throws valdora::Error with
// alreadyBoughtText() when it is not offered any more.
qint64 buyBuilding(Database &db, SettingsFile &settings, qint64 soldIDCLAD, qint64 buyerIDGOS, QDate firstDay);
QString alreadyBoughtText();

} // namespace valdora::roles
