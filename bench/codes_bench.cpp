// Throughput of the character-code kernels, in input bytes per second, on synthetic text made
// like the peer-comparison input: lines of Japanese prose (kana, kanji, full- and half-width
// letters, now and then English), a quarter of them empty, converted one line at a time as the
// document commands do; and the same on plain ASCII text, where the word-at-a-time paths count.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench/synthetic_text.h"
#include "convert/code_detect.h"
#include "convert/cp932.h"
#include "convert/euc.h"
#include "convert/jis.h"
#include "convert/unicode.h"

namespace {

using Lines = std::vector<std::string>;

// Lines of 40 to 540 bytes, a quarter of them empty, about 16 MB.
constexpr qb::bench::LineRecipe kRecipe{
    .totalBytes = 16u << 20, .minLength = 40, .maxLength = 540, .emptyOneIn = 4, .seed = 20261207};

const Lines& Prose() {
    static const Lines lines = qb::bench::RandomLines({"私は",
                                                       "彼女は",
                                                       "町の人々は",
                                                       "古い友人が",
                                                       "ｶﾒﾗﾏﾝは",
                                                       "ＡＩ研究者は",
                                                       "手紙を",
                                                       "本を",
                                                       "川沿いの道を",
                                                       "ﾃﾞｰﾀを",
                                                       "ＣＤを",
                                                       "読んだ",
                                                       "見ていた",
                                                       "歩いた",
                                                       "思い出した",
                                                       "静かに",
                                                       "ゆっくりと",
                                                       "昨日",
                                                       "三月の終わりに",
                                                       "第３章で",
                                                       "10時半に",
                                                       "、",
                                                       "。",
                                                       "「",
                                                       "」",
                                                       " quick brown fox ",
                                                       "Version 2.5",
                                                       "……。",
                                                       "（",
                                                       "）"},
                                                      kRecipe);
    return lines;
}
const Lines& Ascii() {
    static const Lines lines =
        qb::bench::RandomLines({"the quick brown fox jumps over 13 lazy dogs; "}, kRecipe);
    return lines;
}

template <class F>
Lines Map(const Lines& lines, F f) {
    Lines out;
    for (const auto& line : lines)
        out.push_back(f(line));
    return out;
}

const Lines& ProseUtf8() {
    static const Lines lines = Map(Prose(), [](const std::string& s) { return qb::SjisToUtf8(s); });
    return lines;
}
const Lines& ProseJis() {
    static const Lines lines = Map(Prose(), [](const std::string& s) {
        qb::JisShiftState state;
        return qb::SjisToJisLine(s, state, {});
    });
    return lines;
}
const Lines& ProseEuc() {
    static const Lines lines = Map(Prose(), qb::SjisToEucLine);
    return lines;
}

std::int64_t Bytes(const Lines& lines) {
    std::int64_t n = 0;
    for (const auto& line : lines)
        n += static_cast<std::int64_t>(line.size());
    return n;
}

// Runs `kernel` over every line of `lines` per iteration.
template <class Kernel>
void PerLine(benchmark::State& state, const Lines& lines, Kernel kernel) {
    for (auto _ : state)
        for (const auto& line : lines)
            benchmark::DoNotOptimize(kernel(line));
    state.SetBytesProcessed(state.iterations() * Bytes(lines));
}

// The two Unicode conversions as the document runs them: into a buffer, not a string each.
std::size_t SjisToUtf8Kernel(const std::string& line) {
    static std::string out;
    out.resize(qb::SjisToUtf8Room(line.size()));
    return qb::SjisToUtf8(line, out.data());
}
std::size_t Utf8ToSjisKernel(const std::string& line) {
    static std::string out;
    out.resize(qb::Utf8ToCp932Room(line.size()));
    return qb::Utf8ToSjis(line, out.data());
}

void BM_SjisToUtf8(benchmark::State& s) {
    PerLine(s, Prose(), SjisToUtf8Kernel);
}
void BM_SjisToUtf8_Ascii(benchmark::State& s) {
    PerLine(s, Ascii(), SjisToUtf8Kernel);
}
void BM_Utf8ToSjis(benchmark::State& s) {
    PerLine(s, ProseUtf8(), Utf8ToSjisKernel);
}
void BM_Utf8ToSjis_Ascii(benchmark::State& s) {
    PerLine(s, Ascii(), Utf8ToSjisKernel);
}
void BM_SjisToUtf16(benchmark::State& s) {
    // The one-argument form (SjisToUtf16 also has a form that writes into a buffer).
    PerLine(s, Prose(), [](std::string_view line) { return qb::SjisToUtf16(line); });
}

// The decoders as opening a file runs them: into a buffer.
std::size_t JisToSjisKernel(const std::string& line) {
    static std::string out;
    out.resize(qb::JisToSjisRoom(line.size()));
    qb::JisShiftState state;
    return qb::JisToSjisLine(line, state, out.data());
}
std::size_t EucToSjisKernel(const std::string& line) {
    static std::string out;
    out.resize(qb::EucToSjisRoom(line.size()));
    return qb::EucToSjisLine(line, out.data());
}

void BM_JisToSjisLine(benchmark::State& s) {
    PerLine(s, ProseJis(), JisToSjisKernel);
}
void BM_JisToSjisLine_Ascii(benchmark::State& s) {
    PerLine(s, Ascii(), JisToSjisKernel);
}
void BM_SjisToJisLine(benchmark::State& s) {
    PerLine(s, Prose(), [](const std::string& line) {
        qb::JisShiftState state;
        return qb::SjisToJisLine(line, state, {});
    });
}
void BM_EucToSjisLine(benchmark::State& s) {
    PerLine(s, ProseEuc(), EucToSjisKernel);
}
void BM_SjisToEucLine(benchmark::State& s) {
    PerLine(s, Prose(), qb::SjisToEucLine);
}

void BM_Utf7ToSjis(benchmark::State& s) {
    // "+MEIwRA-" (あい) runs between ASCII words.
    static const Lines lines = Map(Ascii(), [](const std::string& line) {
        std::string out;
        for (std::size_t k = 0; k < line.size(); k += 16)
            out += line.substr(k, 16) + "+MEIwRA-";
        return out;
    });
    PerLine(s, lines, qb::Utf7ToSjis);
}

// Detection has to read all of a text that gives no decisive evidence: ASCII, a document in
// UTF-8 (detected as Shift-JIS, then checked as UTF-8 to the end), half-width katakana.
void BM_DetectFileCode_Ascii(benchmark::State& s) {
    for (auto _ : s)
        benchmark::DoNotOptimize(qb::DetectFileCodeOfLines(Ascii()));
    s.SetBytesProcessed(s.iterations() * Bytes(Ascii()));
}
void BM_DetectDocumentCode_Utf8(benchmark::State& s) {
    for (auto _ : s)
        benchmark::DoNotOptimize(qb::DetectDocumentCodeOfLines(ProseUtf8()));
    s.SetBytesProcessed(s.iterations() * Bytes(ProseUtf8()));
}
void BM_DetectTextCode_Kana(benchmark::State& s) {
    // Lines of half-width katakana only, in pairs: either code, to the end.
    static const Lines lines = Map(Ascii(), [](const std::string& line) {
        return std::string(line.size() & ~std::size_t{1}, '\xB1');
    });
    for (auto _ : s)
        benchmark::DoNotOptimize(qb::DetectLinesCode(lines, "\r\n", qb::CodeDetector::Form::Text));
    s.SetBytesProcessed(s.iterations() * Bytes(lines));
}

BENCHMARK(BM_SjisToUtf8);
BENCHMARK(BM_SjisToUtf8_Ascii);
BENCHMARK(BM_Utf8ToSjis);
BENCHMARK(BM_Utf8ToSjis_Ascii);
BENCHMARK(BM_SjisToUtf16);
BENCHMARK(BM_JisToSjisLine);
BENCHMARK(BM_JisToSjisLine_Ascii);
BENCHMARK(BM_SjisToJisLine);
BENCHMARK(BM_EucToSjisLine);
BENCHMARK(BM_SjisToEucLine);
BENCHMARK(BM_Utf7ToSjis);
BENCHMARK(BM_DetectFileCode_Ascii);
BENCHMARK(BM_DetectDocumentCode_Utf8);
BENCHMARK(BM_DetectTextCode_Kana);

}  // namespace

BENCHMARK_MAIN();
