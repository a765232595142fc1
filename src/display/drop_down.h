// The lunar date box's date and its drop-down month calendar as a state
// machine, free of any window code. The Win32 control forwards input to a
// LunarBoxState and carries out the returned effects in order:
//
//   effect                 what the Win32 layer does
//   RaiseDropDownOpening   call the "drop-down opening" handler (event 2) now
//   ShowDropDown           show the pop-up under the box, without activation
//   RedrawDropDown         repaint the pop-up from View() and HoverLine()
//   RaiseDayHovered        call the "day hovered" handler (event 1) now, with `day`
//   UpdateBoxText          set the box's window text to Text()
//   QueueDateChanged       post "date changed" (event 4) to the window's queue
//   QueueDayPicked         post "day picked" (event 0) to the window's queue
//   QueueClose             post a message that calls FinishPick() when it arrives
//   HideDropDown           hide the pop-up (free its GDI objects)
//   RaiseDropDownClosed    call the "drop-down closed" handler (event 3) now
//
// Posting the three Queue* effects in order makes date changed, day picked
// and the closing of the drop-down each run after the previous has returned.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/mouse_button.h"
#include "display/civil_date.h"
#include "display/lunar_calendar.h"
#include "display/month_view.h"

namespace tz {

// The drop-down's year list: 1902..2047.
inline constexpr int kFirstListedYear = 1902;
inline constexpr int kLastListedYear = 2047;
std::vector<int> YearList();

struct MonthChoice {
    int month;  // 1..12
    bool leap;
    std::string label;  // "正月" .. "腊月", "闰四月"
    friend bool operator==(const MonthChoice&, const MonthChoice&) = default;
};

// The months of a lunar year in calendar order: twelve, plus the leap month
// right after its regular month. Empty for a year outside the table.
std::vector<MonthChoice> MonthList(int lunar_year);

// The same lunar day of another month (day 30 becomes 29 in a 29-day
// month); nullopt when that month does not exist or the day would lie
// outside the supported range.
std::optional<CivilDate> MoveToMonth(CivilDate date, LunarMonthId target);

enum class BoxEffectKind {
    RaiseDropDownOpening,
    ShowDropDown,
    RedrawDropDown,
    RaiseDayHovered,
    UpdateBoxText,
    QueueDateChanged,
    QueueDayPicked,
    QueueClose,
    HideDropDown,
    RaiseDropDownClosed,
};

struct BoxEffect {
    BoxEffectKind kind;
    LunarDate day{};  // RaiseDayHovered only: lunar year, month, day, leap flag
    friend bool operator==(const BoxEffect&, const BoxEffect&) = default;
};

using BoxEffects = std::vector<BoxEffect>;

class LunarBoxState {
  public:
    // The box starts with no date and an empty text; see SetDate.
    LunarBoxState() = default;

    // Sets the box's date, as at creation. A day outside the supported range
    // is refused: nothing changes and no effect is returned. Otherwise
    // {UpdateBoxText, QueueDateChanged}. Ignored while the drop-down is open.
    BoxEffects SetDate(CivilDate date);

    // "..." clicked. Closed (and with a date): the drop-down opens and the
    // date is saved. Open: nothing.
    BoxEffects ClickButton();

    // The pointer is over the cell of `date`. A day of the shown month other
    // than the one last reported updates the hover line and raises day hovered.
    BoxEffects HoverDay(CivilDate date);

    // A year of YearList or a month of MonthList(ShownMonth().year) chosen:
    // the date moves silently (the text is not rebuilt) and the view changes.
    // Choosing a year keeps the month (a leap month only if that year has it).
    BoxEffects ChooseYear(int lunar_year);
    BoxEffects ChooseMonth(int month, bool leap);

    // A mouse button released over the cell of `date`. The left button over
    // a pickable day of the shown month picks it; anything else does nothing.
    BoxEffects ReleaseOverDay(CivilDate date, MouseButton button);

    // The message queued by QueueClose has arrived: the drop-down goes.
    BoxEffects FinishPick();

    // Esc, or the drop-down lost the activation: it closes and the date
    // saved at opening comes back.
    BoxEffects PressEscape() { return Cancel(); }
    BoxEffects LoseActivation() { return Cancel(); }

    bool HasDate() const { return date_.has_value(); }
    std::optional<CivilDate> Date() const { return date_; }
    const std::string& Text() const { return text_; }
    // Shown on screen: open, or picked and waiting for FinishPick.
    bool IsDropDownShown() const { return state_ != State::Closed; }
    bool IsOpen() const { return state_ == State::Open; }

    // What the open drop-down shows; nullopt while closed.
    std::optional<LunarMonthId> ShownMonth() const;
    std::optional<MonthView> View() const;
    std::string HoverLine() const;  // empty until a day is hovered

  private:
    enum class State { Closed, Open, Picked };

    BoxEffects Cancel();
    BoxEffects MoveSilently(std::optional<CivilDate> target);
    void RebuildText();

    State state_ = State::Closed;
    std::optional<CivilDate> date_;
    std::string text_;
    CivilDate saved_{};
    std::optional<CivilDate> hovered_;
};

}  // namespace tz
