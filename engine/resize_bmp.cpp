#include "engine/resize_bmp.h"

#include "common/paths.h"
#include "common/report_error.h"
#include "engine/backup.h"
#include "engine/fitting.h"
#include "engine/keyed_pixels.h"
#include "engine/load_bmp_file.h"
#include "engine/mod_add_bmp_header.h"
#include "engine/preview_box.h"
#include "engine/result_bytes.h"
#include "engine/result_path.h"
#include "palette/convert_palette.h"
#include "palette/palette_store.h"
#include "platform/app_info.h"
#include "platform/checked.h"
#include "platform/files.h"

#include <array>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace qv {
namespace {

constexpr std::size_t kPaletteTableSize = 1024;

void Tell(DialogService &dialogs, const std::string &text)
{
    dialogs.MessageBox(text, kAppTitle, MessageIcon::None);
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

// Brightness as the palette conversion takes it: blue, green, red, each -100..100.
std::array<std::int32_t, 3> BrightnessPercent(const ConversionOptions &options)
{
    return {options.brightness[2] - 100, options.brightness[1] - 100, options.brightness[0] - 100};
}

// Puts the output transparent index on the keyed pixels of the indexed rows.
void ApplyKey(const std::vector<bool> &keyed, std::uint8_t transparent, LoadedImage &image)
{
    for (std::size_t p = 0; p < keyed.size(); ++p) {
        if (keyed[p]) {
            At(image.pixels, p) = transparent;
        }
    }
}

// Loads the picture and brings it onto the target palette when wanted; false when it is not
// taken (its message has been shown, and result says why). options may be replaced by the ones
// the sink hands back after switching Convert Palette on.
bool LoadAndMap(ConversionSink &sink,
    PaletteStore &store,
    ConversionOptions &options,
    const std::string &path,
    LoadedImage &image,
    ConversionResult &result)
{
    using Kind = ConversionResult::Kind;
    DialogService &dialogs = sink.Dialogs();
    const std::string fileName = FileNameFromPath(path);
    // The second pass runs after Convert Palette was switched on; a sink that fails to switch
    // it would otherwise ask forever.
    for (int pass = 0; pass < 2; ++pass) {
        image = LoadedImage {};
        const bool taken =
            LoadBMPFile(dialogs, options.largestSquareSize, path, image, &result.refusal);
        result.pictureWidth = image.width;
        result.pictureHeight = image.height;
        result.bitCount = image.bitCount;
        if (!taken) {
            result.kind = Kind::NotAPicture;
            return false;
        }
        store.SetPaletteTable(image.palette);
        if (image.width > options.squareSize || image.height > options.squareSize) {
            Tell(dialogs, fileName + " is larger than the output square.");
            result.kind = Kind::TooLarge;
            result.square = options.squareSize;
            return false;
        }
        const std::vector<bool> keyed = KeyedPixels(image, options);
        if (options.convertPalette) {
            ConversionOptions matching = options;
            if (KeysByColor(options)) {
                matching.inputTransparentColor = -1; // the colour key stands in for the index
            }
            MappingReport report;
            auto mapped = sink.WantsMappedPixels() ? std::make_shared<MappedPixels>() : nullptr;
            if (!ConvertPalette(dialogs,
                    store,
                    matching,
                    image.pixels,
                    image.palette,
                    BrightnessPercent(options),
                    image.width,
                    image.height,
                    image.bitCount,
                    sink.WantsMappingReport() ? &report : nullptr,
                    &keyed,
                    mapped.get())) {
                Tell(dialogs, "Error converting the palette for: " + fileName);
                result.kind = Kind::PaletteFailed;
                return false;
            }
            ApplyKey(keyed, options.outputTransparentColor, image);
            result.mapped = std::move(mapped);
            if (sink.WantsMappingReport()) {
                result.report = report;
                sink.MappingReported(report);
            }
            return true;
        }
        if (image.bitCount <= 8) {
            ApplyKey(keyed, options.outputTransparentColor, image);
            return true;
        }
        Tell(dialogs,
            fileName + " is " + std::to_string(image.bitCount)
                + "-bit and needs to have its palette converted.");
        result.kind = Kind::NeedsPaletteConversion;
        const std::int16_t depth = image.bitCount;
        options = sink.SwitchConvertPaletteOn();
        if (options.convertPalette) {
            result.switchedConvertPaletteAtDepth = depth;
        }
    }
    return false;
}

// Indexed rows, top row first, stride = width rounded up to 4.
struct IndexedRows {
    std::vector<std::uint8_t> rows;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The output picture: the indexed rows as they are under None, else the square canvas rescaled
// to the option's side (outW and outH then become it) with, on request, transparent edge
// columns. A failed rescaling is noted in result.
IndexedRows BuildOutput(DialogService &dialogs,
    PaletteStore &store,
    const ConversionOptions &options,
    LoadedImage &image,
    std::int32_t &outW,
    std::int32_t &outH,
    PlacementTrace &trace,
    ConversionResult &result)
{
    const std::int32_t side = ScaledSide(options.scaling);
    if (side == 0) {
        return {std::move(image.pixels), image.width, image.height};
    }
    const std::uint8_t transparent = options.outputTransparentColor;
    std::vector<std::uint8_t> canvas = PlaceOnCanvas(image.pixels,
        image.width,
        image.height,
        outW,
        outH,
        options.verticalAlignment,
        options.horizontalAlignment,
        transparent,
        trace);
    result.rescaleFailure = ResizeTo(dialogs, store, options, canvas, side, side, outW, outH);
    if (options.transparentEdges) {
        for (trace.y = 0; trace.y < outH; ++trace.y) {
            const std::int32_t rowStart = CheckedMul(trace.y, outW);
            At(canvas, rowStart) = transparent;
            At(canvas, CheckedSub(CheckedAdd(rowStart, outW), 1)) = transparent;
        }
    }
    return {std::move(canvas), outW, outH};
}

// The bytes of an 8-bit bitmap file of the rows.
std::vector<std::uint8_t> BitmapBytes(const PaletteStore &store, IndexedRows output)
{
    AddBMPHeader(output.width, output.height, output.rows, OutputPaletteTable(store));
    return std::move(output.rows);
}

// The result file in the chosen format.
ResultFile FileBytes(
    const PaletteStore &store, const ConversionOptions &options, IndexedRows output)
{
    if (options.outputFormat == OutputFormat::Bmp) {
        return {BitmapBytes(store, std::move(output)), {}, {}};
    }
    return EncodeResult(
        options, output.rows, output.width, output.height, OutputPaletteTable(store));
}

} // namespace

ConversionResult ResizeBMP(ConversionSink &sink,
    PaletteStore &store,
    const ConversionOptions &startOptions,
    const std::string &path,
    std::int32_t &outW,
    std::int32_t &outH,
    const ResizeDestination &destination)
{
    using Kind = ResizeDestination::Kind;
    DialogService &dialogs = sink.Dialogs();
    ConversionResult result;
    PlacementTrace trace;
    // The backup is named in a failure as it always was, from before the picture is placed,
    // although it is made once the result is built (and the sink lets it be written).
    PlacementTrace traceBeforeBuild;
    const std::int32_t sideBeforeW = outW;
    const std::int32_t sideBeforeH = outH;
    bool backingUp = false;
    const auto failureName = [&] {
        return backingUp ? FailureName(traceBeforeBuild, sideBeforeW, sideBeforeH)
                         : FailureName(trace, outW, outH);
    };
    std::optional<Failure> failed;
    try {
        ConversionOptions options = startOptions;
        LoadedImage image;
        if (!LoadAndMap(sink, store, options, path, image, result)) {
            return result;
        }
        traceBeforeBuild = trace;
        IndexedRows output = BuildOutput(dialogs, store, options, image, outW, outH, trace, result);
        result.entries = CountEntries(output.rows, output.width, output.height);
        if (destination.kind == Kind::Preview) {
            // The preview shows the indices as a bitmap whatever the file format.
            sink.ShowPreview({BitmapBytes(store, std::move(output)),
                OutputPaletteTable(store),
                PreviewBoxFor(options.scaling, outW, outH)});
            result.kind = ConversionResult::Kind::Previewed;
            return result;
        }
        const std::int32_t width = output.width;
        const std::int32_t height = output.height;
        ResultFile file = FileBytes(store, options, std::move(output));
        if (!file.refusal.empty()) {
            Tell(dialogs, FileNameFromPath(path) + " " + file.refusal);
            result.kind = ConversionResult::Kind::FormatRefused;
            result.formatRefusal = file.refusal;
            return result;
        }
        if (!sink.MayWrite()) {
            result.kind = ConversionResult::Kind::Skipped;
            return result;
        }
        // In place the result replaces the input, or the file of the output format's name beside
        // it; whatever it replaces is backed up first.
        std::string target = destination.outputPath;
        if (destination.kind == Kind::ReplaceInput) {
            target = ResultPath(path, options.outputFormat);
            if (target == path || FileExists(target)) {
                backingUp = true;
                if (destination.makeBackupFolder) {
                    EnsureFolder(destination.backupFolder);
                }
                MakeBackupCopy(target, destination.backupFolder);
                backingUp = false;
            }
        }
        WriteFileAtomic(target, file.bytes);
        result.kind = ConversionResult::Kind::Converted;
        result.output = target;
        result.format = options.outputFormat;
        result.offsets = file.offsets;
        result.outputWidth = width;
        result.outputHeight = height;
        return result;
    } catch (const Failure &failure) {
        failed = failure;
    } catch (const std::bad_alloc &) {
        failed = Failure(kOutOfMemory, FailureDescription(kOutOfMemory));
    }
    ReportError(dialogs, failureName(), *failed);
    result.kind = ConversionResult::Kind::Failed;
    result.failure = ReportedFailure::Of("ResizeBMP", *failed);
    return result;
}

} // namespace qv
