#pragma once
// One role of the register (a row of Gospodar): a household or a legal person,
// kept by its identifier IDGOS; locality and role number only name it.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <utility>

namespace valdora {

struct RoleRecord {
    static constexpr int ObservationPart = 240; // OBS and OBS2 hold 240 characters each
    static constexpr int MaxObservations = 2 * ObservationPart;

    qint64 IDGOS = 0;
    QString SATUL;
    QString ROL;
    QString NUMEP;
    QString CNP;
    QString STRADA;
    QString ADRESA;
    int NRPERS = 1;
    QString MOST;
    QString TIP = QStringLiteral("FIZICA");
    int SCCLAD = 0;
    int SCCC = 0;
    int SCTI = 0;
    int SCAUTO = 0;
    int SCTE = 0;
    QString OBS;
    QString OBS2;
    QString NOTAX = QStringLiteral("NU");
    QString INDOP;

    bool legalPerson() const { return TIP == QLatin1String("JURIDICA"); }

    // OBS followed by OBS2, as one text.
    QString observations() const { return joinObservations(OBS, OBS2); }
    // Normalises the text (trim, single blanks) and splits it 240 + 240;
    // characters past 480 are not kept.
    void setObservations(QStringView text);

    // OBS holds characters 1 to 240: when OBS2 goes on, OBS is read at its full
    // width, so a blank that fell on character 240 (not kept by the table) comes back.
    static QString joinObservations(const QString &OBS, const QString &OBS2);
    static std::pair<QString, QString> splitObservations(QStringView text);

    static const QStringList &personTypes();       // "FIZICA", "JURIDICA"
    static const QStringList &exemptionPercents(); // "0", "30", "50", "100"
};

} // namespace valdora
