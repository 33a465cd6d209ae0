// What the per-line frame of the document conversion commands costs beyond the conversion: each
// command over a document of synthetic prose, against the same conversion called on the same
// lines with nothing around it.
#include <benchmark/benchmark.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"
#include "bench/synthetic_text.h"
#include "convert/cp932.h"
#include "convert/jis.h"
#include "convert/unicode.h"
#include "convert/width.h"
#include "core/host.h"
#include "core/quillbay_doc.h"

namespace {

// About 16 MB of Shift-JIS lines of 40 to 600 bytes: kana, kanji, full-width and half-width
// letters and digits, half-width katakana, and now and then English.
const std::vector<std::string>& ProseLines() {
    static const std::vector<std::string> lines = qb::bench::RandomLines(
        {"私は",
         "町の人々は",
         "ｶﾒﾗﾏﾝは",
         "ＡＩ研究者は",
         "手紙を",
         "ﾃﾞｰﾀを",
         "読んだ",
         "眺めていた",
         "二〇二六年",
         "第３章で",
         "10時半に",
         "、",
         "。",
         "「",
         "」",
         "ガイドブック",
         "パンを",
         "１２３円の",
         " quick brown fox ",
         "Version 2.5"},
        {.totalBytes = 16u << 20, .minLength = 40, .maxLength = 600, .seed = 2024});
    return lines;
}

std::vector<std::string> Converted(std::string (*convert)(std::string_view)) {
    std::vector<std::string> out;
    for (const auto& line : ProseLines())
        out.push_back(convert(line));
    return out;
}

std::string ToJis(std::string_view line) {
    qb::JisShiftState state;
    return qb::SjisToJisLine(line, state, {});
}
std::string ToUtf8(std::string_view line) {
    return qb::SjisToUtf8(line);
}
std::string Same(std::string_view line) {
    return std::string(line);
}

// The input lines of each benchmark.
const std::vector<std::string>& Input(int which) {
    static const std::vector<std::string> sjis = Converted(Same);
    static const std::vector<std::string> jis = Converted(ToJis);
    static const std::vector<std::string> utf8 = Converted(ToUtf8);
    return which == 1 ? jis : which == 2 ? utf8 : sjis;
}

std::size_t Bytes(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size();
    return total;
}

// The conversion alone, line by line.
template <class Convert>
void Kernel(benchmark::State& state, int input, Convert convert) {
    const auto& lines = Input(input);
    for (auto _ : state)
        for (const auto& line : lines)
            benchmark::DoNotOptimize(convert(line));
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * Bytes(lines)));
}

// The document command over the same lines (undone between iterations, untimed).
template <class Command>
void Document(benchmark::State& state, int input, Command command) {
    const auto& lines = Input(input);
    qb::SilentHost host;
    qb::SettingsStore settings;
    qb::AppContext app{host, settings};
    qb::CQuillbayDoc doc(app);
    std::string text;
    for (const auto& line : lines)
        text.append(line).append("\r\n");
    doc.SetAllText(text);
    doc.Target().lastLine = doc.LineCount();
    for (auto _ : state) {
        command(doc);
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * Bytes(lines)));
}

void BM_ZenToHan_Kernel(benchmark::State& s) {
    Kernel(s, 0, [](std::string_view l) { return qb::ZenToHan(l, 0); });
}
void BM_ZenToHan_Document(benchmark::State& s) {
    Document(s, 0, [](qb::CQuillbayDoc& d) { d.ZenToHan(); });
}
void BM_HanToZen_Kernel(benchmark::State& s) {
    Kernel(s, 0, [](std::string_view l) { return qb::HanToZen(l, 0); });
}
void BM_HanToZen_Document(benchmark::State& s) {
    Document(s, 0, [](qb::CQuillbayDoc& d) { d.HanToZen(); });
}
void BM_JisToSjis_Kernel(benchmark::State& s) {
    Kernel(s, 1, [state = qb::JisShiftState()](std::string_view l) mutable {
        return qb::JisToSjisLine(l, state);
    });
}
void BM_JisToSjis_Document(benchmark::State& s) {
    Document(s, 1, [](qb::CQuillbayDoc& d) { d.JisToSjis(); });
}
void BM_SjisToUtf8_Kernel(benchmark::State& s) {
    Kernel(s, 0, [](std::string_view l) { return qb::SjisToUtf8(l); });
}
void BM_SjisToUtf8_Document(benchmark::State& s) {
    Document(s, 0, [](qb::CQuillbayDoc& d) { d.SjisToUtf8(); });
}
void BM_Utf8ToSjis_Kernel(benchmark::State& s) {
    Kernel(s, 2, [](std::string_view l) { return qb::Utf8ToSjis(l); });
}
void BM_Utf8ToSjis_Document(benchmark::State& s) {
    Document(s, 2, [](qb::CQuillbayDoc& d) { d.Utf8ToSjis(); });
}
void BM_DetectDocumentCode_Utf8(benchmark::State& s) {
    Document(s, 2, [](qb::CQuillbayDoc& d) { benchmark::DoNotOptimize(d.DetectDocumentCode()); });
}

}  // namespace

BENCHMARK(BM_ZenToHan_Kernel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZenToHan_Document)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HanToZen_Kernel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HanToZen_Document)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis_Kernel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis_Document)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToUtf8_Kernel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToUtf8_Document)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToSjis_Kernel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToSjis_Document)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectDocumentCode_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
