#include "macro/key_file.h"

namespace qb {

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassIndex1Tag = 0x8001;  // 0x8000 | 1: the first class read
constexpr std::uint16_t kLongCount = 0xFFFF;
constexpr std::uint16_t kSchema = 1;
constexpr std::string_view kClassName = "CKeycust";

void Put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

// Reads little-endian values from the front of a byte string, remembering the first shortfall.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    bool Read16(std::uint16_t& v) {
        if (m_bytes.size() - m_pos < 2) return false;
        v = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
        m_pos += 2;
        return true;
    }
    bool Read32(std::uint32_t& v) {
        std::uint16_t low = 0, high = 0;
        if (m_bytes.size() - m_pos < 4) return false;
        Read16(low);
        Read16(high);
        v = low | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }
    bool ReadText(std::size_t n, std::string_view& text) {
        if (m_bytes.size() - m_pos < n) return false;
        text = m_bytes.substr(m_pos, n);
        m_pos += n;
        return true;
    }
    std::size_t Offset() const { return m_pos; }
    std::size_t Left() const { return m_bytes.size() - m_pos; }

private:
    unsigned Byte(std::size_t i) const { return static_cast<unsigned char>(m_bytes[m_pos + i]); }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

std::string Hex16(std::uint16_t v) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int shift = 12; shift >= 0; shift -= 4)
        s.push_back(kDigits[(v >> shift) & 0xF]);
    return s;
}

KeyFileRead Refuse(std::string why) {
    KeyFileRead read;
    read.error = std::move(why);
    return read;
}

KeyFileRead Truncated(const ByteReader& in) {
    return Refuse("ファイルが途中で終わっています（" + std::to_string(in.Offset()) +
                  " バイトの後）");
}

}  // namespace

std::string KeyFileBytes(const std::vector<CKeycust>& bindings) {
    std::string out;
    out.reserve(6 + 24 + 12 * bindings.size());
    if (bindings.size() < kLongCount) {
        Put16(out, static_cast<std::uint16_t>(bindings.size()));
    } else {
        Put16(out, kLongCount);
        Put32(out, static_cast<std::uint32_t>(bindings.size()));
    }
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        if (i == 0) {
            Put16(out, kNewClassTag);
            Put16(out, kSchema);
            Put16(out, static_cast<std::uint16_t>(kClassName.size()));
            out += kClassName;
        } else {
            Put16(out, kClassIndex1Tag);
        }
        const CKeycust& b = bindings[i];
        // On disk alt comes before shift, and shift before ctrl.
        for (std::uint16_t field : {b.key, b.alt, b.shift, b.ctrl, b.command})
            Put16(out, field);
    }
    return out;
}

KeyFileRead ParseKeyFile(std::string_view bytes) {
    if (bytes.empty()) return Refuse("ファイルが空です");
    if (bytes.size() > kMaxKeyFileSize)
        return Refuse("キー定義ファイルとしては大きすぎます（" + std::to_string(bytes.size()) +
                      " バイト）");
    ByteReader in(bytes);
    std::uint16_t shortCount = 0;
    if (!in.Read16(shortCount)) return Truncated(in);
    std::uint32_t count = shortCount;
    if (shortCount == kLongCount && !in.Read32(count)) return Truncated(in);
    if (count > kMaxKeyBindings)
        return Refuse("割り当ての数が " + std::to_string(count) +
                      " とあり、キー定義ファイルとしては多すぎます");

    KeyFileRead read;
    read.bindings.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint16_t tag = 0;
        if (!in.Read16(tag)) return Truncated(in);
        const std::uint16_t expected = i == 0 ? kNewClassTag : kClassIndex1Tag;
        if (tag != expected)
            return Refuse(std::to_string(i + 1) + " 番目の割り当ての印が " + Hex16(tag) +
                          " です（" + Hex16(expected) + " のはずです）");
        if (i == 0) {
            std::uint16_t schema = 0, length = 0;
            std::string_view name;
            if (!in.Read16(schema) || !in.Read16(length)) return Truncated(in);
            if (length != kClassName.size())
                return Refuse("キーの割り当て（CKeycust）がありません");
            if (!in.ReadText(length, name)) return Truncated(in);
            if (name != kClassName) return Refuse("キーの割り当て（CKeycust）がありません");
            if (schema != kSchema)
                return Refuse("割り当ての版が " + std::to_string(schema) + " です（1 のはずです）");
        }
        CKeycust b;
        for (std::uint16_t* field : {&b.key, &b.alt, &b.shift, &b.ctrl, &b.command})
            if (!in.Read16(*field)) return Truncated(in);
        read.bindings.push_back(b);
    }
    if (in.Left() != 0)
        return Refuse("最後の割り当ての後に " + std::to_string(in.Left()) +
                      " バイト余分にあります");
    read.ok = true;
    return read;
}

}  // namespace qb
