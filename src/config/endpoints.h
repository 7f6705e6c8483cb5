// Every base address the program talks to, with the real services as
// defaults. Tests and the demo load a small INI file that points them at the
// stand-in marketplace on 127.0.0.1.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vq::config {

struct Endpoints {
    std::string detail = "https://detail.1688.com";         // product pages and verification
    std::string tmall_detail = "https://detail.tmall.com";  // the second detail host shop mode rejects
    std::string posting = "https://offer.1688.com";         // offer-posting form
    std::string spu = "https://spu.1688.com";               // standard-product level service
    std::string login = "https://login.taobao.com";         // login host
    std::string workbench = "https://work.1688.com/";       // where a login lands (full address)
    std::string category_search = "https://upload.taobao.com";  // item-upload category search
    std::string props_tool = "http://open.taobao.com";      // open-platform props tool (plain http)
    std::string mirror = "http://catedata.quorvel.com";     // further category-data mirror
    std::string vendor = "http://www.quorvel.com";          // the maker's web service (plain http)

    // The login page in its minimal style, landing on the work bench.
    std::string loginPageUrl() const;
    // Host name of a base address, lower case, without scheme and port.
    static std::string hostOf(std::string_view baseAddress);
};

// Parses an endpoints INI text (UTF-8, one section [endpoints]). A missing
// key keeps its default. Returns false and sets error (naming the line) on
// an unknown section or key or a malformed address.
bool parseEndpoints(std::string_view text, Endpoints& endpoints, std::string& error);
bool loadEndpoints(const std::filesystem::path& file, Endpoints& endpoints, std::string& error);

}  // namespace vq::config
