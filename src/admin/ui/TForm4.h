#pragma once
// "Administrator program": every value the municipality sets, the users, the
// localities, the classification codes and the folders.

#include "admin/domain/AdminControls.h"
#include "admin/store/UserAccounts.h"
#include "admin/store/ZoneStore.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QComboBox;

namespace valdora {
struct AppContext;
}

namespace valdora::admin {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    // endProgram is called when a change of the server folder requires a new start.
    TForm4(AppContext &ctx, std::function<void()> endProgram, QWidget *parent = nullptr);

    // Fills the grids, shows the window modally; on any close the values are reloaded from their stores.
    void openAdministration();

    QWidget *control(const QString &name) const; // the editor of a control
    void setControlText(const QString &name, const QString &text);
    QString controlText(const QString &name) const;
    int currentPage() const;
    void choosePage(int listRow);

    QListWidget *pageList;
    QStackedWidget *pages;
    QTableWidget *usersGrid;
    QTableWidget *zonesGrid;
    QPushButton *SaveB;
    QLabel *CaleServer, *CaleSalvari, *CaleRA;
    QComboBox *ComboBox2, *ComboBox3;

public slots:
    void SaveBClick();
    void AddUser();
    void ModifyUser();
    void RemoveUser();
    void AddZone();
    void ModifyZone();
    void RemoveZone();
    void Classification();
    void ChangeServer();
    void ClearServer();
    void ChangeBackups();
    void ClearBackups();
    void ChangeAgriculturalRegister();
    void ClearAgriculturalRegister();

protected:
    void done(int r) override;

private:
    QWidget *buildPage(const QString &page);
    QWidget *buildGeneralPage();
    QWidget *buildZonesPage();
    void showValues(const AdminValues &v);
    void readValues(AdminValues &v) const;
    void reloadUsers();
    void reloadZones(qint64 keepId);
    void openPageOf(const QString &control);
    void explain();

    AppContext &ctx_;
    std::function<void()> endProgram_;
    QHash<QString, QWidget *> editors_; // upper-cased control name -> editor
    std::vector<UserRow> users_;
    std::vector<Zone> zones_;
};

} // namespace valdora::admin
