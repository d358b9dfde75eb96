#include "app/core/Validation.h"

#include "app/core/Dates.h"

namespace valdora {
namespace {

bool allDigits(QStringView t)
{
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

int digit(QChar c) { return c.unicode() - u'0'; }

// Year, month, day from a CNP's digits 1-7; false when they are not digits.
bool cnpDateParts(QStringView t, int &y, int &m, int &d)
{
    if (t.size() < 7 || !allDigits(t.left(7)))
        return false;
    const int first = digit(t[0]);
    const int yy = digit(t[1]) * 10 + digit(t[2]);
    y = (first == 5 || first == 6) ? 2000 + yy : 1900 + yy;
    m = digit(t[3]) * 10 + digit(t[4]);
    d = digit(t[5]) * 10 + digit(t[6]);
    return true;
}

} // namespace

bool isValidFiscalCode(QStringView text)
{
    if (text.size() < 3 || text.size() > 10 || !allDigits(text))
        return false;
    const QString padded = text.toString().rightJustified(10, u'0');
    static const int key[9] = {7, 5, 3, 2, 1, 7, 5, 3, 2};
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += digit(padded[i]) * key[i];
    return digit(padded[9]) == (sum * 10) % 11 % 10;
}

bool isValidIban(QStringView text)
{
    QString s;
    for (QChar c : text.toString().toUpper())
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
            s += c;
    if (s.size() != 24 || !s.startsWith(QStringLiteral("RO")) || !s[2].isDigit() || !s[3].isDigit())
        return false;
    const QString moved = s.mid(4) + s.left(4);
    QString digits;
    for (QChar c : moved) {
        if (c >= u'A' && c <= u'Z')
            digits += QString::number(c.unicode() - u'A' + 10);
        else
            digits += c;
    }
    int r = 0;
    int i = 0;
    for (; i + 1 < digits.size(); i += 2)
        r = (r * 100 + digit(digits[i]) * 10 + digit(digits[i + 1])) % 97;
    if (i < digits.size())
        r = (r * 10 + digit(digits[i])) % 97;
    return r == 1;
}

bool CnpCheck::isValid(QStringView text, bool acceptEmpty)
{
    if (text.isEmpty())
        return acceptEmpty;
    if (text.size() != 13 || !allDigits(text))
        return false;
    const int first = digit(text[0]);
    if (first == 0 || first == 3 || first == 4)
        return false;
    int y, m, d;
    cnpDateParts(text, y, m, d);
    if (!QDate(y, m, d).isValid())
        return false;
    static const char key[] = "279146358279";
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digit(text[i]) * (key[i] - '0');
    const int r = sum % 11;
    return digit(text[12]) == (r == 10 ? 1 : r);
}

QString CnpCheck::sex(QStringView text)
{
    if (text.isEmpty())
        return QStringLiteral("masculin");
    const QChar f = text[0];
    if (f == u'1' || f == u'5' || f == u'7' || f == u'9')
        return QStringLiteral("masculin");
    return QStringLiteral("feminin");
}

QDate CnpCheck::birthDate(QStringView text)
{
    int y, m, d;
    if (text.size() <= 6 || !cnpDateParts(text, y, m, d))
        return dayZero();
    const QDate date(y, m, d);
    return date.isValid() ? date : QDate(1900, 1, 1);
}

} // namespace valdora
