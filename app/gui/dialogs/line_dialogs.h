// The dialogs that choose lines: the target lines, the keys of the complex sort, and how
// duplicate lines are compared.
#pragma once

#include <vector>

#include "app/gui/dialogs/field_dialog.h"
#include "macro/macro_args.h"

namespace qb {
class CQuillbayDoc;
}

namespace qb::gui {

// "対象行指定": shows the document's target-line state; hands back step, condition, first line,
// last line, pattern flag. "全行(&A)" fills in every line without closing the dialog.
class CSearchDlg : public FieldDialog {
    Q_OBJECT
public:
    CSearchDlg(const CQuillbayDoc& doc, SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "整列": up to three sort keys, each mode (0 ascending, 1 descending), first column, last
// column, numeric flag; the second and third only while their check boxes are on.
class CSortDlg : public FieldDialog {
    Q_OBJECT
public:
    CSortDlg(SettingsStore& settings, QWidget* parent);
    // 4, 8 or 12 values: the keys in use.
    std::vector<MacroValue> Result() const;
};

// "重複行削除": partial flag, first column, last column, sorted flag.
class CDupLineDelDlg : public FieldDialog {
    Q_OBJECT
public:
    CDupLineDelDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

}  // namespace qb::gui
