#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qv {

// Numbers of the run-time failures the program raises and reports. The numbering follows the
// classic BASIC run-time errors, so a user sees the same number for the same kind of trouble.
enum FailureNumber : std::int32_t {
    kInvalidArgument = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,
    kInternalError = 51,
    kFileNotFound = 53,
    kDiskFull = 61,
    kInputPastEnd = 62,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
    kInvalidPropertyValue = 380,
    kUnknownFileFormat = 9999,
};

// The one exception type of the program: a failure number and a description for people.
// Every procedure with a failure path of its own catches it, cleans up and reports it.
class Failure : public std::runtime_error
{
public:
    Failure(std::int32_t number, const std::string &description)
        : std::runtime_error(description)
        , number_(number)
    { }

    std::int32_t Number() const { return number_; }
    std::string Description() const { return what(); }

private:
    std::int32_t number_;
};

// The standard description of a failure number ("Overflow", "File not found", ...).
std::string FailureDescription(std::int32_t number);

// Throws the failure with its standard description.
[[noreturn]] void Fail(std::int32_t number);

} // namespace qv
