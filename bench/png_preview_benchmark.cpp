// One 512 x 512 RGBA PNG through the whole single-image conversion in preview mode, as the
// preview after a click runs it: file read and PNG decode, alpha below 128 made transparent,
// palette conversion against WOLF3D, placement on a 512 square, Average Square down to 64 x 64.
// The store is kept across runs, as the window keeps it.

#include "engine/resize_bmp.h"
#include "palette/palette_store.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <spng.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kSide = 512;

class BenchHost : public qv::ConversionSink
{
public:
    BenchHost()
    {
        options.squareSize = kSide;
        options.scaling = qv::Scaling::Square64;
        options.colorMatching = qv::ColorMatching::AverageSquare;
        options.useAlpha = true;
    }

    qv::ScriptedDialogService dialogs;
    qv::PaletteStore store;
    qv::ConversionOptions options;

    qv::DialogService &Dialogs() override { return dialogs; }
    void ShowPreview(const qv::PreviewPicture &) override { }
    qv::ConversionOptions SwitchConvertPaletteOn() override { return options; }
};

// A photo-like RGBA picture on a see-through background (a disc of opaque pixels).
std::vector<std::uint8_t> PngFile()
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(kSide * kSide * 4);
    for (std::uint32_t y = 0; y < kSide; ++y) {
        for (std::uint32_t x = 0; x < kSide; ++x) {
            const std::int64_t dx = std::int64_t {x} - 256;
            const std::int64_t dy = std::int64_t {y} - 256;
            rgba.insert(rgba.end(),
                {static_cast<std::uint8_t>(x & 255),
                    static_cast<std::uint8_t>(y & 255),
                    static_cast<std::uint8_t>(((x >> 8) + 2 * (y >> 8)) * 64 + 17),
                    static_cast<std::uint8_t>(dx * dx + dy * dy < 240 * 240 ? 255 : 0)});
        }
    }
    std::unique_ptr<spng_ctx, void (*)(spng_ctx *)> ctx(
        spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr {kSide, kSide, 8, SPNG_COLOR_TYPE_TRUECOLOR_ALPHA, 0, 0, 0};
    spng_set_ihdr(ctx.get(), &ihdr);
    if (spng_encode_image(ctx.get(), rgba.data(), rgba.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE)
        != 0) {
        throw std::runtime_error("cannot encode the picture");
    }
    std::size_t length = 0;
    int error = 0;
    std::unique_ptr<void, decltype(&std::free)> png(
        spng_get_png_buffer(ctx.get(), &length, &error), &std::free);
    const auto *begin = static_cast<const std::uint8_t *>(png.get());
    return {begin, begin + length};
}

void BM_PngPreview(benchmark::State &state)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    const std::string path = pattern + "/sprite.png";
    qv::WriteFileAtomic(path, PngFile());
    BenchHost host;
    for (auto _ : state) {
        std::int32_t w = kSide;
        std::int32_t h = kSide;
        if (qv::ResizeBMP(
                host, host.store, host.options, path, w, h, qv::ResizeDestination::Preview())
                    .Status()
                != qv::ResizeResult::Previewed
            || w != 64 || !host.dialogs.Log().empty()) {
            state.SkipWithError("the preview did not come out as 64 x 64 without messages");
            break;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
}
BENCHMARK(BM_PngPreview)->Unit(benchmark::kMillisecond);

} // namespace
