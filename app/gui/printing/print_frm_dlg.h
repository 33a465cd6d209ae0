// CPrintFrmDlg ("印刷形式"): the page margins in millimetres and the lines per page, kept in
// "Print" when the dialog is confirmed, and the print font, kept in "PFont" as soon as it is
// chosen in the font dialog, whether or not this dialog is then confirmed.
#pragma once

#include <QDialog>

#include "app/gui/printing/print_format.h"

class QLabel;
class QLineEdit;

namespace qb::gui {

// What the dialog says of the print font: the family the pages are printed with and its size,
// and the stored face when that is not installed and another stands in ("IPAGothic (10.0 pt)
// （「ＭＳ ゴシック」の代わり）").
[[nodiscard]] QString PrintFontCaption(const QString& storedFace, const QString& drawnWith,
                                       double points);

class CPrintFrmDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the stored "Print" values (or their defaults).
    explicit CPrintFrmDlg(SettingsStore& settings, QWidget* parent = nullptr);

    // Checks every field in order; the first bad one gets the message and the focus, and the
    // dialog stays open. When all are good, stores them in "Print" and closes.
    void accept() override;

private:
    void ChooseFont();
    void ShowFontName();

    SettingsStore& m_settings;
    QLineEdit* m_left = nullptr;
    QLineEdit* m_top = nullptr;
    QLineEdit* m_right = nullptr;
    QLineEdit* m_bottom = nullptr;
    QLineEdit* m_lineMax = nullptr;
    QLabel* m_fontName = nullptr;
};

}  // namespace qb::gui
