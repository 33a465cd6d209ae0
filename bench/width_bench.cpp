// Throughput of the width conversions over synthetic Shift-JIS prose: the whole buffer in one
// call, and the same bytes line by line as the document commands call them.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/synthetic_text.h"
#include "convert/cp932.h"
#include "convert/fold.h"
#include "convert/width.h"

namespace {

// About 16 MB of lines of 40 to 600 bytes: kanji and kana prose with full-width and half-width
// letters, digits, katakana and punctuation, and now and then an English phrase.
const std::string& Prose() {
    static const std::string text = qb::bench::Joined(
        qb::bench::RandomLines(
            {"私は",         "町の人々は",   "ｶﾒﾗﾏﾝは",
             "ＡＩ研究者は", "手紙を",       "ﾃﾞｰﾀを",
             "ＣＤを",       "読んだ",       "眺めていた",
             "もう一度",     "二〇二六年に", "第３章で",
             "10時半に",     "、",           "。",
             "！",           "「",           "」",
             "ガイドブック", "パンを",       " quick brown fox ",
             "Version 2.5",  "ｶﾞｲﾄﾞ",        "１２３円の"},
            {.totalBytes = 16u << 20, .minLength = 40, .maxLength = 600, .seed = 2024}),
        "\n");
    return text;
}

const std::vector<std::string_view>& ProseLines() {
    static const std::vector<std::string_view> lines = [] {
        std::vector<std::string_view> v;
        const std::string_view text = Prose();
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t end = text.find('\n', pos);
            v.push_back(text.substr(pos, end - pos));
            pos = end + 1;
        }
        return v;
    }();
    return lines;
}

template <typename Convert>
void RunWhole(benchmark::State& state, Convert convert) {
    const std::string& text = Prose();
    for (auto _ : state)
        benchmark::DoNotOptimize(convert(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

template <typename Convert>
void RunLines(benchmark::State& state, Convert convert) {
    const auto& lines = ProseLines();
    for (auto _ : state)
        for (std::string_view line : lines)
            benchmark::DoNotOptimize(convert(line));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Prose().size()));
}

// The floor: a plain copy of the same bytes into a new string.
void BM_Copy(benchmark::State& state) {
    RunWhole(state, [](std::string_view s) { return std::string(s); });
}
BENCHMARK(BM_Copy);

void BM_ZenToHan(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    RunWhole(state, [kind](std::string_view s) { return qb::ZenToHan(s, kind); });
}
BENCHMARK(BM_ZenToHan)->DenseRange(0, 3);

void BM_HanToZen(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    RunWhole(state, [kind](std::string_view s) { return qb::HanToZen(s, kind); });
}
BENCHMARK(BM_HanToZen)->DenseRange(0, 3);

void BM_ZenToHanSw(benchmark::State& state) {
    RunWhole(state, [](std::string_view s) { return qb::ZenToHanSw(s, 0x7F); });
}
BENCHMARK(BM_ZenToHanSw);

void BM_HanToZenSw(benchmark::State& state) {
    RunWhole(state, [](std::string_view s) { return qb::HanToZenSw(s, 0x3F); });
}
BENCHMARK(BM_HanToZenSw);

void BM_ZenToHanLines(benchmark::State& state) {
    RunLines(state, [](std::string_view s) { return qb::ZenToHan(s, 0); });
}
BENCHMARK(BM_ZenToHanLines);

void BM_HanToZenLines(benchmark::State& state) {
    RunLines(state, [](std::string_view s) { return qb::HanToZen(s, 0); });
}
BENCHMARK(BM_HanToZenLines);

// Tolerant search for a phrase that does not occur, line by line, as replace runs it.
void BM_FoldedFindLines(benchmark::State& state) {
    const std::string pattern = qb::Utf8ToCp932("ﾎﾞｰﾙﾍﾟﾝ");
    const unsigned flags = static_cast<unsigned>(state.range(0));
    RunLines(state, [&](std::string_view s) {
        std::size_t length = 0;
        return qb::FoldedFind(s, pattern, flags, 0, length);
    });
}
BENCHMARK(BM_FoldedFindLines)->Arg(qb::FoldWidth | qb::FoldCase | qb::FoldKana)->Arg(qb::FoldCase);

}  // namespace

BENCHMARK_MAIN();
