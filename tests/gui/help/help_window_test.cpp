// The help on a desktop without a browser: the pages open in the program's own window, whose
// links, back and forward, contents and keyword index work as in a browser.
#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "app/gui/help/help_files.h"
#include "app/gui/help/help_window.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

namespace {

// PATH for the length of a test.
class PathScope {
public:
    explicit PathScope(const std::string& path) : m_saved(qgetenv("PATH")) {
        qputenv("PATH", QByteArray::fromStdString(path));
    }
    ~PathScope() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

HelpWindow* HelpOf(QWidget& owner) {
    return owner.findChild<HelpWindow*>();
}

QString ShownFile(const HelpWindow& window) {
    return window.Browser()->source().fileName();
}

// Clicks the first link of the page whose target is `href`, as the user would; false when the
// page has no such link.
bool ClickLink(QTextBrowser& browser, const QString& href) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href) continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + 1);
            browser.setTextCursor(cursor);
            browser.ensureCursorVisible();
            const QPoint at = browser.cursorRect(cursor).center() - QPoint(2, 0);
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    return false;
}

void Trigger(HelpWindow& window, const char* action) {
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void PlacesMarkedByIdBecomeAnchors() {
        const struct {
            const char* html;
            const char* expected;
        } cases[] = {
            {"<h2 id=\"codes\">x</h2>", "<h2 id=\"codes\"><a name=\"codes\"></a>x</h2>"},
            {"<div class=\"cmd\" id=\"c1\"><h3>",
             "<div class=\"cmd\" id=\"c1\"><a name=\"c1\"></a><h3>"},
            // A row's anchor goes into its first cell: text outside a cell is lost.
            {"<tr id=\"m-A\"><td>A</td></tr>",
             "<tr id=\"m-A\"><td><a name=\"m-A\"></a>A</td></tr>"},
            {"<tr id=\"m-B\">\n<th>B</th>", "<tr id=\"m-B\">\n<th><a name=\"m-B\"></a>B</th>"},
            {"<a href=\"x.html#id\">", "<a href=\"x.html#id\">"},
        };
        for (const auto& c : cases)
            QCOMPARE(WithNamedAnchors(QString::fromUtf8(c.html)), QString::fromUtf8(c.expected));
    }

    void OpensInItsOwnWindowWithNoBrowserInstalled() {
        test::TempDir empty;
        PathScope path(empty.Path());
        QWidget owner;
        ShowHelp(&owner, HelpPage::Contents);
        HelpWindow* help = HelpOf(owner);
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(ShownFile(*help), QStringLiteral("index.html"));
        QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("目次")));
        QVERIFY(!help->windowTitle().contains(QStringLiteral("Quillbay ヘルプ - Quillbay")));

        // The keyword command reuses the window.
        ShowHelp(&owner, HelpPage::Keywords);
        QCOMPARE(owner.findChildren<HelpWindow*>().size(), 1);
        QCOMPARE(ShownFile(*help), QStringLiteral("keyword.html"));
    }

    void OpensInItsOwnWindowWhenTheBrowserGivesUp() {
        // xdg-open with nothing set to open web pages ends at once with status 3, and so does
        // the only other program found here.
        test::TempDir bin;
        for (const char* name : {"xdg-open", "sensible-browser"}) {
            const QString script = QString::fromStdString(bin.Write(name, "#!/bin/sh\nexit 3\n"));
            QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
        }
        PathScope path(bin.Path());
        QWidget owner;
        ShowHelp(&owner, HelpPage::Keywords);
        QTRY_VERIFY(HelpOf(owner) && HelpOf(owner)->isVisible());
        QCOMPARE(ShownFile(*HelpOf(owner)), QStringLiteral("keyword.html"));
    }

    void NoWindowWhileABrowserShowsThePage() {
        QWidget owner;
        QUrl opened;
        ShowHelp(&owner, HelpPage::Contents,
                 [&opened](const QUrl& url, std::function<void()>) { opened = url; });
        QVERIFY(opened.isLocalFile());
        QCOMPARE(opened.fileName(), QStringLiteral("index.html"));
        QVERIFY(!HelpOf(owner));
    }

    void LinksBackAndForwardMoveBetweenPages() {
        QWidget owner;
        ShowHelp(&owner, HelpPage::Contents,
                 [](const QUrl&, std::function<void()> failed) { failed(); });
        HelpWindow& help = *HelpOf(owner);
        help.resize(700, 500);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QTextBrowser& browser = *help.Browser();
        auto* back = help.findChild<QAction*>(QStringLiteral("back"));
        QVERIFY(!back->isEnabled());

        QVERIFY(ClickLink(browser, QStringLiteral("codes.html")));
        QCOMPARE(ShownFile(help), QStringLiteral("codes.html"));
        QVERIFY(back->isEnabled());
        Trigger(help, "back");
        QCOMPARE(ShownFile(help), QStringLiteral("index.html"));
        Trigger(help, "forward");
        QCOMPARE(ShownFile(help), QStringLiteral("codes.html"));

        // The keyword index leads to a place inside a long page, not merely to its top.
        Trigger(help, "keywords");
        QCOMPARE(ShownFile(help), QStringLiteral("keyword.html"));
        QVERIFY(ClickLink(browser, QStringLiteral("macro.html#m-Utf8ToSjis")));
        QCOMPARE(ShownFile(help), QStringLiteral("macro.html"));
        QVERIFY(browser.verticalScrollBar()->value() > 0);
        Trigger(help, "contents");
        QCOMPARE(ShownFile(help), QStringLiteral("index.html"));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
