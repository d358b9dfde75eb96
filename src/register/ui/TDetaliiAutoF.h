#pragma once
// The vehicle dialog ("Detalii Auto"): "Adauga Auto" / "Modificare Auto". The
// vehicle with its entry protocol and, when ticked, its exit protocol; the checks
// of "Memoreaza" keep the dialog open with the message on the field.

#include "register/store/VehicleStore.h"

#include <QDate>
#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace valdora::roles {

class TDetaliiAutoF : public QDialog {
    Q_OBJECT
public:
    TDetaliiAutoF(bool adding, QDate today, int fiscalYear, QWidget *parent = nullptr);

    // A new vehicle's defaults: file number "0", the first type and make, no fuel,
    // registered, zeros, entry and acquisition today, no exit protocol.
    static VehicleRecord newVehicle(QDate today);

    // Fills the dialog. `roleVehicles` are the role's vehicles as stored (the one
    // edited included), for the check of a second exempt vehicle; `documents` the
    // acquisition documents already stored, as suggestions.
    void prepare(const VehicleRecord &vehicle, bool exitProtocol, std::vector<VehicleRecord> roleVehicles,
                 const QStringList &documents);
    // The fields as they are (not checked). Keys are those given to prepare().
    VehicleRecord vehicle() const;
    bool exitProtocol() const;

    QLabel *Titlu;
    QLineEdit *NrDos;
    QComboBox *TipAuto;
    QComboBox *Marca;      // editable
    QComboBox *Combus;     // "-" when none is chosen
    QCheckBox *HIBpeste50; // "Poluare peste 50g CO2/Km", only for hybrid fuels
    QComboBox *Euro;       // "0".."6"
    QComboBox *Inmatric;   // "neinmatriculat", "inmatriculat", "inregistrat"
    QLabel *NrInmatL;
    QLineEdit *NrInmat;    // statuses 1 and 2 only
    QLineEdit *Valoare;
    QLineEdit *AnulF;
    QLineEdit *Capacit;
    QLineEdit *Tonaj;
    QLineEdit *Serie;
    QLineEdit *SerieM;
    QLineEdit *Obs;
    QCheckBox *Scutit;     // "Scutit de impozit"
    QLineEdit *PVInNr;
    QDateEdit *DataIn;
    QDateEdit *DataDob;
    QComboBox *ActD;       // editable
    QLineEdit *NrActD;
    QCheckBox *PVOut;      // "Scoasa din evidenta cu P.V. nr."
    QGroupBox *ExitBox;
    QLineEdit *PVOutNr;
    QDateEdit *DataOut;
    QDateEdit *DataInstr;
    QLineEdit *ActV;
    QLineEdit *NrActV;
    QLineEdit *CertRad;
    QDateEdit *CertRadD;
    QLineEdit *NumeNou;
    QComboBox *JudNou;     // editable, the counties as suggestions
    QLineEdit *LocNou;
    QLineEdit *AdrNou;
    QPushButton *Memoreaza;
    QPushButton *Renunt;

public slots:
    void MemoreazaClick();

private:
    void syncVisible();
    void syncExit();
    void showTexts(const VehicleRecord &v);

    bool adding_;
    QDate today_;
    int fiscalYear_;
    VehicleRecord stored_; // as given to prepare(): keys, and the dates a field shows as missing
    std::vector<VehicleRecord> roleVehicles_;
};

} // namespace valdora::roles
