#include "vendor/vendorservice.h"

#include <gtest/gtest.h>

#include "sharedstate.h"
#include "support/marketplaceenv.h"
#include "support/tempdir.h"
#include "web/cookiestore.h"
#include "web/webclient.h"

namespace {

class VendorServiceTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        auto& state = vq::test::marketplace().state();
        state.setValue("vendor.brandwords.set", "");
        state.setValue("vendor.version", "");
    }

    vq::web::CookieStore store;
    vq::web::WebClient web{store};
    vq::vendor::VendorService service{web, vq::test::standInEndpoints().vendor};
};

TEST_F(VendorServiceTest, BrandWordListFromTheService)
{
    auto& state = vq::test::marketplace().state();
    state.setValue("vendor.brandwords.set", "1");
    state.setValue("vendor.brandwords", "#a,b,c");
    EXPECT_EQ(service.brandWordList(), (std::vector<std::string>{"a", "b", "c"}));
    state.setValue("vendor.brandwords", "");
    EXPECT_TRUE(service.brandWordList().empty());
    state.setValue("vendor.brandwords", "\xEF\xBC\x83品牌甲,品牌乙");
    EXPECT_EQ(service.brandWordList(), (std::vector<std::string>{"品牌甲", "品牌乙"}));
}

TEST_F(VendorServiceTest, UnreachableServiceGivesAnEmptyList)
{
    // A port nothing listens on: the service is simply absent.
    vq::vendor::VendorService absent{web, "http://127.0.0.1:9"};
    EXPECT_TRUE(absent.brandWordList().empty());
    EXPECT_EQ(absent.newestVersion(), std::nullopt);
}

TEST_F(VendorServiceTest, CategoryArchiveIsDownloadedExtractedAndRemoved)
{
    vq::test::TempDir options;
    const auto text = service.downloadCategoryArchive("50012345", options.path());
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, options / "50012345.txt");
    EXPECT_EQ(vq::test::readBytes(*text), "category 50012345 property data (stand-in)\n");
    EXPECT_FALSE(std::filesystem::exists(options / "50012345.zip"));

    // No data for the category: nothing, and no stray files.
    EXPECT_EQ(service.downloadCategoryArchive("777", options.path()), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(options / "777.zip"));
    EXPECT_FALSE(std::filesystem::exists(options / "777.txt"));
    // A category ID is a file name: anything but digits is refused.
    EXPECT_EQ(service.downloadCategoryArchive("../50012345", options.path()), std::nullopt);
}

TEST_F(VendorServiceTest, NoticeAndVersion)
{
    auto& state = vq::test::marketplace().state();
    service.sendCategoryNotice("2002001", "50012345");
    EXPECT_EQ(state.count("vendor.notice:2002001:50012345"), 1);
    EXPECT_EQ(service.newestVersion(), std::optional<long>(222));
    state.setValue("vendor.version", "223");
    EXPECT_EQ(service.newestVersion(), std::optional<long>(223));
    state.setValue("vendor.version", "not a number");
    EXPECT_EQ(service.newestVersion(), std::nullopt);
}

}  // namespace
