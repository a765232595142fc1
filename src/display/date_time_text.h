// The clock's date-time value and its text forms.
#pragma once

#include <string>

namespace tz {

// Local date and wall-clock time in whole seconds, no time zone.
struct DateTime {
    int year;
    int month;   // 1-12
    int day;     // 1-31
    int hour;    // 0-23
    int minute;  // 0-59
    int second;  // 0-59
};

// "2018年12月5日11时1分36秒": plain decimals, no leading zeros. Trailing zero
// time fields are left out ("...11时1分", "...11时"); at midnight only the
// date remains. Any year formats, not just those of a 32-bit time_t.
std::string DateTimeText(const DateTime& value);

// The text the status bar shows at start-up: the date-time text followed by
// "服务器正常运行中.." (two full stops).
std::string StartupStatusText(const DateTime& value);

}  // namespace tz
