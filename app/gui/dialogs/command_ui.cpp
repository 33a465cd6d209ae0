#include "app/gui/dialogs/command_ui.h"

#include <QMessageBox>

#include "app/gui/common/qt_text.h"

namespace qb::gui {

GuiCommandUi::GuiCommandUi(QWidget* parent, AppContext& app, RedrawViews redraw)
    : m_parent(parent), m_app(app), m_redraw(std::move(redraw)) {}

// The parameter dialogs are added one kind at a time; a kind without its dialog yet cancels.
std::optional<std::vector<MacroValue>> GuiCommandUi::ShowDialog(const DialogRequest&) {
    return std::nullopt;
}

void GuiCommandUi::ShowMultiReplaceReport(int filesChanged, int replacements) {
    QMessageBox::information(m_parent, Utf8ToQString("置換終了"),
                             QString::number(filesChanged) + QStringLiteral(" / ") +
                                 QString::number(replacements));
}

void GuiCommandUi::Redraw(CQuillbayDoc& doc) {
    if (m_redraw) m_redraw(doc);
}

}  // namespace qb::gui
