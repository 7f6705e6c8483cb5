#include "text/timestamps.h"

#include <cstdio>

namespace vq::text {
namespace {

std::tm localParts(SystemTime now)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

}  // namespace

std::int64_t SecondsStamp(SystemTime now)
{
    std::tm local = localParts(now);
    // timegm reads the broken-down local time as if it were UTC, giving the
    // seconds of the local wall clock since 1970-01-01 00:00:00.
    const std::int64_t wallClock = timegm(&local);
    return wallClock - 8 * 3600;
}

std::int64_t SecondsStamp()
{
    return SecondsStamp(std::chrono::system_clock::now());
}

std::int64_t MillisecondsStamp(SystemTime now)
{
    const auto sinceEpoch = now.time_since_epoch();
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
    return SecondsStamp(now) * 1000 + (millis < 0 ? millis + 1000 : millis);
}

std::int64_t MillisecondsStamp()
{
    return MillisecondsStamp(std::chrono::system_clock::now());
}

std::string LogDateTime(const std::tm& local)
{
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    std::string out(buffer, static_cast<std::size_t>(n));
    if (local.tm_sec != 0)
        n = std::snprintf(buffer, sizeof buffer, "%d时%d分%d秒", local.tm_hour, local.tm_min, local.tm_sec);
    else if (local.tm_min != 0)
        n = std::snprintf(buffer, sizeof buffer, "%d时%d分", local.tm_hour, local.tm_min);
    else if (local.tm_hour != 0)
        n = std::snprintf(buffer, sizeof buffer, "%d时", local.tm_hour);
    else
        n = 0;
    out.append(buffer, static_cast<std::size_t>(n));
    return out;
}

std::string LogDateTime()
{
    return LogDateTime(localParts(std::chrono::system_clock::now()));
}

}  // namespace vq::text
