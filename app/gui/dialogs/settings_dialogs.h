// The dialogs of the program's options: "設定", the kinsoku rules it opens, and the external
// editor. Each writes its values only on OK.
#pragma once

#include "app/gui/dialogs/field_dialog.h"

namespace qb {
struct AppContext;
}

namespace qb::gui {

// "設定": JIS output, confirmation, automatic code conversion, line ends, keeping the file's code
// on Save, macro folder and update check interval; "折り返し時の禁則処理..." opens CKinsokuDlg.
class CSetDlg : public FieldDialog {
    Q_OBJECT
public:
    CSetDlg(AppContext& app, QWidget* parent);
};

// "禁則処理": edits the application's kinsoku settings (loaded from the settings first when the
// application has none yet); OK changes them for the run and writes them.
class CKinsokuDlg : public FieldDialog {
    Q_OBJECT
public:
    CKinsokuDlg(AppContext& app, QWidget* parent);

protected:
    void StoreMore(const DialogValues& values) override;

private:
    AppContext& m_app;
};

// "エディタの設定": the external editor ("System"/"Editor").
class CEditorDlg : public FieldDialog {
    Q_OBJECT
public:
    CEditorDlg(SettingsStore& settings, QWidget* parent);
};

}  // namespace qb::gui
