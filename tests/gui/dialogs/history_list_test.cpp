// The two history rules of the replace and delete-string dialogs, on an in-memory store.
#include <QtTest>

#include "app/gui/dialogs/history_list.h"
#include "settings/settings_store.h"

using namespace qb;
using namespace qb::gui;

namespace {

using Texts = std::vector<std::string>;

void Put(SettingsStore& settings, const Texts& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i)
        settings.WriteString("H", (i < 10 ? "Search0" : "Search") + std::to_string(i), texts[i]);
}

Texts Numbered(int n) {
    Texts texts;
    for (int i = 0; i < n; ++i)
        texts.push_back("t" + std::to_string(i));
    return texts;
}

Texts Plus(Texts front, const Texts& rest) {
    front.insert(front.end(), rest.begin(), rest.end());
    return front;
}

}  // namespace

class HistoryListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ReplaceHistoryMovesTheEnteredTextToTheFront() {
        const Texts twenty = Numbered(20);
        const struct {
            Texts stored;
            std::string entered;
            Texts after;
        } cases[] = {
            {{"a", "b", "c"}, "c", {"c", "a", "b"}},  // the third moves to the top
            {{"a", "b", "c"}, "a", {"a", "b", "c"}},
            {{"a", "b"}, "n", {"n", "a", "b"}},
            {twenty, "new", Plus({"new"}, Texts(twenty.begin(), twenty.end() - 1))},  // 21st
            {twenty, "t19", Plus({"t19"}, Texts(twenty.begin(), twenty.end() - 1))},
        };
        for (const auto& c : cases) {
            SettingsStore settings;
            Put(settings, c.stored);
            ReplaceHistory history = ReplaceHistory::Load(settings, "H", "Search");
            history.Use(c.entered);
            history.Store(settings, "H", "Search");
            QCOMPARE(ReplaceHistory::Load(settings, "H", "Search").Shown(), c.after);
        }
    }

    // Duplicates and gaps in a stored list: each text once, the one empty text kept in place
    // but never offered in the drop-down.
    void ReplaceHistoryLoadsDistinctTexts() {
        SettingsStore settings;
        Put(settings, {"a", "a", "", "b", "a"});
        const ReplaceHistory history = ReplaceHistory::Load(settings, "H", "Search");
        QCOMPARE(history.Entries(), (Texts{"a", "", "b"}));
        QCOMPARE(history.Shown(), (Texts{"a", "b"}));
        QCOMPARE(ReplaceHistory::Load(SettingsStore(), "H", "Search").Entries(), Texts{""});
    }

    void DelStrHistoryPutsTheTextFirstAndKeepsNineBehindIt() {
        const struct {
            Texts stored;
            std::string entered;
            Texts after;
        } cases[] = {
            {{"x", "y"}, "y", {"y", "x", "y"}},  // duplicates stay
            {{"x", "", "y"}, "z", {"z", "x", "y"}},
            {Numbered(10), "n", Plus({"n"}, Texts(Numbered(9)))},
        };
        for (const auto& c : cases) {
            SettingsStore settings;
            Put(settings, c.stored);
            DelStrHistory history = DelStrHistory::Load(settings, "H", "Search");
            history.Use(c.entered);
            history.Store(settings, "H", "Search");
            QCOMPARE(DelStrHistory::Load(settings, "H", "Search").Shown(), c.after);
        }
    }
};

QTEST_APPLESS_MAIN(HistoryListTest)
#include "history_list_test.moc"
