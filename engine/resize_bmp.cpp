#include "engine/resize_bmp.h"

#include "common/paths.h"
#include "common/report_error.h"
#include "engine/backup.h"
#include "engine/fitting.h"
#include "engine/load_bmp_file.h"
#include "engine/mod_add_bmp_header.h"
#include "engine/preview_box.h"
#include "palette/convert_palette.h"
#include "palette/palette_store.h"
#include "palette/transparency_scan.h"
#include "platform/app_info.h"
#include "platform/checked.h"
#include "platform/files.h"

#include <array>
#include <new>
#include <vector>

namespace qv {
namespace {

constexpr std::size_t kPaletteTableSize = 1024;

void Tell(EngineHost &host, const std::string &text)
{
    host.Dialogs().MessageBox(text, kAppTitle, MessageIcon::None);
}

// The palette byte table as the output file needs it: a picture without a colour table (24-,
// 32-bit) leaves it short until a palette load fills it, and a short one is padded with black.
std::vector<std::uint8_t> OutputPaletteTable(const PaletteStore &store)
{
    std::vector<std::uint8_t> table = store.PaletteTable();
    table.resize(kPaletteTableSize, 0);
    return table;
}

std::string FailureName(const PlacementTrace &trace, std::int32_t outW, std::int32_t outH)
{
    return "ResizeBMP at line 0, pixel " + std::to_string(trace.x) + " , " + std::to_string(trace.y)
        + " , " + std::to_string(outW) + " , " + std::to_string(outH) + " , "
        + std::to_string(trace.xOff) + " , " + std::to_string(trace.yOff);
}

// Loads the picture and brings it onto the target palette when wanted; false when it is not
// taken (its message has been shown).
bool LoadAndMap(EngineHost &host, const std::string &path, LoadedImage &image)
{
    const std::string fileName = FileNameFromPath(path);
    PaletteStore &store = host.Palette();
    // The second pass runs after Convert Palette was switched on; a host that fails to switch
    // it would otherwise ask forever.
    for (int pass = 0; pass < 2; ++pass) {
        image = LoadedImage {};
        if (!LoadBMPFile(host.Dialogs(), host.LargestSquareSize(), path, image)) {
            return false;
        }
        store.SetPaletteTable(image.palette);
        const int square = host.SquareSize();
        if (image.width > square || image.height > square) {
            Tell(host, fileName + " is larger than the output square.");
            return false;
        }
        if (host.ConvertPaletteChecked()) {
            const std::array<std::int32_t, 3> brightness = {host.BrightnessValue(2) - 100,
                host.BrightnessValue(1) - 100,
                host.BrightnessValue(0) - 100};
            if (!ConvertPalette(host,
                    store,
                    image.pixels,
                    image.palette,
                    brightness,
                    image.width,
                    image.height,
                    image.bitCount)) {
                Tell(host, "Error converting the palette for: " + fileName);
                return false;
            }
            return true;
        }
        if (image.bitCount <= 8) {
            return true;
        }
        Tell(host,
            fileName + " is " + std::to_string(image.bitCount)
                + "-bit and needs to have its palette converted.");
        host.RunConvertPaletteCommand();
    }
    return false;
}

// The output picture's file bytes: the indexed rows as they are under None, else the square
// canvas rescaled to the option's side with, on request, transparent edge columns.
std::vector<std::uint8_t> BuildOutput(EngineHost &host,
    LoadedImage &image,
    std::int32_t &outW,
    std::int32_t &outH,
    PlacementTrace &trace)
{
    const int scaling = host.GetScalingOption();
    const std::int32_t side = ScaledSide(scaling);
    if (side == 0) {
        std::vector<std::uint8_t> output = std::move(image.pixels);
        AddBMPHeader(image.width, image.height, output, OutputPaletteTable(host.Palette()));
        return output;
    }
    std::vector<std::uint8_t> canvas = PlaceOnCanvas(image.pixels,
        image.width,
        image.height,
        outW,
        outH,
        host.GetVerticalAlignmentOption(),
        host.GetHorizontalAlignmentOption(),
        OutputTransparentIndex(host),
        trace);
    ResizeTo(host, canvas, side, side, outW, outH);
    if (host.TransparentEdgesChecked()) {
        const std::uint8_t transparent = OutputTransparentIndex(host);
        for (trace.y = 0; trace.y < outH; ++trace.y) {
            const std::int32_t rowStart = CheckedMul(trace.y, outW);
            At(canvas, rowStart) = transparent;
            At(canvas, CheckedSub(CheckedAdd(rowStart, outW), 1)) = transparent;
        }
    }
    AddBMPHeader(outW, outH, canvas, OutputPaletteTable(host.Palette()));
    return canvas;
}

} // namespace

ResizeResult ResizeBMP(EngineHost &host,
    const std::string &path,
    std::int32_t &outW,
    std::int32_t &outH,
    bool previewOnly,
    const std::string &outputPath)
{
    PlacementTrace trace;
    try {
        LoadedImage image;
        if (!LoadAndMap(host, path, image)) {
            return ResizeResult::Refused;
        }
        const bool replaceInput = !previewOnly && outputPath.empty();
        if (replaceInput) {
            MakeBackupCopy(path, host.BackupFolder());
        }
        std::vector<std::uint8_t> output = BuildOutput(host, image, outW, outH, trace);
        if (previewOnly) {
            host.ShowPreview({std::move(output),
                OutputPaletteTable(host.Palette()),
                PreviewBoxFor(host.GetScalingOption(), outW, outH)});
            return ResizeResult::Previewed;
        }
        WriteFileAtomic(replaceInput ? path : outputPath, output);
        return ResizeResult::Converted;
    } catch (const Failure &failure) {
        ReportError(host.Dialogs(), FailureName(trace, outW, outH), failure);
    } catch (const std::bad_alloc &) {
        ReportError(host.Dialogs(),
            FailureName(trace, outW, outH),
            Failure(kOutOfMemory, FailureDescription(kOutOfMemory)));
    }
    return ResizeResult::Failed;
}

} // namespace qv
