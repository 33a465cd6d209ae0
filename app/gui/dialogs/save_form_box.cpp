#include "app/gui/dialogs/save_form_box.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <array>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/file_dialogs.h"

namespace qb::gui {

namespace {

constexpr std::array<std::string_view, 7> kCodes = {"Shift-JIS", "JIS",      "EUC-JP",  "UTF-8",
                                                    "UTF-8 BOM", "UTF-16LE", "UTF-16BE"};
constexpr std::array<LineEnd, 3> kLineEnds = {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr};

QComboBox* MakeList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

}  // namespace

std::span<const std::string_view> SaveAsCodeNames() {
    return kCodes;
}

FileForm FormWithCode(const FileForm& base, std::string_view codeName, LineEnd lineEnd) {
    FileForm form = base;
    if (CodeName(base) != codeName) {
        const std::optional<FileForm> named = ParseFileForm(codeName);
        if (named) {
            form.code = named->code;
            form.bigEndian = named->bigEndian;
            form.byteOrderMark = named->byteOrderMark;
            form.jis = JisFlavour();
        }
    }
    form.lineEnd = lineEnd;
    return form;
}

SaveFormBox::SaveFormBox(const FileForm& preset, QWidget* parent)
    : QWidget(parent),
      m_preset(preset),
      m_code(MakeList(this, "code")),
      m_lineEnd(MakeList(this, "lineEnd")) {
    for (std::string_view name : kCodes) {
        m_code->addItem(Utf8ToQString(name));
        if (name == CodeName(preset)) m_code->setCurrentIndex(m_code->count() - 1);
    }
    for (LineEnd end : kLineEnds) {
        m_lineEnd->addItem(Utf8ToQString(LineEndName(end)));
        if (end == preset.lineEnd) m_lineEnd->setCurrentIndex(m_lineEnd->count() - 1);
    }
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* codeLabel = new QLabel(QStringLiteral("文字コード(&E):"), this);
    codeLabel->setBuddy(m_code);
    auto* endLabel = new QLabel(QStringLiteral("改行(&L):"), this);
    endLabel->setBuddy(m_lineEnd);
    row->addWidget(codeLabel);
    row->addWidget(m_code);
    row->addSpacing(12);
    row->addWidget(endLabel);
    row->addWidget(m_lineEnd);
    row->addStretch();
}

FileForm SaveFormBox::Chosen() const {
    const auto code = static_cast<std::size_t>(std::max(m_code->currentIndex(), 0));
    const auto end = static_cast<std::size_t>(std::max(m_lineEnd->currentIndex(), 0));
    return FormWithCode(m_preset, kCodes[code], kLineEnds[end]);
}

std::optional<SaveChoice> ChooseSaveFileAndForm(QWidget* parent, const QString& title,
                                                const QString& initial, const QString& filter,
                                                const QString& suffix, const FileForm& preset) {
    QFileDialog dialog(parent, title, initial, filter);
    dialog.setObjectName(QStringLiteral("saveAsDialog"));
    // The platform's own dialog has no room for the two lists.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    auto* box = new SaveFormBox(preset, &dialog);
    box->setObjectName(QStringLiteral("saveForm"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    else if (dialog.layout())
        dialog.layout()->addWidget(box);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return SaveChoice{QStringToUtf8(dialog.selectedFiles().front()), box->Chosen()};
}

}  // namespace qb::gui
