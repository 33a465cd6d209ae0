// The print commands of the File menu, and the print job behind them.
//
// The main window keeps one PrintDriver for the whole run: it holds the printer, so the printer,
// paper and orientation chosen in the print dialog or in printer setup stay chosen until the
// program ends. Each command shows its own messages; none of them changes the document.
#pragma once

#include <QString>
#include <memory>

#include "app/gui/common/cell_painter.h"
#include "core/line.h"

class QPrinter;
class QWidget;

namespace qb {
class CQuillbayDoc;
class SettingsStore;
}  // namespace qb

namespace qb::gui {

class PrintDriver {
public:
    PrintDriver();
    ~PrintDriver();
    PrintDriver(const PrintDriver&) = delete;
    PrintDriver& operator=(const PrintDriver&) = delete;

    // "印刷(&P)..." (kCommandPrint): the print dialog, then the document on the chosen printer.
    void Print(QWidget* parent, const CQuillbayDoc& doc, const SettingsStore& settings);
    // "印刷プレビュー(&V)" (kCommandPrintPreview): every page in the preview dialog, which can
    // print them too. Keeps the one- or two-page view in "Settings"/"PreviewPages".
    void Preview(QWidget* parent, const CQuillbayDoc& doc, SettingsStore& settings);
    // "プリンタの設定(&R)..." (kCommandPrintSetup): paper, orientation and margins of the printer
    // kept for the run.
    void SetUpPrinter(QWidget* parent);
    // "印刷形式(&I)..." (kCommandPrintFormat): CPrintFrmDlg.
    void EditPrintFormat(QWidget* parent, SettingsStore& settings);

private:
    std::unique_ptr<QPrinter> m_printer;
};

// What a print run did: the pages it sent, or why it printed nothing (a message for the user).
struct PrintOutcome {
    int pages = 0;
    QString error;
    bool Ok() const { return error.isEmpty(); }
};

enum class PageChoice {
    PrinterRange,  // the page range chosen in the print dialog, else every page
    AllPages,
};

// Prints `lines` on `printer` with the margins, lines per page and font of `settings`. Copies
// the printer cannot make itself are printed one after another. Nothing is printed (and the
// outcome says why) when not one row fits in the margins, when the chosen range holds no page
// of the document, or when the printer cannot start. `shownAs` says what the document's
// stand-ins are printed as (DocumentText::ShownAs).
[[nodiscard]] PrintOutcome PrintLines(QPrinter& printer, const LineList& lines,
                                      const SettingsStore& settings,
                                      PageChoice choice = PageChoice::PrinterRange,
                                      const CodeShownAs& shownAs = {});

}  // namespace qb::gui
