// The desktop program's answer to ICommandUi: the parameter dialog of each view command, the
// multi-file replace report, and the redraw of a document's views.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/app_context.h"
#include "macro/front_end.h"

class QWidget;

namespace qb::gui {

class GuiCommandUi : public ICommandUi {
public:
    using RedrawViews = std::function<void(CQuillbayDoc&)>;

    // Dialogs open over `parent`; remembered values live in `app.settings`; `redraw` repaints
    // every view of a document.
    GuiCommandUi(QWidget* parent, AppContext& app, RedrawViews redraw);

    // While `recording` says a macro is being recorded, values that hold a stand-in are refused
    // with a message (as Cancel): the recorded line would replay as other characters.
    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest& request) override;
    void SetRecordingCheck(std::function<bool()> recording) { m_recording = std::move(recording); }
    void ShowMultiReplaceReport(int filesChanged, int replacements) override;
    void Redraw(CQuillbayDoc& doc) override;

private:
    // Shows the dialog built from `args` (with its preview) and hands back its values, or
    // nothing on Cancel.
    template <class Dialog, class... Args>
    std::optional<std::vector<MacroValue>> Run(Args&&... args);
    std::optional<std::vector<MacroValue>> ShowRequested(const DialogRequest& request);
    // False, after saying why, when `values` cannot be recorded.
    bool Recordable(const DialogRequest& request, const std::vector<MacroValue>& values) const;

    const DialogRequest* m_request = nullptr;  // the request being answered
    QWidget* m_parent;
    AppContext& m_app;
    RedrawViews m_redraw;
    std::function<bool()> m_recording;
};

}  // namespace qb::gui
