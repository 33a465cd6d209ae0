// How soon the wrap dialog's preview follows a keystroke on a large document, offscreen: the
// time from a new width typed into the field to the pane showing the new preview (the short
// wait that merges quick keystrokes included), and what the dialog's opening costs.
//
//   preview_latency_bench [MEGABYTES]     (100 by default)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/gui/dialogs/input_dialogs.h"
#include "app/gui/preview/preview_pane.h"
#include "bench/bench_docs.h"
#include "macro/command_table.h"

namespace {

double Millis(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Waits for the pane's next update; false after five seconds without one.
bool WaitForUpdate(qb::gui::PreviewPane* pane) {
    QEventLoop loop;
    QObject::connect(pane, &qb::gui::PreviewPane::Updated, &loop, [&loop] { loop.exit(0); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;

    QElapsedTimer timer;
    timer.start();
    qb::bench::BenchDoc bench(qb::bench::Prose(megabytes << 20));
    std::printf("document: %zu MB, %d lines, made in %.0f ms\n", megabytes, bench.doc.LineCount(),
                Millis(timer));

    const qb::CommandInfo& wrap = *qb::FindCommand(32784);  // "折り返し(&O)..."
    const qb::DialogRequest request{wrap.dialog, wrap, bench.doc, wrap.dialogText, 70, {}};
    timer.restart();
    qb::gui::CInputNoDlg dialog(wrap.dialogText, 70, nullptr);
    qb::gui::AttachPreview(dialog, request, bench.app, [&dialog](const qb::gui::DialogValues& v) {
        return dialog.WithValues(v, [&dialog] { return dialog.Result(); });
    });
    auto* pane = dialog.findChild<qb::gui::PreviewPane*>(QStringLiteral("preview"));
    dialog.show();
    if (!WaitForUpdate(pane)) {
        std::fprintf(stderr, "no first preview\n");
        return 1;
    }
    std::printf("dialog opened with its first preview in %.1f ms\n", Millis(timer));

    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("number"));
    // Keystrokes at typing speed (a pause between them), and back to back (a key held down,
    // where quick changes wait a little to make one update).
    double worst = 0;
    for (const int pauseMs : {120, 0}) {
        std::vector<double> times;
        for (int i = 0; i < 60; ++i) {
            if (pauseMs > 0) {
                QEventLoop pause;
                QTimer::singleShot(pauseMs, &pause, &QEventLoop::quit);
                pause.exec();
            }
            const QString width = QString::number(20 + (i * 7) % 60);
            timer.restart();
            field->setText(width);  // as a keystroke that leaves this text does
            if (!WaitForUpdate(pane)) {
                std::fprintf(stderr, "no preview for width %s\n", qPrintable(width));
                return 1;
            }
            times.push_back(Millis(timer));
        }
        std::sort(times.begin(), times.end());
        const double p90 = times[times.size() * 9 / 10];
        if (pauseMs > 0) worst = p90;
        std::printf("keystroke to preview, %s: median %.1f ms, 90%% %.1f ms, max %.1f ms\n",
                    pauseMs > 0 ? "typing" : "key held", times[times.size() / 2], p90,
                    times.back());
    }
    std::printf("goal: 50 ms at typing speed\n");
    return worst <= 50.0 ? 0 : 3;
}
