#include "palette/built_in_palette.h"

#include "common/built_in_palettes.h"
#include "palette/jasc_pal.h"
#include "platform/failure.h"
#include "platform/resources.h"

#include <cstddef>
#include <optional>
#include <utility>

namespace qv {
namespace {

std::optional<RawPalette> ParseResource(const char *name)
{
    const std::optional<std::vector<std::uint8_t>> data = LoadResourceData("PALETTES", name);
    if (!data || data->empty()) {
        return std::nullopt;
    }
    try {
        return ParseJascPalText(std::string(data->begin(), data->end()));
    } catch (const Failure &) {
        return std::nullopt;
    }
}

// One function, and so one static, per built-in palette: each is parsed only when first asked
// for, once, by the thread-safe initialisation of a local static.
template <std::size_t Index> const RawPalette *Parsed()
{
    static const std::optional<RawPalette> palette = ParseResource(kBuiltInPalettes[Index]);
    return palette ? &*palette : nullptr;
}

template <std::size_t... Index>
constexpr std::array<const RawPalette *(*)(), sizeof...(Index)> Lookups(
    std::index_sequence<Index...> /*unused*/)
{
    return {&Parsed<Index>...};
}

} // namespace

const RawPalette *ParsedBuiltInPalette(const std::string &name)
{
    static constexpr auto kLookups = Lookups(std::make_index_sequence<kBuiltInPalettes.size()>());
    for (std::size_t i = 0; i < kBuiltInPalettes.size(); ++i) {
        if (name == kBuiltInPalettes[i]) {
            return kLookups[i]();
        }
    }
    return nullptr;
}

} // namespace qv
