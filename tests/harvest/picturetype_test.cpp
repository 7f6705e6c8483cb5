#include "harvest/picturetype.h"

#include <string>
#include <ostream>

#include <gtest/gtest.h>

namespace vq::harvest {
namespace {

std::string bytesOf(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

struct TypeCase {
    const char* name;
    std::string bytes;
    std::string type;

    friend void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }
};

class DetectPictureType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DetectPictureType, GivesTheTypeOfTheFirstTenBytes)
{
    EXPECT_EQ(detectPictureType(GetParam().bytes), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, DetectPictureType,
    ::testing::Values(
        TypeCase{"Jpeg", bytesOf({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0}), "jpg"},
        TypeCase{"Tga", bytesOf({0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0}), "tga"},
        TypeCase{"Gif89", std::string("GIF89a\x01\x00\x01\x00", 10), "gif"},
        TypeCase{"Gif87", std::string("GIF87a\x01\x00\x01\x00", 10), "gif"},
        TypeCase{"Png", bytesOf({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0}), "png"},
        TypeCase{"Bmp", std::string("BM\x36\x00\x00\x00", 6), "bmp"},
        TypeCase{"TiffMotorola", std::string("MM\x00\x2A\x00\x00\x00\x08", 8), "tiff"},
        TypeCase{"TiffIntel", std::string("II\x2A\x00\x08\x00\x00\x00", 8), "tiff"},
        // 00 00 01 00 01 00 20 20 reads "00001001002020" because 01 is "1".
        TypeCase{"Icon", bytesOf({0, 0, 1, 0, 1, 0, 0x20, 0x20, 0x10, 0}), "ico"},
        TypeCase{"Iff", std::string("FORM\x00\x00\x01\x00", 8), "iff"},
        TypeCase{"WebpIsRiff", std::string("RIFF\x24\x00\x00\x00WEBP", 12), "ani"},
        // 0A is written "A" and 01 "1": no zero padding except for the zero byte.
        TypeCase{"UnknownUsesUnpaddedHex", bytesOf({0x0A, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06}), "A123456.JPG"},
        TypeCase{"UnknownCutToTenCharacters", std::string("ABCDEFGHIJ"), "4142434445.JPG"},
        TypeCase{"EmptyData", std::string(), ".JPG"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct FailedCase {
    const char* name;
    std::string bytes;
    bool failed;

    friend void PrintTo(const FailedCase& c, std::ostream* os) { *os << c.name; }
};

class IsFailedDownload : public ::testing::TestWithParam<FailedCase> {};

TEST_P(IsFailedDownload, RecognisesFailedDownloads)
{
    EXPECT_EQ(isFailedDownload(GetParam().bytes), GetParam().failed);
}

std::string pngWith404AfterHeader()
{
    std::string png = bytesOf({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D});
    return png + "IHDR404";
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, IsFailedDownload,
    ::testing::Values(FailedCase{"Empty", std::string(), true},
                      FailedCase{"Placeholder", std::string(placeholderPicture()), true},
                      FailedCase{"PlaceholderWithExtraByte", std::string(placeholderPicture()) + "x", false},
                      FailedCase{"ErrorPage", std::string("<html>404 Not Found</html>"), true},
                      FailedCase{"404BeforeFirstZero", std::string("GIF89a404\0rest", 14), true},
                      FailedCase{"PngWith404AfterZeroByte", pngWith404AfterHeader(), false},
                      FailedCase{"Jpeg", bytesOf({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10}), false}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(IsFailedDownloadCap, ABodyOverTheCapFails)
{
    std::string body(kPictureByteCap, 'x');
    EXPECT_FALSE(isFailedDownload(body));
    body.push_back('x');
    EXPECT_TRUE(isFailedDownload(body));
}

TEST(PlaceholderPicture, IsTheFortyNineByteGif)
{
    const std::string_view placeholder = placeholderPicture();
    ASSERT_EQ(placeholder.size(), 49U);
    EXPECT_EQ(placeholder.substr(0, 6), "GIF89a");
    EXPECT_EQ(static_cast<unsigned char>(placeholder.back()), 0x3B);
    EXPECT_EQ(detectPictureType(placeholder), "gif");
}

}  // namespace
}  // namespace vq::harvest
