// Stand-ins: how a Shift-JIS document holds characters Shift-JIS lacks.
//
// A character with no Shift-JIS form of its own (an emoji, 𠮷, é, U+301C WAVE DASH, a combining
// mark...) is held as an unused double-byte code of the user-defined area F040-F9FC (lead F0-F9,
// trail 40-7E or 80-FC: 1,880 codes), and a per-document table says which character each such
// code stands for. Commands see an ordinary double-byte character; writing the text to a Unicode
// code puts the real character back.
//
// Besides Unicode scalar values a stand-in may stand for what a damaged file held, so that such a
// file is still written back byte for byte:
//   U+D800-U+DFFF   a lone UTF-16 surrogate; U+DC80-U+DCFF also a byte 80-FF that was no UTF-8
//                   character (kStrayByteBase + byte), as written back to UTF-8
//   0x110000-0x1100FF  the odd last byte of a UTF-16 text (kOddByteBase + byte)
//
// A code of the area that text holds as a character of its own (a Shift-JIS file's F040, a
// Unicode file's U+E000) must not be given out as a stand-in: the codecs exclude the codes they
// write that way; text taken in as Shift-JIS (opening a Shift-JIS file, typing bytes) is to be
// passed to ExcludeAreaCodesOf before stand-ins are given out for later text.
//
// The table only grows: undo may bring back old lines, whose stand-ins must keep their meaning.
// Reads (CharOf) are plain loads of a fixed array; growth (CodeFor, Exclude) must not run while
// another thread reads or grows the same table.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <string_view>
#include <unordered_map>

namespace qb {

constexpr char32_t kStrayByteBase = 0xDC00;   // + byte 80-FF: a byte that was no UTF-8 character
constexpr char32_t kOddByteBase = 0x110000;   // + byte: the odd last byte of a UTF-16 text

class StandInTable {
public:
    static constexpr std::size_t kCapacity = 1880;

    // Whether `code` lies in the user-defined area: lead F0-F9 and trail 40-7E or 80-FC.
    static constexpr bool InArea(unsigned code) {
        const unsigned lead = code >> 8, trail = code & 0xFF;
        return lead >= 0xF0 && lead <= 0xF9 && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
    }
    // The place of an area code (InArea) among the 1,880, from 0, and back.
    static constexpr std::size_t IndexOf(unsigned code) {
        const unsigned trail = code & 0xFF;
        return ((code >> 8) - 0xF0) * 188 + trail - 0x40 - (trail > 0x7F ? 1 : 0);
    }
    static constexpr unsigned CodeAt(std::size_t index) {
        const auto step = static_cast<unsigned>(index % 188);
        return (0xF0 + static_cast<unsigned>(index / 188)) << 8 | (0x40 + step + (step >= 0x3F ? 1 : 0));
    }

    // The character `code` stands for; 0 when it stands for none (not in the area, or not given
    // out). U+0000 never needs a stand-in, so 0 is unambiguous.
    char32_t CharOf(unsigned code) const { return InArea(code) ? m_chars[IndexOf(code)] : 0; }

    // The code standing for `ch`, given out now when it has none yet: the highest code neither
    // given out nor excluded, since files that use the area for characters of their own mostly
    // fill it from F040 up. 0 when the area has no free code left.
    unsigned CodeFor(char32_t ch);
    // The code standing for `ch`, or 0 when none does. Never grows the table.
    unsigned Find(char32_t ch) const;

    // Marks an area code the text uses as itself (a Shift-JIS file's own F0-F9 characters, a
    // Unicode file's U+E000-U+E757), so that it is never given out. Returns false, and changes
    // nothing, when the code already stands for a character or is not in the area.
    bool Exclude(unsigned code);
    bool IsExcluded(unsigned code) const { return InArea(code) && m_excluded[IndexOf(code)]; }

    // How many stand-ins have been given out.
    std::size_t Size() const { return m_codes.size(); }
    bool Empty() const { return m_codes.empty(); }
    // Whether CodeFor can give out no further code.
    bool Full() const;

private:
    std::array<char32_t, kCapacity> m_chars{};
    std::bitset<kCapacity> m_excluded;
    std::unordered_map<char32_t, unsigned> m_codes;  // character -> its code
    std::size_t m_free = kCapacity;                  // no free code at this index or above
};

// Whether the text has a byte F0-F9 anywhere: false says at once that it holds no area code (no
// stand-in); true only that it may.
[[nodiscard]] bool HasAreaLeadByte(std::string_view text);

// Excludes every area code the Shift-JIS text holds as a character of its own (see Exclude).
void ExcludeAreaCodesOf(std::string_view sjis, StandInTable& table);

}  // namespace qb
