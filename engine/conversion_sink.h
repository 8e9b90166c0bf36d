#pragma once

#include "common/conversion_options.h"
#include "engine/preview_picture.h"
#include "palette/mapping_report.h"
#include "platform/dialog_service.h"

namespace qv {

// What flows back from a conversion to its front end while it runs: messages and error reports,
// the preview, and the one option change a conversion can make (what happened in the end is the
// conversion's result). The window implements it with its dialogs, picture box and Palette menu;
// the batch runner with a message recorder per worker; tests with a fake.
class ConversionSink
{
public:
    virtual ~ConversionSink() = default;

    // Every message and error report of the conversion is shown here.
    virtual DialogService &Dialogs() = 0;

    // Shows a converted picture in the preview box.
    virtual void ShowPreview(const PreviewPicture &picture) = 0;

    // Switches Convert Palette on as the Palette menu's command does (the window runs the
    // command with its own preview suspended; a batch worker keeps it on for later pictures),
    // and returns the options as the front end now holds them.
    virtual ConversionOptions SwitchConvertPaletteOn() = 0;

    // Asked once a result is built, right before anything is written (its backup first): false
    // leaves every file as it was. A batch that writes in list order waits here for its turn.
    virtual bool MayWrite() { return true; }
    // A front end that shows how well the colours were kept says so; it is then told the mapping
    // report of every picture brought onto the palette, before the picture is fitted, and finds
    // it in the conversion's result as well.
    virtual bool WantsMappingReport() const { return false; }
    virtual void MappingReported(const MappingReport & /*report*/) { }
    // A front end that draws where the colours went says so; the conversion's result then
    // carries what the palette conversion saw and chose (ConversionResult::mapped).
    virtual bool WantsMappedPixels() const { return false; }
};

} // namespace qv
