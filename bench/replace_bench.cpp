// The replace engine over about 16 MB of prose: plain replacement of a kanji word, tolerant
// replacement, pattern replacement and start-to-end replacement. Each iteration is the whole
// operation (undo snapshot, target flags, the walk); the document is restored between them.
#include <benchmark/benchmark.h>

#include "bench/bench_docs.h"

namespace {

using qb::bench::BenchDoc;

const std::string& Text() {
    static const std::string text = qb::bench::Prose(16u << 20);
    return text;
}

template <class Operation>
void Run(benchmark::State& state, Operation operation) {
    BenchDoc bench(Text());
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation(bench.doc));
        state.PauseTiming();
        bench.doc.Undo();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Text().size()));
}

void BM_ReplaceKanjiWord(benchmark::State& state) {
    const std::string find = qb::Utf8ToCp932("手紙"), replacement = "XX";
    Run(state, [&](qb::CQuillbayDoc& doc) { return doc.Replace(find, replacement, 0); });
}
BENCHMARK(BM_ReplaceKanjiWord)->Unit(benchmark::kMillisecond);

void BM_ReplaceNotFound(benchmark::State& state) {
    const std::string find = qb::Utf8ToCp932("する");
    Run(state, [&](qb::CQuillbayDoc& doc) { return doc.Replace(find, "XX", 0); });
}
BENCHMARK(BM_ReplaceNotFound)->Unit(benchmark::kMillisecond);

void BM_ReplaceTolerant(benchmark::State& state) {
    const std::string find = qb::Utf8ToCp932("でーた");  // also ﾃﾞｰﾀ with width and kana
    Run(state, [&](qb::CQuillbayDoc& doc) { return doc.Replace(find, "X", 7); });
}
BENCHMARK(BM_ReplaceTolerant)->Unit(benchmark::kMillisecond);

void BM_RegExpReplaceDigits(benchmark::State& state) {
    Run(state, [&](qb::CQuillbayDoc& doc) { return doc.RegExpReplace("[0-9]+", "#", 0); });
}
BENCHMARK(BM_RegExpReplaceDigits)->Unit(benchmark::kMillisecond);

void BM_SuperReplaceQuotes(benchmark::State& state) {
    const std::string start = qb::Utf8ToCp932("「"), end = qb::Utf8ToCp932("」");
    Run(state, [&](qb::CQuillbayDoc& doc) { return doc.SuperReplace(start, end, "Q"); });
}
BENCHMARK(BM_SuperReplaceQuotes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
