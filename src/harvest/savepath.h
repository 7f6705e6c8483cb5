// Where a run writes its package: the default path on the desktop and the
// split of a save path into the output folder and the file's base name,
// which also names the picture folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "config/options.h"

namespace vq::harvest {

// The folder on the desktop that default packages go into.
inline constexpr const char* DefaultPackageFolderName = "Quorvel生成数据包";

struct SavePathParts {
    std::string outputDir;       // up to and including the last "/"
    std::string outputBaseName;  // file name up to its first "."; empty without "."
};

SavePathParts splitSavePath(const std::string& path);

// desktop + "Quorvel生成数据包" + "/aliS" (business assistant) or "/aliT"
// (Taobao) + the seconds stamp + ".csv". desktop gets a trailing "/" when
// it lacks one.
std::string defaultSavePath(const std::filesystem::path& desktop, config::PackageKind kind, std::int64_t stamp);

}  // namespace vq::harvest
