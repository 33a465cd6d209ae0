#include "macro/key_dispatch.h"

#include <gtest/gtest.h>

#include "macro/key_names.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

// Qt's key codes, as QKeyEvent::key() gives them.
constexpr int kKeyA = 0x41, kKeyS = 0x53, kKeyZ = 0x5A, kKeyAt = 0x40, kKey0 = 0x30, kKey9 = 0x39;
constexpr int kKeyMinus = 0x2D, kKeySlash = 0x2F, kKeySpace = 0x20;
constexpr int kKeyReturn = 0x01000004, kKeyEnter = 0x01000005, kKeyInsert = 0x01000006;
constexpr int kKeyLeft = 0x01000012, kKeyDown = 0x01000015, kKeyPageDown = 0x01000017;
constexpr int kKeyF1 = 0x01000030, kKeyF6 = 0x01000035, kKeyF12 = 0x0100003B;
constexpr int kKeyEscape = 0x01000000;
constexpr std::uint32_t kShift = kQtShiftModifier, kCtrl = kQtControlModifier;
constexpr std::uint32_t kAlt = kQtAltModifier, kPad = kQtKeypadModifier;
constexpr std::uint32_t kMeta = 0x10000000;

TEST(KeyNames, TheKeyListHoldsTwelveOrSixtyTwoKeys) {
    const auto plain = KeyListEntries(false, false, false);
    ASSERT_EQ(plain.size(), 12u);
    EXPECT_EQ(plain.front().text, "F1");
    EXPECT_EQ(plain.back().text, "F12");
    for (const auto& [alt, shift, ctrl] :
         {std::tuple{true, false, false}, {false, true, false}, {false, false, true}}) {
        const auto all = KeyListEntries(alt, shift, ctrl);
        ASSERT_EQ(all.size(), 62u);
        EXPECT_EQ(all[12].combo.key, 64);  // "@"
        EXPECT_EQ(all[38].combo.key, 90);  // "Z"
        EXPECT_EQ(all.back().combo.key, 105);
    }
    const auto all = KeyListEntries(false, false, true);
    EXPECT_EQ(all[39].text, "Ctrl+Insert");
    EXPECT_EQ(all[51].text, "Ctrl+/");
    EXPECT_EQ(all[52].text, "Ctrl+0");
    EXPECT_EQ(all[52].combo.key, 96);
}

TEST(KeyNames, KeyTextsPutAltShiftCtrlInThatOrder) {
    const struct {
        KeyCombo combo;
        const char* text;
    } cases[] = {
        {{0x5A, true, false, true}, "Alt+Ctrl+Z"},
        {{0x41, false, true, true}, "Shift+Ctrl+A"},
        {{112, true, true, true}, "Alt+Shift+Ctrl+F1"},
        {{0x08, false, false, false}, "BackSpace"},
        {{0x6D, false, true, false}, "Shift+-"},
        {{0x30, false, false, true}, "Ctrl+"},  // the main keyboard's 0 is not in the list
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyText(c.combo), c.text);
}

TEST(KeyDispatch, MapsQtKeysToTheCodesOfTheKeyList) {
    const struct {
        int key;
        std::uint32_t modifiers;
        std::optional<KeyCombo> combo;
    } cases[] = {
        {kKeyS, kCtrl, KeyCombo{0x53, false, false, true}},
        {kKeyZ, kCtrl | kAlt, KeyCombo{0x5A, true, false, true}},
        {kKeyA, kShift | kMeta, KeyCombo{0x41, false, true, false}},
        {kKeyAt, kShift, KeyCombo{64, false, true, false}},
        {kKeyF1, 0, KeyCombo{112, false, false, false}},
        {kKeyF12, kAlt, KeyCombo{123, true, false, false}},
        {kKeyReturn, 0, KeyCombo{0x0D, false, false, false}},
        {kKeyEnter, kPad, KeyCombo{0x0D, false, false, false}},
        {kKeySpace, kCtrl, KeyCombo{0x20, false, false, true}},
        {kKeyPageDown, kPad, KeyCombo{0x22, false, false, false}},  // keypad 3, NumLock off
        {kKey0, kPad | kCtrl, KeyCombo{96, false, false, true}},
        {kKey9, kPad, KeyCombo{105, false, false, false}},
        {kKeyMinus, kPad, KeyCombo{0x6D, false, false, false}},
        {kKeySlash, kPad | kShift, KeyCombo{0x6F, false, true, false}},
        {kKey0, kCtrl, std::nullopt},  // the digits and signs of the main keyboard
        {kKeyMinus, 0, std::nullopt},
        {kKeyLeft, 0, std::nullopt},
        {kKeyEscape, 0, std::nullopt},
        {0, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyComboFromQt(c.key, c.modifiers), c.combo) << std::hex << c.key;
}

// The fixed accelerators come first and need exactly their modifiers; the binding table
// decides the rest.
TEST(KeyDispatch, FixedAcceleratorsComeBeforeBindings) {
    CKeycustArray table;
    table.Assign({{0x22, 0, 0, 0, 32829},
                  {0x22, 0, 0, 1, 32830},
                  {0x2D, 0, 0, 1, 32777},
                  {117, 1, 0, 0, 32778},
                  {0x53, 0, 0, 1, 32829}});
    const struct {
        int key;
        std::uint32_t modifiers;
        CommandId command;
        bool fixed;
    } cases[] = {
        {kKeyPageDown, 0, 32814, true},
        {kKeyPageDown, kCtrl, 32830, false},
        {kKeyDown, 0, 32812, true},
        {kKeyDown, kShift, 0, false},
        {kKeyInsert, kCtrl, kCommandCopy, true},
        {kKeyInsert, kShift, kCommandPaste, true},
        {kKeyInsert, kShift | kCtrl, 0, false},
        {kKeyF6, 0, kCommandNextPane, true},
        {kKeyF6, kShift, kCommandPreviousPane, true},
        {kKeyF6, kAlt, 32778, false},
        {kKeyS, kCtrl, 32829, false},
        {kKeyS, 0, 0, false},
        {kKeyLeft, kCtrl, 0, false},
    };
    for (const auto& c : cases) {
        const KeyDispatch d = DispatchKey(table, c.key, c.modifiers);
        EXPECT_EQ(d.command, c.command) << std::hex << c.key << " " << c.modifiers;
        EXPECT_EQ(d.fixed, c.fixed) << std::hex << c.key << " " << c.modifiers;
    }
}

// Binding Ctrl+S to the full-to-half-width conversion: pressing it runs the command the way
// the menu does, Verify question first.
TEST(KeyDispatch, ABoundKeyRunsItsCommandWithItsQuestion) {
    test::TestApp app;
    test::FakeWorkspace workspace(app.context);
    CQuillbayDoc& doc = workspace.AddDocument({test::Sjis("ＡＢ１")});
    CKeycustArray table;
    table.Bind({0x53, false, false, true}, 32829);

    const KeyDispatch d = DispatchKey(table, kKeyS, kCtrl);
    ASSERT_EQ(d.command, 32829);
    workspace.SendCommandToActiveView(d.command);
    EXPECT_EQ(app.host.confirmations, std::vector<std::string>{"全角を半角に変換します"});
    EXPECT_EQ(test::LinesOf(doc), std::vector<std::string>{"AB1"});
}

}  // namespace
}  // namespace qb
