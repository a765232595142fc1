#include <gtest/gtest.h>

#include "display/date_time_text.h"

namespace tz {
namespace {

TEST(DateTimeText, TimePieceDropsTrailingZeroFields) {
    struct Case {
        DateTime value;
        const char* text;
    };
    const Case cases[] = {
        {{2018, 12, 5, 11, 1, 36}, "2018年12月5日11时1分36秒"},
        {{2018, 12, 5, 11, 1, 0}, "2018年12月5日11时1分"},
        {{2018, 12, 5, 11, 0, 0}, "2018年12月5日11时"},
        {{2018, 12, 5, 11, 0, 36}, "2018年12月5日11时0分36秒"},
        {{2018, 12, 5, 0, 0, 36}, "2018年12月5日0时0分36秒"},
        {{2018, 12, 5, 0, 5, 0}, "2018年12月5日0时5分"},
        {{2018, 12, 5, 0, 0, 0}, "2018年12月5日"},
        {{2019, 1, 1, 9, 5, 7}, "2019年1月1日9时5分7秒"},
        {{2018, 12, 31, 23, 59, 59}, "2018年12月31日23时59分59秒"},
        // Dates a 32-bit time_t cannot hold still format.
        {{1601, 1, 1, 0, 0, 1}, "1601年1月1日0时0分1秒"},
        {{2038, 1, 19, 3, 14, 8}, "2038年1月19日3时14分8秒"},
        {{30827, 12, 31, 23, 59, 0}, "30827年12月31日23时59分"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeText(c.value), c.text) << c.text;
    }
}

TEST(DateTimeText, StartupStatusEndsInTwoFullStops) {
    struct Case {
        DateTime value;
        const char* text;
    };
    const Case cases[] = {
        {{2018, 12, 5, 11, 1, 36}, "2018年12月5日11时1分36秒服务器正常运行中.."},
        {{2018, 12, 5, 0, 0, 0}, "2018年12月5日服务器正常运行中.."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartupStatusText(c.value), c.text) << c.text;
    }
}

}  // namespace
}  // namespace tz
