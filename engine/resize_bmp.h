#pragma once

#include "common/conversion_options.h"
#include "engine/conversion_result.h"
#include "engine/conversion_sink.h"

#include <cstdint>
#include <string>

namespace qv {

class PaletteStore;

// Where a conversion's result goes.
struct ResizeDestination {
    enum class Kind {
        Preview, // shown through the sink; no file is touched
        ReplaceInput, // the input is copied into backupFolder first, then replaced
        OutputFile, // written to outputPath; no backup, the input stays untouched
    };
    Kind kind = Kind::Preview;
    std::string backupFolder;
    std::string outputPath;
    // ReplaceInput: the backup folder is made when the first backup needs it, so a run that
    // backs nothing up leaves no empty folder. Without it the folder must exist already.
    bool makeBackupFolder = false;

    static ResizeDestination Preview() { return {}; }
    static ResizeDestination ReplaceInput(std::string backupFolder, bool makeBackupFolder = false)
    {
        return {Kind::ReplaceInput, std::move(backupFolder), {}, makeBackupFolder};
    }
    static ResizeDestination OutputFile(std::string outputPath)
    {
        return {Kind::OutputFile, {}, std::move(outputPath)};
    }
};

// Converts one picture with the options as its front end held them when the conversion started:
// load, then the size test against options.squareSize, then the palette. A picture of more than
// 8 bits while Convert Palette is off gets its message, has the sink switch Convert Palette on
// and is loaded and tested again with the options the sink hands back, all in this one call; the
// rest of the conversion uses those options too. An 8-bit picture without Convert Palette keeps
// its own table; the Average modes then match with what the store's last palette conversion
// prepared (see ResizeTo). Under a scaling option the picture is placed in the outW x outH
// square and rescaled (outW, outH then become the new side). ReplaceInput writes the result to
// ResultPath(path, options.outputFormat): the input itself, or the file of the output format's
// name beside it (the input then stays untouched). Whatever the result replaces is first copied
// into the backup folder (never over an earlier, different backup); a failed backup leaves it as
// it was. The result is written atomically, and only when the sink's MayWrite agrees. Pixels keyed
// by colour or alpha (KeyedPixels) become the output transparent index before the picture is
// fitted. Every message goes through sink.Dialogs(); nothing escapes to the caller, and what
// happened is returned as a value as well (the mapping report in it when the sink wants one).
ConversionResult ResizeBMP(ConversionSink &sink,
    PaletteStore &store,
    const ConversionOptions &options,
    const std::string &path,
    std::int32_t &outW,
    std::int32_t &outH,
    const ResizeDestination &destination);

} // namespace qv
