#include "engine/batch_run.h"

#include "common/report_error.h"
#include "engine/conversion_sink.h"
#include "palette/palette_store.h"
#include "platform/failure.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace qv {
namespace {

// The shared state of one batch: the results waiting for delivery, how many were delivered,
// whether the batch stops, and whether the first worker has settled Convert Palette.
class BatchState
{
public:
    explicit BatchState(std::size_t count)
        : results_(count)
    { }

    // The results of the items from first on, in order, at once: the delivering thread wakes
    // once for the lot.
    void Put(std::size_t first, std::vector<BatchResult> &results)
    {
        {
            const std::lock_guard lock(mutex_);
            for (std::size_t k = 0; k < results.size(); ++k) {
                results_[first + k] = std::move(results[k]);
            }
        }
        results.clear();
        changed_.notify_all();
    }

    // The result of index once it is there, or nothing after the wait.
    std::optional<BatchResult> Take(std::size_t index, std::chrono::milliseconds wait)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, wait, [&] { return results_[index].has_value(); });
        std::optional<BatchResult> result = std::move(results_[index]);
        results_[index].reset();
        return result;
    }

    void Delivered(std::size_t count, bool goOn)
    {
        {
            const std::lock_guard lock(mutex_);
            delivered_ = count;
            stopped_ = stopped_ || !goOn;
        }
        changed_.notify_all();
    }

    void Stop()
    {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

    // Waits until every item before index was delivered; false when the batch stops instead.
    bool WaitForTurn(std::size_t index)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || delivered_ >= index; });
        return !stopped_;
    }

    bool Stopped()
    {
        const std::lock_guard lock(mutex_);
        return stopped_;
    }

    void Release()
    {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

    // Waits until the first worker has settled Convert Palette (or the batch ends).
    void WaitForRelease()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return released_ || stopped_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<BatchResult>> results_;
    std::size_t delivered_ = 0;
    bool stopped_ = false;
    bool released_ = false;
};

// How many items a worker takes at a time: enough that the delivering thread is woken and the
// shared counter touched once per several small pictures, few enough that every worker gets
// about eight turns and the last turn leaves no worker long idle.
std::size_t ChunkSize(std::size_t count, int workers)
{
    constexpr std::size_t kLargest = 16;
    const std::size_t turns = static_cast<std::size_t>(workers) * 8;
    return std::clamp<std::size_t>(count / turns, 1, kLargest);
}

// One converting worker: its own options, palette store and message recorder, and the results
// it has converted but not yet handed over.
class BatchWorker : public ConversionSink
{
public:
    BatchWorker(const ConversionOptions &options, BatchState &state, BatchPolicy policy)
        : options_(options)
        , state_(state)
        , policy_(policy)
    { }

    const ConversionOptions &Options() const { return options_; }

    // Converts the item; its result waits in the worker's hand until Hand.
    void Convert(std::size_t index, const BatchItem &item)
    {
        if (hand_.empty()) {
            handFirst_ = index;
        }
        index_ = index;
        dialogs_.ClearLog();
        BatchResult result;
        std::int32_t outW = item.side;
        std::int32_t outH = item.side;
        try {
            result.conversion =
                ResizeBMP(*this, store_, options_, item.path, outW, outH, item.destination);
        } catch (const std::exception &error) {
            // The conversion reports every failure it expects; anything else ends this item,
            // not the batch.
            const Failure failure(kInternalError, error.what());
            ReportError(dialogs_, "ResizeBMP", failure);
            result.conversion.kind = ConversionResult::Kind::Failed;
            result.conversion.failure = ReportedFailure::Of("ResizeBMP", failure);
        }
        result.messages = dialogs_.Log();
        hand_.push_back(std::move(result));
    }

    // Hands the results converted since the last hand-over to the delivering thread.
    void Hand()
    {
        if (!hand_.empty()) {
            state_.Put(handFirst_, hand_);
        }
    }

    DialogService &Dialogs() override { return dialogs_; }
    void ShowPreview(const PreviewPicture &) override { }
    // Stays on for every later picture of this worker, as the window's menu check does.
    ConversionOptions SwitchConvertPaletteOn() override
    {
        options_.convertPalette = true;
        return options_;
    }
    bool MayWrite() override
    {
        if (policy_.writes == BatchWrites::AsDone) {
            return !state_.Stopped();
        }
        // The results in hand come before this one: the turn never comes without them.
        Hand();
        return state_.WaitForTurn(index_);
    }
    bool WantsMappingReport() const override { return policy_.mappingReports; }
    bool WantsMappedPixels() const override { return policy_.mappedPixels; }

private:
    ConversionOptions options_;
    PaletteStore store_;
    BatchState &state_;
    BatchPolicy policy_;
    ScriptedDialogService dialogs_;
    std::size_t index_ = 0;
    std::size_t handFirst_ = 0;
    std::vector<BatchResult> hand_;
};

} // namespace

std::size_t RunBatch(const ConversionOptions &options,
    const std::vector<BatchItem> &items,
    int workers,
    const std::function<bool(std::size_t index, const BatchResult &result)> &deliver,
    const std::function<void()> &idle,
    BatchPolicy policy)
{
    const std::size_t count = items.size();
    if (workers < 1) {
        workers = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    }
    // No more workers than items, and always one, which also settles Convert Palette.
    workers = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(workers), std::max<std::size_t>(count, 1)));

    BatchState state(count);
    std::size_t delivered = 0;
    // Delivers the next result once it is there; false when the batch is to stop.
    const auto deliverNext = [&](std::chrono::milliseconds wait) {
        std::optional<BatchResult> result = state.Take(delivered, wait);
        if (!result) {
            idle();
            return true;
        }
        const bool goOn = deliver(delivered, *result);
        state.Delivered(++delivered, goOn);
        idle();
        return goOn;
    };

    if (workers == 1) {
        // One worker needs no thread of its own: no start-up, no hand-over, no waking.
        BatchWorker worker(options, state, policy);
        for (std::size_t i = 0; i < count; ++i) {
            worker.Convert(i, items[i]);
            worker.Hand();
            if (!deliverNext(std::chrono::milliseconds(0))) {
                break;
            }
        }
        return delivered;
    }

    std::atomic<std::size_t> next {0};
    const std::size_t chunk = ChunkSize(count, workers);
    const auto drain = [&](BatchWorker &worker) {
        for (std::size_t first = next.fetch_add(chunk); first < count && !state.Stopped();
             first = next.fetch_add(chunk)) {
            const std::size_t end = std::min(count, first + chunk);
            for (std::size_t i = first; i < end && !state.Stopped(); ++i) {
                worker.Convert(i, items[i]);
            }
            worker.Hand();
        }
    };
    ConversionOptions switchedOn = options;
    switchedOn.convertPalette = true;
    {
        std::vector<std::jthread> threads;
        // Destroyed before the threads are joined, also when deliver throws: every worker then
        // stops waiting for its turn.
        struct StopOnExit {
            BatchState &state;
            ~StopOnExit() { state.Stop(); }
        };
        const StopOnExit stopOnExit {state};
        threads.emplace_back([&] {
            BatchWorker worker(options, state, policy);
            std::size_t i = 0;
            while (!worker.Options().convertPalette && !state.Stopped() && (i = next++) < count) {
                worker.Convert(i, items[i]);
                worker.Hand();
            }
            state.Release();
            drain(worker);
        });
        for (int w = 1; w < workers; ++w) {
            threads.emplace_back([&] {
                state.WaitForRelease();
                BatchWorker worker(switchedOn, state, policy);
                drain(worker);
            });
        }
        while (delivered < count && deliverNext(std::chrono::milliseconds(15))) { }
    }
    return delivered;
}

} // namespace qv
