#include "app/gui/printing/print_driver.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <algorithm>
#include <vector>

#include "app/gui/common/qt_text.h"
#include "app/gui/printing/page_layout.h"
#include "app/gui/printing/print_format.h"
#include "app/gui/printing/print_frm_dlg.h"
#include "app/gui/printing/print_painter.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

const QString kTitle = QStringLiteral("印刷");

class BusyCursorScope {
public:
    BusyCursorScope() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursorScope() { QGuiApplication::restoreOverrideCursor(); }
};

void ShowProblem(QWidget* parent, const PrintOutcome& outcome) {
    if (!outcome.Ok()) QMessageBox::warning(parent, kTitle, outcome.error);
}

QString DocumentName(const CQuillbayDoc& doc) {
    const QString path = Utf8ToQString(doc.PathName());
    return path.isEmpty() ? QStringLiteral("無題") : QFileInfo(path).fileName();
}

// The pages to print, 0-based, in the order the printer wants them.
std::vector<int> PagesInOrder(const QPrinter& printer, int pageCount, PageChoice choice) {
    int first = 0;
    int last = pageCount - 1;
    if (choice == PageChoice::PrinterRange && printer.printRange() == QPrinter::PageRange &&
        printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        if (printer.toPage() > 0) last = std::min(last, printer.toPage() - 1);
    }
    std::vector<int> pages;
    for (int page = first; page <= last; ++page)
        pages.push_back(page);
    if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(pages.begin(), pages.end());
    return pages;
}

}  // namespace

PrintOutcome PrintLines(QPrinter& printer, const LineList& lines, const SettingsStore& settings,
                        PageChoice choice, const CodeShownAs& shownAs) {
    const int dpi = printer.resolution();
    const PrintPainter text(MakePrintFont(LoadPrintFont(settings), dpi));
    const QRect printable = printer.pageLayout().paintRectPixels(dpi);
    const PageDevice device{printable.width(), printable.height(), dpi, text.CharWidth(),
                            text.CharHeight()};
    const PageGeometry geometry = LayOutPage(LoadPrintFormat(settings), device);
    if (!geometry.HasRoom())
        return {0, QString::fromUtf8(
                       "余白が広すぎるか印刷フォントが大きすぎて、ページに文字が入りません。"
                       "印刷形式を見直してください。")};

    const std::vector<RowPosition> starts = PageStarts(lines, geometry);
    const int pageCount = static_cast<int>(starts.size());
    const std::vector<int> pages = PagesInOrder(printer, pageCount, choice);
    if (pages.empty())
        return {0,
                QString::fromUtf8("指定したページはありません（全 %1 ページ）。").arg(pageCount)};

    // Copies the printer makes itself it is asked for; the others are printed here.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    const bool collate = printer.collateCopies();
    std::vector<int> sequence;
    for (int copy = 0; copy < copies && collate; ++copy)
        sequence.insert(sequence.end(), pages.begin(), pages.end());
    if (!collate)
        for (int page : pages)
            sequence.insert(sequence.end(), static_cast<std::size_t>(copies), page);

    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString file = printer.outputFileName();
        return {0, file.isEmpty() ? QString::fromUtf8("印刷を開始できません。")
                                  : QString::fromUtf8("印刷を開始できません：%1").arg(file)};
    }
    // The file name and the page number go in the margins where they have room.
    const PageMarks marks = PlaceMarks(geometry, device);
    int printed = 0;
    for (int page : sequence) {
        if (printed > 0 && !printer.newPage()) break;
        text.PaintPage(painter, lines, geometry, starts[static_cast<std::size_t>(page)], shownAs);
        text.PaintMarks(painter, geometry, marks, printer.docName(),
                        QString::fromStdString(PageNumberText(page + 1, pageCount)));
        ++printed;
    }
    painter.end();
    if (printer.printerState() == QPrinter::Error || printed < static_cast<int>(sequence.size()))
        return {printed, QString::fromUtf8("印刷に失敗しました。")};
    return {printed, {}};
}

PrintDriver::PrintDriver() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

PrintDriver::~PrintDriver() = default;

void PrintDriver::Print(QWidget* parent, const CQuillbayDoc& doc, const SettingsStore& settings) {
    QPrintDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QString::fromUtf8("印刷"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) return;
    m_printer->setDocName(DocumentName(doc));
    PrintOutcome outcome;
    {
        BusyCursorScope busy;
        outcome = PrintLines(*m_printer, doc.Lines(), settings, PageChoice::PrinterRange,
                             DocumentText::ShownAs(doc));
    }
    ShowProblem(parent, outcome);
}

void PrintDriver::Preview(QWidget* parent, const CQuillbayDoc& doc, SettingsStore& settings) {
    // The preview shows the whole document; a range chosen for an earlier print does not apply.
    m_printer->setPrintRange(QPrinter::AllPages);
    m_printer->setFromTo(0, 0);
    m_printer->setDocName(DocumentName(doc));

    QPrintPreviewDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QString::fromUtf8("印刷プレビュー"));
    auto* view = dialog.findChild<QPrintPreviewWidget*>();
    if (view && settings.ReadInt("Settings", "PreviewPages", 0) == 2)
        view->setViewMode(QPrintPreviewWidget::FacingPagesView);
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
            BusyCursorScope busy;
            ShowProblem(&dialog, PrintLines(*printer, doc.Lines(), settings,
                                            PageChoice::PrinterRange, DocumentText::ShownAs(doc)));
        });
    dialog.exec();
    if (view && view->viewMode() != QPrintPreviewWidget::AllPagesView)
        settings.WriteInt("Settings", "PreviewPages",
                          view->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1);
}

void PrintDriver::SetUpPrinter(QWidget* parent) {
    QPageSetupDialog dialog(m_printer.get(), parent);
    dialog.setWindowTitle(QString::fromUtf8("プリンタの設定"));
    dialog.exec();
}

void PrintDriver::EditPrintFormat(QWidget* parent, SettingsStore& settings) {
    CPrintFrmDlg dialog(settings, parent);
    dialog.exec();
}

}  // namespace qb::gui
