#pragma once
// The program's reading of the wall clock, in one place so that tests can fix "now": the database's
// Date() and Now() and the search conditions relative to today read it from here.

#include <ctime>
#include <functional>

namespace platform::clock {

using ClockSource = std::function<std::time_t()>;

// The current time: the installed source's, else the system's.
std::time_t Now();

// Replaces the source for the whole process; an empty function restores the system clock.
void SetClockSource(ClockSource source);

} // namespace platform::clock
