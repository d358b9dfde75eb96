#pragma once
// "Gospodarii": the role register. The search, the grid of roles, adding,
// changing and deleting a role, and the pages of the current role, reached
// through the navigation list on the left.

#include "register/domain/RoleRecord.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace valdora {
struct AppContext;
}

namespace valdora::roles {

class BandHeader;
class RoleDataPage;
class RoleListModel;

class TGospodarii : public QDialog {
    Q_OBJECT
public:
    static constexpr int PageCount = 8; // page 0 is the register itself
    // The navigation list: item 1 is a heading; item i > 1 opens page i - 1.
    static const QStringList &navigationItems();
    static int pageOfItem(int item);   // -1 for the heading
    static int itemOfPage(int page);

    explicit TGospodarii(AppContext &ctx, QWidget *parent = nullptr);
    ~TGospodarii() override;

    // Everything opening the register does before it is shown: the role list
    // read anew, page 0, no navigation selection, empty search, the land captions.
    void prepare();
    // prepare(), then shown modally.
    void openRegister();

    // Puts `page` (2, 4 or 7 wait for theirs) in place; `load` is called with the
    // current role's IDGOS (-2 when there is none) whenever the page is opened.
    void installPage(int page, QWidget *widget, std::function<void(qint64 IDGOS)> load = {});
    QWidget *pageWidget(int page) const;
    RoleDataPage *dataPage(int page) const; // 1, 3, 5 or 6; nullptr otherwise
    // Attaches the calculation sheet of land page 1 or 3 ("Fisa de calcul"); none keeps it disabled.
    void setLandSheetAction(int page, std::function<void(qint64 IDGOS)> action);
    QLineEdit *pageField(int page, const QString &name) const;
    int currentPage() const;

    // The current role: the current row of the grid.
    std::optional<RoleRecord> currentRole() const;
    qint64 currentId() const { return currentId_; }
    bool selectRole(qint64 IDGOS); // false when the role is not shown
    int shownRoles() const;

    // Loads a page for the current role (zero row created when it has none).
    void loadPage(int page);
    // "Memoreaza modificarile": true when the edits are gone (stored, or
    // discarded by the year lock), false when the store was refused.
    bool storePage(int page);
    // "Anuleaza modificarile".
    void cancelPage(int page);

    QComboBox *SearchLocalitate; // "Localitatea", item 0 " * indiferent *"
    QLineEdit *SearchRol;        // "Nr.ROL unic"
    QLineEdit *SearchNume;       // "Nume/Denumire"
    QTableView *Grid;
    BandHeader *GridHeader;
    RoleListModel *model;
    QListWidget *pageList;
    QStackedWidget *pages;
    QPushButton *AddROL, *EditROL, *DelROL;
    QHBoxLayout *roleCommands; // the role buttons; later commands go here too
    QLabel *HeaderRole;        // locality, "ROL:" and number, name
    QLabel *MostL, *ObsL, *TotalL, *NoTaxCaption, *NoTaxL;

public slots:
    void AddGospodarie();
    void EditGospodarie();
    void DelGospodarie();
    void choosePage(int item);
    void applySearch();
    void sortByColumn(int section);

    // Escape and closing: unsaved page edits are asked about first.
    void reject() override;

signals:
    void currentRoleChanged(qint64 IDGOS);

private:
    QWidget *buildRegisterPage();
    RoleDataPage *buildExtravilanPage();
    RoleDataPage *buildIntravilanPage();
    RoleDataPage *buildOtherTaxesPage();
    RoleDataPage *buildArrearsPage();
    QWidget *placeholderPage(const QString &title);
    void connectDataPage(RoleDataPage *page);
    void setCaptions();
    void reloadRoles(qint64 keepId);
    void restoreCurrent(qint64 id);
    void rowChanged(int row);
    void showRole();
    void syncNavigation();
    bool leavePage();
    bool yearLocked() const;
    void refuseLocked();
    void addLocality(const QString &locality);
    QStringList dialogLocalities() const;
    void showError(const QString &title, const QString &text);

    AppContext &ctx_;
    qint64 currentId_ = 0;
    std::array<std::function<void(qint64)>, PageCount> loaders_{};
};

} // namespace valdora::roles
