#include "app/gui/dialogs/info_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/common/qt_text.h"

namespace qb::gui {

namespace {

// A read-only field wide enough for `text` and at least `chars` average characters.
QLineEdit* Figure(QWidget* parent, const char* key, const QString& text, int chars = 12) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(key));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    const QFontMetrics metrics = field->fontMetrics();
    field->setMinimumWidth(
        std::max(metrics.averageCharWidth() * chars, metrics.horizontalAdvance(text) + 16));
    return field;
}

}  // namespace

CCountDlg::CCountDlg(const TextCount& count, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("文字数のカウント"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("文字数"), this), row, 0);
    grid->addWidget(Figure(this, "total", QString::number(count.total)), row++, 1);
    QString size = QString::number(count.size) + QStringLiteral(" バイト");
    if (const std::string units = count.SizeInUnits(); !units.empty())
        size += QStringLiteral(" (") + Utf8ToQString(units) + QLatin1Char(')');
    grid->addWidget(new QLabel(QStringLiteral("サイズ"), this), row, 0);
    grid->addWidget(Figure(this, "size", size, 24), row++, 1, 1, 2);
    const struct {
        const char* key;
        const char* percentKey;
        const char* label;
        long long n;
    } classes[] = {
        {"kanji", "kanjiPercent", "漢字", count.kanji},
        {"hiragana", "hiraganaPercent", "ひらがな", count.hiragana},
        {"katakana", "katakanaPercent", "カタカナ", count.katakana},
        {"letters", "lettersPercent", "英字", count.letters},
        {"digits", "digitsPercent", "数字", count.digits},
        {"symbols", "symbolsPercent", "記号", count.symbols},
    };
    for (const auto& c : classes) {
        grid->addWidget(new QLabel(QString::fromUtf8(c.label), this), row, 0);
        grid->addWidget(Figure(this, c.key, QString::number(c.n)), row, 1);
        grid->addWidget(
            Figure(this, c.percentKey, QString::number(count.Percent(c.n)) + QLatin1Char('%')),
            row++, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("英単語としての単語数"), this), row, 0);
    grid->addWidget(Figure(this, "words", QString::number(count.words)), row++, 1);
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

CCodeDetectDlg::CCodeDetectDlg(CodeKind detected, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("コード判定"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("現在の文字コードは"), this));
    auto* kinds = new QComboBox(this);
    kinds->setObjectName(QStringLiteral("code"));
    // In code-kind order, so the position is the detected kind.
    for (const char* kind : {"シフトJIS", "JIS", "EUC", "UTF8", "ASCII", "不明"})
        kinds->addItem(QString::fromUtf8(kind));
    kinds->setCurrentIndex(static_cast<int>(detected));
    layout->addWidget(kinds);
    layout->addWidget(new QLabel(
        QStringLiteral("注：文字数が少ない場合などには判定が正確でない場合があります"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace qb::gui
