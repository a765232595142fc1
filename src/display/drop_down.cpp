#include "display/drop_down.h"

#include <algorithm>

namespace tz {

std::vector<int> YearList() {
    std::vector<int> years;
    for (int y = kFirstListedYear; y <= kLastListedYear; ++y) years.push_back(y);
    return years;
}

std::vector<MonthChoice> MonthList(int lunar_year) {
    std::vector<MonthChoice> months;
    if (DaysInLunarMonth(lunar_year, 1, false) == 0) return months;
    const int leap = LeapMonthOfYear(lunar_year);
    for (int m = 1; m <= 12; ++m) {
        months.push_back({m, false, LunarMonthName(m, false)});
        if (m == leap) months.push_back({m, true, LunarMonthName(m, true)});
    }
    return months;
}

std::optional<CivilDate> MoveToMonth(CivilDate date, LunarMonthId target) {
    const std::optional<LunarDate> lunar = ToLunar(date);
    const int length = DaysInLunarMonth(target.year, target.month, target.leap);
    if (!lunar || length == 0) return std::nullopt;
    const std::optional<CivilDate> moved =
        FromLunar({target.year, target.month, std::min(lunar->day, length), target.leap});
    if (!moved || !IsSupportedDate(*moved)) return std::nullopt;
    return moved;
}

BoxEffects LunarBoxState::SetDate(CivilDate date) {
    if (state_ != State::Closed || !IsSupportedDate(date)) return {};
    date_ = date;
    RebuildText();
    return {{BoxEffectKind::UpdateBoxText}, {BoxEffectKind::QueueDateChanged}};
}

BoxEffects LunarBoxState::ClickButton() {
    if (state_ != State::Closed || !date_) return {};
    state_ = State::Open;
    saved_ = *date_;
    hovered_.reset();
    return {{BoxEffectKind::RaiseDropDownOpening}, {BoxEffectKind::ShowDropDown}};
}

BoxEffects LunarBoxState::HoverDay(CivilDate date) {
    if (state_ != State::Open || hovered_ == date) return {};
    const std::optional<MonthView> view = View();
    const std::optional<LunarDate> lunar = ToLunar(date);
    if (!view || !lunar || LunarMonthId{lunar->year, lunar->month, lunar->leap} != view->month) {
        return {};
    }
    hovered_ = date;
    return {{BoxEffectKind::RedrawDropDown}, {BoxEffectKind::RaiseDayHovered, *lunar}};
}

BoxEffects LunarBoxState::ChooseYear(int lunar_year) {
    if (state_ != State::Open || lunar_year < kFirstListedYear || lunar_year > kLastListedYear) {
        return {};
    }
    const LunarMonthId shown = *ShownMonth();
    const bool leap = shown.leap && LeapMonthOfYear(lunar_year) == shown.month;
    return MoveSilently(MoveToMonth(*date_, {lunar_year, shown.month, leap}));
}

BoxEffects LunarBoxState::ChooseMonth(int month, bool leap) {
    if (state_ != State::Open) return {};
    return MoveSilently(MoveToMonth(*date_, {ShownMonth()->year, month, leap}));
}

BoxEffects LunarBoxState::MoveSilently(std::optional<CivilDate> target) {
    if (!target || *target == *date_) return {};
    date_ = *target;
    hovered_.reset();
    return {{BoxEffectKind::RedrawDropDown}};
}

BoxEffects LunarBoxState::ReleaseOverDay(CivilDate date, MouseButton button) {
    if (state_ != State::Open || button != MouseButton::Left) return {};
    const std::optional<MonthView> view = View();
    const auto cell = std::find_if(view->cells.begin(), view->cells.end(),
                                   [&](const MonthCell& c) { return c.date == date; });
    if (cell == view->cells.end() || !cell->pickable) return {};
    date_ = date;
    RebuildText();
    // The drop-down stays on screen until the queued close arrives, and Esc
    // or a lost activation meanwhile must not undo the pick.
    state_ = State::Picked;
    return {{BoxEffectKind::UpdateBoxText},
            {BoxEffectKind::QueueDateChanged},
            {BoxEffectKind::QueueDayPicked},
            {BoxEffectKind::QueueClose}};
}

BoxEffects LunarBoxState::FinishPick() {
    if (state_ != State::Picked) return {};
    state_ = State::Closed;
    hovered_.reset();
    return {{BoxEffectKind::HideDropDown}, {BoxEffectKind::RaiseDropDownClosed}};
}

BoxEffects LunarBoxState::Cancel() {
    if (state_ != State::Open) return {};
    state_ = State::Closed;
    hovered_.reset();
    date_ = saved_;
    RebuildText();
    return {{BoxEffectKind::HideDropDown},
            {BoxEffectKind::RaiseDropDownClosed},
            {BoxEffectKind::UpdateBoxText}};
}

std::optional<LunarMonthId> LunarBoxState::ShownMonth() const {
    if (state_ == State::Closed) return std::nullopt;
    const std::optional<LunarDate> lunar = ToLunar(*date_);
    return LunarMonthId{lunar->year, lunar->month, lunar->leap};
}

std::optional<MonthView> LunarBoxState::View() const {
    if (state_ == State::Closed) return std::nullopt;
    return BuildMonthView(*date_, saved_);
}

std::string LunarBoxState::HoverLine() const {
    return hovered_ ? HoverText(*hovered_) : std::string();
}

void LunarBoxState::RebuildText() { text_ = date_ ? FormatLunarText({}, *date_) : std::string(); }

}  // namespace tz
