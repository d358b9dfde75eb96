#pragma once
// The checks of the role dialog that need nothing but the typed fields: the
// normalisation, the refusals in their order, the role number proposed for a
// new role and the texts of the two questions asked after a look at the register.

#include <QString>
#include <QStringView>
#include <optional>

namespace valdora {

// The dialog's fields as typed.
struct RoleEntry {
    QString SATUL;
    QString ROL;
    QString NUMEP;
    QString CNP;
    QString STRADA;
    QString ADRESA;
    QString NRPERS;
    QString MOST;
    QString INDOP;
};

enum class RoleEntryField { Locality, RoleNumber, Cnp, Name };

struct RoleEntryProblem {
    RoleEntryField field;
    QString text;
};

class RoleEntryCheck {
public:
    // Trim and single blanks in every text field; the person count rewritten as a number.
    static RoleEntry normalised(const RoleEntry &typed);
    // The first refusal of a normalised entry: locality, role number, CNP / CUI, name.
    static std::optional<RoleEntryProblem> firstProblem(const RoleEntry &entry);
    // Empty, a valid personal numeric code, or a valid fiscal code.
    static bool acceptableCode(QStringView cnpOrCui);

    // The highest numeric role number plus 1; "1" when there is none. A number
    // that would not fit the role number's 9 characters is not proposed.
    static QString proposedRoleNumber(std::optional<double> highest);

    static QString duplicateNumberTitle() { return QStringLiteral("Verificare numar de ROL"); }
    static QString duplicateNumberQuestion();
    static QString duplicateCodeTitle() { return QStringLiteral("Verificare CNP"); }
    static QString duplicateCodeQuestion(const QString &otherRol, const QString &otherName);
};

} // namespace valdora
