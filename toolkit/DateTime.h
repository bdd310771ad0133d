// Calendar instants for the generated files' banners: the local time now, or a fixed UTC instant.
#pragma once

#include <cstdint>

namespace Zenlo {

// A calendar instant as the banners show it: month 1 to 12, hour 0 to 23, four-digit year.
struct DateTime {
    int day = 1, month = 1, year = 1970, hour = 0, minute = 0, second = 0;
};

// The local date and time now.
DateTime localDateTimeNow();
// The UTC date and time of seconds since 1970-01-01 00:00:00 UTC.
DateTime utcDateTime(std::int64_t secondsSinceEpoch);

} // namespace Zenlo
