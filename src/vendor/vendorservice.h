// Client of the maker's web service: the brand-word list, the category
// property archives, the category notice and the newest version number. All
// calls are plain GET requests with the timed request (90 s), without
// cookies; a failed or empty reply is never an error, just an empty result.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq::web {
class WebClient;
}

namespace vq::vendor {

class VendorService {
public:
    // baseAddress: the service's plain-http base ("http://host[:port]").
    VendorService(web::WebClient& web, std::string baseAddress);

    // The brand and banned words; empty when the service does not answer.
    std::vector<std::string> brandWordList() const;

    // Downloads the category's property archive into optionsFolder as
    // <categoryId>.zip, extracts <categoryId>.txt beside it, deletes the
    // archive and returns the extracted text file's path; nothing when the
    // reply is empty or not an archive holding that file.
    std::optional<std::filesystem::path> downloadCategoryArchive(const std::string& categoryId,
                                                                 const std::filesystem::path& optionsFolder) const;

    // Tells the service that a category's data came from the fall-back
    // source. The reply is discarded.
    void sendCategoryNotice(const std::string& offerId, const std::string& categoryId) const;

    // The newest published version in the program's own form (222 for
    // V2.22); nothing when unavailable.
    std::optional<long> newestVersion() const;

    // The request address of a category archive for a given day.
    std::string categoryArchiveUrl(const std::string& categoryId, const std::tm& day) const;

private:
    web::WebClient& m_web;
    std::string m_base;
};

}  // namespace vq::vendor
