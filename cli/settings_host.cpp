#include "cli/settings_host.h"

#include "common/paths.h"
#include "engine/square_size.h"
#include "platform/checked.h"

#include <span>

namespace qv::cli {

SettingsHost::SettingsHost(const ConvertSettings &settings)
    : settings_(settings)
{ }

std::string SettingsHost::PaletteOptionCaption(int index)
{
    if (index == kExternalPaletteOption) {
        return settings_.externalPalette.empty()
            ? "&Use External"
            : "&Use External: " + FileNameFromPath(settings_.externalPalette);
    }
    return At(std::span<const char *const>(kBuiltInPalettes), index);
}

std::string SettingsHost::PaletteOptionTag(int index)
{
    CheckRange(static_cast<std::size_t>(kExternalPaletteOption) + 1, index, 1);
    return index == kExternalPaletteOption ? settings_.externalPalette : std::string();
}

int SettingsHost::SkipValue(int index)
{
    return At(std::span<int>(settings_.skip), index);
}

int SettingsHost::LargestSquareSize()
{
    return kLargestSquareSize;
}

int SettingsHost::BrightnessValue(int channel)
{
    return At(std::span<int>(settings_.brightness), channel);
}

} // namespace qv::cli
