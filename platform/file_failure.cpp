#include "platform/file_failure.h"

#include "platform/files.h"

#include <cerrno>

namespace qv {
namespace {

std::int32_t NumberFor(const std::error_code &error)
{
    const std::error_condition reason = error.default_error_condition();
    if (reason == std::errc::no_such_file_or_directory) {
        return kFileNotFound;
    }
    if (reason == std::errc::no_space_on_device) {
        return kDiskFull;
    }
#ifdef EDQUOT
    if (error.value() == EDQUOT && error.category() == std::generic_category()) {
        return kDiskFull; // over the user's quota: as full as a disk can be for them
    }
#endif
    if (reason == std::errc::permission_denied || reason == std::errc::operation_not_permitted
        || reason == std::errc::read_only_file_system) {
        return kPermissionDenied;
    }
    if (reason == std::errc::not_enough_memory) {
        return kOutOfMemory;
    }
    if (reason == std::errc::not_a_directory) {
        return kPathNotFound;
    }
    return kPathFileAccessError;
}

// Reasons whose number's standard description would tell the user something else ("Permission
// denied" for a disk mounted read-only), in words of their own; null for the rest.
const char *OwnWords(const std::error_code &error)
{
    const std::error_condition reason = error.default_error_condition();
    if (reason == std::errc::read_only_file_system) {
        return "Read-only file system";
    }
    if (reason == std::errc::filename_too_long) {
        return "Name too long";
    }
    return nullptr;
}

// What the standard description leaves open, in the system's own words.
std::string Detail(const std::error_code &error, std::int32_t number)
{
    switch (number) {
    case kFileNotFound:
    case kDiskFull:
    case kPermissionDenied:
    case kOutOfMemory:
        return {};
    default:
        return ", " + error.message();
    }
}

} // namespace

Failure FileFailure(const std::error_code &error, const char *operation, const std::string &path)
{
    const std::int32_t number = NumberFor(error);
    if (const char *words = OwnWords(error)) {
        return Failure(
            number, std::string(words) + " (" + operation + " " + NativePath(path) + ")");
    }
    return Failure(number,
        FailureDescription(number) + " (" + operation + " " + NativePath(path)
            + Detail(error, number) + ")");
}

Failure FileFailure(std::int32_t number, const char *operation, const std::string &path)
{
    return Failure(
        number, FailureDescription(number) + " (" + operation + " " + NativePath(path) + ")");
}

std::error_code LastSystemError(int fallback)
{
    return {errno != 0 ? errno : fallback, std::generic_category()};
}

} // namespace qv
