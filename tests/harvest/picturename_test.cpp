#include "harvest/picturename.h"

#include <set>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "harvest/picturetype.h"
#include "text/digest.h"
#include "text/gbk.h"

namespace vq::harvest {
namespace {

bool isLowerHex(const std::string& text)
{
    return text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

TEST(PictureName, IsTheMd5OfTheGbkBytesOfStampTitleAndOfferId)
{
    const std::string title = "纯棉T恤";
    const std::string name = pictureNameAt(1700000000123, title, "2002000001");
    EXPECT_EQ(name, text::Md5OfBytes("1700000000123" + text::utf8ToGbk(title) + "2002000001"));
    EXPECT_EQ(name.size(), 32U);
    EXPECT_TRUE(isLowerHex(name));
}

TEST(PictureName, FreshNamesOfOneProductNeverRepeat)
{
    std::set<std::string> names;
    for (int i = 0; i < 200; ++i) {
        const std::string name = pictureName("同一个标题", "2002000001");
        EXPECT_EQ(name.size(), 32U);
        EXPECT_TRUE(isLowerHex(name));
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 200U);
}

TEST(PictureName, StampsStayUniqueAcrossWorkers)
{
    // Five workers copying the same product (a listed row twice) must not
    // write over each other's pictures either.
    std::vector<std::vector<std::int64_t>> stamps(5);
    std::vector<std::thread> workers;
    for (auto& own : stamps)
        workers.emplace_back([&own] {
            for (int i = 0; i < 40; ++i)
                own.push_back(nextPictureStamp());
        });
    for (auto& worker : workers)
        worker.join();
    std::set<std::int64_t> all;
    for (const auto& own : stamps)
        all.insert(own.begin(), own.end());
    EXPECT_EQ(all.size(), 200U);
}

struct DescNameCase {
    const char* name;
    std::string bytes;
    std::string type;
    std::size_t length;

    friend void PrintTo(const DescNameCase& c, std::ostream* os) { *os << c.name; }
};

class DescPictureName : public ::testing::TestWithParam<DescNameCase> {};

TEST_P(DescPictureName, IsTheShortDigestOfTheAddressAndTheType)
{
    const std::string address = "http://127.0.0.1/pic/a.jpg?x=1&amp;y=2";
    const std::string name = descPictureName(address, GetParam().bytes);
    EXPECT_EQ(name, text::Md5ShortText(address) + "." + GetParam().type);
    EXPECT_EQ(name.size(), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Types, DescPictureName,
    ::testing::Values(DescNameCase{"JpegGivesTwenty", std::string("\xFF\xD8\xFF\xE0", 4), "jpg", 20},
                      DescNameCase{"TiffGivesTwentyOne", std::string("II\x2A\x00", 4), "tiff", 21},
                      DescNameCase{"UnknownGivesTheHexFallback", std::string("ABCDEFGHIJKL"), "4142434445.JPG", 31}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct FolderCase {
    const char* name;
    std::string title;
    std::string offerId;
    std::string folder;

    friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }
};

class DescPictureFolderName : public ::testing::TestWithParam<FolderCase> {};

TEST_P(DescPictureFolderName, KeepsOnlyWhatFileNamesHold)
{
    EXPECT_EQ(descPictureFolderName(GetParam().title, GetParam().offerId), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, DescPictureFolderName,
    ::testing::Values(FolderCase{"Plain", "夏季新款连衣裙", "2002000001", "夏季新款连衣裙"},
                      FolderCase{"RemovedCharacters", "a/b\\c.d%e f:g\th*i?j\"k>l<m|n", "1", "abcdefghijklmn"},
                      FolderCase{"ControlCharacters", "a\rb\nc\x01" "d", "1", "abcd"},
                      FolderCase{"OnlyRemovedCharactersFallsBackToOfferId", "../ ..", "2002000001", "2002000001"},
                      FolderCase{"NothingLeftAtAll", "...", "", "description"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(DescPictureFolderName, LongTitleIsCutOnACharacterBoundary)
{
    std::string title;
    for (int i = 0; i < 120; ++i)
        title += "长";  // three bytes each: 360 bytes, more than any file system takes
    const std::string folder = descPictureFolderName(title, "2002000001");
    EXPECT_LE(folder.size(), kDescFolderNameMaxBytes);
    EXPECT_EQ(folder.size() % 3, 0U);  // no character split
    EXPECT_EQ(folder.size(), 120U);
    EXPECT_EQ(title.substr(0, folder.size()), folder);
}

TEST(DescPictureFolderName, CutNeverSplitsAMixedWidthCharacter)
{
    const std::string title = std::string(kDescFolderNameMaxBytes - 1, 'a') + "长尾";
    const std::string folder = descPictureFolderName(title, "1");
    EXPECT_EQ(folder, std::string(kDescFolderNameMaxBytes - 1, 'a'));
}

TEST(FileAddress, IsFileSchemeWithTheAbsolutePath)
{
    EXPECT_EQ(fileAddress("/tmp/pictures/标题/abc.jpg"), "file:///tmp/pictures/标题/abc.jpg");
    const std::string relative = fileAddress("pictures/a.jpg");
    EXPECT_EQ(relative, "file:///" + std::filesystem::absolute("pictures/a.jpg").generic_string().substr(1));
}

}  // namespace
}  // namespace vq::harvest
