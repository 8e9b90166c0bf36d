// Palette files are picked by the user from anywhere, so the parsers must survive any bytes:
// load the input as a palette file (the format goes by its content and size), through every
// format's parser and archive reader on its own, and as built-in JASC-PAL text, and check that
// the store changes exactly when the palette was read whole.
#include "fuzz/scratch_file.h"
#include "palette/aco_palette.h"
#include "palette/act_pal.h"
#include "palette/ase_palette.h"
#include "palette/bmp_palette.h"
#include "palette/build_palette_dat.h"
#include "palette/gimp_palette.h"
#include "palette/hex_palette.h"
#include "palette/jasc_pal.h"
#include "palette/load_palette_data.h"
#include "palette/paint_net_palette.h"
#include "palette/pak_directory.h"
#include "palette/palette_store.h"
#include "palette/png_palette.h"
#include "palette/riff_pal.h"
#include "palette/wad_directory.h"
#include "platform/failure.h"
#include "platform/memory_source.h"
#include "platform/scripted_dialog_service.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qv::fuzz::Require;

constexpr std::size_t kActSize = 768;
constexpr std::size_t kGamepalObjSize = 893;

// What the store holds before every load, so a load that should leave it alone can be told
// from one that published something.
qv::RawPalette Sentinel()
{
    qv::RawPalette raw {};
    for (std::size_t i = 0; i < 256; ++i) {
        raw[3 * i] = static_cast<std::uint8_t>(i);
        raw[3 * i + 1] = static_cast<std::uint8_t>(255 - i);
        raw[3 * i + 2] = static_cast<std::uint8_t>(i ^ 0x5AU);
    }
    return raw;
}

// The store holds exactly this palette, in both of its forms.
bool Holds(const qv::PaletteStore &store, const qv::RawPalette &raw)
{
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t red = raw[3 * i];
        const std::uint32_t green = raw[3 * i + 1];
        const std::uint32_t blue = raw[3 * i + 2];
        const std::uint8_t *entry = store.PaletteTable().data() + 4 * i;
        if (store.PaletteColors()[i] != (red | green << 8 | blue << 16) || entry[0] != blue
            || entry[1] != green || entry[2] != red || entry[3] != 0) {
            return false;
        }
    }
    return store.PaletteTable().size() == 1024;
}

// The palette a source holds, or nothing when it holds none; whether it was refused as unknown
// rather than failing.
struct Expected {
    std::optional<qv::RawPalette> palette;
    bool unknown = false;
};

// A load publishes exactly the palette read and says nothing, or keeps the old palette and says
// one thing: the unknown-format message, or an error report under the loader's name.
void CheckLoad(const qv::ScriptedDialogService &dialogs,
    const qv::PaletteStore &store,
    const Expected &expected)
{
    if (expected.palette) {
        Require(dialogs.Log().empty(), "a palette read whole is loaded without a message");
        Require(Holds(store, *expected.palette), "a palette read whole reaches the store");
        return;
    }
    Require(Holds(store, Sentinel()), "a palette that was not read leaves the store alone");
    Require(dialogs.Log().size() == 1, "a palette that was not read gets one message");
    if (expected.unknown) {
        Require(dialogs.Log()[0].text == "Unknown palette file format!",
            "an unknown format gets its own message");
    } else {
        Require(dialogs.Log()[0].title == "LoadPaletteDataFromFile Error",
            "a failed palette is reported by its loader");
    }
}

// Formats fixed by size and position can be checked byte for byte without any parser: a
// 768-byte table (unless it begins as a GIMP or ASE file), an 893-byte object file.
void CheckBinaryFormats(const std::vector<std::uint8_t> &bytes, const Expected &expected)
{
    const std::size_t size = bytes.size();
    const auto begins = [&](std::string_view magic) {
        return size >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
    };
    const bool act = size == kActSize && !begins("GIMP Palette") && !begins("ASEF");
    const bool gamepal = size == kGamepalObjSize && bytes[0] == 0x80 && bytes[113] == 0xA0;
    if (!act && !gamepal) {
        return;
    }
    Require(expected.palette.has_value(), "a palette of a fixed-size format always reads");
    const qv::RawPalette &raw = *expected.palette;
    for (std::size_t k = 0; k < raw.size(); ++k) {
        if (act) {
            Require(raw[k] == bytes[k], "a colour table is taken as it stands");
        } else {
            Require(raw[k] == (bytes[119 + k] & 63) * 4, "6-bit components are scaled by 4");
        }
    }
}

// Every format's parser on its own, whatever the bytes: each either refuses with a failure or
// gives at most 256 colours, the entries after them black.
void CheckEachParser(const std::vector<std::uint8_t> &bytes)
{
    using Parser = qv::PaletteFile (*)(qv::ByteSource &, std::string_view);
    static constexpr Parser kParsers[] = {qv::ParseGimpPalette,
        qv::ParseHexPalette,
        qv::ParsePaintNetPalette,
        qv::ParseAcoPalette,
        qv::ParseAsePalette,
        qv::ParseBmpPalette,
        qv::ParsePngPalette,
        qv::ParseWadPalette,
        qv::ParsePlaypalLump,
        qv::ParsePakPalette,
        qv::ParseBuildPaletteDat,
        qv::ParseRiffPal,
        qv::ParseJascPalFile,
        qv::ParseActPalWithCount};
    for (const Parser parse : kParsers) {
        qv::MemorySource source(bytes);
        try {
            const qv::PaletteFile file = parse(source, "palette file");
            Require(file.count >= 1 && file.count <= 256, "a palette has 1 to 256 colours");
            for (std::size_t k = 3 * file.count; k < file.colors.size(); ++k) {
                Require(file.colors[k] == 0, "entries after the last colour are black");
            }
            Require(!file.format.empty(), "a palette says what it is");
        } catch (const qv::Failure &) { }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);

    Expected fromFile;
    try {
        qv::MemorySource source(bytes);
        fromFile.palette = qv::ParsePaletteFile(source, "palette file");
        fromFile.unknown = !fromFile.palette;
    } catch (const qv::Failure &) { }
    CheckBinaryFormats(bytes, fromFile);
    CheckEachParser(bytes);

    static const qv::fuzz::ScratchFile file("palette.pal");
    file.Write(data, size);
    // One store for every load: making one costs as much as a parse. A load only ever
    // publishes, so publishing the sentinel puts it back as new.
    static qv::PaletteStore store;
    {
        qv::ScriptedDialogService dialogs;
        store.Publish(Sentinel());
        qv::LoadPaletteDataFromFile(dialogs, store, file.Path(), "");
        CheckLoad(dialogs, store, fromFile);
    }

    const std::string text(bytes.begin(), bytes.end());
    if (text.empty()) {
        return 0; // empty text means "read the file"
    }
    Expected fromText;
    try {
        fromText.palette = qv::ParseJascPalText(text);
    } catch (const qv::Failure &) { }
    qv::ScriptedDialogService dialogs;
    store.Publish(Sentinel());
    // With text the path is not even looked at: one that cannot exist would be reported.
    qv::LoadPaletteDataFromFile(dialogs, store, "/nonexistent/palette.pal", text);
    CheckLoad(dialogs, store, fromText);
    return 0;
}
