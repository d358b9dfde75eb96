#pragma once
// Page 2 of the role register ("   - cladiri"): the role's buildings with their
// computed tax, and the commands on them: add, change, delete, the calculation
// sheet, purchase from another role and sale.

#include "register/domain/RoleRecord.h"
#include "register/store/BuildingList.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;

namespace valdora {
struct AppContext;
}

namespace valdora::roles {

class BandHeader;
class BuildingListModel;
class TGospodarii;

class BuildingsPage : public QWidget {
    Q_OBJECT
public:
    explicit BuildingsPage(AppContext &ctx, QWidget *parent = nullptr);

    // Reads the role's buildings anew (IDGOS -2: no role, an empty page).
    void load(qint64 IDGOS);
    qint64 roleId() const { return idgos_; }
    int shownBuildings() const;
    std::optional<BuildingListRow> currentBuilding() const;
    bool selectBuilding(qint64 IDCLAD); // false when it is not listed

    QLabel *Caption;
    QTableView *Grid;
    BandHeader *GridHeader;
    BuildingListModel *model;
    QPushButton *AddClad;    // "Adauga Cladire"
    QPushButton *EditClad;   // "Modifica Cladire"
    QPushButton *DelClad;    // "Sterge Cladire"
    QPushButton *FisaCalcul; // "Fisa de calcul"
    QPushButton *Cumparare;
    QPushButton *Vanzare;

public slots:
    void AddCladClick();
    void EditCladClick();
    void DelCladClick();
    void FisaCalculClick();
    void CumparareClick();
    void VanzareClick();

private:
    // The list read again, on building `keep` (the last row when lastRow or when it is gone).
    void reload(qint64 keep, bool lastRow = false);
    void select(int row);
    void syncButtons();
    OwnerType owner() const;
    void showError(const QString &title, const QString &text);

    AppContext &ctx_;
    qint64 idgos_ = -2;
    std::optional<RoleRecord> role_;
};

// Puts the buildings page in place of page 2 of the register; returns it.
BuildingsPage *installBuildingsPage(TGospodarii &window, AppContext &ctx);

} // namespace valdora::roles
