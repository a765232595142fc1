#include "display/drop_down_layout.h"

#include <algorithm>

namespace tz {
namespace {

// Choosing in a list redraws even when it chooses what is already shown:
// the list gives way to the days. (A choice that moves redraws anyway.)
BoxEffects WithRedraw(BoxEffects effects) {
    if (effects.empty()) effects.push_back({BoxEffectKind::RedrawDropDown});
    return effects;
}

void AppendDecimal(std::string& text, int value) {
    char digits[12];
    char* const end = digits + sizeof(digits);
    char* first = end;
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && first != digits);
    text.append(first, static_cast<std::size_t>(end - first));
}

}  // namespace

DropDownHit HitTest(DropDownPage page, int x, int y) {
    for (DropDownPart part :
         {DropDownPart::YearBack, DropDownPart::YearLabel, DropDownPart::YearForward,
          DropDownPart::MonthBack, DropDownPart::MonthLabel, DropDownPart::MonthForward}) {
        if (PartRect(part).Contains(x, y)) return {part, -1};
    }
    for (int i = 0; i < CellCount(page); ++i) {
        if (CellRect(page, i).Contains(x, y)) return {DropDownPart::Cell, i};
    }
    return {};
}

PixelPoint PlaceDropDown(PixelRect box, int width, int height, PixelRect work) {
    int x = box.left;
    if (x + width > work.right) x = box.right - width;
    x = std::max(std::min(x, work.right - width), work.left);

    int y = box.bottom;
    if (y + height > work.bottom) {
        y = box.top - height;
        // Room on neither side: as low as the work area lets it sit.
        if (y < work.top) y = std::max(work.bottom - height, work.top);
    }
    return {x, y};
}

std::string YearLabel(int lunar_year) {
    // 1984 was 甲子, number 1 of the cycle.
    const int cycle = ((lunar_year - 1984) % 60 + 60) % 60 + 1;
    std::string label;
    AppendDecimal(label, lunar_year);
    label += ' ';
    label += SexagenaryYearName(cycle);
    return label;
}

std::string TermLine(const MonthView& view) {
    if (view.terms.empty()) return {};
    std::string line = "节气：";
    const char* gap = "";
    for (const SolarTerm& term : view.terms) {
        line += gap;
        gap = "  ";
        line += SolarTermName(term.index);
        line += ' ';
        AppendDecimal(line, term.date.month);
        line += '-';
        AppendDecimal(line, term.date.day);
    }
    return line;
}

int MonthListIndex(LunarMonthId month) {
    const int leap = LeapMonthOfYear(month.year);
    return month.month - 1 + (leap != 0 && (month.month > leap || month.leap) ? 1 : 0);
}

std::optional<LunarMonthId> MonthAtListIndex(int lunar_year, int index) {
    const int leap = LeapMonthOfYear(lunar_year);
    if (DaysInLunarMonth(lunar_year, 1, false) == 0 || index < 0 || index >= (leap ? 13 : 12)) {
        return std::nullopt;
    }
    if (leap != 0 && index == leap) return LunarMonthId{lunar_year, leap, true};
    return LunarMonthId{lunar_year, index + 1 - (leap != 0 && index > leap ? 1 : 0), false};
}

CivilDate DayInCell(LunarMonthId month, int cell) {
    const std::optional<CivilDate> first = FromLunar({month.year, month.month, 1, month.leap});
    if (!first) return {};
    const int day = DaysFromCivil(*first);
    return CivilFromDays(day - Weekday(day) + cell);
}

void DropDownPanel::Reset() {
    page_ = DropDownPage::Days;
    yearPage_ = 0;
    hovered_ = -1;
}

BoxEffects DropDownPanel::Press(LunarBoxState& box, int x, int y) {
    if (!box.IsOpen()) return {};
    const DropDownPart part = HitTest(page_, x, y).part;
    switch (part) {
        case DropDownPart::YearBack:
        case DropDownPart::YearForward: {
            const int step = part == DropDownPart::YearBack ? -1 : 1;
            if (page_ != DropDownPage::Years) return StepYear(box, step);
            const int turned = std::clamp(yearPage_ + step, 0, kYearPageCount - 1);
            if (turned == yearPage_) return {};
            yearPage_ = turned;
            return {{BoxEffectKind::RedrawDropDown}};
        }
        case DropDownPart::MonthBack:
            return StepMonth(box, -1);
        case DropDownPart::MonthForward:
            return StepMonth(box, 1);
        case DropDownPart::YearLabel:
            yearPage_ = std::clamp(YearPageOf(box.ShownMonth()->year), 0, kYearPageCount - 1);
            return ShowPage(page_ == DropDownPage::Years ? DropDownPage::Days
                                                         : DropDownPage::Years);
        case DropDownPart::MonthLabel:
            return ShowPage(page_ == DropDownPage::Months ? DropDownPage::Days
                                                          : DropDownPage::Months);
        default:
            return {};
    }
}

BoxEffects DropDownPanel::Release(LunarBoxState& box, int x, int y, MouseButton button) {
    if (!box.IsOpen()) return {};
    const DropDownHit hit = HitTest(page_, x, y);
    if (hit.part != DropDownPart::Cell) return {};
    switch (page_) {
        case DropDownPage::Days:
            return box.ReleaseOverDay(DayInCell(*box.ShownMonth(), hit.cell), button);
        case DropDownPage::Years: {
            const int year = YearInCell(yearPage_, hit.cell);
            if (button != MouseButton::Left || year == 0) return {};
            page_ = DropDownPage::Days;
            return WithRedraw(Browsed(box.ChooseYear(year)));
        }
        case DropDownPage::Months: {
            const auto chosen = MonthAtListIndex(box.ShownMonth()->year, hit.cell);
            if (button != MouseButton::Left || !chosen) return {};
            page_ = DropDownPage::Days;
            return WithRedraw(Browsed(box.ChooseMonth(chosen->month, chosen->leap)));
        }
    }
    return {};
}

BoxEffects DropDownPanel::Move(LunarBoxState& box, int x, int y) {
    if (!box.IsOpen() || page_ != DropDownPage::Days) return {};
    const DropDownHit hit = HitTest(page_, x, y);
    if (hit.part != DropDownPart::Cell) return {};
    BoxEffects effects = box.HoverDay(DayInCell(*box.ShownMonth(), hit.cell));
    if (!effects.empty()) hovered_ = hit.cell;
    return effects;
}

BoxEffects DropDownPanel::StepYear(LunarBoxState& box, int step) {
    return Browsed(box.ChooseYear(box.ShownMonth()->year + step));
}

BoxEffects DropDownPanel::StepMonth(LunarBoxState& box, int step) {
    // Within the shown year's list: crossing into the next year would go
    // through a month of the wrong length and could lose day 30.
    const LunarMonthId shown = *box.ShownMonth();
    const auto next = MonthAtListIndex(shown.year, MonthListIndex(shown) + step);
    if (!next) return {};
    return Browsed(box.ChooseMonth(next->month, next->leap));
}

BoxEffects DropDownPanel::ShowPage(DropDownPage page) {
    page_ = page;
    return {{BoxEffectKind::RedrawDropDown}};
}

BoxEffects DropDownPanel::Browsed(BoxEffects effects) {
    if (!effects.empty()) hovered_ = -1;
    return effects;
}

}  // namespace tz
