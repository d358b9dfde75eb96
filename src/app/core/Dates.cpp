#include "app/core/Dates.h"

#include "app/core/Edition.h"

namespace valdora {

QDate dayZero() { return QDate(1899, 12, 30); }

qint64 dayNumber(QDate date) { return dayZero().daysTo(date); }

QDate dateFromDayNumber(qint64 day) { return dayZero().addDays(day); }

QString formatDate(QDate date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

std::optional<QDate> parseDate(QStringView text)
{
    const QStringView t = text.trimmed();
    const auto parts = t.split(u'.');
    if (parts.size() != 3)
        return std::nullopt;
    auto number = [](QStringView p, int minLen, int maxLen) -> int {
        if (p.size() < minLen || p.size() > maxLen)
            return -1;
        int v = 0;
        for (QChar c : p) {
            if (c < u'0' || c > u'9')
                return -1;
            v = v * 10 + (c.unicode() - u'0');
        }
        return v;
    };
    const int d = number(parts[0], 1, 2);
    const int m = number(parts[1], 1, 2);
    const int y = number(parts[2], 4, 4);
    if (d < 0 || m < 0 || y < 0)
        return std::nullopt;
    QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString formatTime(QTime time)
{
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

QDate firstTerm(int year)
{
    if (year == 2016 || year == 2020)
        return QDate(year, 6, 30);
    return QDate(year, 3, 31);
}

QDate secondTerm(int year) { return QDate(year, 9, 30); }

QDate firstDayOfFiscalYear() { return QDate(edition::FiscalYear, 1, 1); }

QString firstDayOfFiscalYearText() { return formatDate(firstDayOfFiscalYear()); }

} // namespace valdora
