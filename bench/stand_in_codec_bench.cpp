// The UTF-8 conversions with stand-ins against the plain ones, on about 100 MB of UTF-8 prose
// with now and then a character Shift-JIS lacks (a dash, a wave dash, an emoji, é), converted one
// line at a time into a buffer as opening and saving do. After the table of times it prints each
// conversion with stand-ins as a ratio to the plain one measured in the same run (the target is
// at most 1.2), and the time of finding the form of the whole text (in UTF-8 and in Shift-JIS),
// which opening adds when the code is not named.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "convert/cp932.h"
#include "convert/file_form_detect.h"
#include "convert/stand_in_codec.h"

namespace {

using Lines = std::vector<std::string>;

// Lines of 40 to 540 bytes, a quarter of them empty, about 100 MB; about one line in ten holds a
// character that needs a stand-in.
const Lines& ProseUtf8() {
    static const Lines lines = [] {
        const char* const pieces[] = {
            "私は", "彼女は", "町の人々は", "古い友人が", "ｶﾒﾗﾏﾝは", "ＡＩ研究者は", "手紙を", "本を",
            "川沿いの道を", "ﾃﾞｰﾀを", "ＣＤを", "読んだ", "見ていた", "歩いた", "思い出した", "静かに",
            "ゆっくりと", "昨日", "三月の終わりに", "第３章で", "10時半に", "、", "。", "「", "」",
            " quick brown fox ", "Version 2.5", "……。", "（", "）", "読んだ", "、", "。", "本を",
        };
        const char* const rare[] = {"\u2014", "\u301C", "\U0001F600", "caf\u00E9"};
        std::mt19937 rng(20261208);
        Lines out;
        std::size_t total = 0;
        while (total < (std::size_t{100} << 20)) {
            std::string line;
            if (rng() % 4 != 0) {
                const std::size_t length = 40 + rng() % 501;
                while (line.size() < length)
                    line += rng() % 400 == 0 ? rare[rng() % 4] : pieces[rng() % std::size(pieces)];
            }
            total += line.size() + 1;
            out.push_back(std::move(line));
        }
        return out;
    }();
    return lines;
}

// The same in Shift-JIS with stand-ins, and the table they need.
struct Held {
    Lines lines;
    qb::StandInTable table;
};

const Held& ProseSjis() {
    static const Held held = [] {
        Held h;
        for (const auto& line : ProseUtf8())
            h.lines.push_back(qb::Utf8ToSjisWithStandIns(line, h.table));
        return h;
    }();
    return held;
}

std::int64_t Bytes(const Lines& lines) {
    std::int64_t n = 0;
    for (const auto& line : lines)
        n += static_cast<std::int64_t>(line.size());
    return n;
}

template <class Kernel>
void PerLine(benchmark::State& state, const Lines& lines, Kernel kernel) {
    std::string out;
    for (auto _ : state)
        for (const auto& line : lines)
            benchmark::DoNotOptimize(kernel(line, out));
    state.SetBytesProcessed(state.iterations() * Bytes(lines));
}

// The plain conversions as opening and saving run them today, counting what they lose.
void BM_Utf8ToCp932(benchmark::State& s) {
    std::size_t lost = 0;
    PerLine(s, ProseUtf8(), [&](const std::string& line, std::string& out) {
        out.resize(qb::Utf8ToCp932Room(line.size()));
        return qb::Utf8ToCp932(line, out.data(), lost);
    });
}

void BM_Utf8ToSjisWithStandIns(benchmark::State& s) {
    PerLine(s, ProseUtf8(), [table = qb::StandInTable()](const std::string& line,
                                                         std::string& out) mutable {
        out.resize(qb::Utf8ToSjisWithStandInsRoom(line.size()));
        return qb::Utf8ToSjisWithStandIns(line, out.data(), table, nullptr);
    });
}

void BM_SjisToUtf8(benchmark::State& s) {
    std::size_t lost = 0;
    PerLine(s, ProseSjis().lines, [&](const std::string& line, std::string& out) {
        out.resize(qb::SjisToUtf8Room(line.size()));
        return qb::SjisToUtf8(line, out.data(), lost);
    });
}

void BM_SjisToUtf8WithStandIns(benchmark::State& s) {
    const qb::StandInTable& table = ProseSjis().table;
    PerLine(s, ProseSjis().lines, [&](const std::string& line, std::string& out) {
        out.resize(qb::SjisToUtf8WithStandInsRoom(line.size()));
        return qb::SjisToUtf8WithStandIns(line, out.data(), table, nullptr);
    });
}

// Finding the form of a file read in blocks of 1 MiB.
void DetectInBlocks(benchmark::State& s, const std::string& file) {
    for (auto _ : s) {
        qb::FileFormDetector detector;
        for (std::size_t at = 0; at < file.size(); at += 1 << 20)
            detector.Feed(std::string_view(file).substr(at, 1 << 20));
        benchmark::DoNotOptimize(detector.Result());
    }
    s.SetBytesProcessed(s.iterations() * static_cast<std::int64_t>(file.size()));
}

std::string Joined(const Lines& lines, std::string_view terminator) {
    std::string text;
    for (const auto& line : lines)
        (text += line) += terminator;
    return text;
}

void BM_DetectFileForm(benchmark::State& s) {
    static const std::string file = Joined(ProseUtf8(), "\n");
    DetectInBlocks(s, file);
}

// Shift-JIS is told at its first kanji; the line ends are still counted to the end.
void BM_DetectFileForm_Sjis(benchmark::State& s) {
    static const std::string file = Joined(ProseSjis().lines, "\r\n");
    DetectInBlocks(s, file);
}

// With repetitions, the fastest of them stands for a benchmark: other work on the machine only
// ever slows a run down.
double Fastest(const std::vector<double>& times) {
    return times.empty() ? 0 : *std::min_element(times.begin(), times.end());
}

BENCHMARK(BM_Utf8ToCp932)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_Utf8ToSjisWithStandIns)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SjisToUtf8)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_SjisToUtf8WithStandIns)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_DetectFileForm)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);
BENCHMARK(BM_DetectFileForm_Sjis)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The console's table, remembering each benchmark's time for the ratios after it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the fastest stands for the benchmark.
        for (const auto& run : runs) {
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "min") continue;
            auto& times = m_times[run.run_name.function_name];
            if (aggregate || !times.fromAggregate)
                times = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(), aggregate};
        }
    }
    // Wall and CPU time; on a machine shared with other work the CPU ratio is the steadier.
    void PrintRatio(const char* name, const char* peer) const {
        const auto a = m_times.find(name), b = m_times.find(peer);
        if (a == m_times.end() || b == m_times.end() || b->second.wall <= 0 || b->second.cpu <= 0)
            return;
        std::printf("%s / %s: wall %.2f, CPU %.2f (target <= 1.20)\n", name, peer,
                    a->second.wall / b->second.wall, a->second.cpu / b->second.cpu);
    }

private:
    struct Times {
        double wall = 0, cpu = 0;
        bool fromAggregate = false;
    };
    std::map<std::string, Times> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("BM_Utf8ToSjisWithStandIns", "BM_Utf8ToCp932");
    reporter.PrintRatio("BM_SjisToUtf8WithStandIns", "BM_SjisToUtf8");
    benchmark::Shutdown();
    return 0;
}
