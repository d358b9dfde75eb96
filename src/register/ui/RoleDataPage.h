#pragma once
// A role page edited in place (extravilan land, intravilan land, other taxes,
// arrears): its numeric fields, named as the page's definition names them, and
// the hidden store bar that any change of a field shows.

#include "register/domain/RolePageFields.h"

#include <QHash>
#include <QWidget>
#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace valdora::roles {

class RoleDataPage : public QWidget {
    Q_OBJECT
public:
    RoleDataPage(const RolePageDef &def, QWidget *parent = nullptr);

    const RolePageDef &def() const { return def_; }
    int pageNumber() const { return def_.page; }
    QLineEdit *field(const QString &name) const;
    // Creates the named field of the definition, accepting what its column keeps.
    QLineEdit *addField(const QString &name);
    // Caption labels the window fills when it opens (land classification columns).
    std::vector<QLabel *> columnCaptions;

    // Shows the values (in the definition's order) and hides the store bar.
    void showValues(const std::vector<Currency> &values);
    // The fields as numbers; nullopt and the field that is not one.
    std::optional<std::vector<Currency>> values(QLineEdit **wrong = nullptr) const;
    bool hasUnsavedEdits() const;
    void hideStoreBar();

    QVBoxLayout *body;           // where the page's blocks go
    QWidget *Modi;               // the store bar
    QPushButton *Memoreaza;      // "Memoreaza modificarile"
    QPushButton *Anuleaza;       // "Anuleaza modificarile"
    // "Fisa de calcul" of the land pages; disabled until a sheet is attached.
    QPushButton *FisaCalcul = nullptr;
    QPushButton *addSheetButton();

signals:
    void storeRequested(int page);
    void cancelRequested(int page);

private:
    const RolePageDef &def_;
    QHash<QString, QLineEdit *> fields_; // upper-cased name -> field
    bool loading_ = false;
};

} // namespace valdora::roles
