// "フォント": the face, pixel size and style of the view's text.
//
// Qt's own font dialog works in points and matches styles by name: it opened on "Oblique" for a
// regular face, and OK without a change made the text italic and moved 14 pixels to 15. This one
// works in the pixels the setting keeps, shows the style as plain boxes, and gives back the very
// font it was given when nothing was changed. It lists the fixed-pitch families and every family
// that draws Japanese.
#pragma once

#include <QDialog>
#include <QFont>
#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace qb::gui {

class FontDialog : public QDialog {
    Q_OBJECT
public:
    FontDialog(const QFont& initial, QWidget* parent);

    // The font as chosen: `initial` itself with only what was changed set on it.
    QFont Chosen() const;

    // Asks for a font; nullopt when the dialog was cancelled.
    static std::optional<QFont> Ask(const QFont& initial, QWidget* parent);

private:
    void ShowSample();
    QString ChosenFamily() const;

    QFont m_initial;
    QListWidget* m_families;
    QSpinBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QLabel* m_sample;
};

// The families the dialog offers, sorted: every fixed-pitch family and every family that draws
// Japanese.
QStringList FontDialogFamilies();

}  // namespace qb::gui
