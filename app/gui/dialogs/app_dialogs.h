// The dialogs the main window opens itself, outside the view commands (which ask GuiCommandUi).
// Each runs modally over `parent` and returns when the user has closed it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/file_dialogs.h"
#include "app/gui/dialogs/macro_exe_dlg.h"

class QWidget;

namespace qb {
class CQuillbayDoc;
class SettingsStore;
struct AppContext;
}  // namespace qb

namespace qb::gui {

// "設定(&S)..." (CSetDlg, which opens CKinsokuDlg). True when confirmed; the values are stored.
bool ShowSettingsDialog(QWidget* parent, AppContext& app);

// "エディタの設定(&R)..." (CEditorDlg). True when confirmed; "System"/"Editor" is stored.
bool ShowEditorDialog(QWidget* parent, SettingsStore& settings);

// "文字数のカウント(&C)": counts the target lines of `doc` and shows CCountDlg; when they hold no
// character the document has said so and no dialog opens.
void ShowCharacterCount(QWidget* parent, CQuillbayDoc& doc);

// "コード判定(&D)...": CCodeDetectDlg with the code of the whole text. Changes nothing.
void ShowCodeDetection(QWidget* parent, const CQuillbayDoc& doc);

// IHost::EditText for the desktop program: CTextEditDlg titled `title` (UTF-8) over `sjisText`;
// the edited Shift-JIS text, or nullopt on Cancel.
std::optional<std::string> EditTextDialog(QWidget* parent, std::string_view title,
                                          std::string_view sjisText,
                                          const DocumentText& text = DocumentText());

// "複数ファイルを開いてマクロ実行(&N)...": CMacroExeDlg. The macro, the files and the end mode
// (stored on OK), for MacroController::RunOverFiles; nullopt on Cancel.
std::optional<MacroOverFiles> AskMacroOverFiles(QWidget* parent, SettingsStore& settings);

// "置換終了": what a multi-file replace did.
void ShowMultiReplaceReport(QWidget* parent, int filesChanged, int replacements);

}  // namespace qb::gui
