#pragma once
// "Constante de calcul": a locality with its zone and rank.

#include "admin/store/ZoneStore.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace valdora::admin {

class TAddZonaF : public QDialog {
    Q_OBJECT
public:
    TAddZonaF(Database &db, qint64 editedId, QWidget *parent = nullptr);
    void fill(const Zone &z);
    Zone zone() const;

    QLineEdit *Localitatea;
    QComboBox *Zona;
    QComboBox *Rangul;
    QPushButton *Memoreaza;

public slots:
    void MemoreazaClick();

private:
    Database &db_;
    qint64 editedId_;
};

} // namespace valdora::admin
