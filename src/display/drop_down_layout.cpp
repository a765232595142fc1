#include "display/drop_down_layout.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace tz {
namespace {

BoxEffects WithRedraw(BoxEffects effects) {
    const bool redraws = std::any_of(effects.begin(), effects.end(), [](const BoxEffect& e) {
        return e.kind == BoxEffectKind::RedrawDropDown;
    });
    if (!redraws) effects.push_back({BoxEffectKind::RedrawDropDown});
    return effects;
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
    return std::to_string(lunar_year) + ' ' + SexagenaryYearName(cycle);
}

std::string TermLine(const MonthView& view) {
    if (view.terms.empty()) return {};
    std::string line = "节气：";
    for (std::size_t i = 0; i < view.terms.size(); ++i) {
        const SolarTerm& term = view.terms[i];
        if (i > 0) line += "  ";
        line += SolarTermName(term.index);
        line += ' ' + std::to_string(term.date.month) + '-' + std::to_string(term.date.day);
    }
    return line;
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
            return box.ReleaseOverDay(box.View()->cells[static_cast<std::size_t>(hit.cell)].date,
                                      button);
        case DropDownPage::Years: {
            const int year = YearInCell(yearPage_, hit.cell);
            if (button != MouseButton::Left || year == 0) return {};
            page_ = DropDownPage::Days;
            return WithRedraw(Browsed(box.ChooseYear(year)));
        }
        case DropDownPage::Months: {
            const std::vector<MonthChoice> months = MonthList(box.ShownMonth()->year);
            if (button != MouseButton::Left || hit.cell >= static_cast<int>(months.size())) {
                return {};
            }
            const MonthChoice& chosen = months[static_cast<std::size_t>(hit.cell)];
            page_ = DropDownPage::Days;
            return WithRedraw(Browsed(box.ChooseMonth(chosen.month, chosen.leap)));
        }
    }
    return {};
}

BoxEffects DropDownPanel::Move(LunarBoxState& box, int x, int y) {
    if (!box.IsOpen() || page_ != DropDownPage::Days) return {};
    const DropDownHit hit = HitTest(page_, x, y);
    if (hit.part != DropDownPart::Cell) return {};
    BoxEffects effects = box.HoverDay(box.View()->cells[static_cast<std::size_t>(hit.cell)].date);
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
    const std::vector<MonthChoice> months = MonthList(shown.year);
    const auto at = std::find_if(months.begin(), months.end(), [&](const MonthChoice& m) {
        return m.month == shown.month && m.leap == shown.leap;
    });
    const std::ptrdiff_t target = (at - months.begin()) + step;
    if (at == months.end() || target < 0 || target >= std::ssize(months)) return {};
    const MonthChoice& next = months[static_cast<std::size_t>(target)];
    return Browsed(box.ChooseMonth(next.month, next.leap));
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
