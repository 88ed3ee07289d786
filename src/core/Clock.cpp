#include "core/Clock.h"

namespace zaz {

QDateTime SystemClock::now() const
{
    // The local time with its offset fixed: the same wall-clock texts, but comparing two
    // times (every aircraft at every step) needs no look-up of the time zone.
    const QDateTime local = QDateTime::currentDateTime();
    return local.toOffsetFromUtc(local.offsetFromUtc());
}

ManualClock::ManualClock(QDateTime start)
    : now_(std::move(start))
{
}

} // namespace zaz
