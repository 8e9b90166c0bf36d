#include "cli/file_result.h"

namespace qv::cli {

const char *StatusName(FileStatus status)
{
    switch (status) {
    case FileStatus::Converted:
        return "converted";
    case FileStatus::Refused:
        return "refused";
    case FileStatus::Failed:
        break;
    }
    return "failed";
}

} // namespace qv::cli
