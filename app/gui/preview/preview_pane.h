// The preview pane of a parameter dialog: the first target lines before and after the command,
// with what goes and what comes marked, brought up to date shortly after every change of the
// dialog's values. The replace dialogs also show how many replacements OK would make over the
// whole target range. The work runs on threads of the pane's own (macro/command_preview.h does
// it on copies); the window's thread only shows the outcome.
//
// While the pane lives, its document must not change: the pane reads its lines from other
// threads. The dialog it sits in is modal over the document's window, and the pane waits for its
// threads before it goes.
#pragma once

#include <QElapsedTimer>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/dialogs/dialog_fields.h"
#include "core/text_diff.h"
#include "macro/command_preview.h"
#include "macro/front_end.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace qb::gui {

class FieldDialog;

class PreviewPane : public QWidget {
    Q_OBJECT
public:
    // The command's dialog values for what the dialog holds now, or nothing and the message that
    // refuses a field.
    using ReadValues = std::function<std::optional<std::vector<MacroValue>>(QString* refusal)>;

    PreviewPane(const CommandInfo& info, const CQuillbayDoc& doc, AppContext& app, ReadValues read,
                QWidget* parent);
    ~PreviewPane() override;

    // Brings the preview up to date shortly (the values changed); several calls in a row make
    // one update.
    void Schedule();

    // The lines before and after as last shown (Shift-JIS), for those who check the pane.
    const std::vector<std::string>& AfterLines() const { return m_after; }

Q_SIGNALS:
    // A new preview, or the message that stands in its place, is on show.
    void Updated();
    // The number of replacements over the whole target range is on show.
    void CountUpdated();

private:
    struct Outcome;
    void SetOn(bool on);
    void Start();
    void ShowOutcome(unsigned generation, const std::shared_ptr<Outcome>& outcome);
    void ScrollToFirstChange(const LineChanges& changes);
    void FitWidth(int columns);
    void ShowCount(unsigned generation, long long count);
    void ShowInstead(const QString& message);
    bool Current(unsigned generation) const;

    const CommandInfo& m_info;
    const CQuillbayDoc& m_doc;
    AppContext& m_app;
    ReadValues m_read;
    std::shared_ptr<const PreviewSetting> m_setting;
    std::shared_ptr<const PreviewSample> m_sample;
    TargetState m_target;
    QString m_note;  // what the sample leaves out

    QCheckBox* m_on = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_count = nullptr;
    QWidget* m_panes = nullptr;
    QPlainTextEdit* m_beforeView = nullptr;
    QPlainTextEdit* m_afterView = nullptr;
    QTimer m_delay;
    QElapsedTimer m_lastStart;
    QThreadPool m_pool;
    // The number of the latest update; work begun for an earlier one stops and is not shown.
    std::shared_ptr<std::atomic<unsigned>> m_generation;
    std::vector<std::string> m_before;
    std::vector<std::string> m_after;
};

// Gives `dialog` a preview pane when the command of `request` has one. `result` turns dialog
// values into the command's values as the dialog's Result() does after OK.
void AttachPreview(FieldDialog& dialog, const DialogRequest& request, AppContext& app,
                   std::function<std::vector<MacroValue>(const DialogValues&)> result);

}  // namespace qb::gui
