// Palette files are picked by the user from anywhere, so the parsers must survive any bytes:
// load the input as a palette file (the format goes by its size first) and as built-in JASC-PAL
// text, and check that the store changes exactly when the palette was read whole.
#include "fuzz/scratch_file.h"
#include "palette/jasc_pal.h"
#include "palette/load_palette_data.h"
#include "palette/palette_store.h"
#include "platform/failure.h"
#include "platform/memory_source.h"
#include "platform/scripted_dialog_service.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using qv::fuzz::Require;

constexpr std::size_t kActSize = 768;
constexpr std::size_t kGamepalObjSize = 893;
constexpr std::size_t kRiffPalSize = 1052;

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

// Formats fixed by size and position can be checked byte for byte without any parser.
void CheckBinaryFormats(const std::vector<std::uint8_t> &bytes, const Expected &expected)
{
    const std::size_t size = bytes.size();
    const bool riff = size == kRiffPalSize && bytes[0] == 'R' && bytes[1] == 'I' && bytes[2] == 'F'
        && bytes[3] == 'F';
    if (size != kActSize && size != kGamepalObjSize && !riff) {
        return;
    }
    Require(expected.palette.has_value(), "a palette of a fixed-size format always reads");
    const qv::RawPalette &raw = *expected.palette;
    for (std::size_t k = 0; k < raw.size(); ++k) {
        if (size == kActSize) {
            Require(raw[k] == bytes[k], "a colour table is taken as it stands");
        } else if (size == kGamepalObjSize) {
            Require(raw[k] == (bytes[119 + k] & 63) * 4, "6-bit components are scaled by 4");
        } else {
            Require(raw[k] == bytes[24 + 4 * (k / 3) + k % 3], "RIFF entries skip their flags");
        }
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
