#include "engine/load_bmp_file.h"

#include "common/report_error.h"
#include "engine/pcx_reader.h"
#include "engine/png_file.h"
#include "engine/remove_bmp_header.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/readable_file.h"

namespace qv {
namespace {

// Enough for the headers, masks and colour table of any picture this program reads.
constexpr std::uint64_t kHeaderBytes = 64 * 1024;
// No picture this program reads needs more of its file: 512 x 512 x 4 bytes of rows, with
// room for headers, a table and a gap before the rows.
constexpr std::int64_t kLargestRead = 16 * 1024 * 1024;
// Compressions that hold a whole JPEG or PNG picture instead of rows.
constexpr std::uint32_t kJpeg = 4;
constexpr std::uint32_t kPng = 5;

// The failure as the report shows it: the reason, and the file it belongs to.
Failure NamingTheFile(const Failure &failure, const std::string &path)
{
    const std::string native = NativePath(path);
    if (failure.Description().find(native) != std::string::npos) {
        return failure; // the file services name it already
    }
    return Failure(failure.Number(), failure.Description() + " (" + native + ")");
}

// A plain refusal: the reason, then the path as it was passed.
class Refusals
{
public:
    Refusals(DialogService &dialogs, const std::string &path, LoadRefusal *why)
        : dialogs_(dialogs)
        , path_(path)
        , why_(why)
    { }

    bool Refuse(const std::string &reason)
    {
        dialogs_.MessageBox(reason + ": " + path_, kAppTitle, MessageIcon::None);
        if (why_ != nullptr) {
            *why_ = {LoadRefusal::Kind::Refused, reason, {}};
        }
        return false;
    }

    bool Fail(const Failure &failure)
    {
        ReportError(dialogs_, "LoadBMPFile", NamingTheFile(failure, path_));
        if (why_ != nullptr) {
            *why_ = {
                LoadRefusal::Kind::Unreadable, {}, ReportedFailure::Of("LoadBMPFile", failure)};
        }
        return false;
    }

private:
    DialogService &dialogs_;
    const std::string &path_;
    LoadRefusal *why_;
};

bool IsBitmap(const std::vector<std::uint8_t> &bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::uint32_t ReadU32(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8
        | static_cast<std::uint32_t>(bytes[at + 2]) << 16
        | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// A header of 56 bytes or more has an alpha mask field; a 32-bit picture whose mask names the
// fourth byte carries alpha there.
bool DeclaresAlphaMask(const std::vector<std::uint8_t> &bytes)
{
    constexpr std::size_t kInfoHeader = 14;
    constexpr std::size_t kAlphaMask = kInfoHeader + 52;
    if (bytes.size() < kAlphaMask + 4 || ReadU32(bytes, kInfoHeader) < 56) {
        return false;
    }
    return ReadU32(bytes, kAlphaMask) == 0xFF000000U;
}

bool LoadPcx(Refusals &refusals, int largestSize, const std::string &path, LoadedImage &image)
{
    ReadableFile file(path);
    if (file.Length() == 0) {
        throw Failure(kInputPastEnd, FailureDescription(kInputPastEnd) + ": the file is empty");
    }
    const std::string refusal = DecodePcx(file, largestSize, image);
    return refusal.empty() || refusals.Refuse(refusal);
}

bool LoadPng(Refusals &refusals, int largestSize, const std::string &path, LoadedImage &image)
{
    ReadableFile file(path);
    if (file.Length() == 0) {
        throw Failure(kInputPastEnd, FailureDescription(kInputPastEnd) + ": the file is empty");
    }
    if (!DecodePng(file, largestSize, image)) {
        return refusals.Refuse("PNG too large");
    }
    return true;
}

} // namespace

bool LoadBMPFile(DialogService &dialogs,
    int largestSize,
    const std::string &path,
    LoadedImage &image,
    LoadRefusal *why)
{
    Refusals refusals(dialogs, path, why);
    if (why != nullptr) {
        *why = {};
    }
    try {
        if (HasPngExtension(path)) {
            return LoadPng(refusals, largestSize, path, image);
        }
        if (HasPcxExtension(path)) {
            return LoadPcx(refusals, largestSize, path, image);
        }
        // The headers first: nothing beyond what they declare is read, however large the file.
        std::uint64_t length = 0;
        std::vector<std::uint8_t> bytes = ReadFileStart(path, kHeaderBytes, length);
        if (length == 0) {
            throw Failure(kInputPastEnd, FailureDescription(kInputPastEnd) + ": the file is empty");
        }
        if (!IsBitmap(bytes)) {
            throw Failure(kUnknownFileFormat, "Not a bitmap file");
        }
        const auto fileLength = static_cast<std::int64_t>(length);
        const auto tooLarge = [&] {
            return image.width > largestSize || image.height > largestSize;
        };
        std::int64_t needed = 0;
        try {
            needed = BMPBytesNeeded(bytes, fileLength, image);
        } catch (const Failure &) {
            if (tooLarge()) {
                return refusals.Refuse("BMP too large");
            }
            throw;
        }
        if (tooLarge() || needed > kLargestRead) {
            return refusals.Refuse("BMP too large");
        }
        if (needed > static_cast<std::int64_t>(bytes.size())) {
            bytes = ReadFileStart(path, static_cast<std::uint64_t>(needed), length);
        }
        RemoveBMPHeader(bytes, image);
        const std::uint32_t compression = BMPCompression(bytes);
        if (compression == kJpeg || compression == kPng) {
            return refusals.Refuse("BMP compression " + std::to_string(compression)
                + (compression == kJpeg ? " (JPEG)" : " (PNG)") + " not supported");
        }
        if (image.bitCount != 8 && image.bitCount != 24 && image.bitCount != 32) {
            return refusals.Refuse(
                "BMP bitdepth " + std::to_string(image.bitCount) + " not supported");
        }
        if (compression != 0) {
            return refusals.Refuse(
                "BMP compression " + std::to_string(compression) + " not supported");
        }
        image.hasAlpha = image.bitCount == 32 && DeclaresAlphaMask(bytes);
        return true;
    } catch (const Failure &failure) {
        return refusals.Fail(failure);
    }
}

} // namespace qv
