#pragma once
// The role dialog: "Adaugare gospodarie" / "Modificare gospodarie".

#include "register/domain/RoleEntryCheck.h"
#include "register/domain/RoleRecord.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace valdora {
class Database;
namespace ui {
class TCNPEdit;
}
} // namespace valdora

namespace valdora::roles {

class TAddGosF : public QDialog {
    Q_OBJECT
public:
    // editedId 0 adds a role. offerNoPenalties shows "Fara majorari" (setting FARAMAJORARI).
    TAddGosF(Database &db, qint64 editedId, bool offerNoPenalties, QWidget *parent = nullptr);

    bool adding() const { return editedId_ == 0; }
    // Clears every field and fills the lists; `locality` is where it starts.
    void prepare(const QStringList &localities, const QStringList &streets, const QStringList &tags,
                 const QString &locality);
    void proposeNumber(const QString &rol);
    void fill(const RoleRecord &role);
    // The fields as a role (IDGOS = the role edited, 0 when adding), normalised.
    RoleRecord role() const;

    QComboBox *Localitatea;
    QLineEdit *NrRol;
    QLineEdit *Nume;
    ui::TCNPEdit *CNP;
    QComboBox *Strada;
    QLineEdit *Adresa;
    QLineEdit *NrPers;
    QPlainTextEdit *Most;
    QComboBox *Tip;
    QComboBox *NoTax;
    QComboBox *IndOp;
    QPlainTextEdit *Obs;
    QComboBox *ScClad, *ScCC, *ScAuto, *ScTI, *ScTE;
    QPushButton *Memoreaza;
    QPushButton *Renunt;

public slots:
    void MemoreazaClick();

private:
    RoleEntry entry() const;
    void refuse(const QString &text, QWidget *field);

    Database &db_;
    qint64 editedId_;
    QFormLayout *form_;
};

} // namespace valdora::roles
