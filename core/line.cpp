#include "core/line.h"

#include <cstring>
#include <new>

namespace qb {

Line::Line(std::string_view bytes) {
    if (bytes.empty()) return;
    void* memory = ::operator new(offsetof(Rep, bytes) + bytes.size() + 1);
    m_rep = static_cast<Rep*>(memory);
    m_rep->refs = 1;
    m_rep->size = bytes.size();
    std::memcpy(m_rep->bytes, bytes.data(), bytes.size());
    m_rep->bytes[bytes.size()] = '\0';
}

Line& Line::operator=(const Line& other) noexcept {
    if (m_rep != other.m_rep) {
        Release();
        m_rep = other.m_rep;
        Retain();
    }
    return *this;
}

Line& Line::operator=(Line&& other) noexcept {
    if (this != &other) {
        Release();
        m_rep = other.m_rep;
        other.m_rep = nullptr;
    }
    return *this;
}

void Line::Release() noexcept {
    if (m_rep && --m_rep->refs == 0) ::operator delete(m_rep);
    m_rep = nullptr;
}

}  // namespace qb
