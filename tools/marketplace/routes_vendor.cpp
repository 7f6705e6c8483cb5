// The maker's web service as the stand-in serves it: the brand-word list,
// category-property archives (a ZIP built on the fly around
// fixtures/vendor/<category>.txt), the category notice and the newest
// version number. Tests change the answers through SharedState values:
// "vendor.brandwords" (the whole reply, UTF-8, used once
// "vendor.brandwords.set" is "1", so an empty reply can be asked for) and
// "vendor.version".
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <filesystem>

#include <zip.h>

#include "routes.h"
#include "sharedstate.h"
#include "text/gbk.h"
#include "text/textops.h"
#include "vendor/vendorreplies.h"

namespace {

const char* const kDefaultBrandWords = "#耐克,阿迪达斯,特价,包邮,新款";

// A ZIP archive holding one member, built in a temporary file with minizip.
std::string zipOf(const std::string& memberName, const std::string& bytes)
{
    char path[] = "/tmp/vq-vendor-zip-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    close(fd);
    std::string archive;
    if (zipFile zip = zipOpen(path, APPEND_STATUS_CREATE)) {
        zip_fileinfo info{};
        if (zipOpenNewFileInZip(zip, memberName.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION) == ZIP_OK) {
            zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
            zipCloseFileInZip(zip);
        }
        zipClose(zip, nullptr);
        if (std::FILE* file = std::fopen(path, "rb")) {
            char buffer[16384];
            std::size_t read = 0;
            while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0)
                archive.append(buffer, read);
            std::fclose(file);
        }
    }
    std::remove(path);
    return archive;
}

std::tm localToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm day{};
    localtime_r(&now, &day);
    return day;
}

}  // namespace

VQ_MARKETPLACE_ROUTES(vendor)
{
    vq::market::SharedState& state = routes.state();
    const std::filesystem::path root = routes.fixtureRoot();

    routes.get(R"(/move/pinpaici\.php)", [&state](const vq::market::Request&, vq::market::Response& response) {
        state.hit("vendor.brandwords");
        const std::string reply = state.value("vendor.brandwords.set") == "1" ? state.value("vendor.brandwords")
                                                                                : std::string(kDefaultBrandWords);
        response.set_content(vq::text::utf8ToGbk(reply), "text/plain; charset=GBK");
    });

    routes.get(R"(/vdql_api/down\.php)", [root](const vq::market::Request& request, vq::market::Response& response) {
        const auto name = vq::vendor::decipherArchiveName(request.get_param_value("un"), localToday());
        const std::string suffix = ".txt.zip";
        if (!name || !vq::text::endsWith(*name, suffix)) {
            response.status = 404;
            return;
        }
        const std::string categoryId = name->substr(0, name->size() - suffix.size());
        if (!vq::text::isAllDigits(categoryId)) {
            response.status = 404;
            return;
        }
        const std::filesystem::path file = root / "vendor" / (categoryId + ".txt");
        std::string bytes;
        if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
            char buffer[16384];
            std::size_t read = 0;
            while ((read = std::fread(buffer, 1, sizeof buffer, in)) > 0)
                bytes.append(buffer, read);
            std::fclose(in);
        } else {
            response.status = 404;
            return;
        }
        response.set_content(zipOf(categoryId + ".txt", bytes), "application/zip");
    });

    routes.get(R"(/vdql_api/mem\.php)", [&state](const vq::market::Request& request, vq::market::Response& response) {
        state.hit("vendor.notice:" + request.get_param_value("id") + ":" + request.get_param_value("cid"));
        response.set_content("ok", "text/plain");
    });

    routes.get(R"(/vdql_api/version\.php)", [&state](const vq::market::Request&, vq::market::Response& response) {
        const std::string version = state.value("vendor.version").empty() ? std::string("222") : state.value("vendor.version");
        response.set_content(version, "text/plain");
    });
}
