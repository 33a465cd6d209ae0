// Test helpers for writing Japanese text as UTF-8 literals.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qb::test {

// The Shift-JIS bytes of a UTF-8 literal: Sjis("ガ") == "\x83\x4B".
std::string Sjis(std::string_view utf8);
// Shift-JIS lines from UTF-8 literals.
std::vector<std::string> SjisLines(std::initializer_list<std::string_view> utf8Lines);
// Shows Shift-JIS bytes readably in failure messages: the UTF-8 text, then the hex bytes.
std::string Show(std::string_view sjis);

}  // namespace qb::test
