#pragma once
// The values the municipality sets in the administration window, as a model
// of their own: every control by its name, with its kind and initial text.
// Computing code reads constants from here at the moment it computes.

#include "app/core/Currency.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace valdora::admin {

enum class ControlKind { Text, Number, DropDown, CheckBox };

struct ControlDef {
    QString name;
    ControlKind kind = ControlKind::Text;
    QString initial;     // initial text; "DA"/"" for check boxes
    QString page;        // page of the window
    QStringList items;   // entries of a drop-down
};

// Every control of the window, in page order.
const std::vector<ControlDef> &controls();
const ControlDef *control(const QString &name); // without regard to case

const QStringList &counties();  // the 41 counties and "MUNICIPIUL BUCURESTI"
const QStringList &zones();     // "A".."D"
const QStringList &ranks();     // "0", "I".."V"

// Yearly inflation in percent of 2026 back to 2019 (labels Inf0..Inf7).
struct InflationYear { int year; const char *percent; };
const std::vector<InflationYear> &inflationHistory();

class AdminValues {
public:
    AdminValues(); // every control at its initial text

    QString text(const QString &name) const;
    void setText(const QString &name, const QString &text);
    // The control's text as a number ("," taken as "."); 0 when it is not one.
    Currency number(const QString &name) const;
    bool checked(const QString &name) const;
    void setChecked(const QString &name, bool on);

    // Labels of the folders on the general page ("-" when not set).
    QString serverPath;
    QString backupPath = QStringLiteral("-");
    QString agriculturalRegisterPath = QStringLiteral("-");
    // Flags set by the load.
    bool noPenaltiesAllowed = false; // FARAMAJORARI is "DA"
    bool yearLocked = false;         // ADMINBLOCAT<year> is "DA"

private:
    QHash<QString, QString> texts_; // upper-cased name -> text
    QHash<QString, bool> checks_;
};

} // namespace valdora::admin
