#pragma once
// Where "today" and "now" come from. Code that needs the date takes a Clock so
// tests can fix it.

#include <QDate>
#include <QDateTime>

namespace valdora {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    explicit FixedClock(QDate day) : at_(day, QTime(12, 0)) {}
    QDateTime now() const override { return at_; }
    void set(QDateTime at) { at_ = std::move(at); }
    void set(QDate day) { at_ = QDateTime(day, QTime(12, 0)); }

private:
    QDateTime at_;
};

// The clock of the running program; tests may install their own.
Clock &appClock();
void setAppClock(Clock *clock); // nullptr restores the system clock

} // namespace valdora
