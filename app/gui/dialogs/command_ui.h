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

    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest& request) override;
    void ShowMultiReplaceReport(int filesChanged, int replacements) override;
    void Redraw(CQuillbayDoc& doc) override;

private:
    // Shows the dialog built from `args` (with its preview) and hands back its values, or
    // nothing on Cancel.
    template <class Dialog, class... Args>
    std::optional<std::vector<MacroValue>> Run(Args&&... args);

    const DialogRequest* m_request = nullptr;  // the request being answered
    QWidget* m_parent;
    AppContext& m_app;
    RedrawViews m_redraw;
};

}  // namespace qb::gui
