// Where the program keeps its data and where the user's desktop is.
#pragma once

#include <filesystem>

namespace vq::config {

// The desktop app's program folder: $XDG_DATA_HOME/QuorvelVendquill, or
// ~/.local/share/QuorvelVendquill. Its "options" folder holds the settings,
// the category cache and the cookie store.
std::filesystem::path defaultProgramFolder();

// The shared browser cookie store's file: <programFolder>/options/cookies.txt.
std::filesystem::path cookieStoreFile(const std::filesystem::path& programFolder);

// The user's desktop folder: XDG_DESKTOP_DIR from user-dirs.dirs when that
// folder exists, else the home folder.
std::filesystem::path desktopFolder();

}  // namespace vq::config
