#include "tests/support/fake_sink.h"

namespace qv::test {

ConversionOptions FakeSink::SwitchConvertPaletteOn()
{
    options.convertPalette = true;
    ++convertPaletteCommands;
    if (duringConvertPaletteCommand) {
        duringConvertPaletteCommand(options);
    }
    return options;
}

ResizeResult FakeSink::Resize(const std::string &path,
    std::int32_t &outW,
    std::int32_t &outH,
    const ResizeDestination &destination)
{
    return ResizeBMP(*this, store, options, path, outW, outH, destination).Status();
}

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
