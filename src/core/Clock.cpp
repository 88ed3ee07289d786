#include "core/Clock.h"

namespace zaz {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

ManualClock::ManualClock(QDateTime start)
    : now_(std::move(start))
{
}

} // namespace zaz
