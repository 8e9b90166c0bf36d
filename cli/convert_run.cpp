#include "cli/convert_run.h"

#include "cli/result_words.h"
#include "engine/batch_run.h"

namespace qv::cli {

std::vector<FileResult> RunConversion(const ConversionOptions &options,
    const std::vector<ConvertJob> &jobs,
    int workers,
    const std::function<void(const FileResult &)> &report,
    bool withMappingReports,
    bool withMappedPixels)
{
    std::vector<BatchItem> items;
    std::vector<std::size_t> jobOf; // the job of each item
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        const ConvertJob &job = jobs[j];
        if (job.problem.empty()) {
            items.push_back({job.file,
                job.outputPath.empty() ? ResizeDestination::ReplaceInput(job.backupFolder, true)
                                       : ResizeDestination::OutputFile(job.outputPath),
                options.squareSize});
            jobOf.push_back(j);
        }
    }
    std::vector<FileResult> results;
    results.reserve(jobs.size());
    // Reports the jobs before end that were never converted: every other one is in results.
    const auto reportProblemsUpTo = [&](std::size_t end) {
        while (results.size() < end) {
            const ConvertJob &job = jobs[results.size()];
            results.push_back(DescribeProblem(job.file, job.problem));
            report(results.back());
        }
    };
    RunBatch(
        options,
        items,
        workers,
        [&](std::size_t index, const BatchResult &done) {
            const std::size_t j = jobOf[index];
            reportProblemsUpTo(j);
            results.push_back(DescribeConversion(jobs[j].file, done.conversion));
            report(results.back());
            return true;
        },
        [] {},
        {BatchWrites::AsDone, withMappingReports, withMappedPixels});
    reportProblemsUpTo(jobs.size());
    return results;
}

} // namespace qv::cli
