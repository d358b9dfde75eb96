#include "admin/ui/TForm3.h"

#include "admin/store/UserFile.h"
#include "admin/ui/TForm5.h"
#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/RegistryStore.h"
#include "app/core/Text.h"
#include "app/startup/AppContext.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"
#include "app/ui/TLogView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace valdora::admin {
namespace {

QAction *addEntry(QMenu *menu, const QString &caption, const std::function<void()> &action)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(caption);
    if (action)
        QObject::connect(a, &QAction::triggered, menu, action);
    else
        a->setEnabled(false);
    return a;
}

QAction *findIn(const QMenu *menu, const QString &caption)
{
    for (QAction *a : menu->actions()) {
        if (a->text() == caption)
            return a;
        if (a->menu())
            if (QAction *inner = findIn(a->menu(), caption))
                return inner;
    }
    return nullptr;
}

} // namespace

TForm3::TForm3(AppContext &ctx, MainActions actions, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      ctx_(ctx), actions_(std::move(actions))
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(edition::titleWithVersion());
    auto *outer = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    outer->addLayout(bar);

    loginPanel = new QWidget(this);
    loginPanel->setObjectName(QStringLiteral("loginPanel"));
    auto *login = new QHBoxLayout(loginPanel);
    UserName = new QLineEdit(QStringLiteral("ADMIN"), loginPanel);
    UserName->setObjectName(QStringLiteral("UserName"));
    UserName->setMaxLength(32);
    Parola = new QLineEdit(loginPanel);
    Parola->setObjectName(QStringLiteral("Parola"));
    Parola->setMaxLength(32);
    Parola->setEchoMode(QLineEdit::Password);
    ui::upperCaseAsTyped(UserName);
    ui::upperCaseAsTyped(Parola);
    LogBut = new QPushButton(QStringLiteral("Start"), loginPanel);
    LogBut->setObjectName(QStringLiteral("LogBut"));
    LogBut->setAutoDefault(false);
    login->addWidget(new QLabel(QStringLiteral("Numele"), loginPanel));
    login->addWidget(UserName);
    login->addWidget(new QLabel(QStringLiteral("Parola"), loginPanel));
    login->addWidget(Parola);
    login->addWidget(LogBut);
    connect(UserName, &QLineEdit::returnPressed, Parola, qOverload<>(&QWidget::setFocus));
    connect(Parola, &QLineEdit::returnPressed, this, &TForm3::LogButClick);
    connect(LogBut, &QPushButton::clicked, this, &TForm3::LogButClick);
    bar->addWidget(loginPanel);

    buttonPanel = new QWidget(this);
    buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    auto *buttons = new QHBoxLayout(buttonPanel);
    buttons->setContentsMargins(0, 0, 0, 0);
    MBut1 = addButton(QStringLiteral("MBut1"), QStringLiteral("Incasari"), actions_.collections);
    MButCasa = addButton(QStringLiteral("MButCasa"), QStringLiteral("Registru de Casa"), actions_.cashRegister);
    MButGosp = addButton(QStringLiteral("MButGosp"), QStringLiteral("Gospodarii -Roluri-"), actions_.roles);
    MBut2 = addButton(QStringLiteral("MBut2"), QStringLiteral("Liste si Formulare"), {});
    MButAdm = addButton(QStringLiteral("MButAdm"), QStringLiteral("Administrare"), {});
    UtilBut = addButton(QStringLiteral("UtilBut"), QStringLiteral("Utilitare"), {});
    ToolButton1 = addButton(QStringLiteral("ToolButton1"), QStringLiteral("Iesire"), {});
    for (QToolButton *b : {MBut1, MButCasa, MButGosp, MBut2, MButAdm, UtilBut, ToolButton1})
        buttons->addWidget(b);
    MBut2->setEnabled(true);
    MButAdm->setEnabled(true);
    UtilBut->setEnabled(true);
    ToolButton1->setEnabled(true);
    connect(MButAdm, &QToolButton::clicked, this, &TForm3::MButAdmClick);
    connect(ToolButton1, &QToolButton::clicked, this, &TForm3::Iesire);
    bar->addWidget(buttonPanel);
    bar->addStretch(1);

    dateLabel = new QLabel(this);
    dateLabel->setObjectName(QStringLiteral("dateLabel"));
    QFont big = dateLabel->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    dateLabel->setFont(big);
    bar->addWidget(dateLabel);
    auto *status = new QLabel(QStringLiteral("F1 - Incasari"), this);
    status->setObjectName(QStringLiteral("status"));
    outer->addWidget(status);

    // Lists and forms.
    listsMenu = new QMenu(this);
    listsMenu->setObjectName(QStringLiteral("listsMenu"));
    auto listAction = [this](const QString &caption) -> std::function<void()> {
        for (const auto &[c, a] : actions_.lists)
            if (c == caption)
                return a;
        return {};
    };
    for (const char *c : {"Note de plata", "Somatii - Titluri executorii", "Situatia executarilor silite",
                          "Confirmare de primire debite", "Declaratii de impunere", "Liste si registre",
                          "Declaratie ANAF", "Chitante anulate"})
        addEntry(listsMenu, QString::fromLatin1(c), listAction(QString::fromLatin1(c)));
    QMenu *laws = listsMenu->addMenu(QStringLiteral("Legislatie"));
    for (const char *c : {"Legea 277 / 2015", "Adresa M.F.2021 - Reevaluare cladiri PJ", "Legea 239 / 2025"})
        addEntry(laws, QString::fromLatin1(c), listAction(QString::fromLatin1(c)));
    MBut2->setMenu(listsMenu);
    MBut2->setPopupMode(QToolButton::InstantPopup);

    // Utilities.
    utilMenu = new QMenu(this);
    utilMenu->setObjectName(QStringLiteral("utilMenu"));
    backupAction_ = addEntry(utilMenu, QStringLiteral("Salvare - Restaurare Baza de date"), actions_.backupRestore);
    agriAction_ = addEntry(utilMenu, QStringLiteral("Preluare date din Registru Agricol 2025-2029"), actions_.agriculturalImport);
    landAction_ = addEntry(utilMenu, QStringLiteral("Compara Terenurile cu Registrul Agricol"), actions_.landComparison);
    utilMenu->addSeparator();
    QMenu *templates = utilMenu->addMenu(QStringLiteral("Modele listare - Editare"));
    templates->setObjectName(QStringLiteral("templatesMenu"));
    for (const auto &item : actions_.templates) {
        QMenu *at = templates;
        for (const QString &step : item.path) {
            QMenu *next = nullptr;
            for (QAction *a : at->actions())
                if (a->menu() && a->text() == step)
                    next = a->menu();
            at = next ? next : at->addMenu(step);
        }
        addEntry(at, item.caption, item.action)->setObjectName(item.name);
    }
    templates->menuAction()->setEnabled(!actions_.templates.empty());
    utilMenu->addSeparator();
    addEntry(utilMenu, QStringLiteral("Contul meu"), [this] { ContulMeu(); });
    utilMenu->addSeparator();
    checksAction_ = addEntry(utilMenu, QStringLiteral("Verificare baze"), actions_.checks);
    QMenu *history = utilMenu->addMenu(QStringLiteral("Istoric modificari"));
    addEntry(history, QStringLiteral("General"), [this] { showLog(true); });
    addEntry(history, QStringLiteral("De pe acest calculator"), [this] { showLog(false); });
    UtilBut->setMenu(utilMenu);
    UtilBut->setPopupMode(QToolButton::InstantPopup);

    // F1 and F2 act only while the buttons are shown.
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] {
        if (buttonPanel->isVisible() && MBut1->isEnabled())
            MBut1->click();
    });
    auto *f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, this, [this] {
        if (buttonPanel->isVisible())
            MBut2->showMenu();
    });

    setLoggedIn(false);
}

QToolButton *TForm3::addButton(const QString &name, const QString &caption, const std::function<void()> &action)
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumHeight(36);
    if (action)
        connect(b, &QToolButton::clicked, this, action);
    else
        b->setEnabled(false);
    return b;
}

QAction *TForm3::findAction(const QString &caption) const
{
    if (QAction *a = findIn(listsMenu, caption))
        return a;
    return findIn(utilMenu, caption);
}

void TForm3::showEvent(QShowEvent *e)
{
    dateLabel->setText(formatDate(ctx_.clock->today()));
    if (const QScreen *s = screen()) {
        const QRect g = s->availableGeometry();
        setGeometry(g.left(), g.top(), g.width(), sizeHint().height());
    }
    QDialog::showEvent(e);
}

int TForm3::showMain()
{
    setWindowTitle(edition::titleWithVersion());
    dateLabel->setText(formatDate(ctx_.clock->today()));
    const int r = exec();
    if (backupRequested_ && actions_.automaticBackup)
        actions_.automaticBackup();
    return r;
}

void TForm3::setLoggedIn(bool in)
{
    loginPanel->setVisible(in ? false : true);
    buttonPanel->setVisible(in);
}

void TForm3::LogButClick()
{
    const QString name = cleanSpaces(UserName->text());
    UserName->setText(name);
    CurrentUser &u = ctx_.user;
    u = CurrentUser{name, Parola->text(), Grade::Unknown, {}};

    UserFile users(ctx_.userFilePath());
    if (!users.exists()) {
        users.createWithAdmin();
        ui::message(QStringLiteral("PRIMA PORNIRE"),
                    QStringLiteral("Numele este ADMIN si parola este 952.\rPuteti modifica parola de la Utilitare > Contul meu"),
                    ui::Ok, ui::Information);
        u = CurrentUser{QStringLiteral("ADMIN"), QStringLiteral("952"), Grade::Admin, {}};
        UserName->setText(u.name);
    } else {
        const auto found = users.login(u.name, u.password);
        if (!found)
            return; // no message, no delay: the user may simply try again
        u.grade = found->grade;
        u.identityCard = found->identityCard;
        if (u.grade == Grade::Unknown)
            return;
    }

    if (ctx_.startup.emptyDatabase && u.isAdmin() && actions_.newYear && ctx_.registry) {
        const QString last = RegistryStore(edition::PreviousProductNumber).read(QStringLiteral("CALE")).trimmed();
        const QString lastData = last + QStringLiteral("/Data");
        if (!last.isEmpty() && QDir(last).exists() && QDir(lastData).exists()) {
            const QString year = QString::number(edition::FiscalYear - 1);
            if (ui::message(QStringLiteral("Import date ") + year,
                            QStringLiteral("\rDoriti importarea datelor din anul ") + year + u'?', ui::DaNu,
                            ui::Confirmation) == ui::ResultDa &&
                actions_.newYear(lastData)) {
                ui::message(QStringLiteral("Import date ") + year,
                            QStringLiteral("\rImportul s-a incheiat cu succes!\rPorniti programul din nou!"), ui::Ok,
                            ui::Information);
                done(QDialog::Accepted);
                return;
            }
        }
    }

    setLoggedIn(true);
    ctx_.logAction({}, QStringLiteral("Pornire program."));
    applyRights();
    setWindowTitle(edition::titleWithVersion() + QStringLiteral("  >> ") + u.name);
}

void TForm3::applyRights()
{
    const Grade g = ctx_.user.grade;
    const bool admin = g == Grade::Admin;
    const bool cashier = g == Grade::Cashier;
    MButAdm->setVisible(!cashier);
    // The role operator may press it to be told no; for ADMIN it opens the administration.
    MButAdm->setEnabled(!admin || bool(actions_.administration));
    MButGosp->setVisible(!cashier);
    backupAction_->setVisible(!cashier);
    checksAction_->setVisible(admin);
    agriAction_->setVisible(admin);
    landAction_->setVisible(admin);
}

void TForm3::MButAdmClick()
{
    if (!ctx_.user.isAdmin()) {
        ui::problem(QStringLiteral("Nu aveti treaba aici."), MButAdm);
        return;
    }
    if (actions_.administration)
        actions_.administration();
}

void TForm3::Iesire()
{
    setWindowTitle(edition::titleWithVersion());
    setLoggedIn(false);
    Parola->clear();
    ctx_.user.grade = Grade::Unknown;
    Parola->setFocus();
}

void TForm3::ContulMeu()
{
    TForm5 dlg(ctx_.user.password, ctx_.user.identityCard, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    UserFile users(ctx_.userFilePath());
    const QString newPassword = dlg.Parola1->text().left(32);
    const QString card = dlg.Legitimatia->text().left(32);
    if (users.changeOwnAccount(ctx_.user.name, ctx_.user.password, newPassword, card)) {
        ui::message(QStringLiteral("Schimbare cont"), QStringLiteral("Modificarile au fost memorate cu succes!"), ui::Ok,
                    ui::Information);
        ctx_.user.password = newPassword;
        ctx_.user.identityCard = card;
    } else {
        ui::message(QStringLiteral("Schimbare cont"), QStringLiteral("Modificarile nu pot fi memorate!"), ui::Ok, ui::Error);
    }
}

void TForm3::showLog(bool general)
{
    std::vector<LogEntry> rows;
    if (general) {
        rows = ActionLog::readAll(*ctx_.db);
    } else {
        Database local(Database::AtFile{}, ctx_.actionLog().localLogPath());
        rows = ActionLog::readAll(local);
    }
    ui::TLogView view(this);
    view.showRows(rows, general ? QStringLiteral("General") : QStringLiteral("De pe acest calculator"));
    view.exec();
}

void TForm3::keyPressEvent(QKeyEvent *e)
{
    // Escape must not close the program past its closing questions.
    if (e->key() == Qt::Key_Escape) {
        e->ignore();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TForm3::closeWithoutQuestions()
{
    skipQuestions_ = true;
    close();
}

void TForm3::closeEvent(QCloseEvent *e)
{
    if (skipQuestions_) {
        e->accept();
        QDialog::closeEvent(e);
        return;
    }
    const QString backups = ctx_.registry ? ctx_.registry->read(QStringLiteral("CALESALVARI")).trimmed() : QString();
    const bool local = QDir(ctx_.folders().database) == QDir(ctx_.folders().localData);
    if (local && !backups.isEmpty() && QDir(backups).exists()) {
        const int r = ui::message(QStringLiteral("Salvare Automata"), QStringLiteral("\rDoriti sa facem o copie la datele de azi?"),
                                  ui::DaNu, ui::Confirmation);
        if (r == ui::ResultDa || r == ui::ResultNu) {
            backupRequested_ = r == ui::ResultDa;
            e->accept();
            QDialog::closeEvent(e);
            return;
        }
        e->ignore();
        return;
    }
    if (ui::message(QStringLiteral("Inchidere program"), QStringLiteral("\rDoriti sa inchideti programul?"), ui::DaNu,
                    ui::Confirmation) == ui::ResultDa) {
        e->accept();
        QDialog::closeEvent(e);
        return;
    }
    e->ignore();
}

} // namespace valdora::admin
