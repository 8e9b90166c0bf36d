#include "palette/load_palette_data.h"

#include "common/paths.h"
#include "common/report_error.h"
#include "palette/jasc_pal.h"
#include "palette/palette_file_kind.h"
#include "palette/palette_reading.h"
#include "palette/palette_store.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/file_failure.h"
#include "platform/file_reader.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qv {
namespace {

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
    std::optional<PaletteFile> file = RecognisePaletteFile(source, name, {});
    if (!file) {
        return std::nullopt;
    }
    return file->colors;
}

std::optional<PaletteFile> ReadPaletteFileData(const std::string &path)
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
    return RecognisePaletteFile(file, PaletteFileName(path), FileNameFromPath(path));
}

std::string DescribePaletteFile(const std::string &path)
{
    try {
        const std::optional<PaletteFile> file = ReadPaletteFileData(path);
        return file ? PaletteFileDetail(*file) : "unknown format";
    } catch (const Failure &) {
        return "cannot be read";
    }
}

bool LoadPaletteDataFromFile(
    DialogService &dialogs, PaletteStore &store, const std::string &path, const std::string &text)
{
    try {
        if (!text.empty()) {
            store.Publish(ParseJascPalText(text));
            return true;
        }
        const std::optional<PaletteFile> file = ReadPaletteFileData(path);
        if (!file) {
            dialogs.MessageBox("Unknown palette file format!", kAppTitle, MessageIcon::None);
            return false;
        }
        store.Publish(file->colors);
        return true;
    } catch (const Failure &failure) {
        ReportError(dialogs, "LoadPaletteDataFromFile", failure);
        return false;
    }
}

} // namespace qv
