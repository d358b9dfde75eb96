#pragma once
// "Utilizatori": the dialog of one user account.

#include "admin/store/UserAccounts.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace valdora::admin {

class TFAddUser : public QDialog {
    Q_OBJECT
public:
    TFAddUser(const UserFile &users, bool adding, QWidget *parent = nullptr);
    void fill(const UserRow &row);
    UserRow row() const;
    bool clearPassword() const;

    QLineEdit *Nume;
    QComboBox *Rang;
    QLineEdit *Legitimatia;
    QLineEdit *Seria;
    QLineEdit *Numar; // "De la nr."
    QCheckBox *StergeParola;
    QPushButton *Memoreaza;

public slots:
    void MemoreazaClick();

private:
    const UserFile &users_;
    bool adding_;
};

} // namespace valdora::admin
