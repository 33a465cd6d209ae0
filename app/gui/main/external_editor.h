// Starting the external editor ("System"/"Editor") on the active document's file, and the
// message for each way that can fail. The editor is started detached: it outlives the program.
#pragma once

#include <string>
#include <string_view>

namespace qb::gui {

// The editor when none is set: the desktop's handler for text files.
inline constexpr std::string_view kDefaultEditor = "xdg-open";

enum class LaunchFailure { None, NotFound, NoPermission, Other };

// What the user is told; empty for None.
std::string_view LaunchFailureMessage(LaunchFailure failure);

// Whether `program` can be started: a name holding a '/' is a path, any other name is looked
// for in the folders of `searchPath` (a PATH value). A program that exists but may not be run
// (not executable, a folder) is NoPermission.
LaunchFailure CheckProgram(const std::string& program, std::string_view searchPath);

// Starts `program` with `file` as its one argument (no argument when `file` is empty).
LaunchFailure StartEditor(const std::string& program, const std::string& file);

}  // namespace qb::gui
