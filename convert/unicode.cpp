#include "convert/unicode.h"

#include "convert/cp932.h"

namespace qb {

namespace {

// The value of a base64 character of UTF-7 (A-Z a-z 0-9 + /), -1 for any other byte.
int Base64Value(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Collects the UTF-16 units of one base64 run of UTF-7 as its characters arrive: every six
// bits go into an accumulator, every full byte comes out, and every two bytes make a big-endian
// unit. Bits of a last incomplete byte and a last odd byte are dropped at the end of the run.
class Utf7Run {
public:
    void Start() {
        m_units.clear();
        m_characters = 0;
        m_bits = 0;
        m_bitCount = 0;
        m_haveHighByte = false;
    }

    void Add(int value) {
        ++m_characters;
        m_bits = ((m_bits << 6) | static_cast<unsigned>(value)) & 0xFFFF;
        m_bitCount += 6;
        if (m_bitCount < 8) return;
        m_bitCount -= 8;
        const unsigned byte = (m_bits >> m_bitCount) & 0xFF;
        if (m_haveHighByte) {
            m_units.push_back(static_cast<char16_t>(m_highByte << 8 | byte));
            m_haveHighByte = false;
        } else {
            m_highByte = byte;
            m_haveHighByte = true;
        }
    }

    bool Empty() const { return m_characters == 0; }
    void AppendTo(std::string& out) const {
        if (!m_units.empty()) out += Utf16ToSjis(m_units);
    }

private:
    std::u16string m_units;
    std::size_t m_characters = 0;
    unsigned m_bits = 0;
    int m_bitCount = 0;
    unsigned m_highByte = 0;
    bool m_haveHighByte = false;
};

}  // namespace

namespace {

std::string_view WithoutByteOrderMark(std::string_view utf8) {
    if (utf8.size() >= 3 && utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    return utf8;
}

}  // namespace

std::string Utf8ToSjis(std::string_view utf8) {
    return Utf8ToCp932(WithoutByteOrderMark(utf8));
}

std::size_t Utf8ToSjis(std::string_view utf8, char* out) {
    return Utf8ToCp932(WithoutByteOrderMark(utf8), out);
}

std::size_t Utf8ToSjis(std::string_view utf8, char* out, std::size_t& lost) {
    return Utf8ToCp932(WithoutByteOrderMark(utf8), out, lost);
}

std::string Utf8ToSjis(std::string_view utf8, std::size_t& lost) {
    return Utf8ToCp932(WithoutByteOrderMark(utf8), lost);
}

std::string Utf7ToSjis(std::string_view utf7) {
    std::string out;
    out.reserve(utf7.size());
    Utf7Run run;
    bool inRun = false;
    for (const char c : utf7) {
        if (!inRun) {
            if (c == '+') {
                inRun = true;
                run.Start();
            } else {
                out.push_back(c);
            }
            continue;
        }
        const int value = Base64Value(static_cast<unsigned char>(c));
        if (value >= 0) {
            run.Add(value);
            continue;
        }
        // Any other byte ends the run; a '-' is part of the ending and "+-" stands for '+'.
        run.AppendTo(out);
        inRun = false;
        if (c != '-')
            out.push_back(c);
        else if (run.Empty())
            out.push_back('+');
    }
    if (inRun) run.AppendTo(out);
    return out;
}

std::string Utf16LeBytesToSjis(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') bytes.remove_prefix(2);
    std::u16string units((bytes.size() + 1) / 2, u'\0');
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const unsigned byte = static_cast<unsigned char>(bytes[k]);
        units[k / 2] = static_cast<char16_t>(units[k / 2] | (k % 2 ? byte << 8 : byte));
    }
    return Utf16ToSjis(units);
}

}  // namespace qb
