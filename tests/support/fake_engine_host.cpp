#include "tests/support/fake_engine_host.h"

#include <cstddef>

namespace qv::test {

FakeEngineHost::FakeEngineHost()
{
    applyTransparency = true;
    skipValues[255] = 1;
}

int FakeEngineHost::BrightnessValue(int channel)
{
    return brightness.at(static_cast<std::size_t>(channel));
}

void FakeEngineHost::UsePaletteFile(const std::string &path)
{
    paletteNumber = kLastPaletteOption;
    tags[kLastPaletteOption] = path;
}

void FakeEngineHost::RunConvertPaletteCommand()
{
    convertPalette = true;
    ++convertPaletteCommands;
}

} // namespace qv::test

namespace qv::test {

std::vector<std::uint8_t> GreyActPalette()
{
    std::vector<std::uint8_t> act;
    for (int i = 0; i < 256; ++i) {
        act.insert(act.end(), 3, static_cast<std::uint8_t>(i));
    }
    return act;
}

std::vector<std::uint8_t> GreyPaletteTable()
{
    std::vector<std::uint8_t> table;
    for (int i = 0; i < 256; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        table.insert(table.end(), {grey, grey, grey, 0});
    }
    return table;
}

} // namespace qv::test
