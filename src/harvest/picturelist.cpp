#include "harvest/picturelist.h"

#include "text/regex.h"
#include "text/textops.h"

namespace vq::harvest {
namespace {

std::vector<std::string> groupOne(std::string_view pattern, std::string_view subject, std::size_t limit)
{
    const text::RegexMatches matches = text::Regex::vbscript(pattern).matchAll(subject);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < matches.count() && i < limit; ++i)
        out.push_back(matches.group(i, 1));
    return out;
}

}  // namespace

std::vector<SkuPictureLink> findSkuPictures(std::string_view pageText)
{
    const text::RegexMatches matches =
        text::Regex::vbscript("{\"imageUrl\":\"(.*?)\",\"name\":\"(.*?)\"}").matchAll(pageText);
    std::vector<SkuPictureLink> out;
    for (std::size_t i = 0; i < matches.count(); ++i)
        out.push_back({matches.group(i, 1), matches.group(i, 2)});
    return out;
}

std::vector<std::string> findMainPictures(std::string_view pageText)
{
    return groupOne("original\":\"(.*?)\"}'>", pageText, kMainPictureLimit);
}

std::vector<std::string> findDescriptionImgPictures(std::string_view description)
{
    return groupOne("<IMG .[^>]*?\"(http.*?)\".*?>", description, std::string::npos);
}

std::vector<std::string> findDescriptionBackgroundPictures(std::string_view description)
{
    return groupOne("background=\"\"(http.*?)\"\"", description, std::string::npos);
}

std::string skuPictureEntry(std::string_view pictureName, std::string_view valueName)
{
    std::string entry(pictureName);
    entry += ":2:0:";
    entry += valueName;
    entry += "|;";
    return entry;
}

std::string mainPictureEntry(std::string_view pictureName, std::size_t position)
{
    return std::string(pictureName) + ":1:" + std::to_string(position) + ":|;";
}

std::string swapFirstThirdPicture(std::string_view picture)
{
    if (!text::contains(picture, ":1:2"))
        return std::string(picture);
    std::string out = text::replaceAll(picture, ":1:2", "###");
    out = text::replaceAll(out, ":1:0", ":1:2");
    return text::replaceAll(out, "###", ":1:0");
}

}  // namespace vq::harvest
