#pragma once

#include "cli/convert_jobs.h"
#include "cli/file_result.h"
#include "common/conversion_options.h"

#include <functional>
#include <vector>

namespace qv::cli {

class ConvertWorker;

// Converts one job with the worker's options and collects what the engine said.
FileResult ConvertOne(ConvertWorker &worker, const ConvertJob &job);

// Converts every job on up to `workers` threads (0: one per core; a single worker converts on
// the calling thread), each with its own options, palette store and message recorder. Each worker
// takes a few jobs at a time (one at a time when there are few) and hands their results over
// together. report is called on the calling thread once per job, in job order, as soon as the
// results of that job and every one before it are handed over; the results are also returned in
// that order.
//
// While Convert Palette is off, a picture of more than 8 bits switches it on for every later
// picture, as the window's batch does. Until that happens the pictures are converted one at a
// time, in order, by the first worker; the others join only afterwards, with it on. So every
// picture is converted with the same setting whatever the number of workers.
//
// withMappingReports: each result carries the mapping report of its picture (see ConvertWorker).
std::vector<FileResult> RunConversion(const ConversionOptions &options,
    const std::vector<ConvertJob> &jobs,
    int workers,
    const std::function<void(const FileResult &)> &report,
    bool withMappingReports = true);

} // namespace qv::cli
