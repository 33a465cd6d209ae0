#include "app/cli/file_code.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(FileCode, EolWordsAsUsersTypeThem) {
    EXPECT_EQ(ParseEolChoice("CRLF"), EolChoice::CrLf);
    EXPECT_EQ(ParseEolChoice("keep"), EolChoice::Keep);
    EXPECT_EQ(ParseEolChoice("unix"), std::nullopt);
}

TEST(FileCode, Utf8LocaleFromTheFirstVariableSet) {
    struct Case {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        bool utf8;
    } cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", true},
        {nullptr, nullptr, "en_US.utf8", true},
        {"", "C.UTF-8", "ja_JP.eucJP", true},
        {"C", nullptr, "en_US.UTF-8", false},  // LC_ALL wins
        {nullptr, nullptr, "ja_JP.eucJP", false},
        {nullptr, nullptr, "de_DE.UTF-8@euro", true},
        {nullptr, nullptr, nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUtf8Locale(c.lcAll, c.lcCtype, c.lang), c.utf8) << (c.lang ? c.lang : "-");
}

}  // namespace
}  // namespace qb
