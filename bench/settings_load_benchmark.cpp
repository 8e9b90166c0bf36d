// Loading a settings file of many keys in one section: in order, reversed, shuffled, and with
// numbered and named keys mixed, whose places depend on the keys before them. The shuffled and
// mixed loads are given in megabytes of text, as a hand-made or generated file would be.
#include "common/cls_ini.h"
#include "platform/scripted_dialog_service.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

namespace {

// Key i's line: prefix and a 7-digit number (byte order is number order); with mixed, every
// third key is a bare number and the others are named.
std::string KeyLine(const std::string &prefix, int i, bool mixed)
{
    const std::string n = std::to_string(i);
    const std::string digits = std::string(7 - n.size(), '0') + n;
    const std::string name = mixed && i % 3 == 0 ? n : prefix + digits;
    return name + "=" + n + "\r\n";
}

// One section of count keys, in order, reversed, or shuffled with a fixed seed.
std::string SettingsText(const std::string &prefix, int count, bool reversed)
{
    std::string text = "[S]\r\n";
    for (int i = 0; i < count; ++i) {
        text += KeyLine(prefix, reversed ? count - 1 - i : i, false);
    }
    return text;
}

// One section of about megabytes x 1 MB of keys in a shuffled order.
std::string ShuffledText(int megabytes, bool mixed)
{
    const int count = megabytes * (1 << 20) / 17; // "Key0001234=1234\r\n" is about 17 bytes
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(28));
    std::string text = "[S]\r\n";
    for (const int i : order) {
        text += KeyLine("Key", i, mixed);
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
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
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
BENCHMARK(BM_LoadNumberedKeysReversed)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Argument: megabytes of text.
void BM_LoadShuffledKeys(benchmark::State &state)
{
    Load(state, ShuffledText(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_LoadShuffledKeys)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_LoadShuffledMixedKeys(benchmark::State &state)
{
    Load(state, ShuffledText(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_LoadShuffledMixedKeys)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace
