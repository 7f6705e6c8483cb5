#include <gtest/gtest.h>

#include "vendor/vendorreplies.h"

using namespace vq::vendor;

TEST(BrandWordReply, FirstCharacterDroppedRestSplitAtCommas)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(parseBrandWordReply("xa,b,c"), (V{"a", "b", "c"}));
    EXPECT_EQ(parseBrandWordReply(""), V{});
    EXPECT_EQ(parseBrandWordReply("x"), V{});
    // The first character may be a multi-byte one; blanks and empty items stay.
    EXPECT_EQ(parseBrandWordReply("品耐克,, 阿迪,"), (V{"耐克", "", " 阿迪"}));
}

TEST(BrandWordReply, AtMost100000CharactersAreRead)
{
    std::string reply = "#";
    reply += std::string(99998, 'a') + ",中文";  // the cut falls inside the last word
    const auto words = parseBrandWordReply(reply);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1], "中");
}

TEST(ArchiveName, EnciphersToUpperHexAndBackForTheSameDayOnly)
{
    std::tm day{};
    day.tm_year = 2026 - 1900;
    day.tm_mon = 11;
    day.tm_mday = 11;
    const std::string un = encipherArchiveName("50012345.txt.zip", day);
    ASSERT_FALSE(un.empty());
    EXPECT_EQ(un.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(decipherArchiveName(un, day), std::optional<std::string>("50012345.txt.zip"));
    std::tm nextDay = day;
    nextDay.tm_mday = 12;
    EXPECT_NE(decipherArchiveName(un, nextDay), std::optional<std::string>("50012345.txt.zip"));
    EXPECT_EQ(decipherArchiveName("XYZ", day), std::nullopt);
}

TEST(VersionNumber, DigitsAfterTheLastVWithoutPoints)
{
    EXPECT_EQ(versionNumberOf("版本号：V2.22"), 222);
    EXPECT_EQ(versionNumberOf("V1.V3.1"), 31);
    EXPECT_EQ(versionNumberOf("no version"), 0);
}
