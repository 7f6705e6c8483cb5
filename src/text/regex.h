// The one regular-expression wrapper of the program, over Boost.Regex.
//
// It matches characters, not bytes: the UTF-8 subject is matched as Unicode
// code points, so a match never starts inside a multi-byte character and "."
// consumes one whole character. Two dialects exist:
//  - Perl: Perl syntax; letter case and whether "." matches line breaks are
//    the caller's choice; replacement formats are Perl ("$1") or the
//    extended Perl format where "(", ")", "?" and ":" keep their meaning.
//  - VBScript: the rules of the scripting regular-expression object the
//    marketplace patterns were written for: letter case ignored, every match
//    collected, "." not matching a line feed (it does match CR), a "{" or "}"
//    that forms no repetition count standing for itself, and a missing match
//    or group reading as the empty text.
// A pattern that does not compile, or a match that exceeds the engine's
// complexity bound, is reported through status() and reads as no match;
// it never throws, crashes or hangs.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vq::text {

enum class RegexStatus { Ok, BadPattern, TooComplex };

enum class ReplaceFormat {
    Perl,          // "$1", "$&", "\\n" escapes
    PerlExtended,  // Perl plus "(?1...:...)" conditionals and grouping
    Literal        // the replacement is inserted as it stands
};

struct RegexMatch {
    std::size_t position = 0;         // byte offset of the match in the subject
    std::vector<std::string> groups;  // group 0 is the whole match; unmatched groups are empty
};

// The matches of one search; group(i, n) is empty when match i or its group
// n does not exist.
class RegexMatches {
public:
    std::size_t count() const { return m_matches.size(); }
    bool empty() const { return m_matches.empty(); }
    const std::string& group(std::size_t match, std::size_t group) const;
    const std::vector<RegexMatch>& all() const { return m_matches; }
    RegexStatus status() const { return m_status; }

private:
    friend class Regex;
    std::vector<RegexMatch> m_matches;
    RegexStatus m_status = RegexStatus::Ok;
};

class Regex {
public:
    struct Options {
        bool ignoreCase = false;
        bool dotMatchesNewline = false;
    };

    static Regex perl(std::string_view pattern, Options options);
    static Regex perl(std::string_view pattern) { return perl(pattern, Options{}); }
    static Regex vbscript(std::string_view pattern);

    Regex(Regex&&) noexcept;
    Regex& operator=(Regex&&) noexcept;
    ~Regex();

    bool valid() const;
    const std::string& errorText() const { return m_error; }

    // Every non-overlapping match, in order of position.
    RegexMatches matchAll(std::string_view subject) const;
    // The first match only (an empty result when there is none).
    RegexMatches matchFirst(std::string_view subject) const;
    bool search(std::string_view subject) const;
    // Replaces every match. On an error the subject comes back unchanged and
    // status (when given) says why.
    std::string replaceAll(std::string_view subject, std::string_view format,
                           ReplaceFormat syntax = ReplaceFormat::Perl, RegexStatus* status = nullptr) const;

private:
    struct Impl;
    explicit Regex(std::unique_ptr<Impl> impl, std::string error);
    static Regex make(std::string_view pattern, Options options, bool literalStrayBraces);
    RegexMatches collect(std::string_view subject, bool firstOnly) const;

    std::unique_ptr<Impl> m_impl;
    std::string m_error;
};

// Conversions between UTF-8 and code points, shared with callers that keep a
// converted subject for many searches.
std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);

}  // namespace vq::text
