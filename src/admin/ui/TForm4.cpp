#include "admin/ui/TForm4.h"

#include "admin/domain/AdminSaveCheck.h"
#include "admin/store/AdminFolders.h"
#include "admin/store/AdminSettingsStore.h"
#include "admin/ui/TAddZonaF.h"
#include "admin/ui/TFAddUser.h"
#include "admin/ui/TFClasificare.h"
#include "app/core/Error.h"
#include "app/core/RegistryStore.h"
#include "app/db/Maintenance.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace valdora::admin {
namespace {

// The entries of the page list; the heading opens no page.
const char *const pageEntries[] = {"   - general", "   - definirea zonelor", " IMPOZITE si TAXE - Valori fixate",
                                   "   - teren extravilan", "   - cladiri", "   - teren intravilan",
                                   "   - mijloace de transport", "   - auto inregistrate", "   - alte taxe",
                                   "   - mijloace transp. peste 12 tone", "   - combinatii auto peste 12 tone",
                                   "   - mijloace de transport pe apa"};
constexpr int HeadingRow = 2;

QString pageName(int index)
{
    static const char *const names[] = {"general", "definirea zonelor", "teren extravilan", "cladiri", "teren intravilan",
                                        "mijloace de transport", "auto inregistrate", "alte taxe",
                                        "mijloace transp. peste 12 tone", "combinatii auto peste 12 tone",
                                        "mijloace de transport pe apa"};
    return QString::fromLatin1(names[index]);
}

QString captionOf(const ControlDef &c)
{
    static const QHash<QString, QString> captions{
        {"PrimariaLab", "U.A.T."}, {"LocalitateaLab", "Localitatea"}, {"CUILab", "C.U.I."}, {"JudetulLab", "Judetul"},
        {"PrimarLab", "Primar"}, {"ContabilLab", "Contabil"},
        {"PreviewC", "Arata chitanta inainte de listare"}, {"FormatPDF", "Arata chitanta in format PDF"},
        {"InExcel", "Utilizez Excel 2010-2017"}, {"Bonificatie50", "Acorda bonificatie pentru sume sub 50 ron"},
        {"BonifPJ", "Acorda bonificatie la persoane juridice"},
        {"RataInfPFR", "Rata inflatiei - P.F. rezidentiale"}, {"RataInfPFN", "Rata inflatiei - P.F. nerezidentiale"},
        {"RataInfPJ", "Rata inflatiei - P.J."}};
    return captions.value(c.name, c.name);
}

} // namespace

TForm4::TForm4(AppContext &ctx, std::function<void()> endProgram, QWidget *parent)
    : QDialog(parent), ctx_(ctx), endProgram_(std::move(endProgram))
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Administrator program"));
    auto *outer = new QVBoxLayout(this);
    auto *body = new QHBoxLayout;
    pageList = new QListWidget(this);
    pageList->setObjectName(QStringLiteral("pageList"));
    for (const char *e : pageEntries)
        pageList->addItem(QString::fromLatin1(e));
    if (QListWidgetItem *h = pageList->item(HeadingRow)) {
        QFont f = h->font();
        f.setBold(true);
        h->setFont(f);
        h->setFlags(Qt::ItemIsEnabled);
    }
    pageList->setMaximumWidth(260);
    pages = new QStackedWidget(this);
    pages->addWidget(buildGeneralPage());
    pages->addWidget(buildZonesPage());
    for (int i = 2; i <= 10; ++i)
        pages->addWidget(buildPage(pageName(i)));
    connect(pageList, &QListWidget::currentRowChanged, this, &TForm4::choosePage);
    body->addWidget(pageList);
    body->addWidget(pages, 1);
    outer->addLayout(body, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    SaveB = new QPushButton(QStringLiteral("Salveaza si inchide"), this);
    SaveB->setObjectName(QStringLiteral("SaveB"));
    SaveB->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("Renunt"), this);
    cancel->setAutoDefault(false);
    bottom->addWidget(SaveB);
    bottom->addWidget(cancel);
    outer->addLayout(bottom);
    connect(SaveB, &QPushButton::clicked, this, &TForm4::SaveBClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(1100, 680);
    showValues(ctx_.adminValues());
}

QWidget *TForm4::control(const QString &name) const { return editors_.value(name.toUpper(), nullptr); }

void TForm4::setControlText(const QString &name, const QString &text)
{
    QWidget *w = control(name);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentIndex(c->findText(text));
    else if (auto *b = qobject_cast<QCheckBox *>(w))
        b->setChecked(text == QLatin1String("DA"));
}

QString TForm4::controlText(const QString &name) const
{
    QWidget *w = control(name);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *b = qobject_cast<QCheckBox *>(w))
        return b->isChecked() ? QStringLiteral("DA") : QStringLiteral("NU");
    return {};
}

int TForm4::currentPage() const { return pages->currentIndex(); }

void TForm4::choosePage(int row)
{
    if (row < 0 || row == HeadingRow)
        return;
    pages->setCurrentIndex(row < HeadingRow ? row : row - 1);
}

QWidget *TForm4::buildPage(const QString &page)
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto *inner = new QWidget(scroll);
    auto *l = new QVBoxLayout(inner);
    auto *grid = new QGridLayout;
    int n = 0;
    for (const auto &c : controls()) {
        if (c.page != page)
            continue;
        QWidget *editor = nullptr;
        switch (c.kind) {
        case ControlKind::CheckBox: editor = new QCheckBox(captionOf(c), inner); break;
        case ControlKind::DropDown: {
            auto *box = new QComboBox(inner);
            box->addItems(c.items);
            editor = box;
            break;
        }
        case ControlKind::Number: {
            auto *e = new QLineEdit(inner);
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*[.,]?[0-9]*")), e));
            e->setMaximumWidth(110);
            editor = e;
            break;
        }
        case ControlKind::Text: {
            auto *e = new QLineEdit(inner);
            e->setMaxLength(40);
            editor = e;
            break;
        }
        }
        editor->setObjectName(c.name);
        editors_.insert(c.name.toUpper(), editor);
        const int row = n / 4, col = (n % 4) * 2;
        if (c.kind == ControlKind::CheckBox) {
            grid->addWidget(editor, row, col, 1, 2);
        } else {
            grid->addWidget(new QLabel(captionOf(c), inner), row, col);
            grid->addWidget(editor, row, col + 1);
        }
        ++n;
    }
    l->addLayout(grid);
    if (page == QLatin1String("teren extravilan") || page == QLatin1String("teren intravilan")) {
        auto *b = new QPushButton(QStringLiteral("Explicatii"), inner);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, &TForm4::explain);
        l->addWidget(b, 0, Qt::AlignLeft);
    }
    l->addStretch(1);
    scroll->setWidget(inner);
    return scroll;
}

void TForm4::explain()
{
    ui::message(QStringLiteral("Explicatii"),
                QStringLiteral("Nivelul impozitelor se calculeaza inmultind valoarea din lege") + QStringLiteral("\r") +
                    QStringLiteral("cu coeficientul stabilit de consiliul local si cu") + QStringLiteral("\r") +
                    QStringLiteral("coeficientii de zona si rang."),
                ui::Ok, ui::Information);
}

QWidget *TForm4::buildGeneralPage()
{
    auto *w = new QWidget(this);
    auto *l = new QVBoxLayout(w);
    l->addWidget(buildPage(QStringLiteral("general")));

    auto *usersBox = new QGroupBox(QStringLiteral("Utilizatori"), w);
    auto *ul = new QVBoxLayout(usersBox);
    usersGrid = new QTableWidget(0, 5, usersBox);
    usersGrid->setObjectName(QStringLiteral("usersGrid"));
    usersGrid->setHorizontalHeaderLabels({QStringLiteral("Nume"), QStringLiteral("Rang"), QStringLiteral("Legitimatia"),
                                          QStringLiteral("Seria"), QStringLiteral("Nr.")});
    usersGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    usersGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    usersGrid->verticalHeader()->hide();
    ul->addWidget(usersGrid);
    auto *ub = new QHBoxLayout;
    auto button = [&](QBoxLayout *to, QWidget *parent, const char *caption, void (TForm4::*slot)()) {
        auto *b = new QPushButton(QString::fromLatin1(caption), parent);
        b->setObjectName(QString::fromLatin1(caption));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        to->addWidget(b);
        return b;
    };
    button(ub, usersBox, "Adaugare", &TForm4::AddUser);
    button(ub, usersBox, "Modificare", &TForm4::ModifyUser);
    button(ub, usersBox, "Stergere", &TForm4::RemoveUser);
    button(ub, usersBox, "Coduri clasificare", &TForm4::Classification);
    ul->addLayout(ub);
    l->addWidget(usersBox);

    auto *folders = new QGroupBox(QStringLiteral("Cai"), w);
    auto *fl = new QGridLayout(folders);
    auto folderRow = [&](int row, const char *caption, QLabel *&label, const char *name, void (TForm4::*change)(),
                         void (TForm4::*clear)()) {
        fl->addWidget(new QLabel(QString::fromLatin1(caption), folders), row, 0);
        label = new QLabel(QStringLiteral("-"), folders);
        label->setObjectName(QString::fromLatin1(name));
        fl->addWidget(label, row, 1);
        auto *ch = new QPushButton(QStringLiteral("..."), folders);
        ch->setObjectName(QString::fromLatin1(name) + QStringLiteral("Change"));
        ch->setAutoDefault(false);
        connect(ch, &QPushButton::clicked, this, change);
        auto *cl = new QPushButton(QStringLiteral("X"), folders);
        cl->setObjectName(QString::fromLatin1(name) + QStringLiteral("Clear"));
        cl->setAutoDefault(false);
        connect(cl, &QPushButton::clicked, this, clear);
        fl->addWidget(ch, row, 2);
        fl->addWidget(cl, row, 3);
    };
    folderRow(0, "Cale Server :", CaleServer, "CaleServer", &TForm4::ChangeServer, &TForm4::ClearServer);
    folderRow(1, "Cale Salvari :", CaleSalvari, "CaleSalvari", &TForm4::ChangeBackups, &TForm4::ClearBackups);
    folderRow(2, "Cale Data Reg.Agr. :", CaleRA, "CaleRA", &TForm4::ChangeAgriculturalRegister,
              &TForm4::ClearAgriculturalRegister);
    fl->setColumnStretch(1, 1);
    l->addWidget(folders);

    auto *inflation = new QGroupBox(QStringLiteral("Rata inflatiei"), w);
    auto *il = new QHBoxLayout(inflation);
    int k = 0;
    for (const auto &y : inflationHistory()) {
        auto *lab = new QLabel(QStringLiteral("%1: %2%").arg(y.year).arg(QString::fromLatin1(y.percent)), inflation);
        lab->setObjectName(QStringLiteral("Inf%1").arg(k++));
        il->addWidget(lab);
    }
    l->addWidget(inflation);
    return w;
}

QWidget *TForm4::buildZonesPage()
{
    auto *w = new QWidget(this);
    auto *l = new QVBoxLayout(w);
    zonesGrid = new QTableWidget(0, 3, w);
    zonesGrid->setObjectName(QStringLiteral("zonesGrid"));
    zonesGrid->setHorizontalHeaderLabels({QStringLiteral("Localitatea"), QStringLiteral("Zona"), QStringLiteral("Rangul")});
    zonesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    zonesGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    zonesGrid->verticalHeader()->hide();
    l->addWidget(zonesGrid);
    auto *defaults = new QHBoxLayout;
    defaults->addWidget(new QLabel(QStringLiteral("Zona implicita"), w));
    ComboBox2 = new QComboBox(w);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems(zones());
    defaults->addWidget(ComboBox2);
    defaults->addWidget(new QLabel(QStringLiteral("Rangul implicit"), w));
    ComboBox3 = new QComboBox(w);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->addItems(ranks());
    defaults->addWidget(ComboBox3);
    defaults->addStretch(1);
    editors_.insert(QStringLiteral("COMBOBOX2"), ComboBox2);
    editors_.insert(QStringLiteral("COMBOBOX3"), ComboBox3);
    l->addLayout(defaults);
    auto *buttons = new QHBoxLayout;
    for (auto [caption, slot] : {std::pair{"Adauga", &TForm4::AddZone}, std::pair{"Modifica", &TForm4::ModifyZone},
                                 std::pair{"Sterge", &TForm4::RemoveZone}}) {
        auto *b = new QPushButton(QString::fromLatin1(caption), w);
        b->setObjectName(QString::fromLatin1(caption));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    }
    l->addLayout(buttons);
    return w;
}

void TForm4::showValues(const AdminValues &v)
{
    for (const auto &c : controls()) {
        if (c.kind == ControlKind::CheckBox)
            setControlText(c.name, v.checked(c.name) ? QStringLiteral("DA") : QStringLiteral("NU"));
        else
            setControlText(c.name, v.text(c.name));
    }
    CaleServer->setText(v.serverPath.isEmpty() ? QStringLiteral("-") : v.serverPath);
    CaleSalvari->setText(v.backupPath);
    CaleRA->setText(v.agriculturalRegisterPath);
}

void TForm4::readValues(AdminValues &v) const
{
    for (const auto &c : controls()) {
        if (c.kind == ControlKind::CheckBox)
            v.setChecked(c.name, controlText(c.name) == QLatin1String("DA"));
        else
            v.setText(c.name, controlText(c.name));
    }
}

void TForm4::openAdministration()
{
    reloadZones(0);
    reloadUsers();
    pageList->setCurrentRow(0);
    exec();
}

void TForm4::done(int r)
{
    // Closing in any way discards unsaved edits: the values come back from their stores.
    SettingsFile settings = ctx_.settings();
    AdminValues fresh = ctx_.adminValues();
    loadAdminValues(fresh, {*ctx_.db, settings, *ctx_.registry, ctx_.user.name});
    ctx_.adminValues() = fresh;
    showValues(fresh);
    QDialog::done(r);
}

void TForm4::openPageOf(const QString &name)
{
    const ControlDef *c = admin::control(name);
    if (!c)
        return;
    for (int i = 0; i < 11; ++i)
        if (pageName(i) == c->page) {
            pageList->setCurrentRow(i < HeadingRow ? i : i + 1);
            pages->setCurrentIndex(i);
        }
}

void TForm4::SaveBClick()
{
    AdminValues v = ctx_.adminValues();
    readValues(v);
    for (const auto &step : saveChecks(v)) {
        openPageOf(step.control);
        if (step.kind == SaveCheckStep::Question) {
            if (ui::message(QStringLiteral("Cote H.C.L."), step.text, ui::DaNu, ui::Warning) != ui::ResultDa)
                return;
        } else {
            ui::problem(step.text, control(step.control));
            return;
        }
    }
    // A text an Ini value cannot hold is refused, never cut.
    if (const QString tooLong = firstTooLongControl(v); !tooLong.isEmpty()) {
        openPageOf(tooLong);
        ui::problem(QStringLiteral("Textul are mai mult de 40 de caractere!"), control(tooLong));
        return;
    }
    // EvalPJAni is kept as a whole number.
    v.setText(QStringLiteral("EvalPJAni"), QString::number(v.number(QStringLiteral("EvalPJAni")).truncLei().wholeLei()));
    ui::ProgressScope progress(QStringLiteral("Salvare Constante"), 10);
    ui::interaction().progressSet(6);
    try {
        SettingsFile settings = ctx_.settings();
        saveAdminValues(v, {*ctx_.db, settings, *ctx_.registry, ctx_.user.name});
    } catch (const valdora::Error &e) {
        ui::message(QStringLiteral("Salvare Constante"), e.message(), ui::Ok, ui::Error);
        return;
    }
    ui::interaction().progressSet(10);
    ctx_.adminValues() = v;
    ctx_.logAction({}, QStringLiteral("Salvare constante administrare"));
    accept();
    ctx_.startup.localities = localityList(*ctx_.db);
}

void TForm4::reloadUsers()
{
    UserFile users(ctx_.userFilePath());
    users_ = userRows(users, ctx_.settings(), ctx_.user.name);
    usersGrid->setRowCount(int(users_.size()));
    for (int i = 0; i < int(users_.size()); ++i) {
        const auto &u = users_[size_t(i)];
        const QStringList cells{u.name, gradeText(u.grade), u.identityCard, u.series, u.nextNumber};
        for (int c = 0; c < cells.size(); ++c)
            usersGrid->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
}

void TForm4::AddUser()
{
    UserFile users(ctx_.userFilePath());
    TFAddUser dlg(users, true, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    SettingsFile settings = ctx_.settings();
    const UserRow row = dlg.row();
    addUser(users, settings, row);
    ctx_.logAction({}, QStringLiteral("Adaugat utilizator ") + row.name);
    reloadUsers();
}

void TForm4::ModifyUser()
{
    const int r = usersGrid->currentRow();
    if (users_.empty() || r < 0) {
        ui::problem(QStringLiteral("Nu aveti ce modifica!"), usersGrid);
        return;
    }
    const UserRow current = users_[size_t(r)];
    if (current.name == QLatin1String("ADMIN")) {
        ui::problem(QStringLiteral("Acest utilizator nu poate fi modificat!"), usersGrid);
        return;
    }
    UserFile users(ctx_.userFilePath());
    TFAddUser dlg(users, false, this);
    dlg.fill(current);
    if (dlg.exec() != QDialog::Accepted)
        return;
    SettingsFile settings = ctx_.settings();
    modifyUser(users, settings, dlg.row(), dlg.clearPassword());
    ctx_.logAction({}, QStringLiteral("Modificat utilizator ") + current.name);
    reloadUsers();
}

void TForm4::RemoveUser()
{
    const int r = usersGrid->currentRow();
    if (users_.empty() || r < 0) {
        ui::problem(QStringLiteral("Nu prea mai aveti ce sterge..."), usersGrid);
        return;
    }
    const QString name = users_[size_t(r)].name;
    if (ui::message(QStringLiteral("Stergere utilizator"), QStringLiteral("Chiar il stergem pe ") + name + u'?', ui::DaNu,
                    ui::Warning) != ui::ResultDa)
        return;
    UserFile users(ctx_.userFilePath());
    if (removeUser(users, name))
        ctx_.logAction({}, QStringLiteral("Sters utilizator ") + name);
    reloadUsers();
}

void TForm4::reloadZones(qint64 keepId)
{
    zones_ = loadZones(*ctx_.db);
    zonesGrid->setRowCount(int(zones_.size()));
    int keep = -1;
    for (int i = 0; i < int(zones_.size()); ++i) {
        const auto &z = zones_[size_t(i)];
        zonesGrid->setItem(i, 0, new QTableWidgetItem(z.locality));
        zonesGrid->setItem(i, 1, new QTableWidgetItem(z.zone));
        zonesGrid->setItem(i, 2, new QTableWidgetItem(z.rank));
        if (z.id == keepId)
            keep = i;
    }
    if (keep >= 0)
        zonesGrid->selectRow(keep);
}

void TForm4::AddZone()
{
    TAddZonaF dlg(*ctx_.db, 0, this);
    dlg.fill({0, {}, ComboBox2->currentText(), ComboBox3->currentText()});
    if (dlg.exec() != QDialog::Accepted)
        return;
    SettingsFile settings = ctx_.settings();
    const Zone z = dlg.zone();
    const qint64 id = addZone(*ctx_.db, settings, z);
    ctx_.logAction({}, QStringLiteral("Adaugat localitate ") + z.locality);
    reloadZones(id);
}

void TForm4::ModifyZone()
{
    const int r = zonesGrid->currentRow();
    if (zones_.empty() || r < 0) {
        ui::problem(QStringLiteral("Nu aveti ce modifica!"), zonesGrid);
        return;
    }
    const Zone current = zones_[size_t(r)];
    TAddZonaF dlg(*ctx_.db, current.id, this);
    dlg.fill(current);
    if (dlg.exec() != QDialog::Accepted)
        return;
    updateZone(*ctx_.db, dlg.zone());
    ctx_.logAction({}, QStringLiteral("Modificat localitate ") + current.locality);
    reloadZones(current.id);
}

void TForm4::RemoveZone()
{
    const int r = zonesGrid->currentRow();
    if (zones_.empty() || r < 0) {
        ui::problem(QStringLiteral("Nu aveti ce sterge!"), zonesGrid);
        return;
    }
    if (ui::message(QStringLiteral("Stergere localitate"), QStringLiteral("Sunteti sigur ca vreti sa stergeti localitatea?"),
                    ui::DaNu, ui::Warning) != ui::ResultDa)
        return;
    const Zone z = zones_[size_t(r)];
    deleteZone(*ctx_.db, z.id);
    ctx_.logAction({}, QStringLiteral("Sters localitate ") + z.locality);
    reloadZones(0);
    if (!zones_.empty())
        zonesGrid->selectRow(qMin(r, int(zones_.size()) - 1));
}

void TForm4::Classification()
{
    TFClasificare w(ctx_, this);
    w.run();
}

void TForm4::ChangeServer()
{
    const auto chosen = ui::interaction().chooseFolder(QStringLiteral("Indicati baza de date din retea"), {});
    if (!chosen)
        return;
    const QString folder = QDir::cleanPath(*chosen);
    if (isServerDatabase(folder)) {
        ctx_.registry->write(QStringLiteral("SERVER"), QDir::toNativeSeparators(folder));
        ui::message(QStringLiteral("Conectat la server"), QStringLiteral("Conectarea la server a reusit!\rPorniti programul din nou !"),
                    ui::Ok, ui::Information);
        reject();
        if (endProgram_)
            endProgram_();
    } else {
        ui::message(QStringLiteral("Conectare server"),
                    QStringLiteral("Baza de date ") + folder + QStringLiteral("\r") + QStringLiteral("NU este accesibila!") +
                        QStringLiteral("\r") + QStringLiteral("Verificati conexiunea si reporniti programul!"),
                    ui::Ok, ui::Error);
    }
}

void TForm4::ClearServer()
{
    if (CaleServer->text().size() < 7) {
        ui::problem(QStringLiteral("Nu aveti ce sterge."), CaleServer);
        return;
    }
    if (ui::message(QStringLiteral("Stergere cale server"), QStringLiteral("Doriti sa va deconectati de la server?"), ui::DaNu,
                    ui::Confirmation) != ui::ResultDa)
        return;
    ctx_.registry->write(QStringLiteral("SERVER"), {});
    ui::message(QStringLiteral("Deconectat de la server"), QStringLiteral("Sunteti deconectat de la server!\rPorniti programul din nou !"),
                ui::Ok, ui::Information);
    reject();
    if (endProgram_)
        endProgram_();
}

void TForm4::ChangeBackups()
{
    if (QDir(ctx_.folders().database) != QDir(ctx_.folders().localData)) {
        ui::message(QStringLiteral("Salvare Automata"), QStringLiteral("Numai Serverul poate salva automat!"), ui::Ok, ui::Error);
        return;
    }
    const auto chosen = ui::interaction().chooseFolder(QStringLiteral("Indicati calea salvarilor automate"), {});
    if (!chosen)
        return;
    const QString folder = QDir::cleanPath(*chosen);
    if (!isWritableFolder(folder)) {
        ui::message(QStringLiteral("Stabilire cale salvari"),
                    QStringLiteral("Nu pot scrie in ") + folder + QStringLiteral(" !") + QStringLiteral("\r") +
                        QStringLiteral("Alegeti alta cale, unde sa pot scrie!"),
                    ui::Ok, ui::Error);
        return;
    }
    ctx_.registry->write(QStringLiteral("CALESALVARI"), folder);
    CaleSalvari->setText(folder);
    ctx_.adminValues().backupPath = folder;
    ui::message(QStringLiteral("Salvari automate"), QStringLiteral("Calea pentru Salvari Automate este acum\r") + folder + u'.',
                ui::Ok, ui::Information);
}

void TForm4::ClearBackups()
{
    if (CaleSalvari->text().trimmed().size() < 2) {
        ui::problem(QStringLiteral("Nu aveti ce sterge."), CaleSalvari);
        return;
    }
    if (ui::message(QStringLiteral("Stergere cale salvari"), QStringLiteral("Doriti sa dezactivati salvarea automata?"), ui::DaNu,
                    ui::Confirmation) != ui::ResultDa)
        return;
    ctx_.registry->write(QStringLiteral("CALESALVARI"), {});
    CaleSalvari->setText(QStringLiteral("-"));
    ctx_.adminValues().backupPath = QStringLiteral("-");
    ui::message(QStringLiteral("Salvare Automata"), QStringLiteral("Salvarea automata a fost dezactivata!"), ui::Ok, ui::Information);
}

void TForm4::ChangeAgriculturalRegister()
{
    const auto chosen = ui::interaction().chooseFolder(QStringLiteral("Indicati baza de date RA 2025-2029"), {});
    if (!chosen)
        return;
    const QString folder = QDir::cleanPath(*chosen);
    if (!isAgriculturalRegister(folder)) {
        ui::message(QStringLiteral("Cale Baza de date RA 2025"), QStringLiteral("\rCalea indicata nu este corecta!"), ui::Ok, ui::Error);
        return;
    }
    ctx_.settings().write(QStringLiteral("SERVER"), QStringLiteral("CALE_RA"), folder);
    CaleRA->setText(folder);
    ctx_.adminValues().agriculturalRegisterPath = folder;
}

void TForm4::ClearAgriculturalRegister()
{
    if (ui::message(QStringLiteral("Stergere cale Reg.Agr."), QStringLiteral("\rDoriti sa stergeti calea Reg.Agr.?"), ui::DaNu,
                    ui::Confirmation) != ui::ResultDa)
        return;
    ctx_.settings().write(QStringLiteral("SERVER"), QStringLiteral("CALE_RA"), {});
    CaleRA->setText(QStringLiteral("-"));
    ctx_.adminValues().agriculturalRegisterPath = QStringLiteral("-");
    ui::message(QStringLiteral("Cale Reg.Agr."), QStringLiteral("\rLegatura cu Reg.Agricol a fost dezactivata!"), ui::Ok, ui::Information);
}

} // namespace valdora::admin
