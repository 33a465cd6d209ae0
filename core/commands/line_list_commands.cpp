// Operations that treat lines as whole units: reversal, deletion, duplicate removal, editing and
// inserting lines, appending and joining files and the clipboard, appending text.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>

#include "core/quillbay_doc.h"
#include "core/split.h"
#include "core/text_file.h"

namespace qb {

namespace {

constexpr const char* kCannotOpen = "ファイルが開けません";
constexpr const char* kSeveralTargets = "行の挿入は複数行選択している状態では行えません";

// The set of the texts claimed so far by duplicate removal: open addressing with linear
// probing over slots that hold where a text is, its length and a 32-bit hash, so that a probe
// compares integers and reaches the text itself only to confirm a match. The texts stay alive
// in the document's lines, which do not move their bytes.
class ClaimedTexts {
public:
    ClaimedTexts() : m_slots(1024) {}

    // Looks `text` up. When it is there, returns true. Otherwise returns false and, when
    // `claim()` says so, adds it.
    template <class Claim>
    bool FindOrAdd(std::string_view text, Claim&& claim) {
        const auto hash =
            static_cast<std::uint32_t>(std::hash<std::string_view>{}(text)) & 0x7FFFFFFFu;
        const auto length = static_cast<std::uint32_t>(text.size());
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = hash & mask;
        for (;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (!slot.used) break;
            if (slot.hash == hash && slot.length == length &&
                (length == 0 || std::memcmp(slot.data, text.data(), length) == 0))
                return true;
        }
        if (claim()) {
            m_slots[i] = {text.data(), length, hash, true};
            if (++m_count * 2 > m_slots.size()) Grow();
        }
        return false;
    }

private:
    struct Slot {
        const char* data = nullptr;
        std::uint32_t length = 0;
        std::uint32_t hash : 31 = 0;
        std::uint32_t used : 1 = 0;
    };

    void Grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.used) continue;
            std::size_t i = slot.hash & mask;
            while (m_slots[i].used)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

// The part of a line that duplicate removal compares: offsets [start, end - 1), clamped to the
// line (a line shorter than `start` compares as empty).
std::string_view ComparedText(std::string_view line, bool partial, int start, int end) {
    if (!partial) return line;
    const long long from = std::max(start, 0);
    const long long to =
        std::min<long long>(static_cast<long long>(end) - 1, static_cast<long long>(line.size()));
    if (from >= to) return {};
    return line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

}  // namespace

void CQuillbayDoc::Reverse() {
    // No busy cursor for this one: it is instant at any size.
    PushUndo();
    std::reverse(m_lines.begin(), m_lines.end());
    SetModifiedFlag(true);
}

void CQuillbayDoc::LineDelete() {
    OperationScope scope(*this);
    const std::vector<char> flags = TargetFlags();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (flags[i]) continue;
        if (kept != i) m_lines[kept] = std::move(m_lines[i]);
        ++kept;
    }
    m_lines.resize(kept);
    m_target.lastLine = std::min(m_target.lastLine, LineCount());
}

void CQuillbayDoc::DupLineDel(int partial, int startColumn, int endColumn, int assumeSorted) {
    OperationScope scope(*this);
    const auto compared = [&](std::size_t index) {
        return ComparedText(m_lines[index].view(), partial != 0, startColumn, endColumn);
    };
    // One walk, compacting in place: line i moves down to `kept`, the index it has once the
    // duplicates before it are gone, which is where the target test sees it. Without
    // `assumeSorted`, a line goes when an earlier target line has the same text: the set holds
    // the texts of the kept target lines, each of which removes every later equal line.
    const std::size_t count = m_lines.size();
    ClaimedTexts claimed;
    bool havePrevious = false;
    std::string_view previous;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!m_poll(i, count)) {
            for (; i < count; ++i, ++kept)  // the rest as it was
                if (kept != i) m_lines[kept] = std::move(m_lines[i]);
            break;
        }
        if (kept != i) m_lines[kept] = std::move(m_lines[i]);
        const std::string_view text = compared(kept);
        const auto isTarget = [&] { return IsTargetLine(static_cast<int>(kept)); };
        if (assumeSorted) {
            if (isTarget()) {
                if (havePrevious && text == previous) continue;
                previous = text;
                havePrevious = true;
            }
        } else if (claimed.FindOrAdd(text, isTarget)) {
            continue;
        }
        ++kept;
    }
    m_lines.resize(kept);
    m_target.lastLine = LineCount();
}

int CQuillbayDoc::FirstTargetIndex() const {
    for (int i = 0; i < LineCount(); ++i)
        if (IsTargetLine(i)) return i;
    return -1;
}

std::string CQuillbayDoc::LineEditText() const {
    const int index = FirstTargetIndex();
    return index < 0 ? std::string() : GetLine(index).str();
}

int CQuillbayDoc::InsertLineIndex() {
    int first = -1;
    for (int i = 0; i < LineCount(); ++i) {
        if (!IsTargetLine(i)) continue;
        if (first >= 0) {
            m_app.host.ShowMessage(kSeveralTargets);
            return -1;
        }
        first = i;
    }
    return first < 0 ? 0 : first;
}

bool CQuillbayDoc::EditAll() {
    const auto text = m_app.host.EditText("テキスト編集", GetAllText());
    if (!text) return false;
    SetAllText(*text);
    SetModifiedFlag(true);
    return true;
}

bool CQuillbayDoc::FileInsert(const std::string& path) {
    // Read everything first: a file that fails half-way changes nothing.
    LineList lines;
    const TextReadResult read = ReadTextFile(path, lines);
    if (!read.ok) {
        m_app.host.ShowMessage(kCannotOpen);
        return false;
    }
    for (const auto& warning : ReadWarnings(read, path))
        m_app.host.Warn(warning);
    OperationScope scope(*this);
    m_lines.reserve(m_lines.size() + lines.size());
    for (Line& line : lines)
        m_lines.push_back(std::move(line));
    m_target.lastLine = LineCount();
    return true;
}

namespace {

// Appends piece k to line k of `lines`; pieces beyond the end become lines of their own.
void AppendPiecesToLines(LineList& lines, const LineList& pieces) {
    LineArena arena;
    std::string joined;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k >= lines.size()) {
            lines.push_back(pieces[k]);
        } else if (!pieces[k].empty()) {
            joined.assign(lines[k].view());
            joined.append(pieces[k].view());
            lines[k] = arena.Make(joined);
        }
    }
}

}  // namespace

bool CQuillbayDoc::Join(const std::string& path) {
    LineList pieces;
    const TextReadResult read = ReadTextFile(path, pieces);
    if (!read.ok) {
        m_app.host.ShowMessage(kCannotOpen);
        return false;
    }
    for (const auto& warning : ReadWarnings(read, path))
        m_app.host.Warn(warning);
    OperationScope scope(*this);
    AppendPiecesToLines(m_lines, pieces);
    m_target.lastLine = LineCount();
    return true;
}

void CQuillbayDoc::Copy() {
    std::string text;
    text.reserve(static_cast<std::size_t>(TargetTextSize()));
    for (int i = 0; i < LineCount(); ++i) {
        if (!IsTargetLine(i)) continue;
        text.append(GetLine(i).view());
        text.append("\r\n");
    }
    m_app.host.SetClipboardText(text);
}

bool CQuillbayDoc::PastePlus() {
    OperationScope scope(*this);
    const auto text = m_app.host.GetClipboardText();
    if (!text) return false;
    LineList pieces;
    SplitLines(*text, pieces);
    AppendPiecesToLines(m_lines, pieces);
    return true;
}

void CQuillbayDoc::StrCat(std::string_view text) {
    if (text.empty()) {
        OperationScope scope(*this);
        return;
    }
    if (!AllowGrowth([&](std::string_view) { return text.size(); })) return;
    TransformTargetLines([&](std::string_view line) {
        std::string out;
        out.reserve(line.size() + text.size());
        out.append(line);
        out.append(text);
        return out;
    });
}

}  // namespace qb
