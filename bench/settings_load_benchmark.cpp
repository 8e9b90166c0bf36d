// Loading a settings file of many keys in one section. Keys that already stand in order are
// appended; a file in reverse order still walks.
#include "common/cls_ini.h"
#include "platform/scripted_dialog_service.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// One section of count keys named by prefix and a 7-digit number (byte order is number order),
// in order or reversed.
std::string SettingsText(const std::string &prefix, int count, bool reversed)
{
    std::string text = "[S]\r\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(reversed ? count - 1 - i : i);
        text += prefix + std::string(7 - n.size(), '0') + n + "=" + n + "\r\n";
    }
    return text;
}

void Load(benchmark::State &state, const std::string &text)
{
    for (auto _ : state) {
        qv::ScriptedDialogService dialogs;
        qv::clsINI ini(dialogs);
        ini.LoadINIFromString(text);
        benchmark::DoNotOptimize(ini.NumberOfKeys("S"));
    }
}

void BM_LoadKeysInOrder(benchmark::State &state)
{
    Load(state, SettingsText("Key", static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_LoadKeysInOrder)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadNumberedKeysInOrder(benchmark::State &state)
{
    Load(state, SettingsText("", static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_LoadNumberedKeysInOrder)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadNumberedKeysReversed(benchmark::State &state)
{
    Load(state, SettingsText("", static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_LoadNumberedKeysReversed)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
