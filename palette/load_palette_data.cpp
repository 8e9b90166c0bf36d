#include "palette/load_palette_data.h"

#include "common/report_error.h"
#include "palette/act_pal.h"
#include "palette/gamepal_obj.h"
#include "palette/jasc_pal.h"
#include "palette/palette_store.h"
#include "palette/riff_pal.h"
#include "platform/app_info.h"
#include "platform/failure.h"
#include "platform/files.h"

#include <algorithm>
#include <string_view>

namespace qv {
namespace {

constexpr std::size_t kActSize = 768;
constexpr std::size_t kGamepalObjSize = 893;

bool BeginsWith(const std::vector<std::uint8_t> &bytes, std::string_view magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

} // namespace

std::optional<RawPalette> ParsePaletteFile(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() == kActSize) {
        return ParseActPal(bytes);
    }
    if (bytes.size() == kGamepalObjSize) {
        return ParseGamepalObj(bytes);
    }
    if (BeginsWith(bytes, "JASC")) {
        return ParseJascPalFile(bytes);
    }
    if (BeginsWith(bytes, "RIFF")) {
        return ParseRiffPal(bytes);
    }
    return std::nullopt;
}

bool LoadPaletteDataFromFile(
    DialogService &dialogs, PaletteStore &store, const std::string &path, const std::string &text)
{
    try {
        if (!text.empty()) {
            store.Publish(ParseJascPalText(text));
            return true;
        }
        const std::optional<RawPalette> raw = ParsePaletteFile(ReadWholeFile(path));
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
