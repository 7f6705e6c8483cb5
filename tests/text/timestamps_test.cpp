#include "text/timestamps.h"

#include <cstdlib>

#include <ostream>

#include <gtest/gtest.h>

using namespace vq::text;

namespace {

std::tm at(int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

struct LogCase {
    const char* name;
    std::tm time;
    std::string expected;

    friend void PrintTo(const LogCase& c, std::ostream* os) { *os << c.name; }
};

class LogDateTimeTable : public ::testing::TestWithParam<LogCase> {};

TEST_P(LogDateTimeTable, FallsThroughSecondsMinutesHour)
{
    EXPECT_EQ(LogDateTime(GetParam().time), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LogDateTimeTable,
                         ::testing::Values(LogCase{"full", at(13, 5, 7), "2026年12月9日13时5分7秒"},
                                           LogCase{"seconds_zero", at(13, 5, 0), "2026年12月9日13时5分"},
                                           LogCase{"minutes_zero_seconds_set", at(13, 0, 7), "2026年12月9日13时0分7秒"},
                                           LogCase{"nine_sharp", at(9, 0, 0), "2026年12月9日9时"},
                                           LogCase{"midnight", at(0, 0, 0), "2026年12月9日"},
                                           LogCase{"after_midnight", at(0, 0, 1), "2026年12月9日0时0分1秒"}),
                         [](const auto& tc) { return std::string(tc.param.name); });

class TimeZone : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_saved = tz ? tz : "";
        m_had = tz != nullptr;
    }
    void TearDown() override
    {
        if (m_had)
            setenv("TZ", m_saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void use(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::string m_saved;
    bool m_had = false;
};

TEST_F(TimeZone, SecondsStampIsUnixTimeOnAUtcPlus8Clock)
{
    const auto instant = std::chrono::system_clock::from_time_t(1700000000) + std::chrono::milliseconds(250);
    use("Asia/Shanghai");
    EXPECT_EQ(SecondsStamp(instant), 1700000000);
    EXPECT_EQ(MillisecondsStamp(instant), 1700000000250);
    use("UTC");
    EXPECT_EQ(SecondsStamp(instant), 1700000000 - 8 * 3600);
    EXPECT_EQ(MillisecondsStamp(instant), (1700000000LL - 8 * 3600) * 1000 + 250);
}

}  // namespace
