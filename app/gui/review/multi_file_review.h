// "複数ファイル置換" with a review before anything is written: after the dialog, a dry run finds
// every file that would change; a window lists them with their code and number of replacements,
// shows the changed lines of the one selected, before and after; the user unticks files and
// presses "置換を実行", and only the files still ticked are replaced. Cancel writes nothing.
//
// The recorded macro line is the command's usual one: replayed, it replaces in every file.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/commands/multi_file_replace.h"

class QPlainTextEdit;
class QTreeWidget;

namespace qb {
struct AppContext;
class CQuillbayDoc;
}  // namespace qb

namespace qb::gui {

class GuiCommandUi;

class MultiFileReview : public QDialog {
    Q_OBJECT
public:
    // Lists the files of `preview` (a dry run) that would change.
    MultiFileReview(const MultiFileResult& preview, QWidget* parent);

    // The names of the files still ticked, in the order listed.
    std::vector<std::string> Chosen() const;

private:
    void ShowChanges();
    void UpdateRunButton();

    std::vector<const MultiFileEntry*> m_entries;  // the listed files, row by row
    QTreeWidget* m_files = nullptr;
    QPlainTextEdit* m_before = nullptr;
    QPlainTextEdit* m_after = nullptr;
    QWidget* m_run = nullptr;
};

// The command "複数ファイル置換" (kCommandMultiFileReplace) on `doc` with the review in place of its direct run: its
// dialog through `ui`, the review over `parent`, the command's macro line recorded through `app`.
void RunReviewedMultiFileReplace(CQuillbayDoc& doc, GuiCommandUi& ui, const AppContext& app,
                                 QWidget* parent);

}  // namespace qb::gui
