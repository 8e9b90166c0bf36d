#pragma once

#include <cstdint>

namespace qv {

// The running program's process number.
std::int64_t CurrentProcessId();

// Whether a process of that number runs now (a number in use by another program counts too).
bool ProcessIsRunning(std::int64_t id);

} // namespace qv
