#pragma once

#include "platform/failure.h"

#include <cstdint>
#include <string>

namespace qv {

// A failure as a procedure reported it: the procedure's name, the failure's number and its
// description. A front end that says what happened in its own words reads these fields, never
// the report's text.
struct ReportedFailure {
    std::string procedure;
    std::int32_t number = 0;
    std::string description;

    static ReportedFailure Of(std::string procedure, const Failure &failure)
    {
        return {std::move(procedure), failure.Number(), failure.Description()};
    }
    bool operator==(const ReportedFailure &) const = default;
};

} // namespace qv
