#pragma once

#include "common/conversion_options.h"
#include "engine/conversion_sink.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv::cli {

// One converting thread of the command line: its own options, palette store and message
// recorder, so nothing is shared between threads. Every message box is recorded for the caller
// to print; there is no preview and nothing is ever written to a settings file.
class ConvertWorker : public ConversionSink
{
public:
    // reports: measure how well each picture's colours were kept (a CIEDE2000 difference per
    // pixel, which costs more than the conversion itself on a picture of many colours); only
    // worth it where the report is shown.
    explicit ConvertWorker(const ConversionOptions &options, bool reports = true)
        : options_(options)
        , reports_(reports)
    { }

    const ConversionOptions &Options() const { return options_; }
    PaletteStore &Palette() { return store_; }
    // The messages the engine has shown; the caller clears it between files.
    ScriptedDialogService &Recorder() { return dialogs_; }

    DialogService &Dialogs() override { return dialogs_; }
    void ShowPreview(const PreviewPicture &) override { }
    // Stays on for every later picture of this worker, as the window's menu check does.
    ConversionOptions SwitchConvertPaletteOn() override
    {
        options_.convertPalette = true;
        return options_;
    }
    void PictureLoaded(std::int32_t width, std::int32_t height, std::int16_t) override
    {
        loadedWidth_ = width;
        loadedHeight_ = height;
    }
    bool WantsMappingReport() const override { return reports_; }
    void MappingReported(const MappingReport &report) override { report_ = report; }
    // The report of the picture converted last; the caller clears it between files.
    std::optional<MappingReport> &LastReport() { return report_; }

    // The size of the picture loaded last.
    std::int32_t LoadedWidth() const { return loadedWidth_; }
    std::int32_t LoadedHeight() const { return loadedHeight_; }

private:
    ConversionOptions options_;
    bool reports_;
    ScriptedDialogService dialogs_;
    PaletteStore store_;
    std::int32_t loadedWidth_ = 0;
    std::int32_t loadedHeight_ = 0;
    std::optional<MappingReport> report_;
};

} // namespace qv::cli
