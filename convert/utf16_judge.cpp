#include "convert/utf16_judge.h"

namespace qb {

namespace {

constexpr std::size_t kZeroWithin = 4096;

}  // namespace

void Utf16Judge::Order::Take(char16_t unit) {
    if (!alive) return;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (pendingHigh) {
        pendingHigh = false;
        alive = low;
        return;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        pendingHigh = true;
        return;
    }
    const bool control = unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\f' &&
                         unit != u'\r';
    if (low || control || unit == 0xFFFE || unit == 0xFFFF) {
        alive = false;
        return;
    }
    census.FeedUnit(unit);
    lineEnds += unit == u'\n' || unit == u'\r';
}

void Utf16Judge::Feed(std::string_view piece) {
    for (const char c : piece) {
        if (!m_orders[0].alive && !m_orders[1].alive) return;
        const auto b = static_cast<unsigned char>(c);
        m_sawZero = m_sawZero || b == 0;
        if (!m_sawZero && m_fed >= kZeroWithin) {
            m_orders[0].alive = m_orders[1].alive = false;
            return;
        }
        ++m_fed;
        if (m_oddByte < 0) {
            m_oddByte = b;
            continue;
        }
        const auto first = static_cast<unsigned>(m_oddByte);
        m_oddByte = -1;
        m_orders[0].Take(static_cast<char16_t>(b << 8 | first));
        m_orders[1].Take(static_cast<char16_t>(first << 8 | b));
    }
}

std::optional<bool> Utf16Judge::BigEndian(bool cut) const {
    if (!m_sawZero || (m_oddByte >= 0 && !cut)) return std::nullopt;
    const auto fits = [&](const Order& order) {
        return order.alive && order.lineEnds > 0 && (!order.pendingHigh || cut);
    };
    if (fits(m_orders[0]) && (!fits(m_orders[1]) || m_orders[0].lineEnds >= m_orders[1].lineEnds))
        return false;
    if (fits(m_orders[1])) return true;
    return std::nullopt;
}

}  // namespace qb
