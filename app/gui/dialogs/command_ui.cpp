#include "app/gui/dialogs/command_ui.h"

#include <QMessageBox>

#include "app/gui/common/qt_text.h"
#include "app/gui/common/screen_font.h"
#include "app/gui/dialogs/app_dialogs.h"
#include "app/gui/dialogs/input_dialogs.h"
#include "app/gui/dialogs/line_dialogs.h"
#include "app/gui/dialogs/replace_dialogs.h"
#include "app/gui/dialogs/shaping_dialogs.h"
#include "app/gui/preview/preview_pane.h"

namespace qb::gui {

namespace {

using Values = std::optional<std::vector<MacroValue>>;

Values ChoosePath(QWidget* parent, std::string_view title, bool save) {
    FileDialogSpec spec;
    spec.title = Utf8ToQString(title);
    spec.filter = AnyFileFilter();
    spec.save = save;
    const auto path = ChooseFile(parent, spec);
    if (!path) return std::nullopt;
    return std::vector<MacroValue>{MacroValue::Text(*path)};
}

}  // namespace

GuiCommandUi::GuiCommandUi(QWidget* parent, AppContext& app, RedrawViews redraw)
    : m_parent(parent), m_app(app), m_redraw(std::move(redraw)) {}

template <class Dialog, class... Args>
Values GuiCommandUi::Run(Args&&... args) {
    Dialog dialog(std::forward<Args>(args)...);
    if constexpr (std::is_base_of_v<FieldDialog, Dialog>) {
        dialog.UseDocumentText(DocumentText(&m_request->doc));
        AttachPreview(dialog, *m_request, m_app, [&dialog](const DialogValues& values) {
            return dialog.WithValues(values, [&dialog] { return dialog.Result(); });
        });
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Result();
}

std::optional<std::vector<MacroValue>> GuiCommandUi::ShowDialog(const DialogRequest& request) {
    auto values = ShowRequested(request);
    if (values && m_recording && m_recording() && !Recordable(request, *values))
        return std::nullopt;
    return values;
}

bool GuiCommandUi::Recordable(const DialogRequest& request,
                              const std::vector<MacroValue>& values) const {
    const DocumentText text(&request.doc);
    for (const MacroValue& value : values) {
        const QString standIn = text.FirstStandIn(value.text);
        if (standIn.isEmpty()) continue;
        QMessageBox::warning(m_parent, CommandTitle(request.command.caption),
                             QStringLiteral("「%1」はシフトJISにない文字のため、マクロに記録できま"
                                            "せん。記録を止めてから実行してください。")
                                 .arg(standIn));
        return false;
    }
    return true;
}

std::optional<std::vector<MacroValue>> GuiCommandUi::ShowRequested(const DialogRequest& request) {
    m_request = &request;
    SettingsStore& settings = m_app.settings;
    QWidget* parent = m_parent;
    using D = CommandDialog;
    switch (request.kind) {
        case D::Number:
            return Run<CInputNoDlg>(request.command.caption, request.text, request.presetNumber,
                                    parent);
        case D::Text:
            return Run<CInputDlg>(request.command.caption, request.text, request.presetText,
                                  parent);
        case D::LineText:
            return Run<CLineEditDlg>(request.presetText, parent, DocumentText(&request.doc),
                                     ReadScreenFont(m_app.settings));
        case D::Overwrite:
            return Run<CUstrDlg>(settings, parent);
        case D::Numbering:
            return Run<CRenoDlg>(settings, parent);
        case D::Insert:
            return Run<CInsertDlg>(settings, parent);
        case D::DeleteColumns:
            return Run<CDelposDlg>(settings, parent);
        case D::SpaceInsert:
            return Run<CSpaceInsDlg>(settings, parent);
        case D::JoinCount:
            return Run<COnelineDlg>(settings, parent);
        case D::BreakAt:
            return Run<CTurnIfDlg>(settings, parent);
        case D::TabAt:
            return Run<CTabIfDlg>(settings, parent);
        case D::TabWidth:
            return Run<CTabDlg>(settings, parent);
        case D::SpaceToCsv:
            return Run<CSptocsvDlg>(settings, parent);
        case D::SelectLines:
            return Run<CSearchDlg>(request.doc, settings, parent);
        case D::Replace:
            return Run<CReplaceDlg>(settings, parent);
        case D::DeleteString:
            return Run<CDelStrDlg>(settings, parent);
        case D::SuperReplace:
            return Run<CSReplaceDlg>(settings, parent);
        case D::ReplaceDouble:
            return Run<CReplaceDoubleDlg>(parent);
        case D::MultiReplace:
            return Run<CMultiReplaceDlg>(settings, parent);
        case D::Sort:
            return Run<CSortDlg>(settings, parent);
        case D::DuplicateLines:
            return Run<CDupLineDelDlg>(settings, parent);
        case D::ZenToHanKinds:
            return Run<CZentohanDlg>(settings, parent);
        case D::HanToZenKinds:
            return Run<CHantozenDlg>(settings, parent);
        case D::SaveFile:
            return ChoosePath(parent, request.text, true);
        case D::OpenFile:
            return ChoosePath(parent, request.text, false);
        case D::None:
            break;
    }
    return std::nullopt;
}

void GuiCommandUi::ShowMultiReplaceReport(int filesChanged, int replacements) {
    gui::ShowMultiReplaceReport(m_parent, filesChanged, replacements);
}

void GuiCommandUi::Redraw(CQuillbayDoc& doc) {
    if (m_redraw) m_redraw(doc);
}

}  // namespace qb::gui
