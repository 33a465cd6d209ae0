// Random patterns, subjects and templates through CRegExp: no crash, no hang, and the results keep
// the promises of core/regexp.h (an error leaves the subject as it was; no match leaves it too).
//
// Input: one flag byte (bit 0 Global, bit 1 IgnoreCase), then pattern, subject and replacement
// separated by 0x00 bytes; missing parts are empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/regexp.h"

namespace {

std::string_view NextPart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned flags = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view pattern = NextPart(rest);
    const std::string_view subject = NextPart(rest);
    const std::string_view replacement = NextPart(rest);

    static qb::CRegExp re;  // reused, as a document reuses its own
    re.SetPattern(pattern);
    re.SetGlobal(flags & 1);
    re.SetIgnoreCase(flags & 2);

    const bool matched = re.Test(subject);
    const bool testOk = re.Ok();
    const std::string replaced = re.Replace(subject, replacement);
    if (!re.Ok() && replaced != subject) std::abort();
    if (re.Ok() && testOk && !matched && replaced != subject) std::abort();

    // The same subject through the other flag combinations, so one input tries all four.
    re.SetGlobal(!(flags & 1));
    (void)re.Replace(subject, replacement);
    re.SetIgnoreCase(!(flags & 2));
    (void)re.Test(subject);
    return 0;
}
