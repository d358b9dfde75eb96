#pragma once
// "Utilizator": the logged-in user changes the own password and identity card.

#include <QDialog>

class QLineEdit;

namespace valdora::admin {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5(const QString &password, const QString &identityCard, QWidget *parent = nullptr);
    QLineEdit *Parola1; // "Parola noua"
    QLineEdit *Parola2; // "Verifica parola"
    QLineEdit *Legitimatia;

public slots:
    void Memoreaza();
};

} // namespace valdora::admin
