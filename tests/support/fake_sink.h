#pragma once

#include "common/conversion_options.h"
#include "engine/conversion_sink.h"
#include "engine/resize_bmp.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::test {

// A conversion's front end as plain fields: the options (the program's first-start settings
// unless a test changes them), a palette store, a scripted dialog service, and a record of the
// previews shown and of the Convert Palette commands run (each switches options.convertPalette
// on and hands the options back).
class FakeSink : public ConversionSink
{
public:
    ConversionOptions options;
    PaletteStore store;
    ScriptedDialogService dialogs;
    std::vector<PreviewPicture> previews;
    int convertPaletteCommands = 0;
    // Runs inside each Convert Palette command, after the switch, as a front end's own changes
    // would (it may change the options handed back, or the files).
    std::function<void(ConversionOptions &)> duringConvertPaletteCommand;

    DialogService &Dialogs() override { return dialogs; }
    void ShowPreview(const PreviewPicture &picture) override { previews.push_back(picture); }
    ConversionOptions SwitchConvertPaletteOn() override;

    // ResizeBMP with this sink, its store and its options; what happened, coarsely.
    ResizeResult Resize(const std::string &path,
        std::int32_t &outW,
        std::int32_t &outH,
        const ResizeDestination &destination);
};

// A Photoshop ACT palette (768 bytes) of the grey ramp: entry i is (i, i, i), so the nearest entry
// to grey g is g, and the mean of two entries' colours is an entry again.
std::vector<std::uint8_t> GreyActPalette();

// The palette byte table of the grey ramp (blue, green, red, 0 per entry).
std::vector<std::uint8_t> GreyPaletteTable();

// Options whose target palette is the grey ramp, chosen as an ACT file, with no entry skipped
// (or only 255) and transparency off, and a store and dialogs to match with.
struct GreyPalette {
    explicit GreyPalette(bool skip255 = false)
    {
        options.palette = PaletteChoice::File(dir.Write("grey.act", GreyActPalette()));
        options.skip = {};
        options.skip[255] = skip255;
        options.applyTransparency = false;
    }

    TempDir dir;
    ScriptedDialogService dialogs;
    ConversionOptions options;
    PaletteStore store;
};

} // namespace qv::test
