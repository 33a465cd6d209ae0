#include "convert/file_code.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(FileCode, WordsAsUsersTypeThem) {
    struct Case {
        const char* word;
        std::optional<FileCode> code;
    } cases[] = {
        {"auto", FileCode::Auto},  {"SJIS", FileCode::Sjis},       {"Shift_JIS", FileCode::Sjis},
        {"cp932", FileCode::Sjis}, {"ISO-2022-JP", FileCode::Jis}, {"euc-jp", FileCode::Euc},
        {"UTF-8", FileCode::Utf8}, {"utf16", FileCode::Utf16},     {"latin1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFileCode(c.word), c.code) << c.word;
}

TEST(FileCode, EveryWordParsesBack) {
    for (FileCode code : {FileCode::Auto, FileCode::Sjis, FileCode::Jis, FileCode::Euc,
                          FileCode::Utf8, FileCode::Utf16})
        EXPECT_EQ(ParseFileCode(FileCodeWord(code)), code) << FileCodeWord(code);
}

}  // namespace
}  // namespace qb
