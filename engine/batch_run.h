#pragma once

#include "common/conversion_options.h"
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

// What converting one picture of a batch gave.
struct BatchResult {
    ResizeResult result = ResizeResult::Skipped;
    // Every message box the conversion showed, in order, for the front end to show.
    std::vector<ScriptedDialogService::Shown> messages;
    // The conversion switched Convert Palette on (after its message); the front end does so too.
    bool switchedConvertPaletteOn = false;
    // The size of the picture as loaded (zero when it could not be read).
    std::int32_t loadedWidth = 0;
    std::int32_t loadedHeight = 0;
};

// Converts the items with the options taken when the batch started, on several threads, each
// with a palette store of its own, as the command line's workers have. The results reach deliver on
// the calling thread in list order; while it waits for the next one, idle runs there every few
// milliseconds. Results are written in list order too: a conversion writes (backup first) only
// once every earlier item has been delivered, so deliver sees the files change one by one, as
// a one-by-one batch would change them. When deliver returns false the batch stops: the items in
// flight finish without writing anything (their result is Skipped) and no further item starts,
// so every file is either untouched or fully converted. As long as Convert Palette is off one
// thread works alone, in order, so that a picture that switches it on does so for every later
// picture, as in a one-by-one batch. workers below 1 means one per core. Returns how many results
// were delivered.
std::size_t RunBatch(const ConversionOptions &options,
    const std::vector<BatchItem> &items,
    int workers,
    const std::function<bool(std::size_t index, const BatchResult &result)> &deliver,
    const std::function<void()> &idle);

} // namespace qv
