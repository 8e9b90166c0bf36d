#include "palette/load_palette_data.h"

#include "common/report_error.h"
#include "palette/act_pal.h"
#include "palette/gamepal_obj.h"
#include "palette/jasc_pal.h"
#include "palette/palette_reading.h"
#include "palette/palette_store.h"
#include "palette/riff_pal.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/file_reader.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qv {
namespace {

constexpr std::uint64_t kActSize = 768;
constexpr std::uint64_t kGamepalObjSize = 893;

bool BeginsWith(const std::vector<std::uint8_t> &bytes, std::string_view magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

// Why a palette file could not be opened, in the system's words but for the one case that has
// plainer ones: "File not found: palette file /p/x.pal: no such file".
Failure OpenFailure(const std::error_code &error, const std::string &path)
{
    if (error == std::errc::no_such_file_or_directory) {
        return PaletteFailure(kFileNotFound, PaletteFileName(path), "no such file");
    }
    std::string reason = error.message();
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return PaletteFailure(
        FileFailure(error, "reading", path).Number(), PaletteFileName(path), reason);
}

} // namespace

std::optional<RawPalette> ParsePaletteFile(ByteSource &source, std::string_view name)
{
    if (source.Length() == kActSize) {
        return ParseActPal(source, name);
    }
    if (source.Length() == kGamepalObjSize) {
        return ParseGamepalObj(source, name);
    }
    const std::vector<std::uint8_t> magic = source.ReadAt(0, 4);
    if (BeginsWith(magic, "JASC")) {
        return ParseJascPalFile(source, name);
    }
    if (BeginsWith(magic, "RIFF")) {
        return ParseRiffPal(source, name);
    }
    return std::nullopt;
}

std::optional<RawPalette> ReadPaletteFileData(const std::string &path)
{
    FileReader file(path);
    switch (file.Kind()) {
    case OpenedKind::NotOpened:
        throw OpenFailure(file.OpenError(), path);
    case OpenedKind::Folder:
        throw PaletteFailure(kPathFileAccessError, PaletteFileName(path), "is a folder");
    case OpenedKind::Other:
        throw PaletteFailure(kPathFileAccessError, PaletteFileName(path), "not an ordinary file");
    case OpenedKind::OrdinaryFile:
        break;
    }
    return ParsePaletteFile(file, PaletteFileName(path));
}

bool LoadPaletteDataFromFile(
    DialogService &dialogs, PaletteStore &store, const std::string &path, const std::string &text)
{
    try {
        if (!text.empty()) {
            store.Publish(ParseJascPalText(text));
            return true;
        }
        const std::optional<RawPalette> raw = ReadPaletteFileData(path);
        if (!raw) {
            dialogs.MessageBox("Unknown palette file format!", kAppTitle, MessageIcon::None);
            return false;
        }
        store.Publish(*raw);
        return true;
    } catch (const Failure &failure) {
        ReportError(dialogs, "LoadPaletteDataFromFile", failure);
        return false;
    }
}

} // namespace qv
