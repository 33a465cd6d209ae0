#include "convert/stand_in_table.h"

#include "convert/sjis.h"

namespace qb {

bool HasAreaLeadByte(std::string_view text) {
    // 64 bytes at a time without a branch per byte, which the compiler turns into vector code.
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    for (; i + 64 <= text.size(); i += 64) {
        unsigned any = 0;
        for (std::size_t k = 0; k < 64; ++k)
            any |= static_cast<unsigned char>(p[i + k] - 0xF0) < 10;
        if (any) return true;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(p[i] - 0xF0) < 10) return true;
    return false;
}

unsigned StandInTable::CodeFor(char32_t ch) {
    if (const unsigned code = Find(ch)) return code;
    while (m_free > 0 && (m_chars[m_free - 1] != 0 || m_excluded[m_free - 1]))
        --m_free;
    if (m_free == 0) return 0;
    --m_free;
    const unsigned code = CodeAt(m_free);
    m_chars[m_free] = ch;
    m_codes.emplace(ch, code);
    return code;
}

unsigned StandInTable::Find(char32_t ch) const {
    const auto found = m_codes.find(ch);
    return found == m_codes.end() ? 0 : found->second;
}

bool StandInTable::Exclude(unsigned code) {
    if (!InArea(code) || m_chars[IndexOf(code)] != 0) return false;
    m_excluded[IndexOf(code)] = true;
    return true;
}

bool StandInTable::Full() const {
    for (std::size_t k = 0; k < m_free; ++k)
        if (m_chars[k] == 0 && !m_excluded[k]) return false;
    return true;
}

void ExcludeAreaCodesOf(std::string_view sjis, StandInTable& table) {
    if (!HasAreaLeadByte(sjis)) return;
    for (std::size_t i = 0; i < sjis.size(); i = NextChar(sjis, i)) {
        const unsigned code = CharCode(sjis, i);
        if (StandInTable::InArea(code)) table.Exclude(code);
    }
}

}  // namespace qb
