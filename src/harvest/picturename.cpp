#include "harvest/picturename.h"

#include <chrono>
#include <mutex>
#include <thread>

#include "harvest/picturetype.h"
#include "text/digest.h"
#include "text/timestamps.h"

namespace vq::harvest {
namespace {

constexpr std::string_view kFolderNameRemoved = "/\\.% :*?\"><|";

std::string cleanFolderName(std::string_view name)
{
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || kFolderNameRemoved.find(c) != std::string_view::npos)
            continue;
        out.push_back(c);
    }
    if (out.size() > kDescFolderNameMaxBytes) {
        std::size_t cut = kDescFolderNameMaxBytes;
        // Back off over UTF-8 continuation bytes so no character is split.
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

}  // namespace

std::string pictureNameAt(std::int64_t millisecondsStamp, std::string_view title, std::string_view offerId)
{
    std::string source = std::to_string(millisecondsStamp);
    source += title;
    source += offerId;
    return text::Md5Text(source);
}

std::int64_t nextPictureStamp()
{
    static std::mutex mutex;
    static std::int64_t last = 0;
    std::lock_guard lock(mutex);
    std::int64_t stamp = text::MillisecondsStamp();
    // Within the same millisecond (or just behind it) wait for the clock to
    // move on; after a large step back of the clock, count on from the last
    // stamp instead of waiting for the clock to catch up.
    while (stamp <= last && last - stamp < 1000) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        stamp = text::MillisecondsStamp();
    }
    if (stamp <= last)
        stamp = last + 1;
    last = stamp;
    return stamp;
}

std::string pictureName(std::string_view title, std::string_view offerId)
{
    return pictureNameAt(nextPictureStamp(), title, offerId);
}

std::string descPictureName(std::string_view address, std::string_view bytes)
{
    return text::Md5ShortText(address) + "." + detectPictureType(bytes);
}

std::string descPictureFolderName(std::string_view title, std::string_view offerId)
{
    std::string name = cleanFolderName(title);
    if (name.empty())
        name = cleanFolderName(offerId);
    if (name.empty())
        name = "description";
    return name;
}

std::string fileAddress(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::string text = absolute.generic_string();
    while (!text.empty() && text.front() == '/')
        text.erase(0, 1);
    return "file:///" + text;
}

}  // namespace vq::harvest
