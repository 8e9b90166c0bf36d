// Loading a settings file of many keys in one section. Keys that already stand in order are
// appended; a file in reverse order still walks.
#include "common/cls_ini.h"
#include "platform/scripted_dialog_service.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

std::string SettingsText(int keys, bool reversed)
{
    std::string text = "[Colors]\r\n";
    for (int i = 0; i < keys; ++i) {
        const int n = reversed ? keys - 1 - i : i;
        text += "Key" + std::to_string(1000000 + n) + "=" + std::to_string(n) + "\r\n";
    }
    return text;
}

void BM_LoadKeysInOrder(benchmark::State &state)
{
    const std::string text = SettingsText(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        qv::ScriptedDialogService dialogs;
        qv::clsINI ini(dialogs);
        ini.LoadINIFromString(text);
        benchmark::DoNotOptimize(ini.NumberOfKeys("Colors"));
    }
}
BENCHMARK(BM_LoadKeysInOrder)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadNumberedKeysInOrder(benchmark::State &state)
{
    std::string text = "[Numbers]\r\n";
    for (int i = 0; i < state.range(0); ++i) {
        text += std::to_string(i) + "=x\r\n";
    }
    for (auto _ : state) {
        qv::ScriptedDialogService dialogs;
        qv::clsINI ini(dialogs);
        ini.LoadINIFromString(text);
        benchmark::DoNotOptimize(ini.NumberOfKeys("Numbers"));
    }
}
BENCHMARK(BM_LoadNumberedKeysInOrder)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadKeysReversed(benchmark::State &state)
{
    const std::string text = SettingsText(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        qv::ScriptedDialogService dialogs;
        qv::clsINI ini(dialogs);
        ini.LoadINIFromString(text);
        benchmark::DoNotOptimize(ini.NumberOfKeys("Colors"));
    }
}
BENCHMARK(BM_LoadKeysReversed)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
