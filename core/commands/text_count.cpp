// The character count of the target lines.
#include <cmath>
#include <cstdio>

#include "convert/char_census.h"
#include "convert/sjis.h"
#include "core/quillbay_doc.h"

namespace qb {

std::string TextCount::SizeInUnits() const {
    double value;
    const char* unit;
    if (size > 1000000) {
        value = std::floor(static_cast<double>(size) / 1048576.0 * 10.0) / 10.0;
        unit = "M";
    } else if (size > 1000) {
        value = std::floor(static_cast<double>(size) / 1024.0 * 10.0) / 10.0;
        unit = "K";
    } else {
        return {};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.10g%s", value, unit);
    return text;
}

namespace {

// English words: a word starts at a word character after a separator. A double-byte character
// is a word character as a whole (its second byte is never taken for punctuation). A line that
// ends in "-" carries the word on: the next target line that begins with a word character
// continues it; a line that begins with a separator leaves the carry for later, an empty line
// drops it.
class WordCounter {
public:
    void Line(std::string_view line) {
        bool afterSeparator = true;
        if (line.empty()) {
            m_carry = false;
            return;
        }
        if (m_carry && !IsWordSeparator(static_cast<unsigned char>(line[0]))) {
            afterSeparator = false;
            m_carry = false;
        }
        for (std::size_t i = 0; i < line.size();) {
            const std::size_t len = CharLength(line, i);
            const bool separator = len == 1 && IsWordSeparator(static_cast<unsigned char>(line[i]));
            if (separator) {
                afterSeparator = true;
            } else if (afterSeparator) {
                ++m_words;
                afterSeparator = false;
            }
            i += len;
        }
        if (line.back() == '-') m_carry = true;
    }

    long long Words() const { return m_words; }

private:
    bool m_carry = false;
    long long m_words = 0;
};

}  // namespace

TextCount CQuillbayDoc::CountText() {
    TextCount count;
    CharClassCounts classes;
    WordCounter words;
    for (int i = 0; i < LineCount(); ++i) {
        if (!IsTargetLine(i)) continue;
        const std::string_view line = GetLine(i).view();
        count.size += static_cast<long long>(line.size()) + 2;
        count.total += static_cast<long long>(CharClassCensus(line, classes));
        words.Line(line);
    }
    count.hiragana = static_cast<long long>(classes.hiragana);
    count.katakana = static_cast<long long>(classes.katakana);
    count.letters = static_cast<long long>(classes.letters);
    count.digits = static_cast<long long>(classes.digits);
    count.symbols = static_cast<long long>(classes.symbols);
    count.kanji = static_cast<long long>(classes.others);
    count.words = words.Words();
    if (count.total == 0)
        m_app.host.ShowMessage("行が選択されていません。カウントする行を選択してください");
    return count;
}

}  // namespace qb
