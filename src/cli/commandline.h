// Parsing vendquill-cli's command line into a command and its settings.
// Usage errors name the offending option or argument.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vq::cli {

enum class Command { Help, Add, Generate };
enum class AddMode { Single, List, Shop };

struct PageRange {
    int first = 0;
    int last = 0;
};

struct CommandLine {
    Command command = Command::Help;
    std::filesystem::path home;                     // empty: the desktop app's folder
    std::filesystem::path endpointsFile;            // empty: the real services
    std::filesystem::path trustedCertificate;       // extra PEM to trust (the stand-in's)

    // add
    AddMode mode = AddMode::Single;
    std::filesystem::path listFile;
    std::optional<PageRange> pages;
    std::vector<std::string> addresses;            // "-" reads standard input

    // generate
    std::filesystem::path outFile;
    std::optional<std::string> kind;                // "taobao" or "ali"
    bool cleanTitle = false;
    bool sourceLink = false;
    bool swapPictures = false;
    bool brandOther = false;
    std::optional<std::string> priceOperator;       // 加 减 乘 除
    std::optional<std::string> priceOperand;
    bool round = false;
};

// Parses argv; on a usage error returns nothing and sets error.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error);

// The --help text: every command with one line each.
std::string helpText();

}  // namespace vq::cli
