// Kernels of the line-shaping operations, on about 16 MB of generated Shift-JIS prose (long
// paragraph lines, as bench/gen_input.py writes them): the piece cutter alone, and the document
// operations the peer comparisons time as whole runs (TurnChange 70, TabSpace 8, DelSpaceBack).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "convert/cp932.h"
#include "core/host.h"
#include "core/quillbay_doc.h"
#include "shape/whitespace.h"
#include "shape/wrap.h"

namespace {

using namespace qb;

// Paragraph lines of about 300 bytes (some empty, some tabs and trailing blanks), ~16 MB.
const std::vector<std::string>& Prose() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> words;
        for (const char* w :
             {"私は", "川沿いの道を", "ゆっくりと", "歩いた。", "古い手紙を", "読んでいた、",
              "「雨の音を", "聞いていた」", "（第３章で）", "ｶﾒﾗを", "ＡＩ研究者は", "もう一度",
              "確かめた！", "quick brown fox", "10時半に", "思い出した……。"})
            words.push_back(Utf8ToCp932(w));
        std::mt19937 rng(20261207);
        std::vector<std::string> out;
        std::size_t total = 0;
        while (total < 16u << 20) {
            std::string line;
            const unsigned kind = rng() % 100;
            if (kind < 25) {
                // empty
            } else {
                const std::size_t target = 100 + rng() % 420;
                line = Utf8ToCp932("　");
                while (line.size() < target)
                    line += words[rng() % words.size()];
                if (kind < 30) line += "  ";
                if (kind >= 95) line.insert(line.size() / 2, 1, '\t');
            }
            total += line.size() + 2;
            out.push_back(std::move(line));
        }
        return out;
    }();
    return lines;
}

std::size_t ProseBytes() {
    std::size_t n = 0;
    for (const auto& line : Prose())
        n += line.size();
    return n;
}

void BM_WrapLine(benchmark::State& state) {
    const WrapRules rules(DefaultKinsokuSettings(), EnglishWordMode::Plain);
    PieceCutter cutter(rules);
    std::size_t pieces = 0;
    for (auto _ : state) {
        for (const auto& line : Prose())
            WrapLine(line, state.range(0), cutter, [&](std::string_view, bool) { ++pieces; });
    }
    benchmark::DoNotOptimize(pieces);
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * ProseBytes()));
}
BENCHMARK(BM_WrapLine)->Arg(70)->Arg(8);

void BM_TrailingBlankStart(benchmark::State& state) {
    std::size_t sum = 0;
    for (auto _ : state)
        for (const auto& line : Prose())
            sum += TrailingBlankStart(line);
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * ProseBytes()));
}
BENCHMARK(BM_TrailingBlankStart);

// A document holding the prose; each iteration runs `op` on a fresh copy of its lines (the copy
// shares the bytes, as an undo snapshot does).
template <class Op>
void RunOnDocument(benchmark::State& state, Op op) {
    SilentHost host;
    SettingsStore settings;
    AppContext app{host, settings};
    app.kinsoku = DefaultKinsokuSettings();
    std::string text;
    for (const auto& line : Prose())
        text += line + "\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CQuillbayDoc>(app);
        doc->SetAllText(text);
        doc->Target().lastLine = doc->LineCount();
        state.ResumeTiming();
        op(*doc);
        state.PauseTiming();
        doc.reset();  // freeing the lines is not part of the operation
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * ProseBytes()));
}

void BM_DocTurnChange70(benchmark::State& state) {
    RunOnDocument(state, [](CQuillbayDoc& doc) { doc.TurnChange(70); });
}
BENCHMARK(BM_DocTurnChange70)->Unit(benchmark::kMillisecond);

void BM_DocIndTurnChange70(benchmark::State& state) {
    RunOnDocument(state, [](CQuillbayDoc& doc) { doc.IndTurnChange(70); });
}
BENCHMARK(BM_DocIndTurnChange70)->Unit(benchmark::kMillisecond);

void BM_DocTabSpace8(benchmark::State& state) {
    RunOnDocument(state, [](CQuillbayDoc& doc) { doc.TabSpace(8); });
}
BENCHMARK(BM_DocTabSpace8)->Unit(benchmark::kMillisecond);

void BM_DocDelSpaceBack(benchmark::State& state) {
    RunOnDocument(state, [](CQuillbayDoc& doc) { doc.DelSpaceBack(); });
}
BENCHMARK(BM_DocDelSpaceBack)->Unit(benchmark::kMillisecond);

void BM_DocToOnelineAll(benchmark::State& state) {
    RunOnDocument(state, [](CQuillbayDoc& doc) { doc.ToOnelineAll(); });
}
BENCHMARK(BM_DocToOnelineAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
