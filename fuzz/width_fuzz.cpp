// Every width conversion over the fuzzer's bytes. Besides running clean under the sanitizers,
// each result must keep these properties:
// - full to half never grows the text, half to full at most doubles it;
// - full to half converts each character on its own, so converting the text equals converting
//   its characters one by one (no character is split or merged with its neighbour);
// - a lead byte left alone (at the end, before a zero byte) stays alone: no conversion joins
//   it with a byte it made;
// - converting a result again with the same kind changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/sjis.h"
#include "convert/width.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

std::size_t LoneLeads(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i = qb::NextChar(s, i))
        n += qb::IsLeadByte(static_cast<unsigned char>(s[i])) && qb::CharLength(s, i) == 1;
    return n;
}

template <typename Convert>
void CheckZen(std::string_view text, Convert convert) {
    const std::string out = convert(text);
    Check(out.size() <= text.size());
    std::string byChars;
    for (std::size_t i = 0; i < text.size(); i = qb::NextChar(text, i))
        byChars += convert(text.substr(i, qb::CharLength(text, i)));
    Check(out == byChars);
    Check(LoneLeads(out) == LoneLeads(text));
    Check(convert(out) == out);
}

template <typename Convert>
void CheckHan(std::string_view text, Convert convert) {
    const std::string out = convert(text);
    Check(out.size() <= 2 * text.size());
    Check(LoneLeads(out) == LoneLeads(text));
    Check(convert(out) == out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (int kind = 0; kind < 4; ++kind) {
        CheckZen(text, [kind](std::string_view s) { return qb::ZenToHan(s, kind); });
        CheckHan(text, [kind](std::string_view s) { return qb::HanToZen(s, kind); });
    }
    CheckZen(text, [flags](std::string_view s) { return qb::ZenToHanSw(s, flags); });
    CheckHan(text, [flags](std::string_view s) { return qb::HanToZenSw(s, flags); });
    return 0;
}
