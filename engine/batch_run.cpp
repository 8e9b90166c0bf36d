#include "engine/batch_run.h"

#include "engine/conversion_sink.h"
#include "palette/palette_store.h"

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
// whether the batch stops, and whether the single thread has settled Convert Palette.
class BatchState
{
public:
    explicit BatchState(std::size_t count)
        : results_(count)
    { }

    void Put(std::size_t index, BatchResult result)
    {
        {
            const std::lock_guard lock(mutex_);
            results_[index] = std::move(result);
        }
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

    // Waits until the single thread has settled Convert Palette (or the batch ends).
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

// One converting thread: its own options, palette store and message recorder.
class BatchWorker : public ConversionSink
{
public:
    BatchWorker(const ConversionOptions &options, BatchState &state)
        : options_(options)
        , state_(state)
    { }

    const ConversionOptions &Options() const { return options_; }

    BatchResult Convert(std::size_t index, const BatchItem &item)
    {
        index_ = index;
        result_ = BatchResult {};
        dialogs_.ClearLog();
        std::int32_t outW = item.side;
        std::int32_t outH = item.side;
        result_.result =
            ResizeBMP(*this, store_, options_, item.path, outW, outH, item.destination);
        result_.messages = dialogs_.Log();
        return std::move(result_);
    }

    DialogService &Dialogs() override { return dialogs_; }
    void ShowPreview(const PreviewPicture &) override { }
    // Stays on for every later picture of this thread, as the window's menu check does.
    ConversionOptions SwitchConvertPaletteOn() override
    {
        options_.convertPalette = true;
        result_.switchedConvertPaletteOn = true;
        return options_;
    }
    void PictureLoaded(std::int32_t width, std::int32_t height, std::int16_t) override
    {
        result_.loadedWidth = width;
        result_.loadedHeight = height;
    }
    bool MayWrite() override { return state_.WaitForTurn(index_); }

private:
    ConversionOptions options_;
    PaletteStore store_;
    BatchState &state_;
    ScriptedDialogService dialogs_;
    std::size_t index_ = 0;
    BatchResult result_;
};

} // namespace

std::size_t RunBatch(const ConversionOptions &options,
    const std::vector<BatchItem> &items,
    int workers,
    const std::function<bool(std::size_t index, const BatchResult &result)> &deliver,
    const std::function<void()> &idle)
{
    const std::size_t count = items.size();
    if (workers < 1) {
        workers = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    }
    workers = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(workers), std::max<std::size_t>(count, 1)));

    BatchState state(count);
    std::atomic<std::size_t> next {0};
    const auto drain = [&](BatchWorker &worker) {
        for (std::size_t i = next++; i < count && !state.Stopped(); i = next++) {
            state.Put(i, worker.Convert(i, items[i]));
        }
    };
    ConversionOptions switchedOn = options;
    switchedOn.convertPalette = true;
    std::size_t delivered = 0;
    {
        std::vector<std::jthread> threads;
        // Destroyed before the threads are joined, also when deliver throws: every thread then
        // stops waiting for its turn.
        struct StopOnExit {
            BatchState &state;
            ~StopOnExit() { state.Stop(); }
        };
        const StopOnExit stopOnExit {state};
        threads.emplace_back([&] {
            BatchWorker worker(options, state);
            std::size_t i = 0;
            while (!worker.Options().convertPalette && !state.Stopped() && (i = next++) < count) {
                state.Put(i, worker.Convert(i, items[i]));
            }
            state.Release();
            drain(worker);
        });
        for (int w = 1; w < workers; ++w) {
            threads.emplace_back([&] {
                state.WaitForRelease();
                BatchWorker worker(switchedOn, state);
                drain(worker);
            });
        }
        bool goOn = true;
        while (goOn && delivered < count) {
            std::optional<BatchResult> result =
                state.Take(delivered, std::chrono::milliseconds(15));
            if (!result) {
                idle();
                continue;
            }
            goOn = deliver(delivered, *result);
            state.Delivered(++delivered, goOn);
            idle();
        }
    }
    return delivered;
}

} // namespace qv
