#pragma once
// "Vanzare Constructie": the date and the document of a building's sale.

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;

namespace valdora::roles {

class TCladVanzF : public QDialog {
    Q_OBJECT
public:
    explicit TCladVanzF(QDate today, QWidget *parent = nullptr);

    QDate saleDate() const;
    QString remark() const; // normalised

    QDateEdit *DataVanz;  // "Data vanzarii", today at first
    QLineEdit *ObsVanz;   // "Document / Observatii"
    QPushButton *Memoreaza;
    QPushButton *Renunt;

public slots:
    void MemoreazaClick();

private:
    QDate today_;
};

} // namespace valdora::roles
