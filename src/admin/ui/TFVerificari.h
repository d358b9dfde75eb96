#pragma once
// "Verificari / Modificari manuale": the debt and balance tables edited by
// hand, filtered by role number, and the two duplicate lists.

#include <QDialog>

class QLineEdit;
class QSqlTableModel;
class QTableView;
class QTableWidget;

namespace valdora {
class Database;
}

namespace valdora::admin {

class TFVerificari : public QDialog {
    Q_OBJECT
public:
    explicit TFVerificari(Database &db, QWidget *parent = nullptr);

    QTableView *grid() const { return grid_; }
    QTableWidget *duplicates() const { return duplicates_; }
    QLineEdit *Rol;
    QSqlTableModel *model() const { return model_; }

public slots:
    void openTable(const QString &table); // "Baza Datorii" / "Baza Solduri"
    void showDuplicateDebts();
    void showDuplicateBalances();

private:
    Database &db_;
    QTableView *grid_;
    QTableWidget *duplicates_;
    QSqlTableModel *model_ = nullptr;
};

} // namespace valdora::admin
