#include "palette/palette_store.h"

#include "common/report_error.h"
#include "palette/built_in_palette.h"
#include "palette/load_palette_data.h"
#include "platform/failure.h"
#include "platform/resources.h"

#include <optional>
#include <string>

namespace qv {
namespace {

constexpr std::size_t kTableSize = 1024;
// The classic run-time number for a resource that is not there.
constexpr std::int32_t kResourceNotFound = 326;

} // namespace

PaletteStore::PaletteStore()
    : table_(kTableSize, 0)
{ }

void PaletteStore::Publish(const RawPalette &rawPalette)
{
    std::vector<std::uint8_t> table(kTableSize, 0);
    for (std::size_t i = 0; i < colors_.size(); ++i) {
        const std::uint8_t red = rawPalette[3 * i];
        const std::uint8_t green = rawPalette[3 * i + 1];
        const std::uint8_t blue = rawPalette[3 * i + 2];
        colors_[i] = static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8
            | static_cast<std::uint32_t>(blue) << 16;
        table[4 * i] = blue;
        table[4 * i + 1] = green;
        table[4 * i + 2] = red;
    }
    table_ = std::move(table);
}

void PaletteStore::ReadPaletteFile(DialogService &dialogs, const PaletteChoice &choice)
{
    // The byte table is not cleared first: a palette that fails to load leaves the previous
    // table, like the other tables, rather than writing all-black pictures.
    try {
        if (!choice.filePath.empty()) {
            ReadExternalPalette(dialogs, choice.filePath);
            return;
        }
        const std::string &name = choice.builtInName;
        if (const RawPalette *parsed = ParsedBuiltInPalette(name)) {
            Publish(*parsed);
            return;
        }
        const std::optional<std::vector<std::uint8_t>> data = LoadResourceData("PALETTES", name);
        if (!data) {
            throw Failure(kResourceNotFound, "Resource with identifier '" + name + "' not found");
        }
        // One character per byte, padding included: the parser never reads past line 259.
        LoadPaletteDataFromFile(dialogs, *this, "", std::string(data->begin(), data->end()));
    } catch (const Failure &failure) {
        ReportError(dialogs, "ReadPaletteFile", failure);
    }
}

void PaletteStore::ReadExternalPalette(DialogService &dialogs, const std::string &path)
{
    // The stamp is taken before the read: a change during the read shows at the next look.
    const std::optional<FileStamp> stamp = StampOf(path);
    if (stamp && external_ && external_->path == path && external_->stamp == *stamp) {
        Publish(external_->palette);
        return;
    }
    external_.reset();
    if (LoadPaletteDataFromFile(dialogs, *this, path, "") && stamp) {
        RawPalette palette {};
        for (std::size_t i = 0; i < colors_.size(); ++i) {
            palette[3 * i] = static_cast<std::uint8_t>(colors_[i] & 0xFFU);
            palette[3 * i + 1] = static_cast<std::uint8_t>((colors_[i] >> 8) & 0xFFU);
            palette[3 * i + 2] = static_cast<std::uint8_t>((colors_[i] >> 16) & 0xFFU);
        }
        external_ = ExternalCopy {path, *stamp, palette};
    }
}

void PaletteStore::BuildMatchTable(DialogService &dialogs, const PaletteChoice &choice)
{
    ReadPaletteFile(dialogs, choice);
    std::array<MatchColor, 256> match {};
    for (std::size_t i = 0; i < match.size(); ++i) {
        const std::uint32_t color = colors_[i];
        match[i] = {static_cast<std::int32_t>(color & 0xFFU),
            static_cast<std::int32_t>((color >> 8) & 0xFFU),
            static_cast<std::int32_t>((color >> 16) & 0xFFU)};
    }
    // Every conversion rebuilds the table, nearly always to the same palette: keep what the
    // matcher has learnt unless something changed.
    if (match != match_) {
        match_ = match;
        matcher_.Reset(match_, usable_);
    }
}

void PaletteStore::TakeSnapshot(const SkipSet &skip)
{
    std::array<bool, 256> usable {};
    for (std::size_t j = 0; j < usable.size(); ++j) {
        usable[j] = !skip[j];
    }
    hasSnapshot_ = true;
    if (usable != usable_) {
        usable_ = usable;
        matcher_.Reset(match_, usable_);
    }
}

void PaletteStore::EnsureSnapshot(const SkipSet &skip)
{
    if (!hasSnapshot_) {
        TakeSnapshot(skip);
    }
}

} // namespace qv
