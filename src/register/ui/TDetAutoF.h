#pragma once
// "Detalii Auto": the vehicles of one role with their entry and exit protocols,
// and the commands on them: add, change, delete, and the three documents.
// Opened from the register's vehicle page and from the collection window; a
// cashier sees and prints the entry and exit protocols but changes nothing.

#include "register/domain/RoleRecord.h"
#include "register/store/VehicleList.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;

namespace valdora {
struct AppContext;
}

namespace valdora::roles {

class VehicleListModel;
enum class VehicleDocument;

class TDetAutoF : public QDialog {
    Q_OBJECT
public:
    TDetAutoF(AppContext &ctx, RoleRecord role, bool readOnly, QWidget *parent = nullptr);

    bool readOnly() const { return readOnly_; }
    int shownVehicles() const;
    std::optional<VehicleListRow> currentVehicle() const;
    bool selectVehicle(qint64 IDDETA); // false when it is not listed

    QLabel *HeaderRole;
    QTableView *Grid;
    VehicleListModel *model;
    // The entry protocol of the current vehicle.
    QLabel *PVIn, *DataDobL, *ActDL, *NrActDL;
    // The exit protocol of the current vehicle.
    QLabel *PVOutL, *DataInstrL, *ActVL, *NrActVL, *CertRadL, *NumeNouL, *JudNouL, *LocNouL, *AdrNouL;
    QPushButton *AdaugaAuto;   // "Adauga Auto/PV"
    QPushButton *ModificaAuto; // "Modifica Auto/PV"
    QPushButton *StergeAuto;   // "Sterge Auto"
    QPushButton *ListPVIn;     // "Listeaza PV Luare in evidenta"
    QPushButton *ListPVOut;    // "Listeaza PV Scoatere din evidenta"
    QPushButton *DeclITL016;   // "Decl.pt.scoatere evid. ITL 016"
    QPushButton *Inchide;

public slots:
    void AdaugaAutoClick();
    void ModificaAutoClick();
    void StergeAutoClick();
    void ListPVInClick();
    void ListPVOutClick();
    void DeclITL016Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The list read again, on vehicle `keep` (the last row when lastRow or when it is gone).
    void reload(qint64 keep, bool lastRow = false);
    void select(int row);
    void syncCurrent();
    void printDocument(VehicleDocument document);
    void showError(const QString &title, const QString &text);

    AppContext &ctx_;
    RoleRecord role_;
    bool readOnly_;
    std::vector<VehicleRecord> stored_;
};

// The vehicle details window of a role, read-only for a cashier; returns when it is closed.
void openVehicleDetails(AppContext &ctx, const RoleRecord &role, QWidget *parent = nullptr);

} // namespace valdora::roles
