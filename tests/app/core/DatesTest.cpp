#include "app/core/Clock.h"
#include "app/core/Dates.h"
#include "app/core/Edition.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace valdora;

TEST(Dates, DayNumbers)
{
    EXPECT_EQ(dayNumber(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(dayNumber(QDate(1899, 12, 31)), 1);
    EXPECT_EQ(dayNumber(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(dayNumber(QDate(2026, 1, 1)), 46023);
    EXPECT_EQ(dateFromDayNumber(46023), QDate(2026, 1, 1));
    EXPECT_EQ(dateFromDayNumber(dayNumber(QDate(2024, 2, 29))), QDate(2024, 2, 29));
}

TEST(Dates, TextFormIgnoresTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(formatDate(QDate(2026, 3, 5)), "05.03.2026");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(formatDate(QDate()), "");
    EXPECT_EQ(parseDate(u"05.03.2026"), QDate(2026, 3, 5));
    EXPECT_EQ(parseDate(u" 5.3.2026 "), QDate(2026, 3, 5));
    for (const char *bad : {"", "31.02.2026", "2026-03-05", "05/03/2026", "05.03.26", "aa.03.2026", "1.1.1.2026"})
        EXPECT_FALSE(parseDate(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(formatTime(QTime(9, 5, 7)), "09:05:07");
}

TEST(Dates, Terms)
{
    struct Case { int year; QDate first; };
    const Case cases[] = {{2026, QDate(2026, 3, 31)}, {2016, QDate(2016, 6, 30)},
                          {2020, QDate(2020, 6, 30)}, {2021, QDate(2021, 3, 31)}};
    for (const auto &k : cases) {
        EXPECT_EQ(firstTerm(k.year), k.first) << k.year;
        EXPECT_EQ(secondTerm(k.year), QDate(k.year, 9, 30)) << k.year;
    }
    EXPECT_EQ(firstDayOfFiscalYearText(), "01.01.2026");
}

TEST(Dates, ClockCanBeFixed)
{
    FixedClock fixed(QDate(2026, 4, 1));
    setAppClock(&fixed);
    EXPECT_EQ(appClock().today(), QDate(2026, 4, 1));
    fixed.set(QDate(2026, 5, 1));
    EXPECT_EQ(appClock().today(), QDate(2026, 5, 1));
    setAppClock(nullptr);
    EXPECT_EQ(appClock().today(), QDate::currentDate());
}

TEST(Edition, Constants)
{
    EXPECT_EQ(edition::versionText(), "1.0017");
    EXPECT_EQ(edition::titleWithVersion(), "Valdora 2026 ver.1.0017");
}
