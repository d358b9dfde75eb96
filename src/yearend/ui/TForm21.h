#pragma once
// "Salvare - Restaurare": backup by hand, restore, and the remote copy.

#include "yearend/ui/BackupActions.h"

#include <QDialog>

class QPushButton;

namespace valdora::yearend {

class TForm21 : public QDialog {
    Q_OBJECT
public:
    TForm21(AppContext &ctx, RemoteCopy remote = {}, QWidget *parent = nullptr);

    QPushButton *SalvBut; // "Salveaza baza de date"
    QPushButton *RestBut; // "Restaureaza baza de date"
    QPushButton *DistBut; // "Copie / Recupereaza date la Distanta"

    // True once a restore has been made.
    bool restored() const { return restored_; }

public slots:
    void SalvButClick();
    void RestButClick();
    void DistButClick();

private:
    AppContext &ctx_;
    RemoteCopy remote_;
    bool restored_ = false;
};

} // namespace valdora::yearend
