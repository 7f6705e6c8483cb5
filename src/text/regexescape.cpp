#include "text/regexescape.h"

#include "text/textops.h"

namespace vq::text {
namespace {

// The replacements run one after another over the whole text, so the
// backslash added for "(" is not escaped again by a later step.
std::string escapeWith(std::string_view text, std::string_view slashReplacement)
{
    std::string out = replaceAll(text, "(", "\\(");
    out = replaceAll(out, ")", "\\)");
    out = replaceAll(out, "/", slashReplacement);
    for (const char* c : {"+", "*", ".", "[", "]", "|"})
        out = replaceAll(out, c, std::string("\\") + c);
    return out;
}

}  // namespace

std::string RegexEscape(std::string_view text)
{
    return escapeWith(text, "\\/");
}

std::string RegexEscapeJson(std::string_view text)
{
    return escapeWith(text, "\\\\\\/");
}

}  // namespace vq::text
