// The drop-down's month calendar as data: the lunar month of a day laid out
// as six weeks of seven days beginning on a Monday, with what each cell
// shows. The Win32 drop-down only draws this.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/civil_date.h"
#include "display/lunar_calendar.h"
#include "display/solar_terms.h"

namespace tz {

struct LunarMonthId {
    int year;
    int month;  // 1..12
    bool leap;
    friend bool operator==(const LunarMonthId&, const LunarMonthId&) = default;
};

struct MonthCell {
    CivilDate date;         // date.day is the Gregorian number the cell shows
    std::string label;      // lunar day name, the month's name on day 1; empty outside the range
    std::string_view term;  // the solar term on that day, or empty
    bool in_shown_month;    // set apart from the days of the neighbouring months
    bool pickable;          // of the shown month and within the supported range
    bool saved;             // the day saved when the drop-down opened
};

inline constexpr int kWeeksShown = 6;
inline constexpr int kMonthCellCount = kWeeksShown * 7;

struct MonthView {
    LunarMonthId month;
    std::string month_name;                        // LunarMonthName of the shown month
    CivilDate first_day;                           // 初一 of the shown month
    int day_count;                                 // 29 or 30
    std::array<MonthCell, kMonthCellCount> cells;  // row-major, Monday first
    std::vector<SolarTerm> terms;  // the terms within the shown month, in time order
};

// The view of the lunar month holding `date`; `saved` marks a cell when it is
// on screen. nullopt when `date` is outside the supported range.
std::optional<MonthView> BuildMonthView(CivilDate date, std::optional<CivilDate> saved);

// The text the drop-down's status line shows for the day under the pointer.
inline std::string HoverText(CivilDate date) { return FormatLunarText({}, date); }

}  // namespace tz
