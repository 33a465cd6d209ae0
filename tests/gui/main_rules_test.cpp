// The main window's rules without a window: the stored placement, the recent files, the
// clipboard's line ends and monitor decision, and why an editor cannot start.
#include <sys/stat.h>

#include <QtTest>

#include "app/gui/main/clipboard_watch.h"
#include "app/gui/main/external_editor.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/recent_files.h"
#include "app/gui/main/window_placement.h"
#include "settings/settings_store.h"
#include "tests/support/temp_dir.h"

using namespace qb::gui;

class MainRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void PlacementStrings() {
        struct Case {
            const char* text;
            bool valid;
        };
        const Case cases[] = {
            {"0,1,-1,-1,-1,-1,10,20,810,620", true},
            {"2, 3 ,-1,-1,-8,-8,10,20,810,620", true},
            {"0,1,-1,-1,-1,-1,10,20,810", false},        // nine numbers
            {"0,1,-1,-1,-1,-1,10,20,810,620,5", false},  // eleven
            {"0,1,-1,-1,-1,-1,10,20,810,x", false},
            {"0,1,-1,-1,-1,-1,10,20,810,", false},
            {"-2,1,-1,-1,-1,-1,10,20,810,620", false},  // flags are unsigned
            {"0,1,-1,-1,-1,-1,10,20,10,620", false},    // no width
            {"0,1,-1,-1,-1,-1,10,20,99999999999,620", false},
            {"", false},
        };
        for (const Case& c : cases)
            QVERIFY2(ParseWindowPlacement(c.text).has_value() == c.valid, c.text);
        const auto p = ParseWindowPlacement("2,3,-1,-1,-8,-8,10,20,810,620");
        QVERIFY(p && p->OpensMaximized());
        QCOMPARE(p->Width(), 800);
        QCOMPARE(FormatWindowPlacement(*p), std::string("2,3,-1,-1,-8,-8,10,20,810,620"));
        QVERIFY(!ParseWindowPlacement("0,2,-1,-1,-1,-1,10,20,810,620")->OpensMaximized());
    }

    void RecentFilesKeepFourMostRecentFirst() {
        qb::SettingsStore settings;
        RecentFiles recent;
        for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/c"})
            recent.Add(settings, path);
        QCOMPARE(recent.Paths(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
        recent.Remove(settings, "/e");
        RecentFiles reread;
        reread.Load(settings);
        QCOMPARE(reread.Paths(), (std::vector<std::string>{"/c", "/d", "/b"}));
        QCOMPARE(settings.ReadString("Recent File List", "File4", "?"), std::string());
    }

    void AbbreviatedPaths() {
        QCOMPARE(AbbreviatePath("/home/u/a.txt"), std::string("/home/u/a.txt"));
        QCOMPARE(AbbreviatePath("/home/user/documents/novels/rashomon.txt"),
                 std::string(".../novels/rashomon.txt"));
        QCOMPARE(AbbreviatePath("/x/" + std::string(40, 'n') + ".txt"),
                 std::string(40, 'n') + ".txt");
        // Characters count, not bytes: 20 kana fit in 30.
        const std::string kana = "/ああああああああああ/いいいいいいいいい.txt";
        QCOMPARE(AbbreviatePath(kana), kana);
    }

    void ClipboardText() {
        QCOMPARE(ClipboardToDocumentText("a\nb\r\nc\n"), std::string("a\r\nb\r\nc\r\n"));
        QCOMPARE(ClipboardToDocumentText("\n"), std::string("\r\n"));
        QCOMPARE(DocumentToClipboardText("a\r\nb\rc\r\n"), std::string("a\nb\rc\n"));
        // Only another program's copy opens a document, and only while the monitor is on.
        QVERIFY(ShouldOpenCopiedText(true, false, false));
        QVERIFY(!ShouldOpenCopiedText(true, true, false));
        QVERIFY(!ShouldOpenCopiedText(true, false, true));
        QVERIFY(!ShouldOpenCopiedText(false, false, false));
    }

    void EditorFailures() {
        qb::test::TempDir dir;
        const std::string plain = dir.Write("plain", "text");
        const std::string runnable = dir.Write("runnable", "#!/bin/sh\n");
        ::chmod(runnable.c_str(), 0755);
        QCOMPARE(CheckProgram(runnable, ""), LaunchFailure::None);
        QCOMPARE(CheckProgram("runnable", "/nonexistent:" + dir.Path()), LaunchFailure::None);
        QCOMPARE(CheckProgram(plain, ""), LaunchFailure::NoPermission);
        QCOMPARE(CheckProgram(dir.Path(), ""), LaunchFailure::NoPermission);
        QCOMPARE(CheckProgram("plain", dir.Path()), LaunchFailure::NoPermission);
        QCOMPARE(CheckProgram("no-such-editor", dir.Path()), LaunchFailure::NotFound);
        QCOMPARE(CheckProgram(dir.File("gone"), ""), LaunchFailure::NotFound);
        QCOMPARE(CheckProgram("", "/usr/bin"), LaunchFailure::NotFound);
        QCOMPARE(LaunchFailureMessage(LaunchFailure::NotFound),
                 std::string_view("ファイルが見つかりませんでした"));
        QCOMPARE(LaunchFailureMessage(LaunchFailure::Other),
                 std::string_view("原因不明のエラーです"));
    }
};

QTEST_APPLESS_MAIN(MainRulesTest)
#include "main_rules_test.moc"
