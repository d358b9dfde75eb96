#pragma once
// "Cumparare Constructie": the buildings sold this year by other roles, to
// choose the one the current role bought.

#include "register/store/BuildingStore.h"

#include <QDialog>
#include <optional>
#include <vector>

class QPushButton;
class QStandardItemModel;
class QTableView;

namespace valdora::roles {

class TCladCumpF : public QDialog {
    Q_OBJECT
public:
    explicit TCladCumpF(std::vector<PurchaseOffer> offers, QWidget *parent = nullptr);

    static QStringList columnTitles();
    const std::vector<PurchaseOffer> &offers() const { return offers_; }
    // The building chosen ("Am ales" or a double-click), by its IDCLAD.
    std::optional<qint64> chosen() const { return chosen_; }
    // Makes row `row` the current one.
    void selectOffer(int row);

    QTableView *Grid;
    QPushButton *AmAles;
    QPushButton *Renunt;

public slots:
    void AmAlesClick();

private:
    std::vector<PurchaseOffer> offers_;
    QStandardItemModel *model_;
    std::optional<qint64> chosen_;
};

} // namespace valdora::roles
