#include "config/inifile.h"

#include "config/atomicfile.h"
#include "text/gbk.h"
#include "text/textops.h"

namespace vq::config {
namespace {

using text::equalsIgnoreCase;

std::string_view stripCr(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The section name of a "[name]" line, or false.
bool sectionOf(std::string_view line, std::string_view& name)
{
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trimmed(line.substr(1, close - 1));
    return true;
}

bool keyOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trimmed(line.substr(0, eq));
    value = trimmed(line.substr(eq + 1));
    return !key.empty() && key.front() != ';';
}

}  // namespace

IniFile IniFile::fromText(std::string_view text)
{
    IniFile file;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        file.m_lines.emplace_back(stripCr(text.substr(pos, end - pos)));
        pos = end + 1;
    }
    return file;
}

bool IniFile::load(const std::filesystem::path& path)
{
    std::string bytes;
    if (!readFile(path, bytes))
        return false;
    *this = fromText(text::gbkToUtf8(bytes));
    return true;
}

bool IniFile::save(const std::filesystem::path& path, std::string* error) const
{
    return writeFileAtomically(path, text::utf8ToGbk(text()), error);
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const std::string& line : m_lines) {
        std::string_view name;
        if (sectionOf(line, name)) {
            inSection = equalsIgnoreCase(name, section);
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (inSection && keyOf(line, k, v) && equalsIgnoreCase(k, key))
            return std::string(v);
    }
    return std::nullopt;
}

std::string IniFile::value(std::string_view section, std::string_view key) const
{
    return find(section, key).value_or(std::string());
}

bool IniFile::has(std::string_view section, std::string_view key) const
{
    return find(section, key).has_value();
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string newLine = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    std::size_t lastLineOfSection = 0;
    bool sectionFound = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (sectionOf(m_lines[i], name)) {
            inSection = equalsIgnoreCase(name, section);
            if (inSection) {
                sectionFound = true;
                lastLineOfSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        std::string_view k;
        std::string_view v;
        if (keyOf(m_lines[i], k, v) && equalsIgnoreCase(k, key)) {
            m_lines[i] = newLine;
            return;
        }
        if (!trimmed(m_lines[i]).empty())
            lastLineOfSection = i;
    }
    if (sectionFound) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastLineOfSection + 1), newLine);
        return;
    }
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(newLine);
}

std::string IniFile::text() const
{
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace vq::config
