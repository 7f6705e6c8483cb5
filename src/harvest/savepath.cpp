#include "harvest/savepath.h"

namespace vq::harvest {

SavePathParts splitSavePath(const std::string& path)
{
    SavePathParts parts;
    const std::size_t slash = path.rfind('/');
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    parts.outputDir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::size_t dot = fileName.find('.');
    if (dot != std::string::npos)
        parts.outputBaseName = fileName.substr(0, dot);
    return parts;
}

std::string defaultSavePath(const std::filesystem::path& desktop, config::PackageKind kind, std::int64_t stamp)
{
    std::string folder = desktop.string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    const char* prefix = kind == config::PackageKind::AliAssistant ? "/aliS" : "/aliT";
    return folder + DefaultPackageFolderName + prefix + std::to_string(stamp) + ".csv";
}

}  // namespace vq::harvest
