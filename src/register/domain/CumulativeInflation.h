#pragma once
// Indexing of building values by inflation. A building's value is raised by the
// compounded yearly inflation since it was evaluated; the compounded factor is
// kept as an exact decimal so that the value is rounded once, at the end, and the
// percent can be written in full on the calculation sheet.

#include "app/core/Currency.h"

#include <QList>
#include <QString>
#include <array>
#include <initializer_list>

namespace valdora {

// Yearly inflation in percent, as the administration keeps it in Inf0..Inf7:
// Inf[k] is the rate of the fiscal year minus k.
struct InflationHistory {
    static constexpr int Years = 8;
    std::array<Currency, Years> Inf{};

    // The rate of `year` in fiscal year `fiscalYear`; 0 outside the history.
    Currency rateOf(int year, int fiscalYear) const;
};

// 2026 5.6, 2025 10.4, 2024 13.8, 2023 5.1, 2022 2.6, 2021 3.8, 2020 4.6, 2019 1.3.
InflationHistory defaultInflationHistory();

// The factor (1 + w/100) of an inflation percent w, or a product of such factors.
// Exact up to 18 decimals (a product of five factors of one-decimal rates has 15);
// a factor above about 9.2 keeps as many decimals as 64 bits allow.
class InflationIndex {
public:
    InflationIndex() = default; // factor 1: no inflation

    // 1 + percent/100.
    static InflationIndex fromPercent(Currency percent);
    // Product of (1 + rate/100) over the rates. Throws CurrencyOverflow when the
    // factor has no room left even without decimals.
    static InflationIndex compounded(const QList<Currency> &rates);

    bool isNone() const { return mantissa_ == 1 && decimals_ == 0; }

    // Product of the amounts and this factor, rounded once half away from zero to
    // four decimals. Throws CurrencyOverflow on a result out of range.
    Currency apply(std::initializer_list<Currency> amounts) const;
    Currency apply(Currency amount) const { return apply({amount}); }

    // (factor - 1) x 100, rounded half away from zero to four decimals.
    Currency percent() const;
    // (factor - 1) x 100 in full, without trailing zeros: "39.4369805312", "5.6", "0".
    QString percentText() const;

    bool operator==(const InflationIndex &) const = default;

private:
    InflationIndex(qint64 mantissa, int decimals) : mantissa_(mantissa), decimals_(decimals) {}

    qint64 mantissa_ = 1; // factor = mantissa / 10^decimals, trailing zeros stripped
    int decimals_ = 0;
};

struct CumulativeInflation {
    int fromYear = 0;      // the evaluation year after raising it to Y - 5
    QList<Currency> rates; // the rates compounded, oldest first (years fromYear + 1 .. Y)
    InflationIndex index;  // product of (1 + rate/100)
    Currency percent;      // (product - 1) x 100, four decimals
    QString percentText;   // the same in full
    // "5.1% + 13.8% + 10.4% + 5.6% = 39.4369805312%"; empty when no year is used.
    QString description;
};

// Compounded inflation since `sinceYear` in `fiscalYear`: a year before the fiscal
// year minus 5 counts as the fiscal year minus 5; from the fiscal year on nothing
// is compounded (percent 0, empty description).
CumulativeInflation cumulativeInflation(int sinceYear, int fiscalYear, const InflationHistory &history);

// A percent as an admin label writes it: "5.6", "10", "0.25" (no trailing zeros).
QString plainNumber(Currency value);

} // namespace valdora
