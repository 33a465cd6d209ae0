// EUC decoding of any bytes; and Shift-JIS text of ASCII, katakana and characters with a JIS
// form comes back from EUC unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/euc.h"
#include "convert/jis.h"
#include "convert/sjis.h"

namespace {

bool EucCanHold(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += qb::CharLength(text, i)) {
        const unsigned code = qb::CharCode(text, i);
        if (code < 0x80 || qb::IsHankakuKana(code)) continue;
        if (!qb::IsLegalDoubleByte(code) || qb::SjisToJisCode(code) == 0) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string decoded = qb::EucToSjisLine(input);
    if (decoded.size() > input.size()) std::abort();
    const std::string euc = qb::SjisToEucLine(input);
    if (euc.size() > 2 * input.size()) std::abort();
    if (EucCanHold(input) && qb::EucToSjisLine(euc) != input) std::abort();
    return 0;
}
