// The main window's look as a new user meets it: pictures on every toolbar button with no icon
// theme, the buttons' words those of the menus, both bars in the first window, the button style
// kept, the status bar's panes explained and emptied when the pointer leaves, and a maximized
// document window remembered.
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <QtTest>
#include <set>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/main/toolbar_icons.h"
#include "app/gui/main/toolbar_layout.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "settings/settings_store.h"
#include "tests/gui/support/frame_run.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

namespace {

using Run = test::FrameRun;

// The buttons of a bar as the user sees them: the action buttons and the pop-up buttons.
std::vector<QToolButton*> Buttons(QToolBar* bar) {
    std::vector<QToolButton*> buttons;
    for (QToolButton* button : bar->findChildren<QToolButton*>())
        if (button->objectName() != QStringLiteral("qt_toolbar_ext_button"))
            buttons.push_back(button);
    return buttons;
}

// How many pixels of the picture are not transparent.
int Ink(const QIcon& icon) {
    const QImage image = icon.pixmap(24, 24).toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) ++ink;
    return ink;
}

// The words of every item and submenu of the menu bar the documents use.
std::set<std::string> MenuBarWords(const std::vector<MenuBarItem>& items) {
    std::set<std::string> words;
    for (const MenuBarItem& item : items) {
        if (item.kind == MenuBarItemKind::Command || item.kind == MenuBarItemKind::Submenu)
            words.insert(MenuWords(MenuBarItemCaption(item)));
        if (item.kind == MenuBarItemKind::Submenu) words.merge(MenuBarWords(item.items));
    }
    return words;
}

}  // namespace

class MainFrameLookTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Offscreen there is no icon theme, as on a fresh desktop without one: every button still
    // has a picture of its own, and the drawn ones differ from each other.
    void EveryButtonHasAPictureWithoutAnIconTheme() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        std::set<QByteArray> pictures;
        int count = 0;
        for (const auto* layout : {&StandardToolbar(), &ExtendedToolbar()})
            for (const ToolButton& button : *layout) {
                if (button.kind == ToolButton::Kind::Separator) continue;
                const QIcon drawn = DrawnToolButtonIcon(button);
                QVERIFY2(Ink(drawn) > 40, ToolButtonCaption(button).c_str());
                const QImage image = drawn.pixmap(24, 24).toImage();
                pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                           image.sizeInBytes()));
                ++count;
            }
        QCOMPARE(static_cast<int>(pictures.size()), count);
        for (QToolBar* bar : {run.frame.StandardBar(), run.frame.ExtendedBar()})
            for (QToolButton* button : Buttons(bar))
                QVERIFY2(Ink(button->icon()) > 40, qPrintable(button->text()));
    }

    // A button says what its menu item says: the same command, the same words.
    void ButtonWordsAreTheMenusWords() {
        const std::set<std::string> menuWords = MenuBarWords(DocumentMenuBar());
        for (const auto* layout : {&StandardToolbar(), &ExtendedToolbar()})
            for (const ToolButton& button : *layout) {
                if (button.kind == ToolButton::Kind::Separator) continue;
                const std::string caption = ToolButtonCaption(button);
                QVERIFY2(menuWords.count(caption) == 1, caption.c_str());
            }
        QCOMPARE(MenuWords("印刷(&P)..."), std::string("印刷"));
        QCOMPARE(MenuWords("ステータス バー(&S)"), std::string("ステータス バー"));
        QCOMPARE(MenuWords("R&&D"), std::string("R&D"));
    }

    // Every button names its command in the status bar while the pointer is on it, also those the
    // command table lists under no name (行番号, 右端で折り返して表示).
    void EveryButtonHasAStatusTip() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        for (QToolBar* bar : {run.frame.StandardBar(), run.frame.ExtendedBar()})
            for (QAction* action : bar->actions())
                if (!action->isSeparator() && !qobject_cast<QWidgetAction*>(action))
                    QVERIFY2(!action->statusTip().isEmpty(), qPrintable(action->text()));
        const auto wrap = run.frame.ActionsFor(kCommandDisplayWrap);
        QVERIFY(!wrap.empty());
        for (QAction* action : wrap)
            QCOMPARE(action->statusTip(), QString::fromUtf8("右端で折り返して表示"));
    }

    // A button's tooltip names its key as its menu item does, after the key file is read.
    void TooltipsNameTheKeys() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        const auto tipOf = [&](CommandId id) {
            for (QAction* action : run.frame.ActionsFor(id))
                if (!qobject_cast<QMenu*>(action->parent())) return action->toolTip();
            return QString();
        };
        QCOMPARE(tipOf(kCommandSave), QString::fromUtf8("上書き保存 (Ctrl+S)"));
        QCOMPARE(tipOf(kCommandUndo), QString::fromUtf8("アンドゥ (Ctrl+Z)"));
        QCOMPARE(tipOf(kCommandDisplayWrap), QString::fromUtf8("右端で折り返して表示"));
    }

    // At the size of the first window on a usual screen, no button hides behind the ">>" of a bar.
    void BothBarsFitTheFirstWindow() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        run.frame.resize(1024, 720);
        run.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&run.frame));
        for (QToolBar* bar : {run.frame.StandardBar(), run.frame.ExtendedBar()}) {
            for (QAction* action : bar->actions())
                if (QWidget* widget = bar->widgetForAction(action);
                    widget && !action->isSeparator())
                    QVERIFY2(widget->isVisible(), qPrintable(action->text()));
            QVERIFY(bar->geometry().right() < run.frame.width());
        }
    }

    void TheButtonStyleIsKeptAndThePopupButtonsFollowIt() {
        test::TempDir dir;
        const std::string ini = dir.File("settings.ini");
        {
            Run run(ini);
            QCOMPARE(run.frame.ToolButtonStyle(), ToolbarButtonStyle::IconOnly);
            run.frame.SetToolButtonStyle(ToolbarButtonStyle::TextUnderIcon);
        }
        Run run(ini);
        QCOMPARE(run.frame.ToolButtonStyle(), ToolbarButtonStyle::TextUnderIcon);
        for (QToolBar* bar : {run.frame.StandardBar(), run.frame.ExtendedBar()})
            for (QToolButton* button : Buttons(bar))
                QVERIFY2(button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon,
                         qPrintable(button->text()));
        // The bars' right-click menu offers the four styles, the current one checked.
        std::unique_ptr<QMenu> menu(run.frame.createPopupMenu());
        QStringList checked;
        for (QAction* action : menu->actions())
            if (action->isChecked()) checked << action->text();
        QVERIFY(checked.contains(
            Utf8ToQString(ToolbarButtonStyleCaption(ToolbarButtonStyle::TextUnderIcon))));
        QCOMPARE(ToolbarButtonStyleFromSetting(7), ToolbarButtonStyle::IconOnly);
    }

    // The position shown while the pointer was over the text goes when the pointer leaves it.
    void ThePointersPlaceGoesWhenItLeaves() {
        test::TempDir dir;
        dir.Write("a.txt", test::Sjis("日本語の行\r\n"));
        Run run(dir.File("settings.ini"));
        run.frame.show();
        QVERIFY(run.frame.OpenDocument(dir.File("a.txt")));
        CQuillbayView* view = run.frame.ActiveView();
        auto* position = run.frame.findChild<QLabel*>(QStringLiteral("PositionPane"));
        auto* code = run.frame.findChild<QLabel*>(QStringLiteral("CodePane"));
        QVERIFY(!position->toolTip().isEmpty() && !code->toolTip().isEmpty());
        const QPoint over(view->CharWidth() / 2, view->LineHeight() / 2);
        QMouseEvent move(QEvent::MouseMove, over, view->viewport()->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, {});
        QApplication::sendEvent(view->viewport(), &move);
        QCOMPARE(position->text(), QStringLiteral("1,1"));
        QCOMPARE(code->text(), QStringLiteral("93 FA"));  // 日
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(view, &leave);
        QCOMPARE(position->text(), QString());
        QCOMPARE(code->text(), QString());
    }

    // A document window maximized in one run opens maximized in the next; restored, it is
    // remembered so too.
    void AMaximizedDocumentWindowIsRemembered() {
        test::TempDir dir;
        dir.Write("a.txt", "text\r\n");
        const std::string ini = dir.File("settings.ini");
        const auto openOne = [&](Run& run) {
            run.frame.show();
            QVERIFY(run.frame.OpenDocument(dir.File("a.txt")));
        };
        {
            Run run(ini);
            openOne(run);
            auto* window = qobject_cast<QMdiSubWindow*>(run.frame.ActiveFrame()->parentWidget());
            QVERIFY(!window->isMaximized());
            window->showMaximized();
        }
        {
            Run run(ini);
            openOne(run);
            auto* window = qobject_cast<QMdiSubWindow*>(run.frame.ActiveFrame()->parentWidget());
            QVERIFY(window->isMaximized());
            window->showNormal();
        }
        Run run(ini);
        openOne(run);
        QVERIFY(
            !qobject_cast<QMdiSubWindow*>(run.frame.ActiveFrame()->parentWidget())->isMaximized());
    }

    // Qt adds " - [document]" to the main window's title while a document window is maximized;
    // the title must then not name the document a second time, and name it again once restored.
    void AMaximizedWindowTitleNamesTheDocumentTwice() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        run.frame.show();
        QVERIFY(run.frame.OpenDocument(dir.Write("a.txt", "text\r\n")));
        auto* window = qobject_cast<QMdiSubWindow*>(run.frame.ActiveFrame()->parentWidget());
        QCOMPARE(run.frame.windowTitle(), QStringLiteral("a.txt[*] - Quillbay"));
        window->showMaximized();
        QApplication::processEvents();
        QCOMPARE(run.frame.windowTitle().count(QStringLiteral("a.txt")), 1);
        QVERIFY(run.frame.windowTitle().contains(QStringLiteral("Quillbay")));
        window->showNormal();
        QApplication::processEvents();
        QCOMPARE(run.frame.windowTitle(), QStringLiteral("a.txt[*] - Quillbay"));
    }
};

QTEST_MAIN(MainFrameLookTest)
#include "main_frame_look_test.moc"
