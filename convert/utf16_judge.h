// Whether bytes are UTF-16 text without a byte-order mark, and in which byte order. Conservative:
// text in any other code has no zero bytes, so the text must have one within its first 4 KiB; its
// units must all be characters (no zero unit, no control but tab, LF, FF and CR, no lone
// surrogate, neither U+FFFE nor U+FFFF) and at least one of them a line end. Where both orders
// fit, the one with more line ends wins, little-endian on a tie. Fed piece by piece; text in other
// codes is given up after its first 4 KiB, so feeding it costs nothing after that.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "convert/line_end_census.h"

namespace qb {

class Utf16Judge {
public:
    void Feed(std::string_view piece);
    // Whether the text fed so far is UTF-16 text: its byte order (true for big-endian), or
    // nothing. With `cut` it is only the start of a longer text: an odd byte or a high surrogate
    // at the end is no fault then.
    [[nodiscard]] std::optional<bool> BigEndian(bool cut = false) const;
    // The line ends of the text read in one byte order.
    [[nodiscard]] const LineEndCensus& Census(bool bigEndian) const { return m_orders[bigEndian].census; }

private:
    struct Order {
        bool alive = true;
        bool pendingHigh = false;  // a high surrogate waits for its low one
        std::size_t lineEnds = 0;
        LineEndCensus census;
        void Take(char16_t unit);
    };
    Order m_orders[2];  // little-endian, big-endian
    std::size_t m_fed = 0;
    bool m_sawZero = false;
    int m_oddByte = -1;  // the first byte of a unit whose second has not come yet
};

}  // namespace qb
