#pragma once

#include "palette/entry_counts.h"
#include "palette/mapped_pixels.h"
#include "palette/mapping_report.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::cli {

enum class FileStatus {
    Converted, // the result was written
    Refused, // the engine did not take the picture (reason and message say why)
    Failed, // a failure stopped it, or it could not be started (missing, no backup folder, ...)
};

// What happened to one input, in the order the inputs were named.
struct FileResult {
    std::string file; // as named: the argument, or a folder argument joined with the file name
    FileStatus status = FileStatus::Failed;
    std::vector<std::string> messages; // one line each, naming the file once
    std::string output; // the file written; empty when nothing was
    // How well the colours were kept, for a picture brought onto the palette.
    std::optional<MappingReport> report;
    // Why it was not converted, as one short stable word ("too-large", "not-a-picture", ...);
    // empty for a converted file.
    std::string reason;
    // Converted: the command-line word of the format written ("doom-picture"), and the offsets
    // the file carries, if any.
    std::string format;
    std::optional<std::pair<std::int32_t, std::int32_t>> offsets;
    // Converted: the pixels of each palette entry in the result.
    std::optional<EntryCounts> entries {};
    // What the palette conversion saw and chose, when asked for and the picture was mapped.
    std::shared_ptr<const MappedPixels> mapped {};
};

const char *StatusName(FileStatus status);

} // namespace qv::cli
