#include "platform/clock/Clock.h"

#include <utility>

namespace platform::clock {
namespace {

ClockSource& Source()
{
    static ClockSource source;
    return source;
}

} // namespace

std::time_t Now()
{
    const ClockSource& source = Source();
    return source ? source() : std::time(nullptr);
}

void SetClockSource(ClockSource source)
{
    Source() = std::move(source);
}

} // namespace platform::clock
