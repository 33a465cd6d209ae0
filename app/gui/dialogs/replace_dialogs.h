// The dialogs of the replacement commands, and the report after a multi-file replace. Texts are
// handed back as typed: the command reads their escapes ("\n", "\t", "\s", "\\", "\b") itself.
#pragma once

#include <QDialog>
#include <vector>

#include "app/gui/dialogs/field_dialog.h"
#include "app/gui/dialogs/history_list.h"
#include "macro/macro_args.h"

namespace qb::gui {

// "置換": search, replacement, comparison flags (1 width, 2 case, 4 kana), pattern flag. Both
// texts come with the history of the last 20 entered.
class CReplaceDlg : public FieldDialog {
    Q_OBJECT
public:
    CReplaceDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;

protected:
    void StoreMore(const DialogValues& values) override;

private:
    ReplaceHistory m_searches;
    ReplaceHistory m_replacements;
};

// "指定文字の削除": search, comparison flags, pattern flag; the last ten texts entered.
class CDelStrDlg : public FieldDialog {
    Q_OBJECT
public:
    CDelStrDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;

protected:
    void StoreMore(const DialogValues& values) override;

private:
    DelStrHistory m_history;
};

// "複雑な置換": start, end, replacement.
class CSReplaceDlg : public FieldDialog {
    Q_OBJECT
public:
    CSReplaceDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "囲み文字の置換": start, its replacement, end, its replacement, escape character (at most
// one). Nothing is remembered.
class CReplaceDoubleDlg : public FieldDialog {
    Q_OBJECT
public:
    explicit CReplaceDoubleDlg(QWidget* parent);
    std::vector<MacroValue> Result() const;

protected:
    bool CheckValues(const DialogValues& values) override;
};

// "複数ファイル置換": folder and file pattern (UTF-8), search and replacement. Starts in the
// current folder with "*.txt" until other values are remembered.
class CMultiReplaceDlg : public FieldDialog {
    Q_OBJECT
public:
    CMultiReplaceDlg(SettingsStore& settings, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "置換終了": how many files were rewritten and how many replacements they got.
class MultiReplaceReport : public QDialog {
    Q_OBJECT
public:
    MultiReplaceReport(int filesChanged, int replacements, QWidget* parent);
};

}  // namespace qb::gui
