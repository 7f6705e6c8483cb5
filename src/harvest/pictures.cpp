#include "harvest/pictures.h"

#include <filesystem>
#include <system_error>

#include "config/atomicfile.h"
#include "config/optionsstore.h"
#include "harvest/mobiledescription.h"
#include "harvest/picturelist.h"
#include "harvest/picturename.h"
#include "harvest/picturetype.h"
#include "harvest/stages.h"
#include "text/textops.h"
#include "web/webclient.h"

namespace vq::harvest {
namespace {

// A description-picture name longer than this carries a type other than a
// three-letter one, which is the signal to download once more.
constexpr std::size_t kPlainDescNameLength = 20;

std::string rowText(const StageContext& context)
{
    return std::to_string(context.rowIndex + 1) + "/" + std::to_string(context.total);
}

void log(const StageContext& context, const std::string& message)
{
    if (context.log)
        context.log(message);
}

std::filesystem::path absoluteFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return error ? folder : absolute;
}

// SKU and main pictures keep whatever arrived; only a body over the cap is
// dropped, leaving the empty file a failed download gives.
void writePicture(const std::filesystem::path& file, const std::string& bytes)
{
    const std::string_view kept = bytes.size() > kPictureByteCap ? std::string_view{} : std::string_view{bytes};
    // A picture that cannot be written is skipped; its entry stays.
    config::writeFileAtomically(file, kept);
}

struct DescPicture {
    std::string bytes;
    std::string name;
    std::size_t firstLength = 0;  // bytes of the first download, retry included
    bool failed = false;
};

enum class FirstTry { Fetch, ComObject };

// A description picture by the first try, the time-out retry for long
// names, and, when that failed, the second try with its own time-out retry.
DescPicture fetchDescPicture(const StageContext& context, const std::string& writtenAddress, FirstTry firstTry,
                             std::size_t index, std::size_t count)
{
    const std::string address = text::replaceAll(writtenAddress, "amp;", "");
    DescPicture picture;
    picture.bytes =
        firstTry == FirstTry::Fetch ? context.web.fetch(address) : context.web.fetchViaComObject(address);
    picture.name = descPictureName(writtenAddress, picture.bytes);
    if (picture.name.size() > kPlainDescNameLength) {
        picture.bytes = context.web.fetchWithTimeout(address);
        picture.name = descPictureName(writtenAddress, picture.bytes);
    }
    picture.firstLength = picture.bytes.size();
    if (!isFailedDownload(picture.bytes))
        return picture;

    log(context, " 线程：" + std::to_string(context.workerNumber) + "  第:" + rowText(context) +
                     " 个宝贝 描述图片 字节集为0 正在重新下载 " + std::to_string(index) + "/" +
                     std::to_string(count) + "\r\n");
    picture.bytes = context.web.fetchViaComObject(address);
    picture.name = descPictureName(writtenAddress, picture.bytes);
    if (picture.name.size() > kPlainDescNameLength) {
        picture.bytes = context.web.fetchWithTimeout(address);
        picture.name = descPictureName(writtenAddress, picture.bytes);
    }
    picture.failed = isFailedDownload(picture.bytes);
    return picture;
}

void ensureFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
}

}  // namespace

void downloadSkuPictures(StageContext& context)
{
    if (context.kind != config::PackageKind::TaobaoAssistant)
        return;
    ProductRecord& record = context.record;
    record.skuPictures.clear();
    ensureFolder(context.pictureFolder);
    const std::string worker = std::to_string(context.workerNumber);
    const std::vector<SkuPictureLink> links = findSkuPictures(record.pageText);
    const std::string count = std::to_string(links.size());
    for (std::size_t i = 0; i < links.size(); ++i) {
        log(context, " 线程：" + worker + "  正在下载 第：" + std::to_string(i + 1) + "/" + count +
                         "  张 销售属性图片数据... \r\n");
        const std::string name = pictureName(record.title, record.offerId);
        record.picture += skuPictureEntry(name, links[i].valueName);
        record.skuPictures.push_back({name, links[i].valueName});
        writePicture(context.pictureFolder / (name + ".tbi"), context.web.fetch(links[i].address));
    }
    log(context, " 线程：" + worker + "  下载完毕 第：" + rowText(context) + "  个宝贝   销售属性图片数据！\r\n");
}

void downloadMainPictures(StageContext& context)
{
    ProductRecord& record = context.record;
    log(context, "  开始下载 第：" + rowText(context) + "  个宝贝   宝贝主图数据！\r\n");
    const std::string extension = context.kind == config::PackageKind::TaobaoAssistant ? ".tbi" : ".ali";
    const std::vector<std::string> addresses = findMainPictures(record.pageText);
    ensureFolder(context.pictureFolder);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        log(context, "  正在下载 第：" + std::to_string(i + 1) + "  张 宝贝主图数据... \r\n");
        const std::string name = pictureName(record.title, record.offerId);
        record.picture += mainPictureEntry(name, i);
        writePicture(context.pictureFolder / (name + extension), context.web.fetch(addresses[i]));
    }
    log(context, "  下载完毕 第：" + rowText(context) + "  个宝贝   宝贝主图数据！\r\n");
    if (context.rewrite.swapFirstThirdPicture)
        record.picture = swapFirstThirdPicture(record.picture);
}

std::string downloadDescriptionPictures(StageContext& context, std::string description)
{
    ProductRecord& record = context.record;
    const std::string worker = std::to_string(context.workerNumber);
    const std::filesystem::path folder =
        absoluteFolder(context.pictureFolder) / descPictureFolderName(record.title, record.offerId);
    const config::Options options = context.options.get();
    const bool mobile = options.zdsj && context.kind == config::PackageKind::TaobaoAssistant;

    const std::vector<std::string> images = findDescriptionImgPictures(description);
    if (!images.empty())
        ensureFolder(folder);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::string& address = images[i];
        log(context, " 线程：" + worker + "  正在下载第:" + rowText(context) + " 个宝贝 描述图片 " +
                         std::to_string(i + 1) + "/" + std::to_string(images.size()) + "\r\n");
        const DescPicture picture = fetchDescPicture(context, address, FirstTry::Fetch, i + 1, images.size());
        record.descPictureBytes += picture.firstLength;
        if (picture.failed) {
            description = text::replaceAllIgnoreCase(description, address, "");
            continue;
        }
        const std::filesystem::path file = folder / picture.name;
        description = text::replaceAllIgnoreCase(description, address, fileAddress(file));
        if (config::writeFileAtomically(file, picture.bytes))
            addMobilePicture(record, mobile, picture.bytes.size(), record.descPictureBytes, file);
    }
    closeMobileDescription(record);

    const std::vector<std::string> backgrounds = findDescriptionBackgroundPictures(description);
    if (!backgrounds.empty())
        ensureFolder(folder);
    for (std::size_t i = 0; i < backgrounds.size(); ++i) {
        const std::string& address = backgrounds[i];
        const std::string position = std::to_string(i + 1) + "/" + std::to_string(backgrounds.size());
        log(context, " 线程：" + worker + "  正在下载第:" + rowText(context) + " 个宝贝 描述图片 " + position + "\r\n");
        const DescPicture picture =
            fetchDescPicture(context, address, FirstTry::ComObject, i + 1, backgrounds.size());
        if (picture.failed) {
            description = text::replaceAllIgnoreCase(description, address, "");
            log(context, " 线程：" + worker + "  第:" + rowText(context) +
                             " 个宝贝 描述图片 字节集为0 重新下载失败===已经删除图片 " + position + "\r\n");
            continue;
        }
        const std::filesystem::path file = folder / picture.name;
        description = text::replaceAllIgnoreCase(description, address, fileAddress(file));
        config::writeFileAtomically(file, picture.bytes);
    }
    return description;
}

}  // namespace vq::harvest
