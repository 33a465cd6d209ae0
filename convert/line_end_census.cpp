#include "convert/line_end_census.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb {

namespace {

// The LFs and the CRs among the 64 bytes at p, as bit masks (bit i for p[i]).
void LineEndMasks64(const char* p, std::uint64_t& lfs, std::uint64_t& crs) {
    lfs = crs = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        lfs |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))}
               << (16 * k);
        crs |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)))}
               << (16 * k);
    }
#else
    for (int i = 0; i < 64; ++i) {
        lfs |= std::uint64_t{p[i] == '\n'} << i;
        crs |= std::uint64_t{p[i] == '\r'} << i;
    }
#endif
}

}  // namespace

LineEnd LineEndCounts::Majority() const {
    if (crLf >= lf && crLf >= cr) return LineEnd::CrLf;
    return lf >= cr ? LineEnd::Lf : LineEnd::Cr;
}

void LineEndCensus::Feed(std::string_view piece) {
    if (piece.empty()) return;
    const char* p = piece.data();
    const std::size_t n = piece.size();
    std::size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        std::uint64_t lfs, crs;
        LineEndMasks64(p + i, lfs, crs);
        if ((lfs | crs) == 0) {
            m_lastWasCr = false;
            continue;
        }
        m_lf += static_cast<std::size_t>(std::popcount(lfs));
        m_cr += static_cast<std::size_t>(std::popcount(crs));
        m_crLf += static_cast<std::size_t>(std::popcount(crs & lfs >> 1)) + (m_lastWasCr && (lfs & 1));
        m_lastWasCr = crs >> 63;
    }
    for (; i < n; ++i) {
        const bool lf = p[i] == '\n', cr = p[i] == '\r';
        m_lf += lf;
        m_cr += cr;
        m_crLf += lf && m_lastWasCr;
        m_lastWasCr = cr;
    }
    const char last = p[n - 1];
    m_endsWithLineEnd = last == '\n' || last == '\r';
}

void LineEndCensus::FeedUnit(char16_t unit) {
    const bool lf = unit == u'\n', cr = unit == u'\r';
    m_lf += lf;
    m_cr += cr;
    m_crLf += lf && m_lastWasCr;
    m_lastWasCr = cr;
    m_endsWithLineEnd = lf || cr;
}

void LineEndCensus::Append(const LineEndCensus& next) {
    m_lf += next.m_lf;
    m_cr += next.m_cr;
    m_crLf += next.m_crLf;
    m_lastWasCr = next.m_lastWasCr;
    m_endsWithLineEnd = next.m_endsWithLineEnd;
}

LineEndCounts LineEndCensus::Counts() const {
    return {.crLf = m_crLf, .lf = m_lf - m_crLf, .cr = m_cr - m_crLf};
}

}  // namespace qb
