#include "harvest/mobiledescription.h"

namespace vq::harvest {

bool takesMobilePicture(std::size_t length, std::uint64_t sum)
{
    return length > kMobilePictureMinBytes && sum < kMobileDescriptionMaxBytes;
}

void addMobilePicture(ProductRecord& record, bool enabled, std::size_t length, std::uint64_t sum,
                      const std::filesystem::path& localPath)
{
    if (!enabled || !takesMobilePicture(length, sum))
        return;
    record.wireless_desc += "<img>" + localPath.generic_string() + "</img>";
}

void closeMobileDescription(ProductRecord& record)
{
    if (!record.wireless_desc.empty())
        record.wireless_desc = "<wapDesc>" + record.wireless_desc + "</wapDesc>";
}

}  // namespace vq::harvest
