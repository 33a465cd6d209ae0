#include "app/gui/view/qbay_frame.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "app/gui/view/qbay_ind_bar.h"
#include "app/gui/view/quillbay_view.h"

namespace qb::gui {

CQBayFrame::CQBayFrame(std::shared_ptr<CQuillbayDoc> doc, SettingsStore& settings, QWidget* parent)
    : QWidget(parent),
      m_indBar(new CQBayIndBar(this)),
      m_view(new CQuillbayView(std::move(doc), settings, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_indBar);
    layout->addWidget(m_view, 1);
    m_indBar->SetCellText(m_view->Cells());
    m_indBar->SetText(m_view->Ruler());
    connect(m_view, &CQuillbayView::RulerChanged, this,
            [this] { m_indBar->SetText(m_view->Ruler()); });
    connect(m_view, &CQuillbayView::FontChanged, this,
            [this] { m_indBar->SetCellText(m_view->Cells()); });
    setFocusProxy(m_view);
}

CQuillbayDoc& CQBayFrame::Document() const {
    return m_view->Document();
}

void CQBayFrame::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    bool allow = true;
    Q_EMIT CloseRequested(this, &allow);
    if (allow)
        event->accept();
    else
        event->ignore();
}

}  // namespace qb::gui
