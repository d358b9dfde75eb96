#include "register/ui/TGospodarii.h"

#include "register/ui/GridRows.h"

#include "app/core/Error.h"
#include "app/db/Maintenance.h"
#include "app/startup/AppContext.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"
#include "register/domain/LandTax.h"
#include "register/domain/RoleEntryCheck.h"
#include "register/store/RolePageStore.h"
#include "register/store/RoleStore.h"
#include "register/ui/BandHeader.h"
#include "register/ui/RoleDataPage.h"
#include "register/ui/RoleListModel.h"
#include "register/ui/TAddGosF.h"

#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace valdora::roles {
namespace {

const QString unsavedTitle = QStringLiteral("Date nememorate");
const QString unsavedQuestion = QStringLiteral("Ati facut modificari in pagina si nu le-ati memorat!\rDoriti sa le memorati?");
const QString deleteTitle = QStringLiteral("Stergere gospodarie");

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel *centered(QLabel *l)
{
    l->setAlignment(Qt::AlignCenter);
    return l;
}

bool ask(const QString &title, const QString &text)
{
    return ui::message(title, text, ui::DaNu, ui::Confirmation) == ui::ResultDa;
}

} // namespace

const QStringList &TGospodarii::navigationItems()
{
    static const QStringList items{QStringLiteral("Identificare gospodarie"),   QStringLiteral("   Categorii de taxe"),
                                   QStringLiteral("   - teren extravilan"),     QStringLiteral("   - cladiri"),
                                   QStringLiteral("   - teren intravilan"),     QStringLiteral("   - mijloace de transport"),
                                   QStringLiteral("   - alte taxe"),            QStringLiteral("   - Restante"),
                                   QStringLiteral("Operatiuni in timpul anului")};
    return items;
}

int TGospodarii::pageOfItem(int item)
{
    if (item == 0)
        return 0;
    if (item >= 2 && item <= PageCount)
        return item - 1;
    return -1;
}

int TGospodarii::itemOfPage(int page) { return page == 0 ? 0 : page + 1; }

TGospodarii::TGospodarii(AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("TGospodarii"));
    setWindowTitle(QStringLiteral("Gospodarii"));
    auto *outer = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    auto *title = boldLabel(QStringLiteral("GOSPODARII"), this);
    QFont tf = title->font();
    tf.setPointSizeF(tf.pointSizeF() * 1.4);
    title->setFont(tf);
    head->addWidget(title);
    head->addSpacing(24);
    HeaderRole = boldLabel({}, this);
    HeaderRole->setObjectName(QStringLiteral("HeaderRole"));
    head->addWidget(HeaderRole, 1);
    outer->addLayout(head);

    auto *body = new QHBoxLayout;
    pageList = new QListWidget(this);
    pageList->setObjectName(QStringLiteral("pageList"));
    pageList->addItems(navigationItems());
    if (QListWidgetItem *h = pageList->item(1)) {
        QFont f = h->font();
        f.setBold(true);
        h->setFont(f);
        h->setFlags(Qt::ItemIsEnabled);
    }
    pageList->setMaximumWidth(230);
    body->addWidget(pageList);
    pages = new QStackedWidget(this);
    pages->addWidget(buildRegisterPage());
    RoleDataPage *p1 = buildExtravilanPage();
    pages->addWidget(p1);
    pages->addWidget(placeholderPage(QStringLiteral("Cladiri")));
    RoleDataPage *p3 = buildIntravilanPage();
    pages->addWidget(p3);
    pages->addWidget(placeholderPage(QStringLiteral("Mijloace de transport")));
    RoleDataPage *p5 = buildOtherTaxesPage();
    pages->addWidget(p5);
    RoleDataPage *p6 = buildArrearsPage();
    pages->addWidget(p6);
    pages->addWidget(placeholderPage(QStringLiteral("Operatiuni in timpul anului")));
    for (RoleDataPage *p : {p1, p3, p5, p6})
        connectDataPage(p);
    body->addWidget(pages, 1);
    outer->addLayout(body, 1);
    connect(pageList, &QListWidget::currentRowChanged, this, &TGospodarii::choosePage);
    resize(1200, 720);
}

TGospodarii::~TGospodarii() = default;

QWidget *TGospodarii::buildRegisterPage()
{
    auto *w = new QWidget(this);
    auto *l = new QVBoxLayout(w);

    auto *search = new QGroupBox(QStringLiteral("Cautare dupa:"), w);
    auto *sl = new QHBoxLayout(search);
    SearchLocalitate = new QComboBox(search);
    SearchLocalitate->setObjectName(QStringLiteral("SearchLocalitate"));
    SearchLocalitate->setMinimumWidth(200);
    SearchRol = new QLineEdit(search);
    SearchRol->setObjectName(QStringLiteral("SearchRol"));
    SearchRol->setMaxLength(9);
    SearchRol->setMaximumWidth(110);
    ui::upperCaseAsTyped(SearchRol);
    SearchNume = new QLineEdit(search);
    SearchNume->setObjectName(QStringLiteral("SearchNume"));
    SearchNume->setMaxLength(40);
    ui::upperCaseAsTyped(SearchNume);
    sl->addWidget(new QLabel(QStringLiteral("Localitatea"), search));
    sl->addWidget(SearchLocalitate);
    sl->addWidget(new QLabel(QStringLiteral("Nr.ROL unic"), search));
    sl->addWidget(SearchRol);
    sl->addWidget(new QLabel(QStringLiteral("Nume/Denumire"), search));
    sl->addWidget(SearchNume, 1);
    l->addWidget(search);
    ui::enterMovesToNext({SearchLocalitate, SearchRol, SearchNume}, nullptr);
    connect(SearchLocalitate, &QComboBox::currentIndexChanged, this, &TGospodarii::applySearch);
    connect(SearchRol, &QLineEdit::textChanged, this, &TGospodarii::applySearch);
    connect(SearchNume, &QLineEdit::textChanged, this, &TGospodarii::applySearch);

    model = new RoleListModel(this);
    Grid = new QTableView(w);
    Grid->setObjectName(QStringLiteral("Grid"));
    GridHeader = new BandHeader(Grid);
    Grid->setHorizontalHeader(GridHeader);
    Grid->setModel(model);
    GridHeader->addBand(QStringLiteral("Scutiri"), int(RoleColumn::SCCLAD), int(RoleColumn::SCAUTO));
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->setWordWrap(false);
    const int widths[] = {130, 70, 220, 70, 60, 110, 150, 200, 45, 45, 55, 55, 45};
    for (int c = 0; c < RoleColumnCount; ++c)
        Grid->setColumnWidth(c, widths[c]);
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { rowChanged(current.isValid() ? current.row() : -1); });
    connect(GridHeader, &QHeaderView::sectionClicked, this, &TGospodarii::sortByColumn);
    l->addWidget(Grid, 1);

    auto *info = new QGridLayout;
    info->addWidget(boldLabel(QStringLiteral("Mostenitori:"), w), 0, 0, Qt::AlignTop);
    MostL = new QLabel(w);
    MostL->setObjectName(QStringLiteral("MostL"));
    MostL->setWordWrap(true);
    info->addWidget(MostL, 0, 1, 1, 3);
    info->addWidget(boldLabel(QStringLiteral("Observatii:"), w), 1, 0, Qt::AlignTop);
    ObsL = new QLabel(w);
    ObsL->setObjectName(QStringLiteral("ObsL"));
    ObsL->setWordWrap(true);
    info->addWidget(ObsL, 1, 1, 1, 3);
    info->addWidget(boldLabel(QStringLiteral("Total gospodarii afisate:"), w), 2, 0);
    TotalL = new QLabel(QStringLiteral("0"), w);
    TotalL->setObjectName(QStringLiteral("TotalL"));
    info->addWidget(TotalL, 2, 1);
    NoTaxCaption = boldLabel(QStringLiteral("Scutit de majorari"), w);
    info->addWidget(NoTaxCaption, 2, 2, Qt::AlignRight);
    NoTaxL = new QLabel(w);
    NoTaxL->setObjectName(QStringLiteral("NoTaxL"));
    info->addWidget(NoTaxL, 2, 3);
    info->setColumnStretch(1, 1);
    l->addLayout(info);

    roleCommands = new QHBoxLayout;
    auto button = [&](const char *name, const char *caption, void (TGospodarii::*slot)()) {
        auto *b = new QPushButton(QString::fromLatin1(caption), w);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        roleCommands->addWidget(b);
        return b;
    };
    AddROL = button("AddROL", "&Adauga ROL", &TGospodarii::AddGospodarie);
    EditROL = button("EditROL", "&Modifica ROL", &TGospodarii::EditGospodarie);
    DelROL = button("DelROL", "&Sterge ROL", &TGospodarii::DelGospodarie);
    roleCommands->addStretch(1);
    l->addLayout(roleCommands);
    return w;
}

RoleDataPage *TGospodarii::buildExtravilanPage()
{
    auto *p = new RoleDataPage(RolePageFields::extravilanLand(), this);
    auto *grid = new QGridLayout;
    grid->addWidget(centered(boldLabel(QStringLiteral("Suprafata detinuta - ha"), p)), 0, 1, 1, ExtravilanLandRow::Columns);
    for (int z = 1; z <= ExtravilanLandRow::Columns; ++z) {
        auto *c = centered(boldLabel({}, p));
        c->setObjectName(QStringLiteral("TE%1").arg(z));
        p->columnCaptions.push_back(c);
        grid->addWidget(c, 1, z);
    }
    QList<QWidget *> order;
    for (int n = 1; n <= ExtravilanLandRow::Categories; ++n) {
        QString caption = LandTax::extravilanCategoryName(n);
        if (n == 7)
            caption += QStringLiteral("\ncu vegetatie forestiera");
        grid->addWidget(new QLabel(caption, p), n + 1, 0);
        for (int z = 1; z <= ExtravilanLandRow::Columns; ++z) {
            QLineEdit *e = p->addField(ExtravilanLandConstants::rateName(n, z));
            grid->addWidget(e, n + 1, z);
            order << e;
        }
    }
    grid->setColumnStretch(ExtravilanLandRow::Columns + 1, 1);
    p->body->addLayout(grid);
    p->addSheetButton();
    ui::enterMovesToNext(order, nullptr);
    return p;
}

RoleDataPage *TGospodarii::buildIntravilanPage()
{
    auto *p = new RoleDataPage(RolePageFields::intravilanLand(), this);
    QList<QWidget *> order;
    auto captionRow = [&](QGridLayout *grid, QWidget *parent) {
        for (int z = 1; z <= IntravilanLandRow::Columns; ++z) {
            auto *c = centered(boldLabel({}, parent));
            p->columnCaptions.push_back(c);
            grid->addWidget(c, 0, z);
        }
    };
    auto *yards = new QGroupBox(QStringLiteral("Curti cu constructii  - suprafata in mp"), p);
    auto *yg = new QGridLayout(yards);
    captionRow(yg, yards);
    yg->addWidget(new QLabel(LandTax::courtyardsName(), yards), 1, 0);
    for (int z = 1; z <= IntravilanLandRow::Columns; ++z) {
        QLineEdit *e = p->addField(IntravilanLandConstants::courtyardRateName(z));
        yg->addWidget(e, 1, z);
        order << e;
    }
    yg->setColumnStretch(IntravilanLandRow::Columns + 1, 1);
    p->body->addWidget(yards);
    auto *other = new QGroupBox(QStringLiteral("Alte categorii de folosinta - suprafata in ha"), p);
    auto *og = new QGridLayout(other);
    captionRow(og, other);
    for (int n = 1; n <= IntravilanLandRow::Categories; ++n) {
        og->addWidget(new QLabel(LandTax::intravilanCategoryName(n), other), n, 0);
        for (int z = 1; z <= IntravilanLandRow::Columns; ++z) {
            QLineEdit *e = p->addField(IntravilanLandConstants::rateName(n, z));
            og->addWidget(e, n, z);
            order << e;
        }
    }
    og->setColumnStretch(IntravilanLandRow::Columns + 1, 1);
    p->body->addWidget(other);
    p->addSheetButton();
    ui::enterMovesToNext(order, nullptr);
    return p;
}

RoleDataPage *TGospodarii::buildOtherTaxesPage()
{
    auto *p = new RoleDataPage(RolePageFields::otherTaxes(), this);
    static const char *const captions[] = {"Concesionari", "Iluminat", "Salubritate", "PSI", "Paza", "Vehicule lente"};
    auto *grid = new QGridLayout;
    QList<QWidget *> order;
    for (int k = 1; k <= 6; ++k) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[k - 1]), p), k - 1, 0);
        QLineEdit *e = p->addField(QStringLiteral("Alte%1").arg(k));
        grid->addWidget(e, k - 1, 1);
        order << e;
    }
    grid->setColumnStretch(2, 1);
    p->body->addLayout(grid);
    ui::enterMovesToNext(order, nullptr);
    return p;
}

RoleDataPage *TGospodarii::buildArrearsPage()
{
    auto *p = new RoleDataPage(RolePageFields::arrears(), this);
    p->body->addWidget(new QLabel(QStringLiteral("Valoare totala restante, majorari si solduri la initializarea programului"), p));
    QList<QWidget *> order;
    auto *taxes = new QGroupBox(QStringLiteral("Restante impozite"), p);
    auto *tg = new QGridLayout(taxes);
    tg->addWidget(centered(boldLabel(QStringLiteral("Restanta"), taxes)), 0, 1);
    tg->addWidget(centered(boldLabel(QStringLiteral("Majorari"), taxes)), 0, 2);
    tg->addWidget(centered(boldLabel(QStringLiteral("Plus"), taxes)), 0, 3);
    static const char *const mainLines[] = {"Teren extravilan", "Cladiri", "Teren intravilan", "Mijloace de transport"};
    for (int k = 1; k <= 4; ++k) {
        tg->addWidget(new QLabel(QString::fromLatin1(mainLines[k - 1]), taxes), k, 0);
        const QString names[] = {QStringLiteral("NumericEdit%1").arg(11 + k), QStringLiteral("Pen%1").arg(11 + k),
                                 RolePageFields::creditField(k)};
        for (int c = 0; c < 3; ++c) {
            QLineEdit *e = p->addField(names[c]);
            tg->addWidget(e, k, c + 1);
            order << e;
        }
    }
    tg->setColumnStretch(4, 1);
    p->body->addWidget(taxes);
    auto *fees = new QGroupBox(QStringLiteral("Restante taxe"), p);
    auto *fg = new QGridLayout(fees);
    static const char *const otherLines[] = {"Vehicule lente", "Taxa pe pasune", "Concesionari", "Iluminat",
                                             "Salubritate",    "PSI",            "Paza"};
    for (int k = 0; k < 7; ++k) {
        fg->addWidget(new QLabel(QString::fromLatin1(otherLines[k]), fees), k, 0);
        QLineEdit *e = p->addField(QStringLiteral("NumericEdit%1").arg(17 + k));
        fg->addWidget(e, k, 1);
        order << e;
    }
    fg->setColumnStretch(2, 1);
    p->body->addWidget(fees);
    ui::enterMovesToNext(order, nullptr);
    return p;
}

QWidget *TGospodarii::placeholderPage(const QString &title)
{
    auto *w = new QWidget(this);
    auto *l = new QVBoxLayout(w);
    l->addWidget(boldLabel(title, w));
    l->addStretch(1);
    return w;
}

void TGospodarii::connectDataPage(RoleDataPage *page)
{
    connect(page, &RoleDataPage::storeRequested, this, [this](int p) { storePage(p); });
    connect(page, &RoleDataPage::cancelRequested, this, &TGospodarii::cancelPage);
}

void TGospodarii::installPage(int page, QWidget *widget, std::function<void(qint64)> load)
{
    if (page < 1 || page >= PageCount || !widget)
        return;
    const int shown = pages->currentIndex();
    QWidget *old = pages->widget(page);
    pages->insertWidget(page, widget);
    pages->removeWidget(old);
    old->deleteLater();
    pages->setCurrentIndex(shown);
    loaders_[size_t(page)] = std::move(load);
    if (auto *dp = qobject_cast<RoleDataPage *>(widget))
        connectDataPage(dp);
}

QWidget *TGospodarii::pageWidget(int page) const { return pages->widget(page); }
RoleDataPage *TGospodarii::dataPage(int page) const { return qobject_cast<RoleDataPage *>(pages->widget(page)); }

QLineEdit *TGospodarii::pageField(int page, const QString &name) const
{
    RoleDataPage *p = dataPage(page);
    return p ? p->field(name) : nullptr;
}

int TGospodarii::currentPage() const { return pages->currentIndex(); }

void TGospodarii::setCaptions()
{
    const auto &v = ctx_.adminValues();
    if (RoleDataPage *p = dataPage(1))
        for (size_t i = 0; i < p->columnCaptions.size(); ++i) {
            const int z = int(i) + 1;
            p->columnCaptions[i]->setText(LandClassification{v.text(ExtravilanLandConstants::zoneName(z)),
                                                             v.text(ExtravilanLandConstants::rankName(z))}
                                              .caption());
        }
    if (RoleDataPage *p = dataPage(3))
        for (size_t i = 0; i < p->columnCaptions.size(); ++i) {
            const int z = int(i) % IntravilanLandRow::Columns + 1;
            p->columnCaptions[i]->setText(LandClassification{v.text(IntravilanLandConstants::zoneName(z)),
                                                             v.text(IntravilanLandConstants::rankName(z))}
                                              .caption());
        }
}

void TGospodarii::prepare()
{
    {
        const QSignalBlocker b1(SearchLocalitate), b2(SearchRol), b3(SearchNume);
        SearchLocalitate->clear();
        QStringList localities = ctx_.startup.localities;
        if (localities.isEmpty() || localities.first() != QLatin1String(anyLocality()))
            localities.prepend(QString::fromLatin1(anyLocality()));
        SearchLocalitate->addItems(localities);
        SearchLocalitate->setCurrentIndex(0);
        SearchRol->clear();
        SearchNume->clear();
    }
    for (int p = 1; p < PageCount; ++p)
        if (RoleDataPage *dp = dataPage(p))
            dp->hideStoreBar();
    pages->setCurrentIndex(0);
    {
        const QSignalBlocker b(pageList);
        pageList->setCurrentRow(-1);
        pageList->clearSelection();
    }
    const bool offered = ctx_.adminValues().noPenaltiesAllowed;
    NoTaxCaption->setVisible(offered);
    NoTaxL->setVisible(offered);
    if (model->listing().sortColumn())
        model->sortBy(std::nullopt);
    model->setSearch({});
    reloadRoles(0);
    setCaptions();
}

void TGospodarii::openRegister()
{
    prepare();
    exec();
}

void TGospodarii::showError(const QString &title, const QString &text) { ui::message(title, text, ui::Ok, ui::Error); }

void TGospodarii::reloadRoles(qint64 keepId)
{
    std::vector<RoleRecord> roles;
    try {
        roles = loadRoles(*ctx_.db);
    } catch (const Error &e) {
        showError(QStringLiteral("Gospodarii"), e.message());
    }
    model->setRoles(std::move(roles));
    restoreCurrent(keepId);
}

void TGospodarii::restoreCurrent(qint64 id)
{
    int row = model->listing().rowOf(id);
    if (row < 0 && model->rowCount() > 0)
        row = 0;
    {
        const QSignalBlocker b(Grid->selectionModel());
        if (row >= 0) {
            const QModelIndex index = model->index(row, 0);
            Grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        } else {
            Grid->selectionModel()->clear();
        }
    }
    Grid->viewport()->update();
    if (row >= 0)
        Grid->scrollTo(model->index(row, 0));
    rowChanged(row);
}

void TGospodarii::rowChanged(int row)
{
    const qint64 id = row >= 0 && row < model->rowCount() ? model->listing().at(row).IDGOS : 0;
    const bool changed = id != currentId_;
    currentId_ = id;
    showRole();
    if (changed)
        emit currentRoleChanged(id);
}

void TGospodarii::showRole()
{
    const auto r = currentRole();
    HeaderRole->setText(r ? r->SATUL + QStringLiteral("   ROL: ") + r->ROL + QStringLiteral("   ") + r->NUMEP : QString());
    MostL->setText(r ? r->MOST : QString());
    ObsL->setText(r ? r->observations() : QString());
    NoTaxL->setText(r ? r->NOTAX : QString());
    TotalL->setText(QString::number(model->rowCount()));
}

std::optional<RoleRecord> TGospodarii::currentRole() const
{
    const int row = model->listing().rowOf(currentId_);
    if (!currentId_ || row < 0)
        return std::nullopt;
    return model->listing().at(row);
}

bool TGospodarii::selectRole(qint64 IDGOS)
{
    if (model->listing().rowOf(IDGOS) < 0)
        return false;
    restoreCurrent(IDGOS);
    return true;
}

int TGospodarii::shownRoles() const { return model->rowCount(); }

void TGospodarii::applySearch()
{
    RoleSearch s;
    if (SearchLocalitate->currentIndex() > 0)
        s.locality = SearchLocalitate->currentText();
    s.rol = SearchRol->text().trimmed();
    s.name = SearchNume->text().trimmed();
    const qint64 keep = currentId_;
    model->setSearch(s);
    restoreCurrent(keep);
}

void TGospodarii::sortByColumn(int section)
{
    if (model->rowCount() == 0 || section < 0 || section >= RoleColumnCount)
        return;
    const qint64 keep = currentId_;
    model->sortBy(RoleColumn(section));
    restoreCurrent(keep);
}

void TGospodarii::syncNavigation()
{
    const QSignalBlocker b(pageList);
    pageList->setCurrentRow(itemOfPage(currentPage()));
}

void TGospodarii::choosePage(int item)
{
    const int target = pageOfItem(item);
    if (target < 0 || (target != 0 && model->rowCount() == 0)) {
        syncNavigation();
        return;
    }
    if (!leavePage()) {
        syncNavigation();
        return;
    }
    if (target != 0)
        loadPage(target);
    pages->setCurrentIndex(target);
    syncNavigation();
}

bool TGospodarii::leavePage()
{
    const int p = currentPage();
    RoleDataPage *dp = dataPage(p);
    if (!dp || !dp->hasUnsavedEdits())
        return true;
    if (ask(unsavedTitle, unsavedQuestion))
        return storePage(p);
    dp->hideStoreBar();
    return true;
}

void TGospodarii::loadPage(int page)
{
    if (RoleDataPage *dp = dataPage(page)) {
        if (!currentId_) {
            dp->showValues({});
            return;
        }
        try {
            dp->showValues(loadPageRow(*ctx_.db, dp->def(), currentId_));
        } catch (const Error &e) {
            showError(dp->def().title, e.message());
        }
        return;
    }
    if (page > 0 && page < PageCount && loaders_[size_t(page)])
        loaders_[size_t(page)](currentId_ ? currentId_ : -2);
}

bool TGospodarii::storePage(int page)
{
    RoleDataPage *dp = dataPage(page);
    if (!dp)
        return true;
    if (yearLocked()) {
        loadPage(page);
        refuseLocked();
        return true;
    }
    QLineEdit *wrong = nullptr;
    const auto values = dp->values(&wrong);
    if (!values) {
        ui::problem(QStringLiteral("Numar incorect!"), wrong);
        if (wrong)
            wrong->setFocus();
        return false;
    }
    if (page == RolePageFields::arrears().page)
        if (const int tax = RolePageFields::firstCreditWithArrears(*values)) {
            QLineEdit *credit = dp->field(RolePageFields::creditField(tax));
            ui::problem(QStringLiteral("Nu puteti avea si sold si restanta!"), credit);
            credit->setFocus();
            return false;
        }
    const auto role = currentRole();
    if (!role)
        return false;
    try {
        ctx_.logChange(role->ROL, [&] {
            storePageRow(*ctx_.db, dp->def(), role->IDGOS, *values);
            return QStringLiteral("Memorare pagina ") + dp->def().title;
        });
    } catch (const Error &e) {
        showError(dp->def().title, e.message());
        return false;
    }
    dp->hideStoreBar();
    return true;
}

void TGospodarii::cancelPage(int page) { loadPage(page); }

void TGospodarii::reject()
{
    RoleDataPage *dp = dataPage(currentPage());
    if (dp && dp->hasUnsavedEdits() && !yearLocked() && ask(unsavedTitle, unsavedQuestion) && !storePage(currentPage()))
        return; // the store was refused: the edits stay on screen
    if (dp)
        dp->hideStoreBar();
    QDialog::reject();
}

bool TGospodarii::yearLocked() const { return ctx_.adminValues().yearLocked; }

void TGospodarii::refuseLocked() { tellYearLocked(); }

QStringList TGospodarii::dialogLocalities() const
{
    QStringList out;
    for (int i = 1; i < SearchLocalitate->count(); ++i)
        out << SearchLocalitate->itemText(i);
    return out;
}

void TGospodarii::addLocality(const QString &locality)
{
    if (locality.isEmpty())
        return;
    for (int i = 1; i < SearchLocalitate->count(); ++i)
        if (SearchLocalitate->itemText(i).compare(locality, Qt::CaseInsensitive) == 0)
            return;
    QCollator collator{QLocale(QLocale::Romanian, QLocale::Romania)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int at = 1;
    while (at < SearchLocalitate->count() && collator.compare(SearchLocalitate->itemText(at), locality) < 0)
        ++at;
    {
        const QSignalBlocker b(SearchLocalitate);
        SearchLocalitate->insertItem(at, locality);
    }
    // The other windows of the run offer it too.
    QStringList &all = ctx_.startup.localities;
    if (all.isEmpty())
        all << QString::fromLatin1(anyLocality());
    int k = 1;
    while (k < all.size() && collator.compare(all[k], locality) < 0)
        ++k;
    all.insert(k, locality);
}

void TGospodarii::AddGospodarie()
{
    if (yearLocked()) {
        refuseLocked();
        return;
    }
    Database &db = *ctx_.db;
    TAddGosF dlg(db, 0, ctx_.adminValues().noPenaltiesAllowed, this);
    QStringList streets, tags;
    try {
        streets = distinctStreets(db);
        tags = distinctOperatorTags(db);
    } catch (const Error &e) {
        showError(dlg.windowTitle(), e.message());
        return;
    }
    dlg.prepare(dialogLocalities(), streets, tags,
                SearchLocalitate->currentIndex() > 0 ? SearchLocalitate->currentText() : QString());
    QString proposal;
    try {
        proposal = RoleEntryCheck::proposedRoleNumber(highestRoleNumber(db));
    } catch (const Error &) {
        proposal = QStringLiteral("1");
    }
    dlg.proposeNumber(proposal);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const RoleRecord r = dlg.role();
    qint64 id = 0;
    try {
        SettingsFile settings = ctx_.settings();
        ctx_.logChange(r.ROL, [&] {
            id = addRole(db, settings, r);
            return QStringLiteral("Adaugare gospodarie ") + r.NUMEP;
        });
    } catch (const Error &e) {
        showError(dlg.windowTitle(), e.message());
        return;
    }
    addLocality(r.SATUL);
    reloadRoles(id);
}

void TGospodarii::EditGospodarie()
{
    const QString title = QStringLiteral("Modificare gospodarie");
    const auto current = currentRole();
    if (!current) {
        ui::message(title, QStringLiteral("Nu aveti ce modifica!"), ui::Ok, ui::Warning);
        return;
    }
    if (yearLocked()) {
        refuseLocked();
        return;
    }
    Database &db = *ctx_.db;
    std::optional<RoleRecord> stored;
    QStringList streets, tags;
    try {
        stored = loadRole(db, current->IDGOS);
        streets = distinctStreets(db);
        tags = distinctOperatorTags(db);
    } catch (const Error &e) {
        showError(title, e.message());
        return;
    }
    if (!stored) { // deleted meanwhile on another workstation
        reloadRoles(0);
        ui::message(title, QStringLiteral("Nu aveti ce modifica!"), ui::Ok, ui::Warning);
        return;
    }
    TAddGosF dlg(db, stored->IDGOS, ctx_.adminValues().noPenaltiesAllowed, this);
    dlg.prepare(dialogLocalities(), streets, tags, {});
    dlg.fill(*stored);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const RoleRecord r = dlg.role();
    try {
        ctx_.logChange(r.ROL, [&] {
            updateRole(db, r);
            return QStringLiteral("Modificare gospodarie ") + r.NUMEP;
        });
    } catch (const Error &e) {
        showError(title, e.message());
        return;
    }
    addLocality(r.SATUL);
    reloadRoles(r.IDGOS);
}

void TGospodarii::DelGospodarie()
{
    const auto current = currentRole();
    if (!current) {
        ui::message(deleteTitle, QStringLiteral("Nu aveti ce sterge!"), ui::Ok, ui::Warning);
        return;
    }
    if (yearLocked()) {
        refuseLocked();
        return;
    }
    const RoleRecord r = *current;
    if (!ask(deleteTitle, QStringLiteral("Doriti sa stergeti gospodaria cu \rnr.ROL ") + r.ROL + QStringLiteral(" din ") +
                              r.SATUL + QStringLiteral("?")) ||
        !ask(deleteTitle, QStringLiteral("Stergem toata istoria omului din calculator ?!")) ||
        !ask(deleteTitle, QStringLiteral("\rSe sterg toate chitantele omului de-a lungul vremii !!!\rVa dati seama ca se "
                                         "modifica toate soldurile ?!")))
        return;
    if (!ask(deleteTitle, QStringLiteral("Deci va asumati riscul sa schimbati toate rapoartele de pana acum ?!"))) {
        ui::message(QStringLiteral("Emotii mari"), QStringLiteral("Bine ati revenit cu picioarele pe pamant !"), ui::Ok,
                    ui::Information);
        return;
    }
    // The previous role if there is one, otherwise the next.
    const RoleListing &list = model->listing();
    const int row = list.rowOf(r.IDGOS);
    qint64 next = 0;
    if (row > 0)
        next = list.at(row - 1).IDGOS;
    else if (row >= 0 && row + 1 < list.size())
        next = list.at(row + 1).IDGOS;
    try {
        ui::ProgressScope progress(QStringLiteral("Sterg gospodaria..."), 100);
        ctx_.logChange(r.ROL, [&] {
            deleteRole(*ctx_.db, r.IDGOS, [](int position) { ui::interaction().progressSet(position); });
            return QStringLiteral("Stergere gospodarie ") + r.NUMEP + QStringLiteral(" din ") + r.SATUL;
        });
    } catch (const Error &e) {
        showError(deleteTitle, e.message());
        return;
    }
    reloadRoles(next);
}

} // namespace valdora::roles

namespace valdora::roles {

void TGospodarii::setLandSheetAction(int page, std::function<void(qint64 IDGOS)> action)
{
    RoleDataPage *p = dataPage(page);
    if (!p || !p->FisaCalcul)
        return;
    p->FisaCalcul->disconnect(this);
    p->FisaCalcul->setEnabled(bool(action));
    if (action)
        connect(p->FisaCalcul, &QPushButton::clicked, this, [this, action] {
            if (const auto role = currentRole())
                action(role->IDGOS);
        });
}

} // namespace valdora::roles
