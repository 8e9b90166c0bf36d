#pragma once

#include "engine/reported_failure.h"

#include <string>

namespace qv {

// Why LoadBMPFile did not take a picture, beside the message it showed: a front end that says
// it in its own words reads this instead.
struct LoadRefusal {
    enum class Kind {
        None, // taken
        Refused, // a plain refusal: too large for the program, a depth or compression not read
        Unreadable, // a failure while reading or parsing, reported as "LoadBMPFile"
    };
    Kind kind = Kind::None;
    // Refused: the refusal without its file ("BMP too large", "BMP bitdepth 16 not supported");
    // the message reads it, ": " and the path.
    std::string reason;
    // Unreadable: the failure as it was raised (the report adds the file when it does not name
    // it already).
    ReportedFailure failure;

    bool Taken() const { return kind == Kind::None; }
};

} // namespace qv
