#include "register/ui/TCladCumpF.h"

#include "app/core/Dates.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace valdora::roles {

QStringList TCladCumpF::columnTitles()
{
    return {QStringLiteral("Tip persoana"),  QStringLiteral("Localitatea"),
            QStringLiteral("ROL"),           QStringLiteral("Nume si prenume / Denumire"),
            QStringLiteral("Tip Clad."),     QStringLiteral("Strada"),
            QStringLiteral("Adresa"),        QStringLiteral("Data vanzarii"),
            QStringLiteral("Data iesirii din evidenta"), QStringLiteral("Document justifiativ")};
}

TCladCumpF::TCladCumpF(std::vector<PurchaseOffer> offers, QWidget *parent) : QDialog(parent), offers_(std::move(offers))
{
    setObjectName(QStringLiteral("TCladCumpF"));
    setWindowTitle(QStringLiteral("Cumparare Constructie"));
    auto *outer = new QVBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("Alegeti constructia cumparata"), this);
    QFont f = caption->font();
    f.setBold(true);
    caption->setFont(f);
    outer->addWidget(caption);

    model_ = new QStandardItemModel(int(offers_.size()), int(columnTitles().size()), this);
    model_->setHorizontalHeaderLabels(columnTitles());
    for (int r = 0; r < int(offers_.size()); ++r) {
        const PurchaseOffer &o = offers_[size_t(r)];
        const QStringList cells{o.TIP,
                                o.SATUL,
                                o.ROL,
                                o.NUMEP,
                                useCaption(o.building.TIPC),
                                o.STRADA,
                                o.building.ADRESA,
                                isRealDate(o.building.DATAVANZ) ? formatDate(o.building.DATAVANZ) : QString(),
                                formatDate(o.building.DATAOUT),
                                o.building.OBSOUT};
        for (int c = 0; c < int(cells.size()); ++c) {
            auto *item = new QStandardItem(cells[c]);
            item->setEditable(false);
            model_->setItem(r, c, item);
        }
    }
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(model_);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->resizeColumnsToContents();
    outer->addWidget(Grid, 1);
    connect(Grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid()) {
            selectOffer(index.row());
            AmAlesClick();
        }
    });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    AmAles = new QPushButton(QStringLiteral("Am ales"), this);
    AmAles->setObjectName(QStringLiteral("AmAles"));
    Renunt = new QPushButton(QStringLiteral("&Renunt"), this);
    Renunt->setObjectName(QStringLiteral("Renunt"));
    for (QPushButton *b : {AmAles, Renunt}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    connect(AmAles, &QPushButton::clicked, this, &TCladCumpF::AmAlesClick);
    connect(Renunt, &QPushButton::clicked, this, &QDialog::reject);
    if (!offers_.empty())
        selectOffer(0);
    resize(1000, 420);
}

void TCladCumpF::selectOffer(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    Grid->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TCladCumpF::AmAlesClick()
{
    const int row = Grid->currentIndex().row();
    if (row < 0 || row >= int(offers_.size()))
        return;
    chosen_ = offers_[size_t(row)].building.IDCLAD;
    accept();
}

} // namespace valdora::roles
