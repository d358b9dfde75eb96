#pragma once
// "Cod clasificare": a tax group with its two budget accounts.

#include "admin/store/ClassificationStore.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace valdora::admin {

class TFAddCODCL : public QDialog {
    Q_OBJECT
public:
    TFAddCODCL(Database &db, qint64 editedId, QWidget *parent = nullptr);
    void fill(const ClassificationCode &c);
    ClassificationCode code() const;

    QLineEdit *Denumire;
    QLineEdit *ContPF;
    QLineEdit *ContPJ;
    QPushButton *Memoreaza;

public slots:
    void MemoreazaClick();

private:
    Database &db_;
    qint64 editedId_;
};

} // namespace valdora::admin
