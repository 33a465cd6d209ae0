// The parameter dialogs of the column, whitespace and joining commands, and the two dialogs
// that choose the character kinds of a width conversion. Each remembers its values in its own
// settings section and hands them back in the order of its command's macro line.
#pragma once

#include <vector>

#include "app/gui/dialogs/field_dialog.h"
#include "macro/macro_args.h"

namespace qb::gui {

// "埋め込み文字": column, text.
class CUstrDlg : public FieldDialog {
    Q_OBJECT
public:
    CUstrDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "連番の埋め込み": increment, digits, column, start, zero-suppress flag.
class CRenoDlg : public FieldDialog {
    Q_OBJECT
public:
    CRenoDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "文字列の挿入": column, text as typed.
class CInsertDlg : public FieldDialog {
    Q_OBJECT
public:
    CInsertDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "指定桁の削除": first column, last column.
class CDelposDlg : public FieldDialog {
    Q_OBJECT
public:
    CDelposDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "空白の挿入": column, count, overwrite flag.
class CSpaceInsDlg : public FieldDialog {
    Q_OBJECT
public:
    CSpaceInsDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "指定行の一行化": lines per joined line.
class COnelineDlg : public FieldDialog {
    Q_OBJECT
public:
    COnelineDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "指定文字で改行" and "指定文字をTABに": text, replace flag.
class CTurnIfDlg : public FieldDialog {
    Q_OBJECT
public:
    CTurnIfDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};
class CTabIfDlg : public FieldDialog {
    Q_OBJECT
public:
    CTabIfDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "タブ変換": tab width.
class CTabDlg : public FieldDialog {
    Q_OBJECT
public:
    CTabDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "スペース区切り→CSV": first column, last column.
class CSptocsvDlg : public FieldDialog {
    Q_OBJECT
public:
    CSptocsvDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "全角→半角" and "半角→全角": the mask of the character kinds checked.
class CZentohanDlg : public FieldDialog {
    Q_OBJECT
public:
    CZentohanDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};
class CHantozenDlg : public FieldDialog {
    Q_OBJECT
public:
    CHantozenDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

}  // namespace qb::gui
