// Times the target-line test over a whole document (TargetFlags, the pass that operations which
// insert or remove lines make first), for comparison with grep -c.
//
//   target_lines_bench FILE plain|pattern CONDITION [RUNS]
//
// FILE is read as the document reads it (no code conversion); CONDITION is taken as Shift-JIS
// bytes. Prints one line: the number of target lines, the load time, and the wall times and the
// CPU times of RUNS (default 5) evaluations of every line, in seconds, each list comma-separated.
// The CPU time is the fairer figure on a machine shared with other work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "core/host.h"
#include "core/quillbay_doc.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || (std::string(argv[2]) != "plain" && std::string(argv[2]) != "pattern")) {
        std::fprintf(stderr, "usage: %s FILE plain|pattern CONDITION [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    qb::SilentHost host;
    qb::SettingsStore settings;
    settings.Override("System", "Auto", "0");
    qb::AppContext app{host, settings, nullptr};
    qb::CQuillbayDoc doc(app);

    const auto loadStart = std::chrono::steady_clock::now();
    if (!doc.OnOpenDocument(argv[1])) return 1;
    const double load = Seconds(loadStart);
    doc.SelectLines(1, doc.LineCount(), 1, argv[3], std::string(argv[2]) == "pattern");

    int count = 0;
    std::string walls, cpus;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds();
        const std::vector<char> flags = doc.TargetFlags();
        count = static_cast<int>(std::count(flags.begin(), flags.end(), 1));
        const double cpu = CpuSeconds() - cpuStart;
        const double wall = Seconds(start);
        const char* comma = run == 0 ? "" : ",";
        walls += comma + std::to_string(wall);
        cpus += comma + std::to_string(cpu);
    }
    std::printf("%d %.4f %s %s\n", count, load, walls.c_str(), cpus.c_str());
    return 0;
}
