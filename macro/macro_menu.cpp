#include "macro/macro_menu.h"

#include <sys/stat.h>

#include <filesystem>

#include "macro/dir_menu_array.h"

namespace qb {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return a == b;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

std::vector<MacroMenuItem> MacroMenuItems(const SettingsStore& settings) {
    CDirMenuArray table;
    table.Load(settings);
    std::vector<MacroMenuItem> items;
    for (int i = 0; i < table.Count(); ++i)
        items.push_back({static_cast<CommandId>(kMacroMenuFirst + i),
                         table.Entries()[static_cast<std::size_t>(i)].name});
    return items;
}

bool IsMacroMenuCommand(CommandId id) {
    return id >= kMacroMenuFirst && id < kMacroMenuFirst + kMacroMenuCount;
}

std::optional<MacroRunEnd> RunMacroMenuEntry(CommandId id, AppContext& app,
                                             MacroController& macros) {
    if (!IsMacroMenuCommand(id)) return std::nullopt;
    CDirMenuArray table;
    table.Load(app.settings);
    const int index = id - kMacroMenuFirst;
    if (index >= table.Count()) {
        app.host.ShowMessage("マクロメニュー" + std::to_string(index + 1) +
                             " にはマクロが登録されていません");
        return std::nullopt;
    }
    const std::string& file = table.Entries()[static_cast<std::size_t>(index)].file;
    const MacroRecorder& recorder = macros.Recorder();
    if (recorder.IsRecording() && SameFile(file, recorder.Path())) {
        app.host.ShowMessage("記録中のマクロファイルは実行できません: " + file);
        return std::nullopt;
    }
    return macros.RunMacroFile(file);
}

std::string MacroNameFromPath(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

}  // namespace qb
