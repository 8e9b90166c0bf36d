// How the window scales with the size of the picture folder: filling the list, Find Minimum and
// Convert over every entry. Each should take time proportional to the number of files; compare
// the per-file figures ("us_per_file") of 1000 and 10000 files.
#include "engine/mod_add_bmp_header.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/window/test_window.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <vector>

#include <QApplication>

namespace {

// A folder of count small 8-bit pictures, removed when the object goes.
class PictureFolder
{
public:
    explicit PictureFolder(int count)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-scale-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        std::vector<std::uint8_t> picture(8 * 8, 0);
        for (std::size_t i = 0; i < picture.size(); ++i) {
            picture[i] = static_cast<std::uint8_t>(i);
        }
        std::vector<std::uint8_t> table(1024, 0);
        for (std::size_t i = 0; i < 1024; ++i) {
            table[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 0 : i / 4);
        }
        std::vector<std::uint8_t> bytes = picture;
        qv::AddBMPHeader(8, 8, bytes, table);
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "sprite%05d.bmp", i);
            qv::WriteFileAtomic(qv::JoinPath(path_, name), bytes);
        }
    }
    ~PictureFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string &Path() const { return path_; }

private:
    std::string path_;
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_WindowFolder(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    double fill = 0;
    double analyze = 0;
    double convert = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PictureFolder folder(count);
        PictureFolder program(0);
        const std::string settings = "[General]\r\nPath=" + folder.Path() + "\r\n";
        qv::WriteFileAtomic(qv::JoinPath(program.Path(), "quorvantile.ini"),
            std::vector<std::uint8_t>(settings.begin(), settings.end()));
        qv::ScriptedDialogService dialogs;
        state.ResumeTiming();

        auto start = std::chrono::steady_clock::now();
        qv::test::TestWindow window(dialogs);
        window.Form_Load(qv::JoinPath(program.Path(), "quorvantile.ini"), program.Path());
        fill += Seconds(start);

        window.File->selectAll();
        start = std::chrono::steady_clock::now();
        window.cmdAnalyze_Click();
        analyze += Seconds(start);

        start = std::chrono::steady_clock::now();
        window.cmdOK_Click();
        convert += Seconds(start);

        if (dialogs.MessageTexts().back() != "Converted " + std::to_string(count) + " file(s).") {
            state.SkipWithError("the batch did not convert every file");
        }
    }
    const double runs = static_cast<double>(state.iterations()) * count / 1e6;
    state.counters["fill_us_per_file"] = fill / runs;
    state.counters["analyze_us_per_file"] = analyze / runs;
    state.counters["convert_us_per_file"] = convert / runs;
}
BENCHMARK(BM_WindowFolder)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
