#include "platform/failure.h"

namespace qv {

std::string FailureDescription(std::int32_t number)
{
    switch (number) {
    case kInvalidArgument:
        return "Invalid procedure call or argument";
    case kOverflow:
        return "Overflow";
    case kOutOfMemory:
        return "Out of memory";
    case kSubscriptOutOfRange:
        return "Subscript out of range";
    case kTypeMismatch:
        return "Type mismatch";
    case kInternalError:
        return "Internal error";
    case kFileNotFound:
        return "File not found";
    case kDiskFull:
        return "Disk full";
    case kInputPastEnd:
        return "Input past end of file";
    case kPermissionDenied:
        return "Permission denied";
    case kPathFileAccessError:
        return "Path/File access error";
    case kPathNotFound:
        return "Path not found";
    case kInvalidPropertyValue:
        return "Invalid property value";
    case kUnknownFileFormat:
        return "Unknown file format";
    default:
        return "Application-defined or object-defined error";
    }
}

void Fail(std::int32_t number)
{
    throw Failure(number, FailureDescription(number));
}

} // namespace qv
