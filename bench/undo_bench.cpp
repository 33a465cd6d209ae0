// Undo snapshots of a large document: the memory a hundred of them take and the time of each.
//
//   undo_bench FILE [EDITS]
//
// Loads FILE (no code conversion), then makes EDITS (default 100) one-line edits, each of which
// pushes a snapshot of the whole document, then undoes and redoes them all. Prints the document's
// size, the memory the snapshots added, and the slowest and mean times of a push (the first one,
// which has no snapshot to share with, apart), an undo and a redo; wall time, and CPU time, the
// fairer figure on a machine shared with other work.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "core/host.h"
#include "core/quillbay_doc.h"

namespace {

// Resident memory in MB.
double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

struct Times {
    double slowest = 0, total = 0, slowestCpu = 0, totalCpu = 0;
    int count = 0;
    template <class F>
    void Time(F&& f) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = CpuMs();
        f();
        const double cpu = CpuMs() - cpuStart;
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        slowest = std::max(slowest, ms);
        total += ms;
        slowestCpu = std::max(slowestCpu, cpu);
        totalCpu += cpu;
        ++count;
    }
    void Print(const char* what) const {
        std::printf("%-11s slowest %5.1f ms (CPU %5.1f ms), mean %5.1f ms (CPU %5.1f ms), %d\n",
                    what, slowest, slowestCpu, count ? total / count : 0,
                    count ? totalCpu / count : 0, count);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [EDITS]\n", argv[0]);
        return 2;
    }
    const int edits = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
    qb::SilentHost host;
    qb::SettingsStore settings;
    settings.Override("System", "Auto", "0");
    qb::AppContext app{host, settings, nullptr};
    qb::CQuillbayDoc doc(app);
    if (!doc.OnOpenDocument(argv[1])) return 1;
    long long bytes = 0;
    for (const qb::Line& line : doc.Lines())
        bytes += static_cast<long long>(line.size());
    const double before = ResidentMb();

    Times firstPush, push, undo, redo;
    const int lines = doc.LineCount();
    for (int n = 0; n < edits; ++n) {
        // Spread over the document, as real edits are.
        const int index = static_cast<int>((static_cast<long long>(n) * 7919) % lines);
        const std::string text = "edit " + std::to_string(n) + " " + doc.GetLine(index).str();
        (n == 0 ? firstPush : push).Time([&] { doc.SetLine(index, text); });
    }
    const double after = ResidentMb();
    while (doc.CanUndo())
        undo.Time([&] { doc.Undo(); });
    while (doc.CanRedo())
        redo.Time([&] { doc.Redo(); });

    std::printf("document %d lines, %.0f MB; %d snapshots\n", lines, bytes / 1048576.0,
                doc.UndoStack().Count());
    std::printf("memory: %.0f MB after loading, %.0f MB after the edits: %.0f MB added\n", before,
                after, after - before);
    firstPush.Print("first push");
    push.Print("push");
    undo.Print("undo");
    redo.Print("redo");
    return 0;
}
