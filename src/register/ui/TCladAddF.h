#pragma once
// The building dialog ("Cladiri"): "Adaugare Cladire" / "Modificare cladire".
// The classification and the owner type choose the fields shown; the checks of
// "Memoreaza" keep the dialog open with the message on the field.

#include "register/store/BuildingEntry.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace valdora::roles {

class TCladAddF : public QDialog {
    Q_OBJECT
public:
    TCladAddF(OwnerType owner, bool adding, QDate today, int fiscalYear, QWidget *parent = nullptr);

    bool adding() const { return adding_; }
    OwnerType owner() const { return owner_; }
    // Fills the dialog; mixedIds are the mixed buildings of the role a part may join.
    void prepare(const QList<qint64> &mixedIds, const BuildingForm &form);
    // The fields as they are (not checked).
    BuildingForm form() const;
    // The page the fields show now.
    BuildingPage page() const;

    QLabel *Titlu;
    QComboBox *Clasificare;  // "REZIDENTIALA", "NEREZIDENTIALA", "MIXTA"
    QWidget *MixtPanel;
    QComboBox *ScopMixt;     // "REZIDENTIAL", "NEREZIDENTIAL"
    QComboBox *IdMixt;       // "nu exista in lista", then the IDs
    QLineEdit *Suprafata;
    QLineEdit *Anul;
    QComboBox *Material;
    QComboBox *Destinatie;
    QComboBox *CuUtil;       // "NU", "DA"
    QComboBox *Zona;
    QComboBox *Rang;
    QCheckBox *LaBloc;
    QDateEdit *DataEval;
    QLineEdit *Valoare;
    QComboBox *ActAgr;       // "NU", "DA"
    QCheckBox *NuEvaluata;
    QLineEdit *Adresa;
    QDateEdit *DataDob;
    QDateEdit *DataIn;
    QLineEdit *ObsIn;
    QCheckBox *Instrainata;
    QDateEdit *DataVanz;
    QDateEdit *DataOut;
    QLineEdit *ObsOut;
    QPushButton *Memoreaza;
    QPushButton *Renunt;

public slots:
    void MemoreazaClick();

private:
    void showPage();
    void syncEnabled();
    QWidget *fieldOf(EntryField field) const;

    OwnerType owner_;
    bool adding_;
    QDate today_;
    int fiscalYear_;
    QFormLayout *pageForm_;
};

} // namespace valdora::roles
