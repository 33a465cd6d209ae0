#include "app/gui/printing/print_frm_dlg.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/gui/common/fonts.h"
#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"

namespace qb::gui {

namespace {

QLineEdit* AddNumberRow(QGridLayout* grid, int row, const char* label, const char* name, int value,
                        const char* unit) {
    auto* edit = new QLineEdit(QString::number(value));
    edit->setObjectName(QString::fromUtf8(name));
    auto* caption = new QLabel(QString::fromUtf8(label));
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    if (unit) grid->addWidget(new QLabel(QString::fromUtf8(unit)), row, 2);
    return edit;
}

// The font the font dialog starts from: the stored one, in points (the dialog's unit).
QFont DialogFont(const PrintFontSetting& setting) {
    QFont font = ResolveFont(Utf8ToQString(setting.face));
    font.setPointSizeF(setting.size * 72.0 / 100.0);
    font.setWeight(static_cast<QFont::Weight>(setting.weight));
    font.setItalic(setting.italic);
    font.setUnderline(setting.underline);
    return font;
}

PrintFontSetting SettingOf(const QFont& font) {
    PrintFontSetting setting;
    setting.face = QStringToUtf8(font.family());
    // Points to hundredths of an inch; a font sized in pixels is taken at 96 to the inch.
    const double hundredths =
        font.pointSizeF() > 0 ? font.pointSizeF() * 100.0 / 72.0 : font.pixelSize() * 100.0 / 96.0;
    setting.size = std::clamp(static_cast<int>(std::lround(hundredths)), kPrintFontSizeRange.min,
                              kPrintFontSizeRange.max);
    setting.weight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
    setting.italic = font.italic();
    setting.underline = font.underline();
    return setting;
}

}  // namespace

CPrintFrmDlg::CPrintFrmDlg(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(QString::fromUtf8("印刷形式"));
    const PrintFormat format = LoadPrintFormat(settings);

    auto* grid = new QGridLayout;
    m_left = AddNumberRow(grid, 0, "左マージン(&L):", "left", format.left, "mm");
    m_top = AddNumberRow(grid, 1, "上マージン(&M):", "top", format.top, "mm");
    m_right = AddNumberRow(grid, 2, "右マージン(&R):", "right", format.right, "mm");
    m_bottom = AddNumberRow(grid, 3, "下マージン(&B):", "bottom", format.bottom, "mm");
    m_lineMax = AddNumberRow(grid, 4, "１ページの行数(&G):", "lineMax", format.lineMax, nullptr);

    auto* fontButton = new QPushButton(QString::fromUtf8("ﾌｫﾝﾄ(&F)..."));
    fontButton->setObjectName(QStringLiteral("font"));
    fontButton->setAutoDefault(false);
    connect(fontButton, &QPushButton::clicked, this, &CPrintFrmDlg::ChooseFont);
    m_fontName = new QLabel;
    m_fontName->setObjectName(QStringLiteral("fontName"));
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fontButton);
    fontRow->addWidget(m_fontName, 1);
    ShowFontName();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrintFrmDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrintFrmDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(fontRow);
    layout->addWidget(buttons);
}

void CPrintFrmDlg::accept() {
    PrintFormat format;
    const struct {
        QLineEdit* edit;
        IntRange range;
        int* value;
    } fields[] = {
        {m_left, kMarginRange, &format.left},        {m_top, kMarginRange, &format.top},
        {m_right, kMarginRange, &format.right},      {m_bottom, kMarginRange, &format.bottom},
        {m_lineMax, kLineMaxRange, &format.lineMax},
    };
    for (const auto& field : fields) {
        const IntFieldCheck check = CheckIntField(QStringToUtf8(field.edit->text()), field.range);
        if (!check.value) {
            QMessageBox::warning(this, MessageTitle(this, QMessageBox::Warning),
                                 Utf8ToQString(check.message));
            field.edit->setFocus();
            field.edit->selectAll();
            return;
        }
        *field.value = *check.value;
    }
    StorePrintFormat(m_settings, format);
    QDialog::accept();
}

void CPrintFrmDlg::ChooseFont() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, DialogFont(LoadPrintFont(m_settings)), this,
                                              QString::fromUtf8("フォント"));
    if (!ok) return;
    StorePrintFont(m_settings, SettingOf(chosen));
    ShowFontName();
}

void CPrintFrmDlg::ShowFontName() {
    const PrintFontSetting font = LoadPrintFont(m_settings);
    m_fontName->setText(PrintFontCaption(Utf8ToQString(font.face),
                                         ResolveFontFamilies(Utf8ToQString(font.face)).front(),
                                         font.size * 72.0 / 100.0));
}

QString PrintFontCaption(const QString& storedFace, const QString& drawnWith, double points) {
    const QString size = QString::number(points, 'f', 1);
    // The stored face of a fresh settings file is not installed here: name the font the pages
    // are really printed with, and the stored name it stands in for.
    if (drawnWith.compare(storedFace, Qt::CaseInsensitive) == 0)
        return QStringLiteral("%1 (%2 pt)").arg(drawnWith, size);
    return QStringLiteral("%1 (%2 pt)（「%3」の代わり）").arg(drawnWith, size, storedFace);
}

}  // namespace qb::gui
