#include "app/gui/common/font_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

namespace qb::gui {

namespace {

// The pixel heights the setting accepts (common/screen_font.h).
constexpr int kMinPixels = 4;
constexpr int kMaxPixels = 400;

int PixelsOf(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

bool IsBold(const QFont& font) {
    return font.weight() >= QFont::DemiBold;
}

}  // namespace

QStringList FontDialogFamilies() {
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family) &&
            (QFontDatabase::isFixedPitch(family) ||
             QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)))
            families << family;
    families.sort(Qt::CaseInsensitive);
    return families;
}

FontDialog::FontDialog(const QFont& initial, QWidget* parent)
    : QDialog(parent), m_initial(initial) {
    setWindowTitle(QStringLiteral("フォント"));
    m_families = new QListWidget(this);
    m_families->setObjectName(QStringLiteral("families"));
    QStringList families = FontDialogFamilies();
    // The current face is offered even when it is neither fixed-pitch nor Japanese.
    if (!families.contains(initial.family(), Qt::CaseInsensitive))
        families.prepend(initial.family());
    m_families->addItems(families);
    for (int row = 0; row < m_families->count(); ++row)
        if (m_families->item(row)->text().compare(initial.family(), Qt::CaseInsensitive) == 0)
            m_families->setCurrentRow(row);

    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setRange(kMinPixels, kMaxPixels);
    m_size->setValue(std::clamp(PixelsOf(initial), kMinPixels, kMaxPixels));
    m_bold = new QCheckBox(QStringLiteral("太字(&B)"), this);
    m_bold->setObjectName(QStringLiteral("bold"));
    m_bold->setChecked(IsBold(initial));
    m_italic = new QCheckBox(QStringLiteral("斜体(&I)"), this);
    m_italic->setObjectName(QStringLiteral("italic"));
    m_italic->setChecked(initial.italic());
    m_underline = new QCheckBox(QStringLiteral("下線(&U)"), this);
    m_underline->setObjectName(QStringLiteral("underline"));
    m_underline->setChecked(initial.underline());
    m_sample = new QLabel(QStringLiteral("AaBb 0123 あいう アイウ 漢字 ＡＢ"), this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setMinimumHeight(60);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto* familyLabel = new QLabel(QStringLiteral("フォント名(&F):"), this);
    familyLabel->setBuddy(m_families);
    auto* sizeLabel = new QLabel(QStringLiteral("サイズ(ピクセル)(&S):"), this);
    sizeLabel->setBuddy(m_size);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(familyLabel, 0, 0);
    grid->addWidget(m_families, 1, 0, 5, 1);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(m_bold, 2, 1);
    grid->addWidget(m_italic, 3, 1);
    grid->addWidget(m_underline, 4, 1);
    grid->setRowStretch(5, 1);
    grid->addWidget(m_sample, 6, 0, 1, 2);
    grid->addWidget(buttons, 7, 0, 1, 2);
    resize(520, 420);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_families, &QListWidget::currentRowChanged, this, &FontDialog::ShowSample);
    connect(m_size, &QSpinBox::valueChanged, this, &FontDialog::ShowSample);
    for (QCheckBox* box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, &FontDialog::ShowSample);
    ShowSample();
}

QString FontDialog::ChosenFamily() const {
    const QListWidgetItem* item = m_families->currentItem();
    return item ? item->text() : m_initial.family();
}

// Only what the user changed is set, so that the rest of the font (its fallback families, its
// exact weight, its style hint) stays as it came.
QFont FontDialog::Chosen() const {
    QFont font = m_initial;
    if (ChosenFamily().compare(m_initial.family(), Qt::CaseInsensitive) != 0)
        font.setFamily(ChosenFamily());
    if (m_size->value() != PixelsOf(m_initial)) font.setPixelSize(m_size->value());
    if (m_bold->isChecked() != IsBold(m_initial))
        font.setWeight(m_bold->isChecked() ? QFont::Bold : QFont::Normal);
    if (m_italic->isChecked() != m_initial.italic()) font.setItalic(m_italic->isChecked());
    if (m_underline->isChecked() != m_initial.underline())
        font.setUnderline(m_underline->isChecked());
    return font;
}

void FontDialog::ShowSample() {
    m_sample->setFont(Chosen());
}

std::optional<QFont> FontDialog::Ask(const QFont& initial, QWidget* parent) {
    FontDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace qb::gui
