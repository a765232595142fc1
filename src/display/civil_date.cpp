#include "display/civil_date.h"

namespace tz {

// The eras are 400-year cycles beginning on 1 March, so the leap day is the
// last day of an era year and needs no special case.
int DaysFromCivil(CivilDate date) {
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;                          // [0, 399]
    const int mp = (date.month + 9) % 12;                   // [0, 11], March = 0
    const int doy = (153 * mp + 2) / 5 + date.day - 1;      // [0, 365]
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;  // [0, 146096]
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(int days) {
    const int z = days + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;                                       // [0, 146096]
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
    const int mp = (5 * doy + 2) / 153;                                     // [0, 11]
    const int d = doy - (153 * mp + 2) / 5 + 1;                             // [1, 31]
    const int m = mp < 10 ? mp + 3 : mp - 9;                                // [1, 12]
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

int Weekday(int days) {
    // 1970-01-01 was a Thursday (3 when Monday is 0).
    const int r = (days + 3) % 7;
    return r < 0 ? r + 7 : r;
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

bool IsValidCivilDate(CivilDate date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

}  // namespace tz
