// Loading a settings file of many values: the time should grow with the file's size, not with
// its square. The file is written once into a temporary folder and loaded on every iteration.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings_store.h"

namespace {

// A file of `values` values in one section, every tenth name given twice.
std::string WriteSettingsFile(int values) {
    static char dir[] = "/tmp/qbay-settings-bench-XXXXXX";
    static const bool made = mkdtemp(dir) != nullptr;
    if (!made) std::abort();
    const std::string path = std::string(dir) + "/s" + std::to_string(values) + ".ini";
    std::string text;
    text = "[Section0]\n";
    for (int i = 0; i < values; ++i)
        text += "Value" + std::to_string(i % 10 == 9 ? i - 1 : i) + "=" + std::to_string(i) + "\n";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
}

void BM_LoadSettings(benchmark::State& state) {
    const std::string path = WriteSettingsFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qb::SettingsStore store(path);
        benchmark::DoNotOptimize(store.ReadInt("Section0", "Value0", 0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_LoadSettings)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
