// JIS decoding of any bytes in any starting mode; and any Shift-JIS text without escape or
// shift bytes comes back from JIS under every encoder option, as the same characters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/cp932.h"
#include "convert/jis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned control = data[0];
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    qb::JisShiftState state;
    state.kanji = control & 1;
    state.kana = !state.kanji && (control & 2);
    const std::string decoded = qb::JisToSjisLine(input, state);
    if (decoded.size() > input.size()) std::abort();

    // A designation outside 0-3 enters kanji mode without writing anything.
    state.Reset();
    if (qb::SjisToJisLine(input, state,
                          {static_cast<int>(control % 3), static_cast<int>(4 + (control & 1))})
            .size() > 5 * input.size() + 16)
        std::abort();

    if (input.find_first_of(std::string_view("\x0E\x0F\x1B", 3)) == std::string_view::npos) {
        const qb::JisEncoderOptions options{static_cast<int>(control >> 2) % 3,
                                            static_cast<int>(control >> 4) % 4};
        state.Reset();
        const std::string jis = qb::SjisToJisLine(input, state, options);
        if (state.kanji || state.kana) std::abort();
        // IBM extensions come back as their twins: the same characters under other codes.
        const std::string back = qb::JisToSjisLine(jis, state);
        if (back != input && qb::SjisToUtf16(back) != qb::SjisToUtf16(input)) std::abort();
    }
    return 0;
}
