#include "text/digest.h"

#include <array>

#include <openssl/evp.h>

#include "text/gbk.h"

namespace vq::text {
namespace {

std::string hexDigits(const unsigned char* data, std::size_t size, const char* digits)
{
    std::string out;
    out.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 0x0F]);
    }
    return out;
}

}  // namespace

std::string Md5OfBytes(std::string_view bytes)
{
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_md5(), nullptr);
    return hexDigits(digest.data(), size, "0123456789abcdef");
}

std::string Md5Text(std::string_view utf8)
{
    return Md5OfBytes(utf8ToGbk(utf8));
}

std::string Md5ShortText(std::string_view utf8)
{
    return Md5Text(utf8).substr(8, 16);
}

std::string HexText(std::string_view bytes)
{
    return hexDigits(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), "0123456789ABCDEF");
}

}  // namespace vq::text
