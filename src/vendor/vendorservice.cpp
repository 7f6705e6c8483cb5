#include "vendor/vendorservice.h"

#include "vendor/vendorreplies.h"

#include <array>
#include <system_error>

#include <unzip.h>

#include "config/atomicfile.h"
#include "text/pagetext.h"
#include "text/textops.h"
#include "web/webclient.h"

namespace vq::vendor {
namespace {

// Archives hold one category's property text; anything bigger than this is
// not one of them and is not unpacked.
constexpr unsigned long kMaxExtractedBytes = 64UL * 1024 * 1024;

std::tm today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// Extracts the member named `member` of a ZIP file into target.
bool extractMember(const std::filesystem::path& zip, const std::string& member, const std::filesystem::path& target)
{
    unzFile archive = unzOpen64(zip.c_str());
    if (!archive)
        return false;
    bool ok = false;
    if (unzLocateFile(archive, member.c_str(), 0) == UNZ_OK && unzOpenCurrentFile(archive) == UNZ_OK) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK &&
            info.uncompressed_size <= kMaxExtractedBytes) {
            std::string bytes;
            std::array<char, 16384> buffer{};
            int read = 0;
            while ((read = unzReadCurrentFile(archive, buffer.data(), buffer.size())) > 0) {
                bytes.append(buffer.data(), static_cast<std::size_t>(read));
                if (bytes.size() > kMaxExtractedBytes)
                    break;
            }
            ok = read == 0 && bytes.size() <= kMaxExtractedBytes && config::writeFileAtomically(target, bytes);
        }
        unzCloseCurrentFile(archive);
    }
    unzClose(archive);
    return ok;
}

}  // namespace

VendorService::VendorService(web::WebClient& web, std::string baseAddress) : m_web(web), m_base(std::move(baseAddress)) {}

std::vector<std::string> VendorService::brandWordList() const
{
    const std::string body = m_web.fetchWithTimeout(m_base + "/move/pinpaici.php", 90);
    return parseBrandWordReply(text::PageText(body));
}

std::string VendorService::categoryArchiveUrl(const std::string& categoryId, const std::tm& day) const
{
    return m_base + "/vdql_api/down.php?un=" + encipherArchiveName(categoryId + ".txt.zip", day);
}

std::optional<std::filesystem::path> VendorService::downloadCategoryArchive(
    const std::string& categoryId, const std::filesystem::path& optionsFolder) const
{
    // The ID becomes a file name: only digits may pass.
    if (!text::isAllDigits(categoryId))
        return std::nullopt;
    const std::string body = m_web.fetchWithTimeout(categoryArchiveUrl(categoryId, today()), 90);
    if (body.empty())
        return std::nullopt;
    const std::filesystem::path zip = optionsFolder / (categoryId + ".zip");
    const std::filesystem::path text = optionsFolder / (categoryId + ".txt");
    if (!config::writeFileAtomically(zip, body))
        return std::nullopt;
    const bool extracted = extractMember(zip, categoryId + ".txt", text);
    std::error_code ec;
    std::filesystem::remove(zip, ec);
    if (!extracted)
        return std::nullopt;
    return text;
}

void VendorService::sendCategoryNotice(const std::string& offerId, const std::string& categoryId) const
{
    m_web.fetchWithTimeout(m_base + "/vdql_api/mem.php?id=" + offerId + "&cid=" + categoryId, 90);
}

std::optional<long> VendorService::newestVersion() const
{
    const std::string reply = text::trim(text::PageText(m_web.fetchWithTimeout(m_base + "/vdql_api/version.php", 90)));
    if (!text::isAllDigits(reply) || reply.size() > 9)
        return std::nullopt;
    return std::stol(reply);
}

}  // namespace vq::vendor
