// One 512 x 512 true-colour picture of many colours through the whole single-image conversion in
// preview mode, as a preview after every click runs it: file read, palette conversion against
// WOLF3D, placement on a 512 square, Average Square down to 64 x 64 and the 8-bit file bytes.
// "Warm" keeps one palette store across runs as the program does; "Cold" starts each run with a
// fresh store, like the first preview after start-up; "WithReport" adds the mapping report, as
// the window's preview has it.

#include "engine/resize_bmp.h"
#include "palette/palette_store.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kSide = 512;

// The program's first-start options, with 64x64 scaling, Average Square and a square of 512.
class BenchHost : public qv::ConversionSink
{
public:
    BenchHost()
    {
        options.largestSquareSize = kSide;
        options.squareSize = kSide;
        options.scaling = qv::Scaling::Square64;
        options.colorMatching = qv::ColorMatching::AverageSquare;
    }

    qv::ScriptedDialogService dialogs;
    qv::PaletteStore store;
    qv::ConversionOptions options;
    int previews = 0;
    bool withReport = false; // the window wants the mapping report with every preview

    qv::DialogService &Dialogs() override { return dialogs; }
    void ShowPreview(const qv::PreviewPicture &) override { ++previews; }
    bool WantsMappingReport() const override { return withReport; }
    qv::ConversionOptions SwitchConvertPaletteOn() override { return options; }
};

void Put32(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A 24-bit file in which every pixel has its own colour, neighbours similar as in a photograph.
std::vector<std::uint8_t> PictureFile()
{
    const std::uint32_t rows = kSide * kSide * 3;
    std::vector<std::uint8_t> file(54 + rows, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    Put32(file, 10, 54);
    Put32(file, 14, 40);
    Put32(file, 18, kSide);
    Put32(file, 22, kSide);
    file[26] = 1;
    file[28] = 24;
    std::size_t at = 54;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            file[at++] = static_cast<std::uint8_t>(((x >> 8) + 2 * (y >> 8)) * 64 + 17);
            file[at++] = static_cast<std::uint8_t>(y & 255);
            file[at++] = static_cast<std::uint8_t>(x & 255);
        }
    }
    return file;
}

// The picture written into a fresh temporary folder, removed again at the end.
class PictureOnDisk
{
public:
    PictureOnDisk()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        folder_ = pattern;
        path_ = folder_ + "/photo.bmp";
        qv::WriteFileAtomic(path_, PictureFile());
    }
    ~PictureOnDisk()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    PictureOnDisk(const PictureOnDisk &) = delete;
    PictureOnDisk &operator=(const PictureOnDisk &) = delete;

    const std::string &Path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

void Preview(benchmark::State &state, BenchHost &host, const std::string &path)
{
    std::int32_t w = kSide;
    std::int32_t h = kSide;
    if (qv::ResizeBMP(host, host.store, host.options, path, w, h, qv::ResizeDestination::Preview())
                .Status()
            != qv::ResizeResult::Previewed
        || w != 64 || !host.dialogs.Log().empty()) {
        state.SkipWithError("the preview did not come out as 64 x 64 without messages");
    }
}

void BM_ResizeBMPPreviewWarm(benchmark::State &state)
{
    const PictureOnDisk picture;
    BenchHost host;
    Preview(state, host, picture.Path()); // learn the palette once, as the first preview does
    for (auto _ : state) {
        Preview(state, host, picture.Path());
    }
}
BENCHMARK(BM_ResizeBMPPreviewWarm)->Unit(benchmark::kMillisecond);

// As the window previews: with the mapping report line under the picture.
void BM_ResizeBMPPreviewWithReport(benchmark::State &state)
{
    const PictureOnDisk picture;
    BenchHost host;
    host.withReport = true;
    Preview(state, host, picture.Path());
    for (auto _ : state) {
        Preview(state, host, picture.Path());
    }
}
BENCHMARK(BM_ResizeBMPPreviewWithReport)->Unit(benchmark::kMillisecond);

void BM_ResizeBMPPreviewCold(benchmark::State &state)
{
    const PictureOnDisk picture;
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<BenchHost>();
        state.ResumeTiming();
        Preview(state, *host, picture.Path());
    }
}
BENCHMARK(BM_ResizeBMPPreviewCold)->Unit(benchmark::kMillisecond);

} // namespace
