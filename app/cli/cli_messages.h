// The language of qbay's messages. The document and the macro interpreter show fixed Japanese
// texts; under a Japanese locale qbay prints them as they are, under any other locale in
// English, from one table of translations beside the texts.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// Whether messages are Japanese for these values of LC_ALL, LC_MESSAGES and LANG (null when
// unset): the first one set and not empty decides, as for any program's messages; Japanese when
// it begins with "ja".
[[nodiscard]] bool JapaneseMessages(const char* lcAll, const char* lcMessages, const char* lang);
// The same for this process's environment.
[[nodiscard]] bool JapaneseMessagesFromEnvironment();

// A message of the core in English: each Japanese text the table knows, wherever it stands in
// `message` (a path or a reason may come with it), replaced by its translation. Text the table
// does not know stays as it is.
[[nodiscard]] std::string EnglishMessage(std::string_view message);

}  // namespace qb
