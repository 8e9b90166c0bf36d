// 512 x 512 true-colour pictures, the largest the program accepts, matched against WOLF3D by
// ConvertTo8BitBMP. Cold: a fresh store for each picture, nothing learnt yet. Warm: one store
// for every picture, as a batch uses it, the same match table rebuilt each time. Plain: the
// 256-entry search over the same picture, for scale.

#include "bench/bench_pictures.h"
#include "palette/color_matching.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int32_t kSide = qv::bench::kPictureSide;
constexpr std::array<std::int32_t, 3> kNoOffsets {0, 0, 0};

// WOLF3D with the default transparent entry skipped.
struct Wolf3d {
    qv::ScriptedDialogService dialogs;
    qv::ConversionOptions options;

    void Prepare(qv::PaletteStore &store)
    {
        store.BuildMatchTable(dialogs, options.palette);
        store.TakeSnapshot(options.skip);
    }
};

void Convert(benchmark::State &state,
    Wolf3d &host,
    qv::PaletteStore &store,
    const std::vector<std::uint8_t> &picture)
{
    state.PauseTiming();
    std::vector<std::uint8_t> pixels = picture;
    state.ResumeTiming();
    qv::ConvertTo8BitBMP(
        host.dialogs, store, host.options.skip, pixels, kSide, kSide, 24, kNoOffsets);
    benchmark::DoNotOptimize(pixels.data());
}

void Cold(benchmark::State &state, const std::vector<std::uint8_t> &picture)
{
    Wolf3d host;
    for (auto _ : state) {
        state.PauseTiming();
        qv::PaletteStore store;
        host.Prepare(store);
        state.ResumeTiming();
        Convert(state, host, store, picture);
    }
}

void Warm(benchmark::State &state, const std::vector<std::uint8_t> &picture)
{
    Wolf3d host;
    qv::PaletteStore store;
    host.Prepare(store);
    std::vector<std::uint8_t> pixels = picture;
    qv::ConvertTo8BitBMP(
        host.dialogs, store, host.options.skip, pixels, kSide, kSide, 24, kNoOffsets);
    for (auto _ : state) {
        // As every conversion does: reload the palette and the skip list, then match.
        host.Prepare(store);
        Convert(state, host, store, picture);
    }
}

// The plain 256-entry search over the same picture, for comparison.
void Plain(benchmark::State &state, const std::vector<std::uint8_t> &picture)
{
    Wolf3d host;
    qv::PaletteStore store;
    host.Prepare(store);
    std::vector<std::uint8_t> indices(picture.size() / 3);
    for (auto _ : state) {
        for (std::size_t p = 0; p < indices.size(); ++p) {
            indices[p] = static_cast<std::uint8_t>(qv::FindNearestColorPlain(store.MatchColors(),
                store.UsableColors(),
                picture[3 * p],
                picture[3 * p + 1],
                picture[3 * p + 2]));
        }
        benchmark::DoNotOptimize(indices.data());
    }
}

const std::vector<std::uint8_t> &Gradient()
{
    static const std::vector<std::uint8_t> picture = qv::bench::GradientPicture();
    return picture;
}

const std::vector<std::uint8_t> &Noise()
{
    static const std::vector<std::uint8_t> picture = qv::bench::NoisePicture();
    return picture;
}

void BM_ConvertGradientCold(benchmark::State &state)
{
    Cold(state, Gradient());
}
void BM_ConvertGradientWarm(benchmark::State &state)
{
    Warm(state, Gradient());
}
void BM_ConvertNoiseCold(benchmark::State &state)
{
    Cold(state, Noise());
}
void BM_ConvertNoiseWarm(benchmark::State &state)
{
    Warm(state, Noise());
}
void BM_PlainSearchGradient(benchmark::State &state)
{
    Plain(state, Gradient());
}

} // namespace

BENCHMARK(BM_ConvertGradientCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertGradientWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertNoiseCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertNoiseWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSearchGradient)->Unit(benchmark::kMillisecond);
