// Multi-file replace over a folder of small Shift-JIS files, every one of which changes: the
// listing, the reading, the replacement and the atomic rewrite of each file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "bench/bench_docs.h"
#include "core/commands/multi_file_replace.h"

namespace {

std::string MakeFolder(int files) {
    std::string dir = (std::filesystem::temp_directory_path() / "qbbench-XXXXXX").string();
    if (!mkdtemp(dir.data())) std::abort();
    const std::string text = qb::bench::Prose(3000);
    for (int i = 0; i < files; ++i)
        std::ofstream(dir + "/f" + std::to_string(i) + ".txt", std::ios::binary) << text;
    return dir;
}

void BM_MultiFileReplace(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    qb::bench::BenchDoc bench("");
    const std::string find = qb::Utf8ToCp932("手紙"), replacement = qb::Utf8ToCp932("葉書");
    for (auto _ : state) {
        state.PauseTiming();
        const std::string dir = MakeFolder(files);
        state.ResumeTiming();
        const qb::MultiFileResult result =
            qb::MultiFileReplace(bench.host, dir, "*.txt", find, replacement);
        state.PauseTiming();
        if (result.filesChanged != files) std::abort();
        std::filesystem::remove_all(dir);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_MultiFileReplace)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MultiFileReplaceDryRun(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    qb::bench::BenchDoc bench("");
    const std::string dir = MakeFolder(files);
    const std::string find = qb::Utf8ToCp932("手紙");
    qb::MultiFileReplaceOptions options;
    options.dryRun = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            qb::MultiFileReplace(bench.host, dir, "*.txt", find, "X", options));
    std::filesystem::remove_all(dir);
    state.SetItemsProcessed(state.iterations() * files);
}
BENCHMARK(BM_MultiFileReplaceDryRun)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
