#pragma once

#include "platform/failure.h"

#include <cstdint>

namespace qv::test {

// The number of the Failure that action throws, 0 when it throws none.
std::int32_t FailureNumberOf(auto action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.Number();
    }
    return 0;
}

} // namespace qv::test
