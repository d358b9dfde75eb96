#pragma once
// Page 4 of the role register ("   - mijloace de transport"): the role's vehicles
// with their computed tax, "Modificari auto / P.V." (the vehicle details window)
// and the calculation sheet of the current vehicle.

#include "register/domain/RoleRecord.h"
#include "register/store/VehicleList.h"

#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;

namespace valdora {
struct AppContext;
}

namespace valdora::roles {

class TGospodarii;
class VehicleListModel;

class VehiclesPage : public QWidget {
    Q_OBJECT
public:
    explicit VehiclesPage(AppContext &ctx, QWidget *parent = nullptr);

    // Reads the role's vehicles anew (IDGOS -2: no role, an empty page).
    void load(qint64 IDGOS);
    qint64 roleId() const { return idgos_; }
    int shownVehicles() const;
    std::optional<VehicleListRow> currentVehicle() const;
    bool selectVehicle(qint64 IDDETA);

    QLabel *Caption;
    QTableView *Grid;
    VehicleListModel *model;
    QPushButton *ModifAuto;  // "Modificari auto / P.V."
    QPushButton *FisaCalcul; // "Fisa de calcul"

public slots:
    void ModifAutoClick();
    void FisaCalculClick();

private:
    void reload(qint64 keep);
    void select(int row);
    void syncButtons();
    void showError(const QString &title, const QString &text);

    AppContext &ctx_;
    qint64 idgos_ = -2;
    std::optional<RoleRecord> role_;
};

// Puts the vehicle page in place of page 4 of the register; returns it.
VehiclesPage *installVehiclesPage(TGospodarii &window, AppContext &ctx);

} // namespace valdora::roles
