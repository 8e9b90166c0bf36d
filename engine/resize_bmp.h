#pragma once

#include "engine/engine_host.h"

#include <cstdint>
#include <string>

namespace qv {

// What happened to one file, for a command-line front end that reports per file; the window
// ignores it.
enum class ResizeResult {
    Converted, // the result was written
    Refused, // not taken: refused or unreadable picture, larger than the square, palette failure
    Failed, // stopped by a failure, reported as "ResizeBMP at line 0, ..."
    Previewed, // shown in the preview box
};

// Converts one picture: load, map to the target palette when wanted (switching Convert Palette on,
// with a message, for a picture of more than 8 bits), place it in the outW x outH square and
// rescale it under a scaling option (outW, outH then become the new side), and build the 8-bit
// file. previewOnly shows it through host.ShowPreview. Otherwise, with outputPath empty, the input
// is first copied into the backup folder (never over an earlier, different backup) and then
// replaced atomically; with outputPath set the result goes there, no backup is made and the input
// stays untouched. Every message goes through host.Dialogs(); nothing escapes to the caller. A
// failed backup leaves the input as it was.
ResizeResult ResizeBMP(EngineHost &host,
    const std::string &path,
    std::int32_t &outW,
    std::int32_t &outH,
    bool previewOnly,
    const std::string &outputPath = "");

} // namespace qv
