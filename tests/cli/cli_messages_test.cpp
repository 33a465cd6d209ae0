#include "app/cli/cli_messages.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(CliMessages, TheFirstLocaleVariableSetDecides) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        bool japanese;
    } cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", true},
        {"", "", "ja_JP.eucJP", true},
        {"C", nullptr, "ja_JP.UTF-8", false},  // LC_ALL wins
        {nullptr, "en_US.UTF-8", "ja_JP.UTF-8", false},
        {nullptr, "ja", "C", true},
        {nullptr, nullptr, nullptr, false},
        {"jam", nullptr, nullptr, true},  // only the first two letters count, as for "ja"
    };
    for (const auto& c : cases)
        EXPECT_EQ(JapaneseMessages(c.lcAll, c.lcMessages, c.lang), c.japanese)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lang ? c.lang : "-");
}

TEST(CliMessages, EnglishKeepsWhatComesWithTheText) {
    struct Case {
        const char* japanese;
        const char* english;
    } cases[] = {
        {"ファイルが見つかりません", "file not found"},
        {"ファイルに書き込めません (No space left on device)",
         "cannot write the file (No space left on device)"},
        {"マクロの引数が足りません: TurnChange",
         "an argument is missing from the macro line: TurnChange"},
        {"マクロファイルに書き込めません: r.qmc (Disk full)。記録を終了しました",
         "cannot write the macro file: r.qmc (Disk full); recording stopped"},
        {"正規表現のエラーのため置換を中止しました（missing ）",
         "replacing stopped by an error in the pattern (missing )"},
        {"1個の置換を行いました", "1 replacement made"},
        {"12個の置換を行いました", "12 replacements made"},
        {"no translation needed", "no translation needed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnglishMessage(c.japanese), c.english);
}

}  // namespace
}  // namespace qb
