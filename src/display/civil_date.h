// Proleptic Gregorian dates and their day numbers. Everything date-related in
// the core works on day numbers, never on the C library's time functions, so
// the results are the same on every platform and for every day.
#pragma once

namespace tz {

struct CivilDate {
    int year;   // any year that keeps the day number in int range
    int month;  // 1..12
    int day;    // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 (negative before it).
int DaysFromCivil(CivilDate date);
CivilDate CivilFromDays(int days);

// 0 = Monday .. 6 = Sunday.
int Weekday(int days);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// True when month and day name a real day of that year.
bool IsValidCivilDate(CivilDate date);

}  // namespace tz
