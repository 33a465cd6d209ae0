// The settings store: integer and string values in named sections, kept in an INI file.
//
// The file is UTF-8 text ("[Section]" headers, "Name=Value" lines, ';' or '#' comments). Section
// and value names compare without regard to ASCII case. Every reader supplies its own default:
// a missing or unreadable value yields it. Writes go straight to disk, atomically (a temporary
// file renamed over the old one); a write failure never stops the program: the store keeps the
// value for this run and says what went wrong through LastSaveError().
//
// A file that could not be parsed completely is read as far as possible; before the store first
// rewrites such a file it keeps a copy of it beside the original (settings.ini.bad). A file that
// exists but cannot be read at all is never written, so its content cannot be lost.
//
// Programs sharing the file take turns: each write reads the file again (another program may
// have written it), changes it and writes it back while it holds an flock on settings.ini.lock
// beside it, so that no write undoes another's.
//
// Strings are UTF-8 here; callers that work in Shift-JIS convert at this boundary (see
// ReadSjisString/WriteSjisString).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qb {

class SettingsStore {
public:
    // ReadOnly: writes are kept for the life of the store and never reach the file (a run that
    // must leave the user's settings as they are, such as the command line's).
    enum class Access { ReadWrite, ReadOnly };

    // An empty store that is never written to disk (tests, or a program run without settings).
    SettingsStore();
    // Loads `path`; a missing file is an empty store that is created on the first write. Only
    // a regular file of at most 16 MiB is read: anything else gives the defaults, is reported
    // in LoadProblems() and is never written.
    explicit SettingsStore(std::string path, Access access = Access::ReadWrite);
    // A store that is never written to disk, loaded from the text of a settings file.
    static SettingsStore FromText(std::string_view text);

    // Where the per-user settings live: $QUILLBAY_SETTINGS, else
    // $XDG_CONFIG_HOME/VelmoLabs/Quillbay/settings.ini (~/.config when XDG_CONFIG_HOME is unset).
    static std::string DefaultPath();

    int ReadInt(std::string_view section, std::string_view name, int defaultValue) const;
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) const;
    void WriteInt(std::string_view section, std::string_view name, int value);
    void WriteString(std::string_view section, std::string_view name, std::string_view value);

    // The same as UTF-8 strings, converted from and to Shift-JIS at the boundary.
    std::string ReadSjisString(std::string_view section, std::string_view name,
                               std::string_view defaultSjis) const;
    void WriteSjisString(std::string_view section, std::string_view name, std::string_view sjis);

    // A copy of the values as they stand (overrides included) that lives in memory only: its
    // writes never reach a file.
    SettingsStore InMemoryCopy() const;

    // Sets a value for this run only (the command line's --set); it hides the stored value and
    // is never written to disk.
    void Override(std::string_view section, std::string_view name, std::string_view value);

    // Groups writes: while a batch lives, writes change the store at once but reach the file only
    // when the outermost batch ends, in one atomic save (a dialog's OK writes a dozen values).
    class WriteBatch {
    public:
        explicit WriteBatch(SettingsStore& store) : m_store(store) { ++m_store.m_batchDepth; }
        ~WriteBatch();
        WriteBatch(const WriteBatch&) = delete;
        WriteBatch& operator=(const WriteBatch&) = delete;

    private:
        SettingsStore& m_store;
    };

    const std::string& Path() const { return m_path; }
    // What went wrong while loading, one line per problem (UTF-8); empty when the file was fine.
    const std::vector<std::string>& LoadProblems() const { return m_problems; }
    // Why the last write of the file failed (UTF-8); empty when it worked or nothing was written.
    const std::string& LastSaveError() const { return m_saveError; }
    // The text the file would be written with now.
    std::string Text() const;

private:
    // The file as a list of sections, in file order, comments kept, so that rewriting it
    // changes only the values that were written.
    struct Entry {
        std::string name;  // empty for a comment or blank line, kept verbatim in `text`
        std::string text;
    };
    struct Section {
        std::string name;  // "" for what comes before the first header
        std::vector<Entry> entries;
    };

    // The lock file's descriptor while the lock is held; a store moves, it is not copied.
    struct HeldLock {
        int fd = -1;
        HeldLock() = default;
        HeldLock(HeldLock&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
        HeldLock& operator=(HeldLock&& other) noexcept {
            std::swap(fd, other.fd);
            return *this;
        }
        ~HeldLock();
    };

    Section* FindSection(std::string_view section);
    const std::string* Find(std::string_view section, std::string_view name) const;
    void Load();
    // Takes `text` as the file's (none: there is no file) and parses it.
    void LoadText(std::optional<std::string> text);
    void ParseText(std::string_view text);
    void ReloadIfChangedOnDisk();
    void Store(std::string_view section, std::string_view name, std::string_view value);
    void Save();
    void SaveNowOrWithTheBatch();
    // Takes the lock of the file, waiting for another program that holds it (a few seconds at
    // most); Unlock lets go of it. Nothing for a store that never writes.
    void Lock();
    void Unlock();

    std::string m_path;
    bool m_persistent = false;
    bool m_unreadable = false;  // the file exists but could not be read: never write it
    // The text of a file that had lines we could not parse, kept (once) before it is rewritten.
    // It is the text as this store read it: another instance may have repaired the file since.
    bool m_needsBackup = false;
    std::string m_damagedText;
    std::optional<std::string> m_diskText;  // the file as last read or written; none: no file
    HeldLock m_lock;
    std::vector<Section> m_sections;
    std::vector<Section> m_overrides;
    std::vector<std::string> m_problems;
    std::string m_saveError;
    int m_batchDepth = 0;
    bool m_batchHasWrites = false;
};

}  // namespace qb
