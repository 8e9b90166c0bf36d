#include "cli/convert_run.h"

#include "cli/convert_worker.h"
#include "cli/message_line.h"
#include "common/paths.h"
#include "engine/resize_bmp.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

namespace qv::cli {
namespace {

// Results of the workers, handed out in job order.
class ResultSlots
{
public:
    explicit ResultSlots(std::size_t count)
        : results_(count)
        , done_(count, false)
    { }

    // The results of the jobs from first on, in order, at once: the reporting thread wakes once
    // for the lot.
    void Put(std::size_t first, std::vector<FileResult> &results)
    {
        {
            const std::lock_guard lock(mutex_);
            for (std::size_t k = 0; k < results.size(); ++k) {
                results_[first + k] = std::move(results[k]);
                done_[first + k] = true;
            }
        }
        results.clear();
        changed_.notify_all();
    }

    // Waits until the result of index is there.
    const FileResult &Wait(std::size_t index)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_[index]; });
        return results_[index];
    }

    std::vector<FileResult> Take() { return std::move(results_); }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<FileResult> results_;
    std::vector<bool> done_;
};

// Lets the other workers start once Convert Palette is settled.
class StartSignal
{
public:
    void Give()
    {
        {
            const std::lock_guard lock(mutex_);
            given_ = true;
        }
        changed_.notify_all();
    }

    void Wait()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return given_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool given_ = false;
};

// How many jobs a worker takes at a time: enough that the reporting thread is woken and the
// shared counter touched once per several small pictures, few enough that every worker gets
// about eight turns and the last turn leaves no worker long idle.
std::size_t BatchSize(std::size_t count, int workers)
{
    constexpr std::size_t kLargest = 16;
    const std::size_t turns = static_cast<std::size_t>(workers) * 8;
    return std::clamp<std::size_t>(count / turns, 1, kLargest);
}

FileStatus StatusOf(ResizeResult result)
{
    switch (result) {
    case ResizeResult::Converted:
        return FileStatus::Converted;
    case ResizeResult::Refused:
        return FileStatus::Refused;
    case ResizeResult::Failed:
    case ResizeResult::Previewed:
    case ResizeResult::Skipped:
        break;
    }
    return FileStatus::Failed;
}

// The window's "is larger than the output square." with what the command line can do about it.
std::string WithSquareAdvice(
    const std::string &message, const ConvertWorker &worker, const std::string &file)
{
    const std::string refusal = FileNameFromPath(file) + " is larger than the output square.";
    if (message != refusal) {
        return message;
    }
    const std::int32_t width = worker.LoadedWidth();
    const std::int32_t height = worker.LoadedHeight();
    return refusal.substr(0, refusal.size() - 1) + ": " + std::to_string(width) + " x "
        + std::to_string(height) + " in a square of " + std::to_string(worker.Options().squareSize)
        + "; use --size " + std::to_string(std::max(width, height)) + " or --find-minimum.";
}

} // namespace

FileResult ConvertOne(ConvertWorker &worker, const ConvertJob &job)
{
    FileResult result;
    result.file = job.file;
    if (!job.problem.empty()) {
        result.messages.push_back(job.problem);
        return result;
    }
    worker.Recorder().ClearLog();
    worker.LastReport().reset();
    std::string escaped; // what escaped the engine, which reports everything it expects
    try {
        const ConversionOptions &options = worker.Options();
        std::int32_t outW = options.squareSize;
        std::int32_t outH = outW;
        const ResizeDestination destination = job.outputPath.empty()
            ? ResizeDestination::ReplaceInput(job.backupFolder, true)
            : ResizeDestination::OutputFile(job.outputPath);
        result.status = StatusOf(
            ResizeBMP(worker, worker.Palette(), options, job.file, outW, outH, destination));
    } catch (const std::exception &error) {
        result.status = FileStatus::Failed;
        escaped = error.what();
    }
    for (const ScriptedDialogService::Shown &shown : worker.Recorder().Log()) {
        result.messages.push_back(
            WithSquareAdvice(OneLine(shown.text, FileNameFromPath(job.file)), worker, job.file));
    }
    if (!escaped.empty()) {
        result.messages.push_back(escaped);
    }
    if (result.status == FileStatus::Converted) {
        result.output = job.outputPath.empty() ? job.file : job.outputPath;
        result.report = worker.LastReport();
    }
    return result;
}

std::vector<FileResult> RunConversion(const ConversionOptions &options,
    const std::vector<ConvertJob> &jobs,
    int workers,
    const std::function<void(const FileResult &)> &report,
    bool withMappingReports)
{
    const std::size_t count = jobs.size();
    if (workers <= 0) {
        workers = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    }
    // No more workers than jobs, and always one, which also settles Convert Palette.
    workers = static_cast<int>(
        std::min(static_cast<std::size_t>(workers), std::max<std::size_t>(count, 1)));

    if (workers == 1) {
        // One worker needs no thread of its own: no start-up, no hand-over, no waking.
        std::vector<FileResult> results;
        ConvertWorker worker(options, withMappingReports);
        for (const ConvertJob &job : jobs) {
            results.push_back(ConvertOne(worker, job));
            report(results.back());
        }
        return results;
    }

    ResultSlots slots(count);
    std::atomic<std::size_t> next {0};
    StartSignal start;
    const std::size_t batch = BatchSize(count, workers);
    auto drain = [&](ConvertWorker &worker) {
        std::vector<FileResult> done;
        for (std::size_t first = next.fetch_add(batch); first < count;
             first = next.fetch_add(batch)) {
            const std::size_t end = std::min(count, first + batch);
            for (std::size_t i = first; i < end; ++i) {
                done.push_back(ConvertOne(worker, jobs[i]));
            }
            slots.Put(first, done);
        }
    };
    ConversionOptions switchedOn = options;
    switchedOn.convertPalette = true;
    {
        std::vector<std::jthread> threads;
        threads.emplace_back([&] {
            ConvertWorker worker(options, withMappingReports);
            std::vector<FileResult> done;
            std::size_t i = 0;
            while (!worker.Options().convertPalette && (i = next++) < count) {
                done.push_back(ConvertOne(worker, jobs[i]));
                slots.Put(i, done);
            }
            start.Give();
            drain(worker);
        });
        for (int w = 1; w < workers; ++w) {
            threads.emplace_back([&] {
                start.Wait();
                ConvertWorker worker(switchedOn, withMappingReports);
                drain(worker);
            });
        }
        for (std::size_t i = 0; i < count; ++i) {
            report(slots.Wait(i));
        }
    }
    return slots.Take();
}

} // namespace qv::cli
