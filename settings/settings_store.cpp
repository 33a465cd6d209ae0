#include "settings/settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "convert/cp932.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A value is written bare unless reading it back bare would change it; then it is quoted with
// backslash escapes.
// The length of the well-formed UTF-8 sequence at s[i]; 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return 1;
    std::size_t need;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= s.size()) return 0;
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (b < lo || b > hi) return 0;
        lo = 0x80, hi = 0xBF;
    }
    return need + 1;
}

bool IsValidUtf8Text(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = Utf8SequenceLength(s, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

bool NeedsQuoting(std::string_view v) {
    if (v.empty()) return false;
    if (v.front() == ' ' || v.front() == '\t' || v.front() == '"' || v.back() == ' ' ||
        v.back() == '\t')
        return true;
    for (unsigned char c : v)
        if (c < 0x20 || c == 0x7F) return true;
    return !IsValidUtf8Text(v);
}

std::string Quote(std::string_view v) {
    std::string out = "\"";
    for (std::size_t i = 0; i < v.size(); ++i) {
        const auto c = static_cast<unsigned char>(v[i]);
        if (c >= 0x80) {
            // Valid UTF-8 is written as it is; stray bytes as \xHH, so the file stays UTF-8.
            const std::size_t len = Utf8SequenceLength(v, i);
            if (len > 0) {
                out.append(v.substr(i, len));
                i += len - 1;
                continue;
            }
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unquote(std::string_view v) {
    std::string out;
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        if (v[i] != '\\' || i + 2 >= v.size()) {
            out.push_back(v[i]);
            continue;
        }
        const char e = v[++i];
        if (e == 'n')
            out.push_back('\n');
        else if (e == 'r')
            out.push_back('\r');
        else if (e == 't')
            out.push_back('\t');
        else if (e == 'x' && i + 2 < v.size() - 1 && HexDigit(v[i + 1]) >= 0 &&
                 HexDigit(v[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexDigit(v[i + 1]) * 16 + HexDigit(v[i + 2])));
            i += 2;
        } else {
            out.push_back(e);
        }
    }
    return out;
}

// A settings file larger than this is no settings file: it is left alone.
constexpr std::size_t kMaxFileSize = 16 << 20;

// Reads the regular file `path` whole; false with `why` (UTF-8) when it is something else, too
// large or unreadable. Opening does not wait for a writer, should the path name a pipe.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok) {
        why = std::strerror(errno);
    } else if (S_ISDIR(st.st_mode)) {
        why = std::strerror(EISDIR);
        ok = false;
    } else if (!S_ISREG(st.st_mode)) {
        why = "not a regular file";
        ok = false;
    } else if (static_cast<unsigned long long>(st.st_size) > kMaxFileSize) {
        why = "larger than 16 MiB, so no settings file";
        ok = false;
    }
    if (ok) {
        text.reserve(static_cast<std::size_t>(st.st_size));
        char block[65536];
        for (;;) {
            const ssize_t n = ::read(fd, block, sizeof block);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                why = std::strerror(errno);
                ok = false;
                break;
            }
            if (n == 0) break;
            text.append(block, static_cast<std::size_t>(n));
            if (text.size() > kMaxFileSize) {  // it grew while we read it
                why = "larger than 16 MiB, so no settings file";
                ok = false;
                break;
            }
        }
    }
    ::close(fd);
    return ok;
}

// Section and value names compare without regard to ASCII case: this is the key they share.
std::string FoldedName(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return key;
}

// The lock of the settings file beside it: whoever holds it reads, changes and writes the file
// without another program writing in between.
std::string LockPath(const std::string& path) {
    return path + ".lock";
}

// How long a write waits for another program's lock. One write holds it for milliseconds; a
// program that stays stopped while holding it (under a debugger, say) must not stop this one for
// ever, so after this the write goes ahead without it, as it would with no other program about.
constexpr int kLockWaitMs = 5000;

}  // namespace

SettingsStore::SettingsStore() = default;

SettingsStore SettingsStore::InMemoryCopy() const {
    SettingsStore copy;
    copy.m_sections = m_sections;
    copy.m_overrides = m_overrides;
    return copy;
}

SettingsStore::SettingsStore(std::string path, Access access)
    : m_path(std::move(path)), m_persistent(access == Access::ReadWrite) {
    Load();
}

SettingsStore SettingsStore::FromText(std::string_view text) {
    SettingsStore store;
    store.ParseText(text);
    return store;
}

std::string SettingsStore::DefaultPath() {
    if (const char* env = std::getenv("QUILLBAY_SETTINGS"); env && *env) return env;
    std::filesystem::path base = ".";
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    return (base / "VelmoLabs" / "Quillbay" / "settings.ini").string();
}

void SettingsStore::Load() {
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) {
        LoadText(std::nullopt);
        return;
    }
    std::string text;
    std::string why;
    if (!ReadWholeFile(m_path, text, why)) {
        // Maybe a directory, maybe no permission: keep the defaults and never write over it.
        LoadText(std::nullopt);
        m_unreadable = true;
        m_problems.push_back("cannot read " + m_path + ": " + why +
                             "; using the defaults and leaving the file alone");
        return;
    }
    LoadText(std::move(text));
}

void SettingsStore::LoadText(std::optional<std::string> text) {
    m_sections.clear();
    m_problems.clear();
    m_unreadable = false;
    // What a reload finds decides afresh: a file another instance repaired needs no copy.
    m_needsBackup = false;
    m_damagedText.clear();
    m_diskText = std::move(text);
    if (!m_diskText) return;
    ParseText(*m_diskText);
    if (m_needsBackup) m_damagedText = *m_diskText;
}

void SettingsStore::ParseText(std::string_view text) {
    m_sections.push_back({"", {}});
    // Where each section and value is, by folded name, so that a file of many values loads in
    // time linear in its size; and the order of the last header of each section, which is
    // where a repeated header moves its section.
    std::unordered_map<std::string, std::size_t> sectionAt;
    std::vector<std::unordered_map<std::string, std::size_t>> entryAt(1);
    std::vector<std::size_t> lastHeader(1, 0);
    // A UTF-8 byte-order mark (some editors write one) would spoil the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t current = 0;  // the section lines go to
    std::size_t lineNo = 0;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view raw = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        ++lineNo;
        const std::string_view line = Trim(raw);
        auto problem = [&](const char* what) {
            m_needsBackup = true;
            m_problems.push_back(m_path + ": line " + std::to_string(lineNo) + ": " + what);
        };
        if (line.find('\0') != std::string_view::npos || !IsValidUtf8Text(line)) {
            problem("not UTF-8 text; ignored");
            continue;
        }
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            m_sections[current].entries.push_back({"", std::string(line)});
        } else if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) {
                problem("unfinished section header; ignored");
                continue;
            }
            const std::string name(Trim(line.substr(1, line.size() - 2)));
            const auto [at, added] = sectionAt.try_emplace(FoldedName(name), m_sections.size());
            if (added) {
                m_sections.push_back({name, {}});
                entryAt.emplace_back();
                lastHeader.push_back(0);
            }
            // A repeated header continues the earlier section, which moves to here.
            current = at->second;
            lastHeader[current] = lineNo;
        } else if (const auto eq = line.find('=');
                   eq != std::string_view::npos && !Trim(line.substr(0, eq)).empty()) {
            const std::string_view name = Trim(line.substr(0, eq));
            std::string_view value = Trim(line.substr(eq + 1));
            std::string text = value.size() >= 2 && value.front() == '"' && value.back() == '"'
                                   ? Unquote(value)
                                   : std::string(value);
            auto& entries = m_sections[current].entries;
            const auto [at, added] = entryAt[current].try_emplace(FoldedName(name), entries.size());
            if (added)
                entries.push_back({std::string(name), std::move(text)});
            else
                entries[at->second].text = std::move(text);  // the later value wins
        } else {
            problem("not a setting (Name=Value); ignored");
        }
    }
    // Sections in the order of their last headers (the part before any header stays first).
    std::vector<std::size_t> order(m_sections.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return lastHeader[a] < lastHeader[b]; });
    std::vector<Section> sorted;
    sorted.reserve(m_sections.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(m_sections[i]));
    m_sections = std::move(sorted);
}

SettingsStore::Section* SettingsStore::FindSection(std::string_view section) {
    for (auto& s : m_sections)
        if (!s.name.empty() && SameName(s.name, section)) return &s;
    return nullptr;
}

const std::string* SettingsStore::Find(std::string_view section, std::string_view name) const {
    for (const auto* list : {&m_overrides, &m_sections})
        for (const auto& s : *list)
            if (!s.name.empty() && SameName(s.name, section))
                for (const auto& e : s.entries)
                    if (!e.name.empty() && SameName(e.name, name)) return &e.text;
    return nullptr;
}

int SettingsStore::ReadInt(std::string_view section, std::string_view name,
                           int defaultValue) const {
    const std::string* text = Find(section, name);
    if (!text) return defaultValue;
    std::string_view digits = *text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
        return defaultValue;
    // Values are 32-bit, signed or not: 4294967295 is -1, as a 32-bit store holds it. A number
    // beyond that is no value at all, not one to wrap round to something else.
    if (value < INT32_MIN || value > UINT32_MAX) return defaultValue;
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view name,
                                      std::string_view defaultValue) const {
    const std::string* text = Find(section, name);
    return text ? *text : std::string(defaultValue);
}

std::string SettingsStore::ReadSjisString(std::string_view section, std::string_view name,
                                          std::string_view defaultSjis) const {
    const std::string* text = Find(section, name);
    return text ? Utf8ToCp932(*text) : std::string(defaultSjis);
}

void SettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
    Store(section, name, std::to_string(value));
}

void SettingsStore::WriteString(std::string_view section, std::string_view name,
                                std::string_view value) {
    Store(section, name, value);
}

void SettingsStore::WriteSjisString(std::string_view section, std::string_view name,
                                    std::string_view sjis) {
    Store(section, name, SjisToUtf8(sjis));
}

void SettingsStore::Override(std::string_view section, std::string_view name,
                             std::string_view value) {
    for (auto& s : m_overrides)
        if (SameName(s.name, section)) {
            for (auto& e : s.entries)
                if (SameName(e.name, name)) {
                    e.text = value;
                    return;
                }
            s.entries.push_back({std::string(name), std::string(value)});
            return;
        }
    m_overrides.push_back({std::string(section), {{std::string(name), std::string(value)}}});
}

void SettingsStore::ReloadIfChangedOnDisk() {
    // Another instance may have written the file since we read it; start from its values so
    // that our write does not undo theirs. (A read-only store keeps its own writes instead.)
    // Only the text tells: file times tick every few milliseconds, and a file written within
    // one tick may have the old one's size and even its inode number.
    if (!m_persistent || m_unreadable) return;
    std::error_code ec;
    std::optional<std::string> now;
    if (std::filesystem::exists(m_path, ec)) {
        std::string text;
        std::string why;
        if (!ReadWholeFile(m_path, text, why)) {
            Load();  // notes why, and leaves the file alone from now on
            return;
        }
        now = std::move(text);
    }
    if (now != m_diskText) LoadText(std::move(now));
}

void SettingsStore::Store(std::string_view section, std::string_view name, std::string_view value) {
    for (auto& s : m_overrides)
        if (SameName(s.name, section))
            for (auto& e : s.entries)
                if (SameName(e.name, name)) e.text = value;
    // Within a batch the store already holds writes the file lacks, and the lock: a reload
    // would drop them.
    if (!m_batchHasWrites) {
        Lock();
        ReloadIfChangedOnDisk();
    }
    Section* s = FindSection(section);
    if (!s) {
        m_sections.push_back({std::string(section), {}});
        s = &m_sections.back();
    }
    for (auto& e : s->entries)
        if (!e.name.empty() && SameName(e.name, name)) {
            if (e.text == value) {  // nothing to write
                if (!m_batchHasWrites) Unlock();
                return;
            }
            e.text = value;
            SaveNowOrWithTheBatch();
            return;
        }
    s->entries.push_back({std::string(name), std::string(value)});
    SaveNowOrWithTheBatch();
}

void SettingsStore::SaveNowOrWithTheBatch() {
    if (m_batchDepth > 0) {
        m_batchHasWrites = true;  // the lock is kept until the batch ends
        return;
    }
    Save();
    Unlock();
}

void SettingsStore::Lock() {
    if (m_lock.fd >= 0 || !m_persistent || m_unreadable) return;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    m_lock.fd = ::open(LockPath(m_path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (m_lock.fd < 0) return;  // a folder we may not write to: the write fails and says why
    for (int waited = 0; ::flock(m_lock.fd, LOCK_EX | LOCK_NB) != 0; waited += 10) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs) {
            Unlock();
            return;
        }
        ::usleep(10000);
    }
}

void SettingsStore::Unlock() {
    if (m_lock.fd >= 0) ::close(m_lock.fd);  // which lets go of the lock
    m_lock.fd = -1;
}

SettingsStore::HeldLock::~HeldLock() {
    if (fd >= 0) ::close(fd);
}

SettingsStore::WriteBatch::~WriteBatch() {
    if (--m_store.m_batchDepth > 0 || !m_store.m_batchHasWrites) return;
    m_store.m_batchHasWrites = false;
    m_store.Save();
    m_store.Unlock();
}

std::string SettingsStore::Text() const {
    std::string text;
    for (const auto& s : m_sections) {
        if (!s.name.empty()) text += "[" + s.name + "]\n";
        for (const auto& e : s.entries) {
            if (e.name.empty())
                text += e.text;
            else
                text += e.name + "=" + (NeedsQuoting(e.text) ? Quote(e.text) : e.text);
            text += "\n";
        }
    }
    return text;
}

void SettingsStore::Save() {
    if (!m_persistent || m_unreadable) return;
    std::error_code ec;
    std::string error;
    if (m_needsBackup) {
        // Keep what we could not parse before the rewrite drops it: the text as we read it,
        // not the file as it is now, which another instance may have repaired meanwhile.
        if (!WriteFileAtomically(m_path + ".bad", m_damagedText, &error)) {
            // Without the copy we do not touch the file.
            m_saveError = "cannot keep a copy of " + m_path + " before rewriting it: " + error;
            return;
        }
        m_needsBackup = false;
        m_damagedText.clear();
    }
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    std::string text = Text();
    if (WriteFileAtomically(m_path, text, &error)) {
        m_diskText = std::move(text);
        m_saveError.clear();
    } else {
        m_saveError = error.empty() ? "cannot write " + m_path : error;
    }
}

}  // namespace qb
