// The replace engine: plain (tolerant) replacement, pattern replacement, start-to-end
// replacement and the replacement of surrounding pairs.
#include <cstring>

#include "convert/fold.h"
#include "convert/sjis.h"
#include "convert/whole_char_find.h"
#include "core/quillbay_doc.h"

namespace qb {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool HasCrLf(std::string_view text) {
    if (text.empty()) return false;
    const char* p = text.data();
    const char* end = p + text.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\r', end - p))) != nullptr) {
        if (++p < end && *p == '\n') return true;
    }
    return false;
}

// Appends every piece of `text` between CR LFs, the last one too even when it is empty: a line
// "a" CR LF becomes "a" and an empty line.
void AppendPieces(std::string_view text, LineList& out, LineArena& arena) {
    for (;;) {
        const auto at = text.find(kCrLf);
        if (at == std::string_view::npos) break;
        out.push_back(arena.Make(text.substr(0, at)));
        text.remove_prefix(at + kCrLf.size());
    }
    out.push_back(arena.Make(text));
}

enum class LineResult { Unchanged, Changed, Stop };

// A result equal to its line keeps the old line, which stays shared with the undo history.
LineResult KeptOrChanged(std::string_view line, std::string_view result) {
    return result == line ? LineResult::Unchanged : LineResult::Changed;
}

// Runs `perLine(line, result)` over the flagged lines (the flags computed before anything
// changed). A Changed line is replaced by `result`, split at CR LF; an Unchanged target line that
// already held CR LF is split as well. Stop leaves that line and the rest as they are. The line
// list is rebuilt only when a line splits, so that an operation that splits nothing costs no copy
// of the list.
template <class PerLine>
void RewriteFlaggedLines(LineList& lines, const std::vector<char>& flags, ProgressPoll& poll,
                         PerLine&& perLine) {
    LineArena arena;
    LineList out;
    bool rebuilding = false;
    std::string result;
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        Line& line = lines[i];
        LineResult state = LineResult::Unchanged;
        if (!poll(i, count)) {
            state = LineResult::Stop;
        } else if (flags[i]) {
            result.clear();
            state = perLine(line.view(), result);
        }
        if (state == LineResult::Stop) {
            if (rebuilding)
                for (std::size_t j = i; j < count; ++j)
                    out.push_back(std::move(lines[j]));
            break;
        }
        const std::string_view text =
            state == LineResult::Changed ? std::string_view(result) : line.view();
        const bool split = flags[i] && HasCrLf(text);
        if (split && !rebuilding) {
            rebuilding = true;
            out.reserve(count + count / 8 + 16);
            for (std::size_t j = 0; j < i; ++j)
                out.push_back(std::move(lines[j]));
        }
        if (split) {
            AppendPieces(text, out, arena);
        } else if (state == LineResult::Changed) {
            if (rebuilding)
                out.push_back(arena.Make(text));
            else
                line = arena.Make(text);
        } else if (rebuilding) {
            out.push_back(std::move(line));
        }
    }
    if (rebuilding) lines = std::move(out);
}

}  // namespace

int CQuillbayDoc::Replace(std::string_view find, std::string_view replacement, int options) {
    OperationScope scope(*this);
    if (find.empty()) return 0;  // finds nothing; the undo step is taken all the same
    const std::vector<char> flags = TargetFlags();
    int total = 0;
    const unsigned fold = static_cast<unsigned>(options) & 0x07u;
    if (fold == 0) {
        const WholeCharFinder finder(find);
        RewriteFlaggedLines(m_lines, flags, m_poll, [&](std::string_view line, std::string& out) {
            std::size_t hit = finder.Find(line, 0);
            if (hit == std::string_view::npos) return LineResult::Unchanged;
            std::size_t pos = 0;
            do {
                out.append(line.substr(pos, hit - pos));
                out.append(replacement);
                ++total;
                pos = hit + finder.size();
            } while ((hit = finder.Find(line, pos)) != std::string_view::npos);
            out.append(line.substr(pos));
            return KeptOrChanged(line, out);
        });
    } else {
        RewriteFlaggedLines(m_lines, flags, m_poll, [&](std::string_view line, std::string& out) {
            std::size_t length = 0;
            std::size_t hit = FoldedFind(line, find, fold, 0, length);
            if (hit == std::string_view::npos || length == 0) return LineResult::Unchanged;
            std::size_t pos = 0;
            do {
                out.append(line.substr(pos, hit - pos));
                out.append(replacement);
                ++total;
                pos = hit + length;
            } while (pos < line.size() &&
                     (hit = FoldedFind(line, find, fold, pos, length)) != std::string_view::npos &&
                     length > 0);
            out.append(line.substr(pos));
            return KeptOrChanged(line, out);
        });
    }
    return total;
}

int CQuillbayDoc::RegExpReplace(std::string_view pattern, std::string_view replacement,
                                int options) {
    OperationScope scope(*this);
    m_regex.SetPattern(pattern);
    m_regex.SetGlobal(true);
    m_regex.SetIgnoreCase((options & 0x02) != 0);
    // A malformed pattern is told at once, whether or not any line is a target.
    bool failed = !m_regex.Compile();
    int matched = 0;
    if (!failed) {
        const std::vector<char> flags = TargetFlags();
        RewriteFlaggedLines(m_lines, flags, m_poll, [&](std::string_view line, std::string& out) {
            const bool hit = m_regex.ReplaceInto(line, replacement, out);
            if (!m_regex.Ok()) {
                failed = true;
                return LineResult::Stop;
            }
            if (!hit) return LineResult::Unchanged;
            ++matched;
            return KeptOrChanged(line, out);
        });
    }
    if (failed) {
        m_app.host.ShowMessage("正規表現のエラーのため置換を中止しました（" + m_regex.Error() +
                               "）");
        return -1;
    }
    return matched;
}

int CQuillbayDoc::SuperReplace(std::string_view start, std::string_view end,
                               std::string_view replacement) {
    OperationScope scope(*this);
    const std::vector<char> flags = TargetFlags();
    int found = 0;
    const WholeCharFinder startFinder(start);
    const WholeCharFinder endFinder(end);
    RewriteFlaggedLines(m_lines, flags, m_poll, [&](std::string_view line, std::string& out) {
        std::size_t hit = startFinder.Find(line, 0);
        if (hit == std::string_view::npos) return LineResult::Unchanged;
        std::size_t pos = 0;
        do {
            ++found;
            out.append(line.substr(pos, hit - pos));
            out.append(replacement);
            const std::size_t afterStart = hit + startFinder.size();
            const std::size_t endAt = endFinder.Find(line, afterStart);
            pos = endAt == std::string_view::npos ? afterStart : endAt + endFinder.size();
        } while ((hit = startFinder.Find(line, pos)) != std::string_view::npos);
        out.append(line.substr(pos));
        return KeptOrChanged(line, out);
    });
    return found;
}

namespace {

// Whether position q of `s` starts a character, knowing that `known` (<= q) does: the byte after
// a non-lead byte always starts one, so the parity of the run of lead bytes before q decides.
bool StartsCharAt(std::string_view s, std::size_t q, std::size_t known) {
    std::size_t j = q;
    while (j > known && IsLeadByte(static_cast<unsigned char>(s[j - 1])))
        --j;
    return (q - j) % 2 == 0 || (q < s.size() && s[q] == '\0');
}

// One line of ReplaceDouble. The escape test looks at the line as it stands at that moment:
// directly after a replacement, the character before an occurrence is the last one inserted.
class PairReplacer {
public:
    PairReplacer(std::string_view start, std::string_view startReplacement, std::string_view end,
                 std::string_view endReplacement, std::string_view escape)
        : m_start(start),
          m_end(end),
          m_startReplacement(startReplacement),
          m_endReplacement(endReplacement),
          m_hasEscape(!escape.empty()),
          m_escape(escape.empty() ? '\0' : escape.front()) {}

    // Returns the number of start texts found; `out` receives the new line when it is not 0.
    int Run(std::string_view line, std::string& out) {
        m_line = line;
        m_out = &out;
        m_pos = 0;
        m_known = 0;
        m_outKnown = 0;
        int found = 0;
        for (;;) {
            const std::size_t s = FindUnescaped(m_start, m_pos);
            if (s == std::string_view::npos) break;
            ++found;
            const std::size_t afterStart = s + m_start.size();
            const std::size_t e = FindUnescaped(m_end, afterStart);
            Append(line.substr(m_pos, s - m_pos));
            Append(m_startReplacement);
            if (e != std::string_view::npos) {
                Append(line.substr(afterStart, e - afterStart));
                Append(m_endReplacement);
                m_pos = e + m_end.size();
            } else {
                Append(m_endReplacement);
                m_pos = afterStart;
            }
            m_known = m_pos;
        }
        if (found > 0) out.append(line.substr(m_pos));
        return found;
    }

private:
    std::size_t FindUnescaped(const WholeCharFinder& finder, std::size_t from) {
        for (;;) {
            const std::size_t p = finder.Find(m_line, from);
            if (p == std::string_view::npos || !IsEscaped(p)) return p;
            from = p + finder.size();
        }
    }

    bool IsEscaped(std::size_t p) {
        if (!m_hasEscape) return false;
        if (p > m_pos) {
            const bool escaped = m_line[p - 1] == m_escape && StartsCharAt(m_line, p - 1, m_known);
            m_known = p;  // p starts a character (the finder only finds such)
            return escaped;
        }
        // p is where the last replacement ended: the character before it is the output's last.
        const std::string& out = *m_out;
        return !out.empty() && out.back() == m_escape &&
               StartsCharAt(out, out.size() - 1, m_outKnown);
    }

    void Append(std::string_view piece) {
        if (piece.empty()) return;
        m_outKnown = m_out->size();
        m_out->append(piece);
    }

    WholeCharFinder m_start;
    WholeCharFinder m_end;
    std::string_view m_startReplacement;
    std::string_view m_endReplacement;
    bool m_hasEscape;
    char m_escape;
    std::string_view m_line;
    std::string* m_out = nullptr;
    std::size_t m_pos = 0;       // where the unreplaced rest of the line begins
    std::size_t m_known = 0;     // a character boundary of the line at or after m_pos
    std::size_t m_outKnown = 0;  // where the last piece written to the output begins
};

}  // namespace

int CQuillbayDoc::ReplaceDouble(std::string_view start, std::string_view startReplacement,
                                std::string_view end, std::string_view endReplacement,
                                std::string_view escape) {
    OperationScope scope(*this);
    PairReplacer replacer(start, startReplacement, end, endReplacement, escape);
    int found = 0;
    // The walk tests each line at the index it has when reached, after the lines inserted
    // before it: the lines done so far stay in m_lines and the line under test is its last.
    LineList pending = std::move(m_lines);
    m_lines.clear();
    m_lines.reserve(pending.size());
    LineArena arena;
    std::string out;
    for (std::size_t k = 0; k < pending.size(); ++k) {
        if (!m_poll(k, pending.size())) {
            for (; k < pending.size(); ++k)  // the rest as it was
                m_lines.push_back(std::move(pending[k]));
            break;
        }
        m_lines.push_back(std::move(pending[k]));
        const int index = LineCount() - 1;
        if (!IsTargetLine(index)) continue;
        out.clear();
        const int n = replacer.Run(m_lines.back().view(), out);
        found += n;
        const std::string_view text = n > 0 ? std::string_view(out) : m_lines.back().view();
        if (HasCrLf(text)) {
            const std::string copy(text);
            m_lines.pop_back();
            AppendPieces(copy, m_lines, arena);
        } else if (n > 0 && text != m_lines.back().view()) {
            m_lines.back() = arena.Make(text);
        }
    }
    return found;
}

}  // namespace qb
