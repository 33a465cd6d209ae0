// Sorting and duplicate removal over a million short lines, each iteration the whole operation
// on a fresh copy of the lines.
#include <benchmark/benchmark.h>

#include "bench/bench_docs.h"

namespace {

using qb::bench::BenchDoc;

const std::string& Text() {
    static const std::string text = qb::bench::ShortLines(1000000);
    return text;
}

template <class Operation>
void Run(benchmark::State& state, Operation operation) {
    BenchDoc bench(Text());
    for (auto _ : state) {
        operation(bench.doc);
        state.PauseTiming();
        bench.doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 1000000));
}

void BM_Sort1(benchmark::State& state) {
    Run(state, [](qb::CQuillbayDoc& doc) { doc.Sort1(); });
}
BENCHMARK(BM_Sort1)->Unit(benchmark::kMillisecond);

void BM_SortNumericThenText(benchmark::State& state) {
    const qb::SortKeyList keys = {qb::CSortItem{1, 1, -1, 1}, qb::CSortItem{0, 3, 12, 0}};
    Run(state, [&](qb::CQuillbayDoc& doc) { doc.Sort(keys); });
}
BENCHMARK(BM_SortNumericThenText)->Unit(benchmark::kMillisecond);

void BM_DupLineDelUnsorted(benchmark::State& state) {
    Run(state, [](qb::CQuillbayDoc& doc) { doc.DupLineDel(0, 0, 0, 0); });
}
BENCHMARK(BM_DupLineDelUnsorted)->Unit(benchmark::kMillisecond);

void BM_DupLineDelSorted(benchmark::State& state) {
    Run(state, [](qb::CQuillbayDoc& doc) { doc.DupLineDel(0, 0, 0, 1); });
}
BENCHMARK(BM_DupLineDelSorted)->Unit(benchmark::kMillisecond);

void BM_Reverse(benchmark::State& state) {
    Run(state, [](qb::CQuillbayDoc& doc) { doc.Reverse(); });
}
BENCHMARK(BM_Reverse)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
