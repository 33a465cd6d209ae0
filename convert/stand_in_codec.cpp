#include "convert/stand_in_codec.h"

#include "convert/cp932.h"
#include "convert/cp932_kernels.h"
#include "convert/scratch_output.h"
#include "convert/sjis.h"
#include "convert/utf8_strict.h"

namespace qb {

namespace {

constexpr char16_t kNoCharacter = 0x30FB;  // what code page 932 decodes a code that is none to
constexpr unsigned kNoCharacterCode = 0x8145;
constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t ch) {
    return ch >= 0xD800 && ch <= 0xDFFF;
}

// A stand-in's character that UTF-8 writes as the byte it was.
bool IsStrayByte(char32_t ch) {
    return ch >= kStrayByteBase + 0x80 && ch <= kStrayByteBase + 0xFF;
}

// Whether UTF-8 can hold a stand-in's character (a stray byte aside).
bool InUtf8(char32_t ch) {
    return !IsSurrogate(ch) && ch < kOddByteBase;
}

void Report(std::vector<CodeLoss>* losses, std::size_t at, std::string what) {
    if (losses) losses->push_back({at, std::move(what)});
}

// Writes characters into Shift-JIS: their own code, or a stand-in.
class Holder {
public:
    Holder(StandInTable& table, std::vector<CodeLoss>* losses) : m_table(table), m_losses(losses) {}

    // Stores the Shift-JIS form of `ch` (a scalar value or what a stand-in may hold besides) at
    // dst: one or two bytes, whose count it returns. `strayBytes` are the bytes `ch` stands for
    // when it is a stray byte, which a loss report names.
    std::size_t Hold(char32_t ch, std::size_t at, char* dst, std::string_view strayBytes = {}) {
        if (ch < 0x10000 && !IsSurrogate(ch)) {
            const std::uint16_t form = detail::TheSjisFormTable().forms[ch];
            if (form != '?' || ch == '?') {
                const unsigned code = (form & 0xFF) << 8 | form >> 8;
                // A user-defined code is the character's own only while it stands for nothing.
                if (!StandInTable::InArea(code) || m_table.CharOf(code) == 0) {
                    m_table.Exclude(code);
                    return detail::StoreForm(dst, form);
                }
            }
        }
        if (const unsigned code = m_table.CodeFor(ch)) {
            dst[0] = static_cast<char>(code >> 8);
            dst[1] = static_cast<char>(code & 0xFF);
            return 2;
        }
        Report(m_losses, at,
               strayBytes.empty() ? DescribeCharacter(ch) : DescribeBytes(strayBytes));
        dst[0] = '?';
        return 1;
    }

private:
    StandInTable& m_table;
    std::vector<CodeLoss>* m_losses;
};

// UTF-8 -> Shift-JIS: what the fast loop leaves, one character or stray byte at a time.
struct HoldUtf8Rest {
    Holder holder;
    std::size_t operator()(std::string_view utf8, std::size_t& i, char* dst) {
        const std::size_t at = i;
        std::size_t length;
        const char32_t cp = DecodeUtf8Strictly(utf8, i, length);
        if (cp == kInvalidUtf8) {
            ++i;
            return holder.Hold(kStrayByteBase + static_cast<unsigned char>(utf8[at]), at, dst,
                               utf8.substr(at, 1));
        }
        i += length;
        return holder.Hold(cp, at, dst);
    }
};

// Appends the UTF-8 form of a scalar value at dst; returns its length (1 to 4).
std::size_t StoreUtf8(char* dst, char32_t cp) {
    if (cp < 0x80) {
        dst[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        dst[0] = static_cast<char>(0xC0 | cp >> 6);
        dst[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        dst[0] = static_cast<char>(0xE0 | cp >> 12);
        dst[1] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        dst[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    dst[0] = static_cast<char>(0xF0 | cp >> 18);
    dst[1] = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    dst[2] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    dst[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

// Shift-JIS -> UTF-8: the codes the fast loop marks (no character; the user-defined area). Losses
// are only counted here, as the plain conversion counts them, and looked for afterwards when
// there were any; the work for stand-ins is kept out of line, so that the loop it leaves stays as
// small as the plain one.
struct WriteStandIns {
    const StandInTable& table;
    std::size_t lost = 0;

    std::size_t Double(std::uint32_t entry, unsigned code, std::size_t, char* dst) {
        return WriteDouble(entry, code, dst);
    }
    std::size_t Single(std::uint32_t entry, unsigned char, std::size_t, char* dst) {
        detail::StoreEntry(dst, entry);
        lost += entry >> 31;
        return (entry >> 24) & detail::kEntryLength;
    }

    [[gnu::noinline]] std::size_t WriteDouble(std::uint32_t entry, unsigned code, char* dst) {
        if (StandInTable::InArea(code)) {
            if (const char32_t ch = table.CharOf(code)) return Write(ch, dst);
        } else {
            ++lost;
        }
        detail::StoreEntry(dst, entry);  // a user-defined character of its own, or U+30FB
        return (entry >> 24) & detail::kEntryLength;
    }
    std::size_t Write(char32_t ch, char* dst) {
        if (IsStrayByte(ch)) {
            dst[0] = static_cast<char>(ch - kStrayByteBase);
            return 1;
        }
        if (!InUtf8(ch)) {
            ++lost;
            return StoreUtf8(dst, kReplacement);
        }
        return StoreUtf8(dst, ch);
    }
};

// UTF-16 units from bytes in either order, or from a string of units.
struct ByteUnits {
    std::string_view bytes;
    bool bigEndian;
    std::size_t Count() const { return bytes.size() / 2; }
    char16_t operator[](std::size_t k) const {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    static constexpr std::size_t kUnitSize = 2;  // loss offsets are in bytes
};

struct StringUnits {
    std::u16string_view units;
    std::size_t Count() const { return units.size(); }
    char16_t operator[](std::size_t k) const { return units[k]; }
    static constexpr std::size_t kUnitSize = 1;
};

bool IsHigh(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLow(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

template <class Units>
std::string Utf16ToSjisUnits(const Units& units, char32_t oddByte, StandInTable& table,
                             std::vector<CodeLoss>* losses) {
    const std::size_t count = units.Count();
    detail::ScratchOutput scratch(2 * count + 8);
    char* out = scratch.data();
    Holder holder(table, losses);
    std::size_t o = 0;
    for (std::size_t k = 0; k < count;) {
        const char16_t u = units[k];
        const std::size_t at = k * Units::kUnitSize;
        if (u < 0x80) {
            out[o++] = static_cast<char>(u);
            ++k;
        } else if (IsHigh(u) && k + 1 < count && IsLow(units[k + 1])) {
            const char32_t cp = 0x10000 + ((u - 0xD800) << 10) + (units[k + 1] - 0xDC00);
            o += holder.Hold(cp, at, out + o);
            k += 2;
        } else {
            o += holder.Hold(u, at, out + o);  // a lone surrogate stands for itself
            ++k;
        }
    }
    if (oddByte) o += holder.Hold(oddByte, count * Units::kUnitSize, out + o);
    return scratch.Result(o);
}

// Steps through Shift-JIS text and hands each character's Unicode form to `put`
// (put(ch, at)): a stand-in's character, else code page 932's, with U+30FB for a code that is
// no character (reported).
template <class Put>
void ForEachCharacter(std::string_view sjis, const StandInTable& table,
                      std::vector<CodeLoss>* losses, Put put) {
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharLength(sjis, i);
        const unsigned code = CharCode(sjis, i);
        if (const char32_t ch = table.CharOf(code)) {
            put(ch, i);
        } else {
            const char16_t unit = Cp932CodeToUnicode(code);
            const bool lost = unit == kNoCharacter && code != kNoCharacterCode;
            if (lost) Report(losses, i, DescribeSjisBytes(sjis.substr(i, length)));
            put(unit, i);
        }
        i += length;
    }
}

}  // namespace

std::size_t Utf8ToSjisWithStandIns(std::string_view utf8, char* out, StandInTable& table,
                                   std::vector<CodeLoss>* losses) {
    HoldUtf8Rest rare{Holder(table, losses)};
    return detail::Utf8ToCp932Kernel<true>(utf8, out, rare);
}

std::string Utf8ToSjisWithStandIns(std::string_view utf8, StandInTable& table,
                                   std::vector<CodeLoss>* losses) {
    detail::ScratchOutput scratch(Utf8ToSjisWithStandInsRoom(utf8.size()));
    return scratch.Result(Utf8ToSjisWithStandIns(utf8, scratch.data(), table, losses));
}

std::size_t SjisToUtf8WithStandIns(std::string_view sjis, char* out, const StandInTable& table,
                                   std::vector<CodeLoss>* losses) {
    WriteStandIns rare{table};
    const std::size_t written =
        detail::SjisToUtf8Kernel(sjis, out, detail::TheUtf8TableMarkingArea(), rare);
    if (rare.lost > 0 && losses) {
        // Where: the characters that were no character, and those UTF-8 cannot hold.
        ForEachCharacter(sjis, table, losses, [&](char32_t ch, std::size_t at) {
            if (!IsStrayByte(ch) && !InUtf8(ch)) Report(losses, at, DescribeCharacter(ch));
        });
    }
    return written;
}

std::string SjisToUtf8WithStandIns(std::string_view sjis, const StandInTable& table,
                                   std::vector<CodeLoss>* losses) {
    detail::ScratchOutput scratch(SjisToUtf8WithStandInsRoom(sjis.size()));
    return scratch.Result(SjisToUtf8WithStandIns(sjis, scratch.data(), table, losses));
}

std::string Utf16ToSjisWithStandIns(std::string_view bytes, bool bigEndian, StandInTable& table,
                                    std::vector<CodeLoss>* losses) {
    const char32_t odd =
        bytes.size() % 2 ? kOddByteBase + static_cast<unsigned char>(bytes.back()) : 0;
    return Utf16ToSjisUnits(ByteUnits{bytes, bigEndian}, odd, table, losses);
}

std::string Utf16ToSjisWithStandIns(std::u16string_view units, StandInTable& table,
                                    std::vector<CodeLoss>* losses) {
    return Utf16ToSjisUnits(StringUnits{units}, 0, table, losses);
}

std::string SjisToUtf16WithStandIns(std::string_view sjis, bool bigEndian,
                                    const StandInTable& table, std::vector<CodeLoss>* losses) {
    std::string out;
    out.reserve(2 * sjis.size());
    const auto unit = [&](char32_t u) {
        const auto high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    ForEachCharacter(sjis, table, losses, [&](char32_t ch, std::size_t) {
        if (ch >= kOddByteBase) {
            out += static_cast<char>(ch - kOddByteBase);
        } else if (ch >= 0x10000) {
            unit(0xD800 + ((ch - 0x10000) >> 10));
            unit(0xDC00 + ((ch - 0x10000) & 0x3FF));
        } else {
            unit(ch);
        }
    });
    return out;
}

std::u16string SjisToUtf16WithStandIns(std::string_view sjis, const StandInTable& table,
                                       std::vector<CodeLoss>* losses) {
    std::u16string out;
    out.reserve(sjis.size());
    ForEachCharacter(sjis, table, losses, [&](char32_t ch, std::size_t at) {
        if (ch >= kOddByteBase) {
            Report(losses, at, DescribeCharacter(ch));
            out += static_cast<char16_t>(kReplacement);
        } else if (ch >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(ch);
        }
    });
    return out;
}

std::string ReplaceStandIns(std::string_view sjis, const StandInTable& table,
                            std::vector<CodeLoss>* losses) {
    if (table.Empty() || !HasAreaLeadByte(sjis)) return std::string(sjis);
    std::string out;
    out.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharLength(sjis, i);
        if (const char32_t ch = table.CharOf(CharCode(sjis, i))) {
            Report(losses, i, DescribeCharacter(ch));
            out += '?';
        } else {
            out.append(sjis, i, length);
        }
        i += length;
    }
    return out;
}

std::size_t Utf8PieceEnd(std::string_view bytes) {
    // Look back over continuation bytes for the lead byte of a sequence that runs past the end.
    for (std::size_t k = 1; k <= 3 && k <= bytes.size(); ++k) {
        const auto b = static_cast<unsigned char>(bytes[bytes.size() - k]);
        if (b < 0x80) break;
        if (b >= 0xC0) {
            const std::size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
            return need > k ? bytes.size() - k : bytes.size();
        }
    }
    return bytes.size();
}

std::size_t Utf16PieceEnd(std::string_view bytes, bool bigEndian) {
    const std::size_t even = bytes.size() & ~std::size_t{1};
    if (even < 2) return even;
    const ByteUnits units{bytes.substr(even - 2, 2), bigEndian};
    return IsHigh(units[0]) ? even - 2 : even;
}

}  // namespace qb
