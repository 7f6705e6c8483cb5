#include "harvest/mobiledescription.h"

#include <gtest/gtest.h>

namespace vq::harvest {
namespace {

struct TakeCase {
    const char* name;
    std::size_t length;
    std::uint64_t sum;
    bool taken;

    friend void PrintTo(const TakeCase& c, std::ostream* os) { *os << c.name; }
};

class TakesMobilePicture : public ::testing::TestWithParam<TakeCase> {};

TEST_P(TakesMobilePicture, FloorAndCeiling)
{
    EXPECT_EQ(takesMobilePicture(GetParam().length, GetParam().sum), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(Limits, TakesMobilePicture,
                         ::testing::Values(TakeCase{"AtTheFloorIsTooSmall", 7168, 7168, false},
                                           TakeCase{"JustAboveTheFloor", 7169, 7169, true},
                                           TakeCase{"SumJustBelowTheCeiling", 9000, 2621439, true},
                                           TakeCase{"SumAtTheCeiling", 9000, 2621440, false},
                                           TakeCase{"LargePictureBringsTheSumPast", 3000000, 3014000, false}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(MobileDescription, CollectsTakenPicturesAndWraps)
{
    ProductRecord record;
    addMobilePicture(record, true, 5000, 5000, "/p/t/a.jpg");
    addMobilePicture(record, true, 9000, 14000, "/p/t/b.jpg");
    addMobilePicture(record, true, 3000000, 3014000, "/p/t/c.jpg");
    closeMobileDescription(record);
    EXPECT_EQ(record.wireless_desc, "<wapDesc><img>/p/t/b.jpg</img></wapDesc>");
}

TEST(MobileDescription, DisabledTakesNothingAndStaysEmpty)
{
    ProductRecord record;
    addMobilePicture(record, false, 9000, 9000, "/p/t/b.jpg");
    closeMobileDescription(record);
    EXPECT_EQ(record.wireless_desc, "");
}

}  // namespace
}  // namespace vq::harvest
