// A GBK INI file (section lines and key=value lines, CR LF) read into UTF-8
// and written back whole. Section and key names match regardless of ASCII
// letter case, as the platform's INI functions do.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::config {

class IniFile {
public:
    // Parses UTF-8 INI text (CR LF or LF line ends).
    static IniFile fromText(std::string_view text);
    // Reads and decodes a GBK file; false when it cannot be read.
    bool load(const std::filesystem::path& path);
    // Encodes to GBK and replaces the file whole.
    bool save(const std::filesystem::path& path, std::string* error = nullptr) const;

    // The value of key in section; empty when either is missing.
    std::string value(std::string_view section, std::string_view key) const;
    bool has(std::string_view section, std::string_view key) const;
    // Replaces the key's line, or adds it at the end of its section (the
    // section is added at the end of the file when missing).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // The file as UTF-8 text, every line ended by CR LF.
    std::string text() const;

private:
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    std::vector<std::string> m_lines;
};

}  // namespace vq::config
