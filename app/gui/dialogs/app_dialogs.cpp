#include "app/gui/dialogs/app_dialogs.h"

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/info_dialogs.h"
#include "app/gui/dialogs/input_dialogs.h"
#include "app/gui/dialogs/replace_dialogs.h"
#include "app/gui/dialogs/settings_dialogs.h"
#include "core/quillbay_doc.h"

namespace qb::gui {

bool ShowSettingsDialog(QWidget* parent, AppContext& app) {
    CSetDlg dialog(app, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool ShowEditorDialog(QWidget* parent, SettingsStore& settings) {
    CEditorDlg dialog(settings, parent);
    return dialog.exec() == QDialog::Accepted;
}

void ShowCharacterCount(QWidget* parent, CQuillbayDoc& doc) {
    const TextCount count = doc.CountText();
    if (count.total == 0) return;
    CCountDlg dialog(count, parent);
    dialog.exec();
}

void ShowCodeDetection(QWidget* parent, const CQuillbayDoc& doc) {
    CCodeDetectDlg dialog(doc.DetectDocumentCode(), parent);
    dialog.exec();
}

std::optional<std::string> EditTextDialog(QWidget* parent, std::string_view title,
                                          std::string_view sjisText, const DocumentText& text) {
    CTextEditDlg dialog(Utf8ToQString(title), sjisText, parent, text);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Text();
}

std::optional<MacroOverFiles> AskMacroOverFiles(QWidget* parent, SettingsStore& settings) {
    CMacroExeDlg dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Result();
}

void ShowMultiReplaceReport(QWidget* parent, int filesChanged, int replacements) {
    MultiReplaceReport report(filesChanged, replacements, parent);
    report.exec();
}

}  // namespace qb::gui
