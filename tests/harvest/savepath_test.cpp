#include "harvest/savepath.h"

#include <gtest/gtest.h>

using namespace vq;
using namespace vq::harvest;

struct SplitCase {
    const char* name;
    const char* path;
    const char* outputDir;
    const char* outputBaseName;

    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class SplitSavePathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitSavePathTest, GivesFolderWithSlashAndNameUpToFirstDot)
{
    const SavePathParts parts = splitSavePath(GetParam().path);
    EXPECT_EQ(parts.outputDir, GetParam().outputDir);
    EXPECT_EQ(parts.outputBaseName, GetParam().outputBaseName);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitSavePathTest,
    ::testing::Values(SplitCase{"Plain", "/home/u/pkg.csv", "/home/u/", "pkg"},
                      SplitCase{"SeveralDots", "/home/u/my.data.csv", "/home/u/", "my"},
                      SplitCase{"DotInFolderOnly", "/home/u.v/pkg", "/home/u.v/", ""},
                      SplitCase{"NameStartsWithDot", "/home/u/.csv", "/home/u/", ""},
                      SplitCase{"NoFolder", "pkg.csv", "", "pkg"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DefaultSavePath, PrefixFollowsKindAndStampIsDecimal)
{
    EXPECT_EQ(defaultSavePath("/home/u/Desktop", config::PackageKind::AliAssistant, 1700000000),
              "/home/u/Desktop/Quorvel生成数据包/aliS1700000000.csv");
    EXPECT_EQ(defaultSavePath("/home/u/Desktop/", config::PackageKind::TaobaoAssistant, 42),
              "/home/u/Desktop/Quorvel生成数据包/aliT42.csv");
}
