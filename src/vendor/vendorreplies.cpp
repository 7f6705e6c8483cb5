#include "vendor/vendorreplies.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <memory>

#include <openssl/evp.h>

#include "text/digest.h"
#include "text/gbk.h"
#include "text/regex.h"
#include "text/textbetween.h"
#include "text/textops.h"

namespace vq::vendor {
namespace {

constexpr std::size_t kBrandWordCharacters = 100000;

std::string dayText(const std::tm& day)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", day.tm_year + 1900, day.tm_mon + 1, day.tm_mday);
    return buffer;
}

// The day's key and initial vector: MD5 digests of fixed words and the date.
std::array<unsigned char, 16> digestBytes(const std::string& text)
{
    const std::string hex = text::Md5OfBytes(text);
    std::array<unsigned char, 16> bytes{};
    for (std::size_t i = 0; i < 16; ++i)
        bytes[i] = static_cast<unsigned char>(std::stoi(hex.substr(i * 2, 2), nullptr, 16));
    return bytes;
}

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

std::optional<std::string> aes(std::string_view input, const std::tm& day, bool encrypt)
{
    const auto key = digestBytes("vdql-key-" + dayText(day));
    const auto iv = digestBytes("vdql-iv-" + dayText(day));
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context(EVP_CIPHER_CTX_new());
    if (!context || EVP_CipherInit_ex(context.get(), EVP_aes_128_cbc(), nullptr, key.data(), iv.data(), encrypt ? 1 : 0) != 1)
        return std::nullopt;
    std::string out(input.size() + 32, '\0');
    int length = 0;
    int finalLength = 0;
    if (EVP_CipherUpdate(context.get(), reinterpret_cast<unsigned char*>(out.data()), &length,
                         reinterpret_cast<const unsigned char*>(input.data()), static_cast<int>(input.size())) != 1 ||
        EVP_CipherFinal_ex(context.get(), reinterpret_cast<unsigned char*>(out.data()) + length, &finalLength) != 1)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(length + finalLength));
    return out;
}

}  // namespace

std::vector<std::string> parseBrandWordReply(std::string_view replyText)
{
    const std::wstring wide = text::utf8ToWide(replyText);
    if (wide.size() <= 1)
        return {};
    const std::wstring words = wide.substr(1, kBrandWordCharacters);
    return text::split(text::wideToUtf8(words), ",");
}

std::string encipherArchiveName(std::string_view archiveName, const std::tm& day)
{
    const auto enciphered = aes(text::utf8ToGbk(archiveName), day, true);
    return enciphered ? text::HexText(*enciphered) : std::string();
}

std::optional<std::string> decipherArchiveName(std::string_view hexText, const std::tm& day)
{
    if (hexText.size() % 2)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hexText.size(); i += 2) {
        const std::string pair(hexText.substr(i, 2));
        if (!std::all_of(pair.begin(), pair.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            return std::nullopt;
        bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
    }
    const auto plain = aes(bytes, day, false);
    if (!plain)
        return std::nullopt;
    return text::gbkToUtf8(*plain);
}

long versionNumberOf(std::string_view versionText)
{
    const std::string digits = text::replaceAll(text::TextAfterLast(versionText, "V"), ".", "");
    if (!text::isAllDigits(digits) || digits.size() > 9)
        return 0;
    return std::stol(digits);
}

}  // namespace vq::vendor
