#pragma once

#include "palette/mapping_report.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

enum class FileStatus {
    Converted, // the result was written
    Refused, // the engine did not take the picture (its message says why)
    Failed, // a failure stopped it, or it could not be started (missing, no backup folder, ...)
};

// What happened to one input, in the order the inputs were named.
struct FileResult {
    std::string file; // as named: the argument, or a folder argument joined with the file name
    FileStatus status = FileStatus::Failed;
    std::vector<std::string> messages; // one line each, as the window would have shown them
    std::string output; // the file written; empty when nothing was
    // How well the colours were kept, for a picture brought onto the palette.
    std::optional<MappingReport> report;
};

const char *StatusName(FileStatus status);

} // namespace qv::cli
