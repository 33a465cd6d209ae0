// Throughput of the transfer encodings over lines of Japanese prose, one call per line as the
// document commands make them. Each benchmark reports the bytes of its input per second.
#include <benchmark/benchmark.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/synthetic_text.h"
#include "convert/base64.h"
#include "convert/cp932.h"
#include "convert/hex_code.h"
#include "convert/jis.h"
#include "convert/mime_header.h"
#include "convert/url_encoding.h"
#include "convert/uuencode.h"

namespace {

// About 8 MB of Shift-JIS prose in lines of 20 to 600 bytes.
const std::vector<std::string>& ProseLines() {
    static const std::vector<std::string> lines = qb::bench::RandomLines(
        {"私は", "川沿いの道を", "ゆっくりと", "歩いた。", "ｶﾒﾗﾏﾝは", "ＣＤを", "quick brown fox ",
         "2026年に", "「手紙」を", "読んだ！", "e-mail", " 100% ", "a=b&c+d", "窓の外の景色を"},
        {.totalBytes = 8u << 20, .minLength = 20, .maxLength = 600, .seed = 8});
    return lines;
}

template <typename F>
std::vector<std::string> Map(const std::vector<std::string>& lines, F f) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const auto& l : lines)
        out.push_back(f(l));
    return out;
}

template <typename F>
void RunOver(benchmark::State& state, const std::vector<std::string>& input, F f) {
    std::size_t bytes = 0;
    for (const auto& l : input)
        bytes += l.size();
    for (auto _ : state)
        for (const auto& l : input)
            benchmark::DoNotOptimize(f(l));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// The lines of a uuencoded file: 45 bytes to a line.
std::vector<std::string> UuencodedLines() {
    std::string all;
    for (const auto& l : ProseLines())
        all += l;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < all.size(); i += 45) {
        const std::string chunk = all.substr(i, 45);
        std::string line(1, static_cast<char>(0x20 + chunk.size()));
        for (std::size_t k = 0; k < chunk.size(); k += 3) {
            unsigned b[3] = {};
            for (std::size_t j = 0; j < 3 && k + j < chunk.size(); ++j)
                b[j] = static_cast<unsigned char>(chunk[k + j]);
            for (unsigned v :
                 {b[0] >> 2, (b[0] & 3) << 4 | b[1] >> 4, (b[1] & 15) << 2 | b[2] >> 6, b[2] & 63})
                line += static_cast<char>(v == 0 ? '`' : 0x20 + v);
        }
        out.push_back(line);
    }
    return out;
}

void BM_Base64EncodeBytes(benchmark::State& s) {
    RunOver(s, ProseLines(), qb::Base64EncodeBytes);
}
void BM_Base64DecodeBytes(benchmark::State& s) {
    RunOver(s, Map(ProseLines(), qb::Base64EncodeBytes), qb::Base64DecodeBytes);
}
void BM_UudecodeLine(benchmark::State& s) {
    RunOver(s, UuencodedLines(), qb::UudecodeLine);
}
void BM_UrlEncode(benchmark::State& s) {
    RunOver(s, ProseLines(), qb::UrlEncode);
}
void BM_UrlDecode(benchmark::State& s) {
    RunOver(s, Map(ProseLines(), qb::UrlEncode), qb::UrlDecode);
}
void BM_EqualsDecode(benchmark::State& s) {
    const auto input = Map(ProseLines(), [](const std::string& l) {
        std::string e = qb::UrlEncode(l);
        for (auto& c : e)
            if (c == '%') c = '=';
        return e;
    });
    RunOver(s, input, qb::EqualsDecode);
}
void BM_HexDump(benchmark::State& s) {
    RunOver(s, ProseLines(), qb::HexDump);
}
void BM_HexToBytes(benchmark::State& s) {
    RunOver(s, Map(ProseLines(), qb::HexDump), qb::HexToBytes);
}
void BM_JisHexDump(benchmark::State& s) {
    RunOver(s, ProseLines(), qb::JisHexDump);
}
void BM_JisHexToText(benchmark::State& s) {
    RunOver(s, Map(ProseLines(), qb::JisHexDump), qb::JisHexToText);
}
void BM_MimeHeaderEncode(benchmark::State& s) {
    RunOver(s, ProseLines(),
            [](const std::string& l) { return qb::MimeHeaderEncode(l, qb::JisEncoderOptions{}); });
}
void BM_MimeHeaderDecode(benchmark::State& s) {
    const auto input = Map(ProseLines(), [](const std::string& l) {
        return qb::MimeHeaderEncode(l, qb::JisEncoderOptions{});
    });
    RunOver(s, input, qb::MimeHeaderDecode);
}

BENCHMARK(BM_Base64EncodeBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Base64DecodeBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UudecodeLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UrlEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UrlDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EqualsDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexDump)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HexToBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisHexDump)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisHexToText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MimeHeaderEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MimeHeaderDecode)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
