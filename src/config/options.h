// The user's settings (description pictures, mobile description, custom
// sales values, hyperlink rule, attribute mapping table, package kind) and
// the options file that keeps them.
#pragma once

#include <filesystem>
#include <string>

namespace vq::config {

enum class PackageKind { AliAssistant = 4, TaobaoAssistant = 5 };

// The description hyperlink rule; None only when the file held a value the
// settings tab cannot show.
enum class LinkRule { None = 0, Keep = 1, Remove = 2, Replace = 3 };

struct Options {
    bool download = false;                      // download description pictures
    bool zdsj = false;                          // build the mobile description
    bool zdyz = false;                          // custom sales values to unused standard values
    LinkRule qcl = LinkRule::Remove;            // hyperlink rule
    std::string qcllr;                          // replacement link of rule 3
    std::string pp;                             // mapping table, lines joined by CR LF
    PackageKind type = PackageKind::TaobaoAssistant;

    bool operator==(const Options&) const = default;
};

// The options file of a program folder: <folder>/options/options.ini.
std::filesystem::path optionsFilePath(const std::filesystem::path& programFolder);

// The default options file: 783 bytes of GBK, CR LF line ends.
std::string defaultOptionsFileBytes();

// Creates the "options" folder and the default file when no file is there.
// Returns false only when a missing file could not be created.
bool ensureOptionsFile(const std::filesystem::path& programFolder);

// Reads the options; a missing or unreadable file gives the failure
// defaults (everything off, links removed, empty texts, Taobao packages).
Options loadOptions(const std::filesystem::path& optionsFile);

}  // namespace vq::config
