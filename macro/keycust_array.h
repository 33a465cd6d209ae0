// The binding table: which key combination runs which command, the key file it came from, and
// the changes the key customisation makes to it. Owned by the application for the whole run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/keycust.h"
#include "settings/settings_store.h"

namespace qb {

// A menu item's key text to set: the text after the tab of the caption of `command`'s item, or
// none to remove it.
struct MenuKeyTextChange {
    CommandId command = 0;
    std::optional<std::string> keyText;

    friend bool operator==(const MenuKeyTextChange&, const MenuKeyTextChange&) = default;
};

// What loading or saving a key file did.
struct KeyFileResult {
    bool ok = false;
    std::string path;   // the file read or written (or that could not be)
    std::string error;  // why not (Japanese; the system's words where it failed), empty on success
    bool fellBack = false;  // saved to the per-user folder instead of the file asked for
    std::string keptAs;     // where a key file refused at start-up was kept before the save

    // `headline` ("読み込めません", "保存できません"), ": " and the file, then the reason on a
    // line of its own (it may hold the system's words).
    std::string Message(std::string_view headline) const;
};

class CKeycustArray {
public:
    const std::vector<CKeycust>& Bindings() const { return m_bindings; }
    // Replaces every binding (at most kMaxKeyBindings are kept).
    void Assign(std::vector<CKeycust> bindings);

    // The command of the first binding of `combo`, or 0.
    CommandId CommandForKey(const KeyCombo& combo) const;
    // The position of the first binding of `combo`, or -1.
    int IndexOf(const KeyCombo& combo) const;
    // The position of the first binding with `command`, or -1.
    int FirstBindingOf(CommandId command) const;

    // The key customisation's choice of `command` for `combo` (0 is "（なし）"): the first
    // binding of the combination gets the command, or is removed by 0; an unbound combination
    // gets a new binding at the end. Returns the menu key texts to change, in order: the
    // command the combination had before shows its first remaining binding or no text, then
    // the chosen command shows the combination.
    std::vector<MenuKeyTextChange> Bind(const KeyCombo& combo, CommandId command);

    // The current key file.
    const std::string& Path() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }

    // At start-up: loads the file "System"/"Keycust" names (by default "quillbay.key" in the
    // settings folder), which becomes the current path. A missing file leaves the table empty
    // without an error; when it is the default file, the copy in `dataDir` (if any) is read
    // instead, and saving still goes to the user's own file. A file that cannot be read or is
    // not a key file leaves the table empty and is reported; the first save over it keeps it as
    // NAME.bad (see WriteUserFile).
    KeyFileResult LoadAtStartup(SettingsStore& settings, const std::string& dataDir);
    // "読込(&R)": reads `path`. On success the table is replaced, `path` becomes the current
    // key file and is stored in "System"/"Keycust"; on failure nothing changes, not even the
    // current path (so that OK never writes over a file that was refused).
    KeyFileResult Load(const std::string& path, SettingsStore& settings);
    // "保存(&S)" (with a path) and OK (without): writes the table, atomically, to `path` or the
    // current key file. When that fails it is written to "quillbay.key" in the settings folder
    // (creating the folder), and fellBack says so. The file written becomes the current key file
    // and is stored in "System"/"Keycust". On failure the current path is kept.
    KeyFileResult Save(const std::optional<std::string>& path, SettingsStore& settings);
    // Writes the current key file's path to "System"/"Keycust" (at exit).
    void StorePath(SettingsStore& settings) const;

private:
    // Writes `bytes` to `path`, keeping a refused key file there aside first.
    KeyFileResult Write(const std::string& path, const std::string& bytes);

    std::vector<CKeycust> m_bindings;
    std::string m_path;
    std::string m_refusedPath;  // the key file refused at start-up, until it is kept aside
};

}  // namespace qb
