#include "convert/byte_set.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb {

void ByteSet::Add(unsigned char byte) {
    if (m_members[byte]) return;
    m_members[byte] = true;
    ++m_count;
    FindRuns();
}

void ByteSet::FindRuns() {
    m_runCount = 0;
    for (unsigned b = 0; b < 256; ++b) {
        if (!m_members[b]) continue;
        if (m_runCount > 0 && m_runs[m_runCount - 1].last + 1u == b) {
            m_runs[m_runCount - 1].last = static_cast<unsigned char>(b);
            continue;
        }
        if (m_runCount == kMaxRuns) {
            m_runCount = 0;
            return;
        }
        m_runs[m_runCount++] = {static_cast<unsigned char>(b), static_cast<unsigned char>(b)};
    }
}

bool ByteSet::AnyIn(std::string_view text) const {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    if (m_runCount > 0) {
        // A byte b lies in [first, last] when b - first (wrapping) <= last - first, that is when
        // min(b - first, last - first) == b - first.
        __m128i firsts[kMaxRuns], widths[kMaxRuns];
        for (std::size_t r = 0; r < m_runCount; ++r) {
            firsts[r] = _mm_set1_epi8(static_cast<char>(m_runs[r].first));
            widths[r] = _mm_set1_epi8(static_cast<char>(m_runs[r].last - m_runs[r].first));
        }
        for (; i + 16 <= n; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            __m128i hits = _mm_setzero_si128();
            for (std::size_t r = 0; r < m_runCount; ++r) {
                const __m128i offset = _mm_sub_epi8(v, firsts[r]);
                hits = _mm_or_si128(hits, _mm_cmpeq_epi8(_mm_min_epu8(offset, widths[r]), offset));
            }
            if (_mm_movemask_epi8(hits) != 0) return true;
        }
    }
#endif
    for (; i < n; ++i)
        if (m_members[p[i]]) return true;
    return false;
}

}  // namespace qb
