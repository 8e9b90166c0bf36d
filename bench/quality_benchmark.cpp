// 512 x 512 true-colour pictures through the palette conversion (ConvertPalette onto WOLF3D, 255
// skipped) under each distance measure and dithering. Warm: one store for every picture, as a
// batch or the window's preview uses it. Cold: a fresh store for each picture, nothing learnt.
// Plain: the exhaustive search under the same measure over the same picture (each entry's point
// computed once), for scale.

#include "bench/bench_pictures.h"
#include "palette/convert_palette.h"
#include "palette/distance_measure.h"
#include "palette/mapping_report.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kSide = qv::bench::kPictureSide;

const std::vector<std::uint8_t> &Picture(std::int64_t which)
{
    static const std::vector<std::uint8_t> many = qv::bench::GradientPicture();
    static const std::vector<std::uint8_t> noise = qv::bench::NoisePicture();
    return which == 0 ? many : noise;
}

const std::array<const char *, 2> kPictures {"many colours", "noise"};
const std::array<const char *, 4> kMeasures {"rgb", "weighted", "oklab", "ciede2000"};
const std::array<const char *, 12> kDithering {"none",
    "fs",
    "ordered",
    "atkinson",
    "jjn",
    "stucki",
    "burkes",
    "sierra",
    "sierra2",
    "sierra-lite",
    "pattern",
    "pattern-blue"};

qv::ConversionOptions Options(const benchmark::State &state)
{
    qv::ConversionOptions options;
    options.distance = static_cast<qv::DistanceMeasure>(state.range(1));
    options.dithering = static_cast<qv::Dithering>(state.range(2));
    return options;
}

void Label(benchmark::State &state)
{
    state.SetLabel(std::string(kPictures[static_cast<std::size_t>(state.range(0))]) + ", "
        + kMeasures[static_cast<std::size_t>(state.range(1))] + ", "
        + kDithering[static_cast<std::size_t>(state.range(2))]);
}

void Convert(benchmark::State &state, qv::PaletteStore &store, const qv::ConversionOptions &options)
{
    qv::ScriptedDialogService dialogs;
    state.PauseTiming();
    std::vector<std::uint8_t> pixels = Picture(state.range(0));
    state.ResumeTiming();
    qv::ConvertPalette(dialogs, store, options, pixels, {}, {0, 0, 0}, kSide, kSide, 24);
    benchmark::DoNotOptimize(pixels.data());
}

void BM_ConvertWarm(benchmark::State &state)
{
    const qv::ConversionOptions options = Options(state);
    qv::PaletteStore store;
    {
        std::vector<std::uint8_t> pixels = Picture(state.range(0));
        qv::ScriptedDialogService dialogs;
        qv::ConvertPalette(dialogs, store, options, pixels, {}, {0, 0, 0}, kSide, kSide, 24);
    }
    for (auto _ : state) {
        Convert(state, store, options);
    }
    Label(state);
}

void BM_ConvertCold(benchmark::State &state)
{
    const qv::ConversionOptions options = Options(state);
    for (auto _ : state) {
        state.PauseTiming();
        qv::PaletteStore store;
        state.ResumeTiming();
        Convert(state, store, options);
    }
    Label(state);
}

void BM_PlainSearch(benchmark::State &state)
{
    const auto measure = static_cast<qv::DistanceMeasure>(state.range(1));
    qv::ScriptedDialogService dialogs;
    qv::PaletteStore store;
    const qv::ConversionOptions options;
    store.BuildMatchTable(dialogs, options.palette);
    store.TakeSnapshot(options.skip);
    std::vector<std::pair<qv::MeasuredColor, int>> entries;
    for (std::size_t i = 0; i < 256; ++i) {
        const qv::MatchColor &c = store.MatchColors()[i];
        if (store.UsableColors()[i]) {
            entries.emplace_back(qv::Measured(measure,
                                     static_cast<std::uint8_t>(c.red),
                                     static_cast<std::uint8_t>(c.green),
                                     static_cast<std::uint8_t>(c.blue)),
                static_cast<int>(i));
        }
    }
    const std::vector<std::uint8_t> &picture = Picture(state.range(0));
    std::vector<std::uint8_t> indices(picture.size() / 3);
    for (auto _ : state) {
        for (std::size_t p = 0; p < indices.size(); ++p) {
            const qv::MeasuredColor color =
                qv::Measured(measure, picture[3 * p + 2], picture[3 * p + 1], picture[3 * p]);
            double best = std::numeric_limits<double>::infinity();
            int answer = 0;
            for (const auto &[entry, index] : entries) {
                const double d = qv::MeasuredDistance(measure, color, entry);
                if (d < best) {
                    best = d;
                    answer = index;
                }
            }
            indices[p] = static_cast<std::uint8_t>(answer);
        }
        benchmark::DoNotOptimize(indices.data());
    }
    state.SetLabel(std::string(kPictures[static_cast<std::size_t>(state.range(0))]) + ", "
        + kMeasures[static_cast<std::size_t>(state.range(1))] + ", plain search");
}

// The RGB conversion with the mapping report the window shows under every preview: warm, one
// store for every picture, as the window keeps it; or cold, a fresh store for each, as after
// another picture or palette nothing measured before helps.
void BM_ConvertWithReport(benchmark::State &state)
{
    const bool cold = state.range(1) != 0;
    auto store = std::make_unique<qv::PaletteStore>();
    qv::ScriptedDialogService dialogs;
    const qv::ConversionOptions options;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::uint8_t> pixels = Picture(state.range(0));
        if (cold) {
            store = std::make_unique<qv::PaletteStore>();
        }
        state.ResumeTiming();
        qv::MappingReport report;
        qv::ConvertPalette(
            dialogs, *store, options, pixels, {}, {0, 0, 0}, kSide, kSide, 24, &report);
        benchmark::DoNotOptimize(report.sumDeltaE);
    }
    state.SetLabel(std::string(kPictures[static_cast<std::size_t>(state.range(0))])
        + (cold ? ", rgb, report, cold" : ", rgb, report"));
}

} // namespace

BENCHMARK(BM_ConvertWithReport)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertWarm)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertCold)->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {0}})->Unit(benchmark::kMillisecond);
// Every other dithering method, warm, and the positional ones cold.
BENCHMARK(BM_ConvertWarm)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {3, 4, 5, 6, 7, 8, 9, 10, 11}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertCold)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {10, 11}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSearch)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {0}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
