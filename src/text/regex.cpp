#include "text/regex.h"

#include <stdexcept>

#include <boost/regex.hpp>

namespace vq::text {

// The C-library traits: the same classes and case folding the program
// needs, and about half the matching cost of the std::locale-based ones.
using WideTraits = boost::c_regex_traits<wchar_t>;
using WideRegex = boost::basic_regex<wchar_t, WideTraits>;
using WideIterator = boost::regex_iterator<std::wstring::const_iterator, wchar_t, WideTraits>;

struct Regex::Impl {
    WideRegex expression;
};

namespace {

const std::string kEmpty;

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Length of a repetition count "{n}", "{n,}" or "{n,m}" starting at pos,
// or 0 when the brace there forms none.
std::size_t countLength(std::wstring_view pattern, std::size_t pos)
{
    std::size_t i = pos + 1;
    const std::size_t digitsStart = i;
    while (i < pattern.size() && isDigit(pattern[i]))
        ++i;
    if (i == digitsStart)
        return 0;
    if (i < pattern.size() && pattern[i] == L',') {
        ++i;
        while (i < pattern.size() && isDigit(pattern[i]))
            ++i;
    }
    if (i < pattern.size() && pattern[i] == L'}')
        return i - pos + 1;
    return 0;
}

// Rewrites a pattern so that Boost's Perl engine follows the wanted rules:
// "." outside classes matches anything but LF (unless dotAll), and, for the
// VBScript dialect, braces that form no repetition count become literals.
std::wstring adaptPattern(std::wstring_view pattern, bool dotAll, bool literalStrayBraces)
{
    std::wstring out;
    out.reserve(pattern.size() + 16);
    bool inClass = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c == L'\\') {
            out.push_back(c);
            if (i + 1 < pattern.size())
                out.push_back(pattern[++i]);
            continue;
        }
        if (inClass) {
            if (c == L']')
                inClass = false;
            out.push_back(c);
            continue;
        }
        if (c == L'[') {
            inClass = true;
            out.push_back(c);
            // A "]" right after "[" or "[^" is a member, not the end.
            if (i + 1 < pattern.size() && pattern[i + 1] == L'^')
                out.push_back(pattern[++i]);
            if (i + 1 < pattern.size() && pattern[i + 1] == L']')
                out.push_back(pattern[++i]);
            continue;
        }
        if (c == L'.' && !dotAll) {
            out += L"[^\\n]";
            continue;
        }
        if (literalStrayBraces && c == L'{') {
            const std::size_t length = countLength(pattern, i);
            if (length) {
                out.append(pattern.substr(i, length));
                i += length - 1;
            } else {
                out += L"\\{";
            }
            continue;
        }
        if (literalStrayBraces && c == L'}') {
            out += L"\\}";
            continue;
        }
        out.push_back(c);
    }
    return out;
}

Regex::Options vbscriptOptions()
{
    return Regex::Options{true, false};
}

}  // namespace

std::wstring utf8ToWide(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            out.push_back(static_cast<wchar_t>(b0));
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            length = 2;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            length = 3;
            cp = b0 & 0x0F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            length = 4;
            cp = b0 & 0x07;
        }
        bool ok = length > 0 && i + length <= n;
        for (std::size_t k = 1; ok && k < length; ++k) {
            const auto b = static_cast<unsigned char>(utf8[i + k]);
            if ((b & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (b & 0x3F);
        }
        if (!ok) {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += length;
    }
    return out;
}

namespace {

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::size_t utf8Length(std::wstring_view wide)
{
    std::size_t length = 0;
    for (const wchar_t c : wide) {
        const auto cp = static_cast<char32_t>(c);
        length += cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    }
    return length;
}

}  // namespace

std::string wideToUtf8(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (const wchar_t c : wide) {
        const auto cp = static_cast<char32_t>(c);
        appendUtf8(out, cp > 0x10FFFF ? 0xFFFD : cp);
    }
    return out;
}

const std::string& RegexMatches::group(std::size_t match, std::size_t group) const
{
    if (match >= m_matches.size() || group >= m_matches[match].groups.size())
        return kEmpty;
    return m_matches[match].groups[group];
}

Regex::Regex(std::unique_ptr<Impl> impl, std::string error) : m_impl(std::move(impl)), m_error(std::move(error)) {}
Regex::Regex(Regex&&) noexcept = default;
Regex& Regex::operator=(Regex&&) noexcept = default;
Regex::~Regex() = default;

Regex Regex::perl(std::string_view pattern, Options options)
{
    return make(pattern, options, false);
}

Regex Regex::vbscript(std::string_view pattern)
{
    return make(pattern, vbscriptOptions(), true);
}

bool Regex::valid() const
{
    return m_impl != nullptr;
}

RegexMatches Regex::matchAll(std::string_view subject) const
{
    return collect(subject, false);
}

RegexMatches Regex::matchFirst(std::string_view subject) const
{
    return collect(subject, true);
}

bool Regex::search(std::string_view subject) const
{
    return !matchFirst(subject).empty();
}

RegexMatches Regex::collect(std::string_view subject, bool firstOnly) const
{
    RegexMatches result;
    if (!m_impl) {
        result.m_status = RegexStatus::BadPattern;
        return result;
    }
    const std::wstring wide = utf8ToWide(subject);
    try {
        std::size_t bytePos = 0;
        auto consumed = wide.cbegin();
        for (WideIterator it(wide.cbegin(), wide.cend(), m_impl->expression), end; it != end; ++it) {
            const auto& m = *it;
            bytePos += utf8Length(std::wstring_view(&*consumed, static_cast<std::size_t>(m[0].first - consumed)));
            consumed = m[0].first;
            RegexMatch match;
            match.position = bytePos;
            match.groups.reserve(m.size());
            for (std::size_t g = 0; g < m.size(); ++g)
                match.groups.push_back(m[g].matched ? wideToUtf8(m[g].str()) : std::string());
            result.m_matches.push_back(std::move(match));
            if (firstOnly)
                break;
        }
    } catch (const std::runtime_error&) {
        // Boost reports an exhausted complexity or stack bound this way.
        result.m_matches.clear();
        result.m_status = RegexStatus::TooComplex;
    }
    return result;
}

std::string Regex::replaceAll(std::string_view subject, std::string_view format, ReplaceFormat syntax,
                              RegexStatus* status) const
{
    if (status)
        *status = RegexStatus::Ok;
    if (!m_impl) {
        if (status)
            *status = RegexStatus::BadPattern;
        return std::string(subject);
    }
    const std::wstring wide = utf8ToWide(subject);
    const std::wstring wideFormat = utf8ToWide(format);
    boost::regex_constants::match_flag_type flags = boost::regex_constants::format_perl;
    if (syntax == ReplaceFormat::PerlExtended)
        flags = boost::regex_constants::format_all;
    else if (syntax == ReplaceFormat::Literal)
        flags = boost::regex_constants::format_literal;
    try {
        return wideToUtf8(boost::regex_replace(wide, m_impl->expression, wideFormat, flags));
    } catch (const std::runtime_error&) {
        if (status)
            *status = RegexStatus::TooComplex;
        return std::string(subject);
    }
}

Regex Regex::make(std::string_view pattern, Options options, bool literalStrayBraces)
{
    const std::wstring adapted = adaptPattern(utf8ToWide(pattern), options.dotMatchesNewline, literalStrayBraces);
    boost::regex_constants::syntax_option_type flags = boost::regex_constants::perl;
    if (options.ignoreCase)
        flags |= boost::regex_constants::icase;
    // "." has been rewritten where it must not match LF; what remains of it
    // (dotAll) must match every character.
    flags |= boost::regex_constants::mod_s;
    try {
        auto impl = std::make_unique<Impl>();
        impl->expression.assign(adapted, flags);
        return Regex(std::move(impl), {});
    } catch (const std::runtime_error& error) {
        return Regex(nullptr, error.what());
    }
}

}  // namespace vq::text
