#pragma once

#include "common/conversion_options.h"
#include "engine/conversion_result.h"
#include "engine/resize_bmp.h"
#include "platform/scripted_dialog_service.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

// One picture of a batch and where its result goes.
struct BatchItem {
    std::string path;
    ResizeDestination destination;
    // The side handed to the conversion (the square's side as the front end shows it).
    std::int32_t side = 64;
};

// When the results of a batch are written.
enum class BatchWrites {
    // Only once every earlier item was delivered (backup first): deliver sees the files change
    // one by one, as a one-by-one batch would change them, and a stop leaves every file either
    // untouched or fully converted. For a front end that can cancel.
    InListOrder,
    // As soon as each is built, whatever has been delivered: for a front end that nothing stops,
    // so that no worker waits for another.
    AsDone,
};

// How a batch runs beyond its options and items.
struct BatchPolicy {
    BatchWrites writes = BatchWrites::InListOrder;
    // Each converted result carries its mapping report. Measuring it costs more than the
    // conversion itself on a picture of many colours: only worth it where it is shown.
    bool mappingReports = false;
    // Each converted result carries what its palette conversion saw and chose.
    bool mappedPixels = false;
};

// What converting one picture of a batch gave.
struct BatchResult {
    // What happened, as a value; its switchedConvertPaletteAtDepth tells the front end to switch
    // Convert Palette on too.
    ConversionResult conversion;
    // Every message box the conversion showed, in order, for a front end that shows them.
    std::vector<ScriptedDialogService::Shown> messages;
};

// Converts the items with the options taken when the batch started, on up to workers threads
// (below 1: one per core), each with a palette store and message recorder of its own; a single
// worker converts on the calling thread. Each worker takes a few items at a time (one at a time
// when there are few) and hands their results over together. The results reach deliver on the
// calling thread in list order; while it waits for the next one, idle runs there every few
// milliseconds, and once after each delivery. When deliver returns false the batch stops: no
// further item starts, and the items in flight write nothing more (their result is Skipped)
// unless they were written already (policy.writes). As long as Convert Palette is off one worker
// converts alone, in order, so that a picture that switches it on does so for every later
// picture, as in a one-by-one batch; so every picture is converted with the same setting whatever
// the number of workers. Returns how many results were delivered.
std::size_t RunBatch(const ConversionOptions &options,
    const std::vector<BatchItem> &items,
    int workers,
    const std::function<bool(std::size_t index, const BatchResult &result)> &deliver,
    const std::function<void()> &idle,
    BatchPolicy policy = {});

} // namespace qv
