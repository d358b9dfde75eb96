#pragma once
// Checks of the codes the office types: fiscal code (CUI), bank account (IBAN)
// and personal numeric code (CNP).

#include <QDate>
#include <QString>
#include <QStringView>

namespace valdora {

// 3 to 10 digits with a correct check digit. Any text that is not all digits is invalid.
bool isValidFiscalCode(QStringView text);
// Romanian IBAN: 24 characters after dropping everything but 0-9/A-Z, "RO", two
// digits, and the mod-97 check equal to 1.
bool isValidIban(QStringView text);

struct CnpCheck {
    // Valid: 13 digits, first digit 1, 2, 5, 6, 7, 8 or 9, an existing birth date
    // and the right check digit. An empty text is valid only when acceptEmpty.
    static bool isValid(QStringView text, bool acceptEmpty = false);
    // "masculin" for a first digit 1, 5, 7 or 9 (and for an empty text), "feminin" otherwise.
    static QString sex(QStringView text);
    // The birth date; day 0 (30.12.1899) when the text has 6 characters or fewer
    // or its date digits are not numbers; 01.01.1900 when the date does not exist.
    static QDate birthDate(QStringView text);
};

} // namespace valdora
