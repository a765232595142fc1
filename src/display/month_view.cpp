#include "display/month_view.h"

namespace tz {

std::optional<MonthView> BuildMonthView(CivilDate date, std::optional<CivilDate> saved) {
    const std::optional<LunarDate> lunar = ToLunar(date);
    if (!lunar) return std::nullopt;

    MonthView view{};
    view.month = {lunar->year, lunar->month, lunar->leap};
    view.month_name = LunarMonthName(lunar->month, lunar->leap);
    view.day_count = DaysInLunarMonth(lunar->year, lunar->month, lunar->leap);
    const int first = DaysFromCivil(date) - (lunar->day - 1);
    const int last = first + view.day_count - 1;
    view.first_day = CivilFromDays(first);

    const int grid_start = first - Weekday(first);
    const int grid_end = grid_start + kMonthCellCount - 1;
    const int saved_day = saved ? DaysFromCivil(*saved) : grid_start - 1;

    // Terms of every Gregorian year the grid touches; a grid spans two at most.
    std::vector<std::pair<int, SolarTerm>> terms;
    for (int year = CivilFromDays(grid_start).year; year <= CivilFromDays(grid_end).year; ++year) {
        for (const SolarTerm& t : SolarTermsOfYear(year)) {
            const int day = DaysFromCivil(t.date);
            if (day >= grid_start && day <= grid_end) terms.push_back({day, t});
            if (day >= first && day <= last) view.terms.push_back(t);
        }
    }

    for (int i = 0; i < kMonthCellCount; ++i) {
        const int day = grid_start + i;
        MonthCell& cell = view.cells[static_cast<std::size_t>(i)];
        cell.date = CivilFromDays(day);
        cell.in_shown_month = day >= first && day <= last;
        cell.pickable = cell.in_shown_month && IsSupportedDate(cell.date);
        cell.saved = day == saved_day;
        // Days of the shown month are numbered by position, so that those
        // past the end of the supported range still read right.
        const std::optional<LunarDate> l =
            cell.in_shown_month ? LunarDate{lunar->year, lunar->month, day - first + 1, lunar->leap}
                                : ToLunar(cell.date);
        if (l) cell.label = l->day == 1 ? LunarMonthName(l->month, l->leap) : LunarDayName(l->day);
        for (const auto& [term_day, term] : terms) {
            if (term_day == day) cell.term = SolarTermName(term.index);
        }
    }
    return view;
}

}  // namespace tz
