#pragma once
// The main window: the bar at the top of the screen with the login fields
// and, once a user has logged in, the buttons and menus that the grade allows.

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

namespace valdora {
struct AppContext;
}

namespace valdora::admin {

// What the buttons and menu entries open; an entry without an action is shown
// disabled (its subsystem is not part of this build).
struct MainActions {
    std::function<void()> collections;      // "Incasari"
    std::function<void()> cashRegister;     // "Registru de Casa"
    std::function<void()> roles;            // "Gospodarii -Roluri-"
    std::function<void()> administration;   // "Administrare"
    std::function<void()> backupRestore;    // "Salvare - Restaurare Baza de date"
    std::function<void()> agriculturalImport;
    std::function<void()> landComparison;
    std::function<void()> checks;           // "Verificare baze"
    // Offers the new-year initialisation from last year's Data folder; true ends the program.
    std::function<bool(const QString &lastYearData)> newYear;
    // The automatic backup asked for at closing.
    std::function<void()> automaticBackup;
    // Lists menu entries by caption.
    std::vector<std::pair<QString, std::function<void()>>> lists;
    // Entries of "Modele listare - Editare": sub-menu path, object name, caption, action.
    struct MenuItem {
        QStringList path;
        QString name;
        QString caption;
        std::function<void()> action;
    };
    std::vector<MenuItem> templates;
};

class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(AppContext &ctx, MainActions actions, QWidget *parent = nullptr);

    // Shows the window modally; afterwards runs the automatic backup if asked for.
    int showMain();

    QLineEdit *UserName;
    QLineEdit *Parola;
    QPushButton *LogBut;
    QWidget *loginPanel;
    QWidget *buttonPanel;
    QToolButton *MBut1, *MButCasa, *MButGosp, *MBut2, *MButAdm, *UtilBut, *ToolButton1;
    QMenu *listsMenu;
    QMenu *utilMenu;
    QLabel *dateLabel;

    QAction *findAction(const QString &caption) const; // in either menu, sub-menus included
    bool backupRequested() const { return backupRequested_; }
    // Ends the run without the closing questions (a new start is needed).
    void closeWithoutQuestions();

public slots:
    void LogButClick();
    void Iesire();
    void MButAdmClick();
    void ContulMeu();
    void showLog(bool general);

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void applyRights();
    void setLoggedIn(bool in);
    QToolButton *addButton(const QString &name, const QString &caption, const std::function<void()> &action);

    AppContext &ctx_;
    MainActions actions_;
    QAction *backupAction_ = nullptr, *agriAction_ = nullptr, *landAction_ = nullptr, *checksAction_ = nullptr;
    bool backupRequested_ = false;
    bool skipQuestions_ = false;
};

} // namespace valdora::admin
