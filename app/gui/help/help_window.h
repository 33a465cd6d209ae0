// The help in a window of the program itself, for a desktop with no browser: the bundled HTML
// pages in a text browser, with back and forward, the contents and the keyword index.
#pragma once

#include <QMainWindow>
#include <QString>

class QTextBrowser;

namespace qb::gui {

// `html` with an <a name> anchor for each element's id attribute: Qt's text browser scrolls to
// named anchors only, and the pages mark their places by id, as browsers expect. The anchor of a
// table row goes into its first cell, where the row's text begins.
[[nodiscard]] QString WithNamedAnchors(const QString& html);

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // Pages are read from `folder` (UTF-8 path of the help folder).
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // Shows the page `file` of the help folder ("index.html", "keyword.html#k-あ") and raises the
    // window.
    void ShowPage(const QString& file);

    QTextBrowser* Browser() const { return m_browser; }

private:
    void AddActions();

    QString m_folder;
    QTextBrowser* m_browser;
};

}  // namespace qb::gui
