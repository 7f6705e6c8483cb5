// Time stamps and the date-time text that starts every log line. Stamps
// count from 1970-01-01 08:00:00 local time, i.e. the Unix time of a UTC+8
// clock, as the marketplace tools expect.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>

namespace vq::text {

using SystemTime = std::chrono::system_clock::time_point;

// Whole seconds from 1970-01-01 08:00:00 to the local time of `now`.
std::int64_t SecondsStamp(SystemTime now);
std::int64_t SecondsStamp();
// SecondsStamp * 1000 plus the millisecond of the local clock.
std::int64_t MillisecondsStamp(SystemTime now);
std::int64_t MillisecondsStamp();

// "%d年%d月%d日" then "%d时%d分%d秒", "%d时%d分" or "%d时" depending on which
// of seconds, minutes and hour is the last non-zero one; only the date at
// midnight sharp.
std::string LogDateTime(const std::tm& local);
// The date-time text of the current local time.
std::string LogDateTime();

}  // namespace vq::text
