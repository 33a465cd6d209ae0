// The desktop program's text view on a large file, offscreen: how long from opening to the first
// painted page, how long a repaint takes after jumping to the top, the middle and the last page,
// how long one page down with its repaint takes, and the peak memory. bench/peers.d runs it.
//
//   quillbay_view_bench FILE            prints the figures
//   quillbay_view_bench --first FILE    opens FILE, paints the first page and exits (timed whole
//                                       by peers.sh against qbay FILE -o OUT)
#include <sys/resource.h>
#include <sys/stat.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "settings/settings_store.h"

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Timings of `runs` runs of `step` followed by a synchronous repaint, in milliseconds: the first
// (glyphs not seen before are made then) and the others.
template <class Step>
std::vector<double> Repaints(qb::gui::CQuillbayView& view, int runs, Step&& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        view.viewport()->repaint();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return times;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool firstOnly = argc == 3 && std::strcmp(argv[1], "--first") == 0;
    if (argc != 2 && !firstOnly) {
        std::fprintf(stderr, "usage: quillbay_view_bench [--first] FILE\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    QApplication app(argc, argv);
    qb::SettingsStore settings;
    settings.WriteInt("View", "LineNo", 1);
    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    frame.resize(1200, 800);
    frame.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    if (!frame.OpenDocument(path)) return 1;
    qb::gui::CQuillbayView& view = *frame.ActiveView();
    view.viewport()->repaint();
    const double firstPaint = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (firstOnly) return 0;

    const int lines = view.Document().LineCount();
    const long long height = static_cast<long long>(lines + 1) * view.LineHeight();
    const int runs = 11;
    const auto top = Repaints(view, runs, [&] { view.SetVerticalPosition(0); });
    const auto middle = Repaints(view, runs, [&] { view.SetVerticalPosition(height / 2); });
    const auto last = Repaints(view, runs, [&] { view.SetVerticalPosition(height); });
    view.SetVerticalPosition(0);
    // A tenth of the text each: nine of them walk down the whole file.
    const auto pageDown = Repaints(view, 9, [&] { view.ScrollPages(1); });
    struct stat info {};
    stat(path, &info);
    const double fileMb = static_cast<double>(info.st_size) / (1024.0 * 1024.0);
    const double peak = PeakMegabytes();
    std::printf("lines %d, file %.0f MB\n", lines, fileMb);
    std::printf("open to first painted page   %8.1f ms\n", firstPaint);
    const auto show = [](const char* what, const std::vector<double>& times) {
        std::printf("%-28s first %6.2f ms  median %6.2f ms  worst %6.2f ms  (target < 16 ms)\n",
                    what, times.front(), Median(times),
                    *std::max_element(times.begin(), times.end()));
    };
    show("repaint after jump to top", top);
    show("repaint after jump to middle", middle);
    show("repaint after jump to last", last);
    show("page down and repaint", pageDown);
    std::printf("peak memory                  %8.0f MB  ratio %.2fx (target < 2.5x)\n", peak,
                fileMb > 0 ? peak / fileMb : 0.0);
    return 0;
}
