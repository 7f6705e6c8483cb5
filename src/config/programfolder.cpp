#include "config/programfolder.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace vq::config {
namespace {

std::filesystem::path homeFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::current_path();
}

std::filesystem::path configHome()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && *config ? std::filesystem::path(config) : homeFolder() / ".config";
}

}  // namespace

std::filesystem::path defaultProgramFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::filesystem::path base = data && *data ? std::filesystem::path(data) : homeFolder() / ".local" / "share";
    return base / "QuorvelVendquill";
}

std::filesystem::path cookieStoreFile(const std::filesystem::path& programFolder)
{
    return programFolder / "options" / "cookies.txt";
}

std::filesystem::path desktopFolder()
{
    std::ifstream dirs(configHome() / "user-dirs.dirs");
    std::string line;
    while (std::getline(dirs, line)) {
        const std::string key = "XDG_DESKTOP_DIR=";
        if (line.rfind(key, 0) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = homeFolder().string() + value.substr(5);
        std::error_code ec;
        if (!value.empty() && std::filesystem::is_directory(value, ec))
            return value;
    }
    return homeFolder();
}

}  // namespace vq::config
