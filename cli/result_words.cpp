#include "cli/result_words.h"

#include "cli/message_line.h"
#include "common/option_table.h"
#include "platform/failure.h"
#include "platform/files.h"

#include <algorithm>
#include <cctype>

namespace qv::cli {
namespace {

using Kind = ConversionResult::Kind;

// A description as words inside a line: its first letter lowered, unless it begins an
// abbreviation ("Disk full (...)" -> "disk full (...)"; "PNG ..." stays).
std::string InWords(std::string description)
{
    if (description.size() >= 2 && std::isupper(static_cast<unsigned char>(description[0]))
        && !std::isupper(static_cast<unsigned char>(description[1]))) {
        description[0] =
            static_cast<char>(std::tolower(static_cast<unsigned char>(description[0])));
    }
    return description;
}

// What a failure says beyond its number's standard wording ("Input past end of file: the file
// is empty" -> "the file is empty"), in words.
std::string Detail(const ReportedFailure &failure)
{
    const std::string standard = FailureDescription(failure.number) + ": ";
    if (failure.description.starts_with(standard)) {
        return failure.description.substr(standard.size());
    }
    return InWords(failure.description);
}

// Failures of the file system (the file could be there but not be read), against those of the
// file's content.
bool IsFileSystemFailure(std::int32_t number)
{
    return number == kFileNotFound || number == kDiskFull || number == kPermissionDenied
        || number == kPathFileAccessError || number == kPathNotFound || number == kOutOfMemory;
}

std::string PaletteNeeded(const std::string &file, std::int16_t depth)
{
    return file + " is " + std::to_string(depth) + "-bit and needs to have its palette converted.";
}

// The line and reason word of the outcome itself; no line for a picture that was converted.
void DescribeOutcome(
    const std::string &file, const ConversionResult &conversion, FileResult &result)
{
    const auto say = [&](const char *reason, std::string line) {
        result.reason = reason;
        result.messages.push_back(std::move(line));
    };
    switch (conversion.kind) {
    case Kind::Converted:
    case Kind::Previewed:
        return;
    case Kind::TooLarge:
        return say("too-large",
            file + " is larger than the output square: " + std::to_string(conversion.pictureWidth)
                + " x " + std::to_string(conversion.pictureHeight) + " in a square of "
                + std::to_string(conversion.square) + "; use --size "
                + std::to_string(std::max(conversion.pictureWidth, conversion.pictureHeight))
                + " or --find-minimum.");
    case Kind::NeedsPaletteConversion:
        return say("palette", PaletteNeeded(file, conversion.bitCount));
    case Kind::NotAPicture: {
        const LoadRefusal &refusal = conversion.refusal;
        if (refusal.kind != LoadRefusal::Kind::Unreadable) {
            return say("unsupported", refusal.reason + ": " + file);
        }
        if (IsFileSystemFailure(refusal.failure.number)) {
            return say("unreadable", file + ": " + InWords(refusal.failure.description));
        }
        return say("not-a-picture", file + ": not a picture: " + Detail(refusal.failure));
    }
    case Kind::PaletteFailed:
        return say("palette-failed", file + ": the palette conversion failed");
    case Kind::FormatRefused:
        return say("format", file + " " + conversion.formatRefusal);
    case Kind::Failed:
        return say("failed", file + ": " + InWords(conversion.failure.description));
    case Kind::Skipped:
        return say("skipped", file + ": not converted, the run stopped");
    }
}

FileStatus StatusOf(ResizeResult status)
{
    switch (status) {
    case ResizeResult::Converted:
        return FileStatus::Converted;
    case ResizeResult::Refused:
        return FileStatus::Refused;
    case ResizeResult::Failed:
    case ResizeResult::Previewed:
    case ResizeResult::Skipped:
        break;
    }
    return FileStatus::Failed;
}

} // namespace

FileResult DescribeConversion(const std::string &file, const ConversionResult &conversion)
{
    FileResult result;
    result.file = file;
    result.status = StatusOf(conversion.Status());
    const std::string shown = NativePath(file);
    if (conversion.switchedConvertPaletteAtDepth != 0) {
        result.messages.push_back(PaletteNeeded(shown, conversion.switchedConvertPaletteAtDepth));
    }
    if (conversion.rescaleFailure) {
        result.messages.push_back(
            shown + ": not rescaled: " + InWords(conversion.rescaleFailure->description));
    }
    DescribeOutcome(shown, conversion, result);
    if (result.status == FileStatus::Converted) {
        result.output = conversion.output;
        result.report = conversion.report;
        result.entries = conversion.entries;
        result.mapped = conversion.mapped;
        result.format =
            options::kOutputFormat.names.at(static_cast<std::size_t>(conversion.format)).word;
        if (conversion.offsets) {
            result.offsets = std::make_pair(conversion.offsets->x, conversion.offsets->y);
        }
    }
    return result;
}

FileResult DescribeProblem(const std::string &file, const std::string &problem)
{
    FileResult result;
    result.file = file;
    result.status = FileStatus::Failed;
    result.reason = "not-started";
    result.messages.push_back(NamingTheFileOnce(NativePath(file), problem));
    return result;
}

} // namespace qv::cli
