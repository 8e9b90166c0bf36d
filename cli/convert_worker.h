#pragma once

#include "common/conversion_options.h"
#include "engine/conversion_sink.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <string>

namespace qv::cli {

// One converting thread of the command line: its own options, palette store and message
// recorder, so nothing is shared between threads. Every message box is recorded for the caller
// to print; there is no preview and nothing is ever written to a settings file.
class ConvertWorker : public ConversionSink
{
public:
    explicit ConvertWorker(const ConversionOptions &options)
        : options_(options)
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

private:
    ConversionOptions options_;
    ScriptedDialogService dialogs_;
    PaletteStore store_;
};

} // namespace qv::cli
