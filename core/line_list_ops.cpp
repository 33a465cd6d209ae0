// Operations that treat lines as whole units: reversal, deletion, duplicate removal, editing and
// inserting lines, appending and joining files and the clipboard, appending text.
#include <algorithm>
#include <functional>

#include "core/quillbay_doc.h"
#include "core/split.h"
#include "core/text_file.h"

namespace qb {

namespace {

constexpr const char* kCannotOpen = "ファイルが開けません";
constexpr const char* kSeveralTargets = "行の挿入は複数行選択している状態では行えません";

// A set of byte strings that stay alive elsewhere (views into document lines): open addressing
// with linear probing, the hash kept beside each view so that most probes compare one integer.
class ViewSet {
public:
    explicit ViewSet(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < expected * 2) capacity *= 2;
        m_slots.resize(capacity);
    }

    // Inserts `text`; false when it was already there.
    bool Insert(std::string_view text) {
        const std::size_t hash = std::hash<std::string_view>{}(text);
        std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (!slot.used) {
                slot = {hash, text, true};
                if (++m_count * 2 > m_slots.size()) Grow();
                return true;
            }
            if (slot.hash == hash && slot.text == text) return false;
        }
    }

    bool Contains(std::string_view text) const {
        const std::size_t hash = std::hash<std::string_view>{}(text);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (!slot.used) return false;
            if (slot.hash == hash && slot.text == text) return true;
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        std::string_view text;
        bool used = false;
    };

    void Grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.used) continue;
            std::size_t i = slot.hash & mask;
            while (m_slots[i].used) i = (i + 1) & mask;
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
    const long long to = std::min<long long>(static_cast<long long>(end) - 1,
                                             static_cast<long long>(line.size()));
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
    OperationFrame frame(*this);
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
    OperationFrame frame(*this);
    // One walk, compacting in place: line i moves down to `kept`, the index it has once the
    // duplicates before it are gone, which is where the target test sees it. Without
    // `assumeSorted`, a line goes when an earlier target line has the same text: the set holds
    // the texts of the kept target lines, each of which removes every later equal line.
    const std::size_t count = m_lines.size();
    ViewSet claimed(assumeSorted ? 0 : count);
    bool havePrevious = false;
    std::string_view previous;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (kept != i) m_lines[kept] = std::move(m_lines[i]);
        const std::string_view text =
            ComparedText(m_lines[kept].view(), partial != 0, startColumn, endColumn);
        if (assumeSorted) {
            if (IsTargetLine(static_cast<int>(kept))) {
                if (havePrevious && text == previous) continue;
                previous = text;
                havePrevious = true;
            }
        } else {
            if (claimed.Contains(text)) continue;
            if (IsTargetLine(static_cast<int>(kept))) claimed.Insert(text);
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
    if (!ReadTextFile(path, lines).ok) {
        m_app.host.ShowMessage(kCannotOpen);
        return false;
    }
    OperationFrame frame(*this);
    m_lines.reserve(m_lines.size() + lines.size());
    for (Line& line : lines) m_lines.push_back(std::move(line));
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
    if (!ReadTextFile(path, pieces).ok) {
        m_app.host.ShowMessage(kCannotOpen);
        return false;
    }
    OperationFrame frame(*this);
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
    OperationFrame frame(*this);
    const auto text = m_app.host.GetClipboardText();
    if (!text) return false;
    LineList pieces;
    SplitLines(*text, pieces);
    AppendPiecesToLines(m_lines, pieces);
    return true;
}

void CQuillbayDoc::StrCat(std::string_view text) {
    if (text.empty()) {
        OperationFrame frame(*this);
        return;
    }
    TransformTargetLines([&](std::string_view line) {
        std::string out;
        out.reserve(line.size() + text.size());
        out.append(line);
        out.append(text);
        return out;
    });
}

}  // namespace qb
