#include "core/Clock.h"

namespace zaz {

QDateTime SystemClock::Now() const
{
    return QDateTime::currentDateTime();
}

ManualClock::ManualClock(QDateTime start)
    : now_(std::move(start))
{
}

} // namespace zaz
