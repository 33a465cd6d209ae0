#include "shape/kinsoku_settings.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "convert/sjis.h"
#include "shape/wrap.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

TEST(KinsokuSettings, DefaultsHoldTheUsualSets) {
    const KinsokuSettings k = DefaultKinsokuSettings();
    const CharSet start(k.lineStart), end(k.lineEnd);
    for (const char* c : {"、", "。", "ー", "々", "」", "!", "｡", "ﾟ"})
        EXPECT_TRUE(start.Contains(CharCode(Sjis(c), 0))) << c;
    for (const char* c : {"（", "「", "(", "｢"})
        EXPECT_TRUE(end.Contains(CharCode(Sjis(c), 0))) << c;
    EXPECT_FALSE(start.Contains('a'));
    EXPECT_EQ(k.lineStart.size(), 54u);  // 19 double-byte and 16 single-byte characters
    EXPECT_TRUE(k.hanging && k.pushOut && k.tagRule);
}

TEST(KinsokuSettings, TheDialogCopyAndTheWrapReadEnglishWithDifferentDefaults) {
    SettingsStore store;
    EXPECT_EQ(LoadKinsokuSettings(store).englishMode, 1);
    EXPECT_EQ(ReadWrapEnglishMode(store), EnglishWordMode::Plain);
    store.WriteInt("Turn", "English", 2);
    EXPECT_EQ(LoadKinsokuSettings(store).englishMode, 2);
    EXPECT_EQ(ReadWrapEnglishMode(store), EnglishWordMode::Hyphenate);
    store.WriteInt("Turn", "English", 7);
    EXPECT_EQ(ReadWrapEnglishMode(store), EnglishWordMode::Plain);
}

TEST(KinsokuSettings, SaveAndLoadRoundTrip) {
    SettingsStore store;
    KinsokuSettings k;
    k.lineStart = Sjis("。ソ");
    k.lineEnd = Sjis("「");
    k.hanging = false;
    k.pushOut = true;
    k.tagRule = false;
    k.englishMode = 0;
    SaveKinsokuSettings(store, k);
    EXPECT_EQ(store.ReadInt("Print", "bKinFirst", 1), 0);
    EXPECT_EQ(store.ReadString("Print", "KinsokuFirst", ""), "。ソ");  // stored as UTF-8
    const KinsokuSettings back = LoadKinsokuSettings(store);
    EXPECT_EQ(back.lineStart, k.lineStart);
    EXPECT_EQ(back.lineEnd, k.lineEnd);
    EXPECT_FALSE(back.hanging);
    EXPECT_TRUE(back.pushOut);
    EXPECT_FALSE(back.tagRule);
    EXPECT_EQ(back.englishMode, 0);
}

}  // namespace
}  // namespace qb
