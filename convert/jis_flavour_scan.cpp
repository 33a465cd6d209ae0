#include "convert/jis_flavour_scan.h"

#include <cstdint>

#include "convert/byte_scan.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kShiftOut = 0x0E;

// The sequences that say something, and what.
struct Sequence {
    std::string_view bytes;
    int kanjiDesignation;
    int kanaForm;
    char asciiFinal;
};

constexpr Sequence kSequences[] = {
    {"\x1B$@", 0, -1, 0},          {"\x1B$B", 1, -1, 0}, {"\x1B&@\x1B$B", 2, -1, 0},
    {"\x1B$(D", 3, -1, 0},         {"\x1B(I", -1, 1, 0}, {"\x1B(B", -1, -1, 'B'},
    {"\x1B(J", -1, -1, 'J'},
};

// Words without ESC, SO or a byte above 7F hold nothing to note.
bool IsQuietWord(std::uint64_t w) {
    using namespace detail;
    return (HighBytes(w) | BytesBelow(w ^ (kLowBits * 0x1B), 1) |
            BytesBelow(w ^ (kLowBits * 0x0E), 1)) == 0;
}

}  // namespace

void JisFlavourScan::Feed(std::string_view piece) {
    const char* p = piece.data();
    const char* end = p + piece.size();
    while (p < end && !Complete()) {
        if (!m_escape.empty()) {
            Escape(*p++);
            continue;
        }
        if (end - p >= 8 && IsQuietWord(detail::LoadWord(p))) {
            p += 8;
            continue;
        }
        const auto b = static_cast<unsigned char>(*p++);
        if (b == kEsc)
            m_escape = kEsc;
        else if (b == kShiftOut && m_flavour.kanaForm < 0)
            m_flavour.kanaForm = 0;
        else if (IsHankakuKanaByte(b) && m_flavour.kanaForm < 0)
            m_flavour.kanaForm = 2;  // 8-bit katakana
    }
}

void JisFlavourScan::Escape(char c) {
    m_escape += c;
    bool prefix = false;
    for (const auto& sequence : kSequences) {
        if (sequence.bytes == m_escape) {
            if (m_flavour.kanjiDesignation < 0) m_flavour.kanjiDesignation = sequence.kanjiDesignation;
            if (m_flavour.kanaForm < 0) m_flavour.kanaForm = sequence.kanaForm;
            if (!m_flavour.asciiFinal) m_flavour.asciiFinal = sequence.asciiFinal;
            m_escape.clear();
            return;
        }
        prefix = prefix || sequence.bytes.starts_with(m_escape);
    }
    if (prefix) return;
    // No sequence we know: an ESC in it may begin the next one.
    m_escape = c == kEsc ? std::string(1, kEsc) : std::string();
}

}  // namespace qb
