// CQBayFrame: the content of one document window: the indicator strip with the column ruler
// above the text view. A document may have several (the window command "new window"); each shows
// the same document and repaints with the others.
#pragma once

#include <QWidget>
#include <memory>

namespace qb {
class CQuillbayDoc;
class SettingsStore;
}  // namespace qb

namespace qb::gui {

class CQBayIndBar;
class CQuillbayView;

class CQBayFrame : public QWidget {
    Q_OBJECT
public:
    CQBayFrame(std::shared_ptr<CQuillbayDoc> doc, SettingsStore& settings,
               QWidget* parent = nullptr);

    CQuillbayDoc& Document() const;
    CQuillbayView* View() const { return m_view; }
    // Set once the window has agreed to close: it no longer counts as open.
    bool IsClosing() const { return m_closing; }
    void MarkClosing() { m_closing = true; }

Q_SIGNALS:
    // The window is asked to close; `allow` may be set to false to keep it open.
    void CloseRequested(qb::gui::CQBayFrame* frame, bool* allow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CQBayIndBar* m_indBar;
    CQuillbayView* m_view;
    bool m_closing = false;
};

}  // namespace qb::gui
