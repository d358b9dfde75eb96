#pragma once
// Dates as the office writes them: "dd.MM.yyyy", whatever the machine's locale,
// and day numbers counted from 30.12.1899 (day 0) as the old tables keep them.

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace valdora {

QDate dayZero(); // 30.12.1899
qint64 dayNumber(QDate date);
QDate dateFromDayNumber(qint64 day);

// "05.03.2026"; an invalid date gives "".
QString formatDate(QDate date);
// Accepts "dd.MM.yyyy" and the short forms "d.M.yyyy"; anything else, or a day
// that does not exist, gives nullopt.
std::optional<QDate> parseDate(QStringView text);
// "hh:mm:ss", the long time format of the log.
QString formatTime(QTime time);

// Due dates of the two installments: 31 March (30 June in 2016 and 2020), 30 September.
QDate firstTerm(int year);
QDate secondTerm(int year);
// 1 January of the fiscal year.
QDate firstDayOfFiscalYear();
QString firstDayOfFiscalYearText();

} // namespace valdora
