// The drop-down month calendar's geometry, what a point in it stands for,
// and where it goes on the screen. The Win32 pop-up draws at these places
// and hands mouse input to a DropDownPanel; the soak tool aims at them too,
// so everything here is plain constexpr arithmetic.
//
//   +------------------------------------------+
//   | < 2018 戊戌 >            < 十月 >          |  header: year and month lists
//   |  一   二   三   四   五   六   日          |
//   | 6 x 7 cells: days, or a page of the      |  a year list page (42 years)
//   | year list, or the month list (4 x 4)     |  or the month list replace the days
//   | 节气：大雪 12-7  冬至 12-22               |
//   | 戊戌年(狗)十月二十 2018-11-27              |  the day under the pointer
//   +------------------------------------------+
#pragma once

#include <string>

#include "app/mouse_button.h"
#include "display/drop_down.h"

namespace tz {

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
    int x;
    int y;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

inline constexpr int kDropDownMargin = 4;
inline constexpr int kDayCellWidth = 40;
inline constexpr int kDayCellHeight = 34;
inline constexpr int kDropDownHeaderHeight = 24;
inline constexpr int kWeekdayRowHeight = 18;
inline constexpr int kDropDownLineHeight = 18;
inline constexpr int kArrowWidth = 20;

inline constexpr int kGridLeft = kDropDownMargin;
inline constexpr int kGridTop = kDropDownMargin + kDropDownHeaderHeight + kWeekdayRowHeight;
inline constexpr int kGridWidth = 7 * kDayCellWidth;
inline constexpr int kGridHeight = kWeeksShown * kDayCellHeight;
inline constexpr int kDropDownWidth = kGridLeft + kGridWidth + kDropDownMargin;
inline constexpr int kDropDownHeight =
    kGridTop + kGridHeight + 2 * kDropDownLineHeight + kDropDownMargin;

// What the grid area shows: the days of the shown month, a page of the year
// list, or the month list.
enum class DropDownPage { Days, Years, Months };

inline constexpr int kYearsPerPage = kMonthCellCount;  // the same 6 x 7 cells
inline constexpr int kYearPageCount =
    (kLastListedYear - kFirstListedYear + kYearsPerPage) / kYearsPerPage;
inline constexpr int kMonthListColumns = 4;
inline constexpr int kMonthListCells = 16;  // room for 13 months

enum class DropDownPart {
    None,
    YearBack,
    YearLabel,
    YearForward,
    MonthBack,
    MonthLabel,
    MonthForward,
    Cell,
};

struct DropDownHit {
    DropDownPart part = DropDownPart::None;
    int cell = -1;  // Cell only: the cell's index on the page
    friend bool operator==(const DropDownHit&, const DropDownHit&) = default;
};

// The header's parts, in client coordinates; empty for None and Cell.
constexpr PixelRect PartRect(DropDownPart part) {
    constexpr int top = kDropDownMargin;
    constexpr int bottom = top + kDropDownHeaderHeight;
    constexpr int half = kGridWidth / 2;
    const int left = kGridLeft + (part >= DropDownPart::MonthBack ? half : 0);
    switch (part) {
        case DropDownPart::YearBack:
        case DropDownPart::MonthBack:
            return {left, top, left + kArrowWidth, bottom};
        case DropDownPart::YearLabel:
        case DropDownPart::MonthLabel:
            return {left + kArrowWidth, top, left + half - kArrowWidth, bottom};
        case DropDownPart::YearForward:
        case DropDownPart::MonthForward:
            return {left + half - kArrowWidth, top, left + half, bottom};
        default:
            return {0, 0, 0, 0};
    }
}

constexpr int CellCount(DropDownPage page) {
    return page == DropDownPage::Months ? kMonthListCells : kMonthCellCount;
}

// Cell `index` of a page (row-major), or an empty rectangle past its end.
constexpr PixelRect CellRect(DropDownPage page, int index) {
    if (index < 0 || index >= CellCount(page)) return {0, 0, 0, 0};
    const int columns = page == DropDownPage::Months ? kMonthListColumns : 7;
    const int rows = CellCount(page) / columns;
    const int width = kGridWidth / columns;
    const int height = kGridHeight / rows;
    const int left = kGridLeft + index % columns * width;
    const int top = kGridTop + index / columns * height;
    return {left, top, left + width, top + height};
}

constexpr PixelRect WeekdayRect(int weekday) {
    const int left = kGridLeft + weekday * kDayCellWidth;
    return {left, kGridTop - kWeekdayRowHeight, left + kDayCellWidth, kGridTop};
}

constexpr PixelRect TermLineRect() {
    constexpr int top = kGridTop + kGridHeight;
    return {kGridLeft, top, kGridLeft + kGridWidth, top + kDropDownLineHeight};
}

constexpr PixelRect HoverLineRect() {
    constexpr int top = kGridTop + kGridHeight + kDropDownLineHeight;
    return {kGridLeft, top, kGridLeft + kGridWidth, top + kDropDownLineHeight};
}

DropDownHit HitTest(DropDownPage page, int x, int y);

// The year list page that holds `year`, and the year in a page's cell (0
// past the end of the list).
constexpr int YearPageOf(int year) { return (year - kFirstListedYear) / kYearsPerPage; }
constexpr int YearInCell(int page, int index) {
    const int year = kFirstListedYear + page * kYearsPerPage + index;
    return index >= 0 && index < kYearsPerPage && year <= kLastListedYear ? year : 0;
}

// A month's place in its year's month list (MonthList order: the leap
// month right after its regular month), and the month at a place; nullopt
// past the end of the list or outside the table.
int MonthListIndex(LunarMonthId month);
std::optional<LunarMonthId> MonthAtListIndex(int lunar_year, int index);

// The day in cell `cell` of the days page of a lunar month: the same as
// BuildMonthView's cells, without building the view.
CivilDate DayInCell(LunarMonthId month, int cell);

// Where the pop-up goes, in screen coordinates: under the box, else above
// it; left-aligned with it, else right-aligned; and never off the work area
// where that can be helped.
PixelPoint PlaceDropDown(PixelRect box, int width, int height, PixelRect work);

// Header texts: "2018 戊戌" for a lunar year, the month's name for a month.
std::string YearLabel(int lunar_year);
// "节气：大雪 12-7  冬至 12-22", or empty when the month holds no term.
std::string TermLine(const MonthView& view);

// The drop-down's own browsing state (the page, the year list's page, the
// hovered cell) and the mapping of mouse input onto LunarBoxState. Every
// call returns the box's effects; a change of what is shown that the box
// does not know about adds RedrawDropDown.
class DropDownPanel {
  public:
    // At opening: the days, nothing hovered.
    void Reset();

    DropDownPage page() const { return page_; }
    int yearPage() const { return yearPage_; }
    // The day cell last reported as hovered, -1 for none.
    int hoveredCell() const { return hovered_; }

    // The left button went down at (x, y) inside the pop-up: the header's
    // arrows step through the lists, its labels open and close them.
    BoxEffects Press(LunarBoxState& box, int x, int y);
    // A button went up at (x, y): picks a day, a year or a month.
    BoxEffects Release(LunarBoxState& box, int x, int y, MouseButton button);
    // The pointer moved to (x, y).
    BoxEffects Move(LunarBoxState& box, int x, int y);

  private:
    BoxEffects StepYear(LunarBoxState& box, int step);
    BoxEffects StepMonth(LunarBoxState& box, int step);
    BoxEffects ShowPage(DropDownPage page);
    BoxEffects Browsed(BoxEffects effects);

    DropDownPage page_ = DropDownPage::Days;
    int yearPage_ = 0;
    int hovered_ = -1;
};

}  // namespace tz
