// The current time, behind an interface so tests and replays can set it.
#pragma once

#include <QDateTime>

namespace zaz {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// The machine's local time.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

// A clock that only moves when told to.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    QDateTime now() const override { return now_; }
    void set(const QDateTime &now) { now_ = now; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};

} // namespace zaz
