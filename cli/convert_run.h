#pragma once

#include "cli/convert_jobs.h"
#include "cli/file_result.h"
#include "common/conversion_options.h"

#include <functional>
#include <vector>

namespace qv::cli {

// Converts every job through the one batch runner (RunBatch) on up to workers threads (0: one
// per core), writing each result as soon as it is done: nothing can cancel the command line.
// report is called on the calling thread once per job, in job order, with what happened in the
// command line's words; a job with a problem is reported in its place without being converted.
// The results are also returned in that order. withMappingReports: each converted result
// carries the mapping report of its picture; withMappedPixels: what its palette conversion saw
// and chose.
std::vector<FileResult> RunConversion(const ConversionOptions &options,
    const std::vector<ConvertJob> &jobs,
    int workers,
    const std::function<void(const FileResult &)> &report,
    bool withMappingReports = true,
    bool withMappedPixels = false);

} // namespace qv::cli
