#include "text/gbk.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <vector>

#include <iconv.h>

namespace vq::text {
namespace {

// One iconv conversion; every call opens its own descriptor because iconv
// descriptors carry shift state and must not be shared between threads.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input. At a sequence iconv cannot take, onInvalid(out, rest)
    // appends a replacement and says how many input bytes to skip.
    template <typename OnInvalid>
    std::string run(std::string_view input, OnInvalid onInvalid)
    {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 16);
        std::vector<char> buffer(16384);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer.data(), buffer.size() - outLeft);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ (invalid sequence) or EINVAL (truncated at the end):
            // replace one byte and go on with the next.
            const std::size_t skip = std::min<std::size_t>(
                inLeft, std::max<std::size_t>(1, onInvalid(out, std::string_view(in, inLeft))));
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

std::string convert(const char* to, const char* from, std::string_view input, std::string_view replacement)
{
    Converter converter(to, from);
    return converter.run(input, [replacement](std::string& out, std::string_view) {
        out.append(replacement);
        return std::size_t{1};
    });
}

// Length of the well-formed UTF-8 sequence at the start of text, or 1 when
// it is not well formed.
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    if (length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
constexpr std::string_view kUtf16Replacement{"\xFD\xFF", 2};

}  // namespace

std::string gbkToUtf8(std::string_view gbk)
{
    return convert("UTF-8", "CP936", gbk, kUtf8Replacement);
}

std::string utf8ToGbk(std::string_view utf8)
{
    // iconv stops at the lead byte of a character that GBK lacks; the whole
    // UTF-8 sequence is skipped and stands as one "?".
    Converter converter("CP936", "UTF-8");
    return converter.run(utf8, [](std::string& out, std::string_view rest) {
        out.push_back('?');
        return utf8SequenceLength(rest);
    });
}

std::string gbkToUtf16le(std::string_view gbk)
{
    return convert("UTF-16LE", "CP936", gbk, kUtf16Replacement);
}

std::string utf8ToUtf16le(std::string_view utf8)
{
    return convert("UTF-16LE", "UTF-8", utf8, kUtf16Replacement);
}

std::string utf16leToUtf8(std::string_view utf16le)
{
    if (utf16le.size() % 2)
        utf16le.remove_suffix(1);
    return convert("UTF-8", "UTF-16LE", utf16le, kUtf8Replacement);
}

std::size_t gbkLength(std::string_view utf8)
{
    return utf8ToGbk(utf8).size();
}

}  // namespace vq::text
