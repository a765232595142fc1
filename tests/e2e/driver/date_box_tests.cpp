// The lunar date box and its drop-down month calendar from outside: the
// box's text and place, opening, picking, browsing, Esc, releases that pick
// nothing, closing when the program loses the activation, and a soak of
// many openings (bench/soak_date_box.sh runs it long).
//
// The driver keeps a LunarBoxState and a DropDownPanel of its own and feeds
// them the same input as the program: what the program's box then shows
// must be what the driver's copy says. The order of the box's events is
// seen through the accessibility events the box raises (an out-of-context
// WinEvent hook): "date changed" as a value change, then "day picked" as a
// selection, then "drop-down closed" as the box's expanded state changing.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "display/drop_down_layout.h"
#include "display/lunar_calendar.h"
#include "harness.h"
#include "tray_desktop.h"

namespace tz::e2e {
namespace {

constexpr wchar_t kDropDownClass[] = L"TzLunarDropDown";
constexpr Box kBoxPlace{440, 56, 220, 24};

DWORD StyleOf(HWND window, int index) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, index));
}

CivilDate Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

// ---- Accessibility events --------------------------------------------------

struct WinEvent {
    DWORD event;
    HWND window;
};

std::vector<WinEvent>* recording = nullptr;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (recording != nullptr && (object == OBJID_CLIENT || object == OBJID_WINDOW)) {
        recording->push_back({event, window});
    }
}

// Records the program's accessibility events; the hook calls back through
// this thread's message queue, so waiting pumps it. Names() keeps the state,
// selection and value changes: Windows also reports text changes and hidden
// windows by itself, Wine does not.
class WinEventLog {
  public:
    // `process` 0: every process.
    explicit WinEventLog(DWORD process) {
        recording = &events_;
        hook_ = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, OnWinEvent,
                                process, 0, WINEVENT_OUTOFCONTEXT);
    }
    ~WinEventLog() {
        if (hook_ != nullptr) UnhookWinEvent(hook_);
        recording = nullptr;
    }
    WinEventLog(const WinEventLog&) = delete;
    WinEventLog& operator=(const WinEventLog&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    void Clear() {
        Pump(0);
        events_.clear();
    }
    // Delivers what has arrived, for `ms` milliseconds.
    void Pump(DWORD ms) {
        const ULONGLONG end = GetTickCount64() + ms;
        do {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            if (ms > 0) Sleep(10);
        } while (GetTickCount64() < end);
    }
    // The events about `windows`, by name, in the order they came.
    std::vector<std::string> Names(std::initializer_list<HWND> windows, HWND box) const {
        std::vector<std::string> names;
        for (const WinEvent& e : events_) {
            if (std::find(windows.begin(), windows.end(), e.window) == windows.end()) continue;
            const char* who = e.window == box ? "box " : "drop-down ";
            switch (e.event) {
                case EVENT_OBJECT_STATECHANGE:
                    names.push_back(std::string(who) + "state");
                    break;
                case EVENT_OBJECT_SELECTION:
                    names.push_back(std::string(who) + "selection");
                    break;
                case EVENT_OBJECT_VALUECHANGE:
                    names.push_back(std::string(who) + "value");
                    break;
                default:
                    break;
            }
        }
        return names;
    }

  private:
    std::vector<WinEvent> events_;
    HWINEVENTHOOK hook_ = nullptr;
};

// ---- The program's drop-down ----------------------------------------------

struct DropDownSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindDropDown(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DropDownSearch*>(param);
    if (GetWindow(window, GW_OWNER) == search->owner && ClassOf(window) == kDropDownClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The drop-down window owned by the main window, shown or not; nullptr
// before the first opening.
HWND DropDown(const Program& program) {
    DropDownSearch search{program.Window(), nullptr};
    EnumWindows(FindDropDown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool DropDownShown(const Program& program) {
    HWND drop = DropDown(program);
    return drop != nullptr && IsWindowVisible(drop);
}

// The program's box and button, and the driver's copy of the box.
class DateBox {
  public:
    explicit DateBox(const Program& program) : program_(program) {
        box_ = program.Control(ids::kCalendarBox);
        button_ = GetWindow(box_, GW_CHILD);
        // The program took its date when it started; the driver's copy
        // takes the day that its text shows (midnight may have passed).
        const CivilDate today = Today();
        model_.SetDate(today);
        if (TextOf(box_) != Widen(model_.Text())) {
            const int yesterday = DaysFromCivil(today) - 1;
            model_.SetDate(CivilFromDays(yesterday));
        }
    }

    HWND box() const { return box_; }
    HWND button() const { return button_; }
    std::wstring Text() const { return TextOf(box_); }
    std::wstring Expected() const { return Widen(model_.Text()); }
    LunarBoxState& model() { return model_; }

    // "..." clicked as BM_CLICK does it.
    bool Open() {
        program_.Post(button_, BM_CLICK, 0, 0);
        model_.ClickButton();
        panel_.Reset();
        return WaitFor([this] { return DropDownShown(program_); });
    }

    // A press on a part of the header, posted to the drop-down.
    void Press(DropDownPart part) {
        const PixelRect r = PartRect(part);
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        program_.Post(DropDown(program_), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
        program_.Post(DropDown(program_), WM_LBUTTONUP, 0, PointParam(x, y));
        panel_.Press(model_, x, y);
        panel_.Release(model_, x, y, MouseButton::Left);
    }

    // The pointer moved onto a cell of the page shown and released a
    // button there, posted to the drop-down.
    void ReleaseOverCell(int cell, MouseButton button) {
        const PixelRect r = CellRect(panel_.page(), cell);
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        HWND drop = DropDown(program_);
        const bool left = button == MouseButton::Left;
        program_.Post(drop, WM_MOUSEMOVE, 0, PointParam(x, y));
        program_.Post(drop, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0, PointParam(x, y));
        program_.Post(drop, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, PointParam(x, y));
        panel_.Move(model_, x, y);
        panel_.Press(model_, x, y);
        const BoxEffects effects = panel_.Release(model_, x, y, button);
        if (!effects.empty() && model_.IsDropDownShown() && !model_.IsOpen()) model_.FinishPick();
    }

    // A cell of the days page holding a day of the shown month other than
    // the box's date.
    int OtherDayCell() const {
        const std::optional<MonthView> view = model_.View();
        for (int i = kMonthCellCount - 1; i >= 0; --i) {
            const MonthCell& cell = view->cells[static_cast<std::size_t>(i)];
            if (cell.pickable && cell.date != *model_.Date()) return i;
        }
        return -1;
    }
    int OtherMonthCell() const {
        const std::optional<MonthView> view = model_.View();
        for (int i = 0; i < kMonthCellCount; ++i) {
            if (!view->cells[static_cast<std::size_t>(i)].in_shown_month) return i;
        }
        return -1;
    }

    // A screen point at the middle of a day cell.
    POINT CellOnScreen(int cell) const {
        const PixelRect r = CellRect(DropDownPage::Days, cell);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(DropDown(program_), &at);
        return at;
    }

  private:
    const Program& program_;
    HWND box_ = nullptr;
    HWND button_ = nullptr;
    LunarBoxState model_;
    DropDownPanel panel_;
};

// ---- Screenshots -----------------------------------------------------------

// Saves the screen as $TZ_E2E_SHOTS/NAME.png when that folder is given.
void Screenshot(const char* name) {
    char folder[512] = {};
    if (GetEnvironmentVariableA("TZ_E2E_SHOTS", folder, sizeof(folder)) == 0) return;
    const std::wstring marker = L"C:\\tz-shot.done";
    DeleteFileW(marker.c_str());
    std::wstring commandLine = L"/bin/sh -c \"import -window root " + Widen(folder) + L"/" +
                               Widen(name) + L".png; echo $? >$WINEPREFIX/drive_c/tz-shot.done\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    WaitFor([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000);
}

// ---- Scenarios -------------------------------------------------------------

TZ_SCENARIO(DateBoxText, "date box: today's lunar text, place, the \"...\" button") {
    WinEventLog events(0);  // every process: the program is not started yet
    Program program;
    if (!program.Started()) return;
    DateBox box(program);
    events.Pump(300);
    CheckEqual(events.Names({box.box()}, box.box()), std::vector<std::string>{"box value"},
               "date changed once after start-up");
    Check(box.box() != nullptr, "the date box exists");
    CheckEqual(box.Text(), box.Expected(), "window text is the display text of the start day");
    CheckEqual(ClientBoxIn(box.box(), program.Window()), kBoxPlace, "place and size");
    CheckEqual(ClassOf(box.button()), std::wstring(L"Button"), "a button inside the box");
    CheckEqual(TextOf(box.button()), std::wstring(L"..."), "its caption");
    CheckEqual(ClientBoxIn(box.button(), box.box()), (Box{200, 0, 20, 24}),
               "20 pixels wide at the right end, as high as the box");
    Check((StyleOf(box.button(), GWL_STYLE) & WS_TABSTOP) != 0, "the button is a tab stop");
    Check(DropDown(program) == nullptr || !DropDownShown(program), "no drop-down at start");
}

TZ_SCENARIO(DateBoxOpenAndPick, "date box: open, pick a day; events in order, no activation") {
    Program program;
    if (!program.Started()) return;
    DateBox box(program);
    WinEventLog events(program.ProcessId());
    Check(events.Hooked(), "an accessibility event hook on the program");

    if (!Check(box.Open(), "\"...\" opens the drop-down")) return;
    HWND drop = DropDown(program);
    events.Pump(200);
    CheckEqual(events.Names({box.box()}, box.box()), std::vector<std::string>{"box state"},
               "the box reports itself expanded");
    const DWORD exStyle = StyleOf(drop, GWL_EXSTYLE);
    Check((exStyle & WS_EX_NOACTIVATE) && (exStyle & WS_EX_TOOLWINDOW),
          "a tool window that does not activate");
    Check((StyleOf(drop, GWL_STYLE) & WS_POPUP) != 0, "a pop-up");
    Check(GetForegroundWindow() == program.Window(), "the main window stays active");
    const Box boxOnScreen = WindowBox(box.box());
    const Box dropOnScreen = WindowBox(drop);
    CheckEqual(Box{dropOnScreen.left, dropOnScreen.top, 0, 0},
               Box{boxOnScreen.left, boxOnScreen.top + boxOnScreen.height, 0, 0},
               "under the box, left edges aligned");
    RECT client;
    GetClientRect(drop, &client);
    CheckEqual(Box{0, 0, client.right, client.bottom}, Box{0, 0, kDropDownWidth, kDropDownHeight},
               "client size");
    Screenshot("date-box-open");

    // A second click while open changes nothing.
    program.Post(box.button(), BM_CLICK, 0, 0);
    Check(DropDownShown(program) && WindowBox(drop) == dropOnScreen,
          "a second click leaves it open where it was");

    const std::wstring before = box.Text();
    const int cell = box.OtherDayCell();
    events.Clear();
    box.ReleaseOverCell(cell, MouseButton::Left);
    Check(WaitFor([&] { return !DropDownShown(program); }), "the drop-down closes after a pick");
    CheckEqual(box.Text(), box.Expected(), "the box shows the picked day");
    Check(box.Text() != before, "the text changed");
    Check(GetForegroundWindow() == program.Window(), "the main window is still active");
    events.Pump(500);
    const std::vector<std::string> order = events.Names({box.box(), drop}, box.box());
    CheckEqual(order, std::vector<std::string>{"box value", "box selection", "box state"},
               "date changed, then day picked, then drop-down closed");
}

TZ_SCENARIO(DateBoxBrowseEsc, "date box: browsing moves the date silently; Esc restores it") {
    Program program;
    if (!program.Started()) return;
    DateBox box(program);
    const std::wstring before = box.Text();
    if (!Check(box.Open(), "\"...\" opens the drop-down")) return;
    box.Press(DropDownPart::YearForward);
    box.Press(DropDownPart::MonthBack);
    box.Press(DropDownPart::MonthLabel);  // the month list
    Screenshot("date-box-month-list");
    box.Press(DropDownPart::MonthLabel);
    box.Press(DropDownPart::YearLabel);  // the year list
    Screenshot("date-box-year-list");
    box.Press(DropDownPart::YearLabel);
    Screenshot("date-box-browsed");
    Check(DropDownShown(program), "still open while browsing");
    CheckEqual(box.Text(), before, "the text is not rebuilt while browsing");

    // Esc, as the user types it: the main window must not hide.
    if (program.Activate()) Xdo("key Escape");
    box.model().PressEscape();
    Check(WaitFor([&] { return !DropDownShown(program); }), "Esc closes the drop-down");
    CheckEqual(box.Text(), before, "the earlier text is back");
    Check(program.Visible(), "Esc went to the drop-down, not to the main window");

    // Browse again and pick: the picked day is in the browsed month.
    box.Open();
    box.Press(DropDownPart::YearBack);
    box.Press(DropDownPart::MonthForward);
    box.ReleaseOverCell(box.OtherDayCell(), MouseButton::Left);
    Check(WaitFor([&] { return !DropDownShown(program); }), "a pick after browsing closes it");
    CheckEqual(box.Text(), box.Expected(), "the box shows the day picked in the browsed month");
}

TZ_SCENARIO(DateBoxReleasesThatPickNothing,
            "date box: right button, another month's day, a press outside") {
    Program program;
    if (!program.Started()) return;
    DateBox box(program);
    const std::wstring before = box.Text();
    if (!Check(box.Open(), "\"...\" opens the drop-down")) return;
    box.ReleaseOverCell(box.OtherDayCell(), MouseButton::Right);
    Check(DropDownShown(program), "a right-button release leaves it open");
    CheckEqual(box.Text(), before, "and changes nothing");
    box.ReleaseOverCell(box.OtherMonthCell(), MouseButton::Left);
    Check(DropDownShown(program), "a release over another month's day leaves it open");
    CheckEqual(box.Text(), before, "and changes nothing");

    box.Press(DropDownPart::MonthForward);
    // The drop-down holds the mouse capture: a press outside reaches it.
    program.Post(DropDown(program), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(-30, -30));
    box.model().LoseActivation();
    Check(WaitFor([&] { return !DropDownShown(program); }), "a press outside closes it");
    CheckEqual(box.Text(), before, "the date saved at opening is back");
    Check(program.Visible(), "the main window stays");
}

TZ_SCENARIO(DateBoxRealInput, "date box: real clicks open, pick, and close by clicking away") {
    Program program;
    if (!program.Started() || !program.Activate()) return;
    DateBox box(program);
    const Box button = WindowBox(box.button());
    const std::string clickButton = "mousemove " + std::to_string(button.left + 10) + ' ' +
                                    std::to_string(button.top + 12) + " click 1";
    Xdo(clickButton);
    box.model().ClickButton();
    if (!Check(WaitFor([&] { return DropDownShown(program); }), "a click on \"...\" opens it"))
        return;
    Check(GetForegroundWindow() == program.Window(), "the main window stays active");
    Sleep(200);  // the drop-down takes the capture once the click is over

    // Hover then pick with the real pointer.
    const int cell = box.OtherDayCell();
    const POINT at = box.CellOnScreen(cell);
    Xdo("mousemove " + std::to_string(at.x) + ' ' + std::to_string(at.y));
    Screenshot("date-box-hover");
    Xdo("click 1");
    const CivilDate picked = DayInCell(*box.model().ShownMonth(), cell);
    Check(WaitFor([&] { return !DropDownShown(program); }), "a real click on a day picks it");
    CheckEqual(box.Text(), Widen(FormatLunarText({}, picked)), "the box shows the picked day");

    // Open again, then click on the desktop far from the program.
    const std::wstring kept = box.Text();
    Xdo(clickButton);
    if (!Check(WaitFor([&] { return DropDownShown(program); }), "opens again")) return;
    Sleep(200);
    Xdo("mousemove 60 1000 click 1");
    Check(WaitFor([&] { return !DropDownShown(program); }), "a click elsewhere closes it");
    CheckEqual(box.Text(), kept, "and keeps the date");
}

TZ_SCENARIO(DateBoxPlacedAboveRightAligned,
            "date box: at the screen's bottom-right corner it opens above, right-aligned") {
    Program program;
    if (!program.Started()) return;
    DateBox box(program);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const Box window = WindowBox(program.Window());
    SetWindowPos(program.Window(), nullptr, width - window.width, height - window.height, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    program.Sync();
    if (!Check(box.Open(), "\"...\" opens the drop-down")) return;
    const Box at = WindowBox(box.box());
    const Box drop = WindowBox(DropDown(program));
    CheckEqual(drop.top + drop.height, at.top, "its bottom edge on the box's top edge");
    CheckEqual(drop.left + drop.width, at.left + at.width, "right edges aligned");
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(box.box(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    Check(drop.left >= work.left && drop.top >= work.top && drop.left + drop.width <= work.right &&
              drop.top + drop.height <= work.bottom,
          "inside the work area", Show(drop));
    Screenshot("date-box-above");
}

TZ_SCENARIO(DateBoxDeactivation, "date box: the program losing the activation closes it") {
    Program program;
    if (!program.Started()) return;
    DateBox box(program);
    const std::wstring before = box.Text();
    if (!Check(box.Open(), "\"...\" opens the drop-down")) return;
    box.Press(DropDownPart::YearForward);

    // A window of the driver's own takes the activation.
    HWND other = CreateWindowExW(0, L"STATIC", L"tz other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    Check(WaitFor([&] { return !DropDownShown(program); }), "the drop-down closes");
    CheckEqual(box.Text(), before, "the date saved at opening is back");
    DestroyWindow(other);
}

// ---- Soak --------------------------------------------------------------

// What the open drop-down shows on screen: a checksum of its pixels, how
// many are ink, and whether the saved day's frame is there.
struct Picture {
    unsigned long long checksum = 0;
    int ink = 0;
    int frame = 0;
};

Picture Capture(HWND drop) {
    RECT r{};
    GetClientRect(drop, &r);
    POINT origin{0, 0};
    ClientToScreen(drop, &origin);
    const ScreenCapture shot(Box{origin.x, origin.y, r.right, r.bottom});
    Picture picture;
    for (int y = origin.y; y < origin.y + r.bottom; ++y) {
        for (int x = origin.x; x < origin.x + r.right; ++x) {
            const COLORREF c = shot.At(x, y);
            const unsigned blue = GetBValue(c), green = GetGValue(c), red = GetRValue(c);
            picture.checksum =
                picture.checksum * 1099511628211ull + (blue | green << 8 | red << 16);
            if (blue < 96 && green < 96 && red < 96) ++picture.ink;
            if (blue == 215 && green == 120 && red == 0) ++picture.frame;
        }
    }
    return picture;
}

// Wine fills only PagefileUsage for another process; Windows counts the
// same private bytes in both.
SIZE_T PrivateKiB(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    CloseHandle(process);
    return std::max(counters.PrivateUsage, counters.PagefileUsage) / 1024;
}

// Sends a message and waits for the answer, as a user's click would be
// handled before the next.
void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
}

LPARAM Middle(PixelRect r) { return PointParam((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// One opening of the drop-down: browse, hover, then close by Esc, by a
// press outside, or by picking the day the box already shows. Returns
// false when the drop-down did not open or did not close.
bool SoakCycle(const Program& program, HWND button, int cycle, int savedCell) {
    Send(button, BM_CLICK, 0, 0);
    HWND drop = DropDown(program);
    if (drop == nullptr || !IsWindowVisible(drop)) return false;
    // Each message below that changes what is shown is painted before the
    // next arrives: the program is idle in between.
    Send(drop, WM_MOUSEMOVE, 0, Middle(CellRect(DropDownPage::Days, 8 + cycle % 20)));
    const LPARAM yearLabel = Middle(PartRect(DropDownPart::YearLabel));
    switch (cycle % 3) {
        case 0:  // browse, then Esc
            Send(drop, WM_LBUTTONDOWN, MK_LBUTTON, Middle(PartRect(DropDownPart::YearForward)));
            Send(drop, WM_LBUTTONDOWN, MK_LBUTTON, Middle(PartRect(DropDownPart::MonthBack)));
            PostMessageW(program.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case 1:  // a year from the year list, then a press outside
            Send(drop, WM_LBUTTONDOWN, MK_LBUTTON, yearLabel);
            Send(drop, WM_LBUTTONUP, 0, Middle(CellRect(DropDownPage::Years, cycle % 40)));
            Send(drop, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(-30, -30));
            break;
        default:  // the month list opened and closed, then the shown day picked again
            Send(drop, WM_LBUTTONDOWN, MK_LBUTTON, Middle(PartRect(DropDownPart::MonthLabel)));
            Send(drop, WM_LBUTTONDOWN, MK_LBUTTON, Middle(PartRect(DropDownPart::MonthLabel)));
            Send(drop, WM_LBUTTONUP, 0, Middle(CellRect(DropDownPage::Days, savedCell)));
            break;
    }
    const ULONGLONG end = GetTickCount64() + 5000;
    while (IsWindowVisible(drop)) {
        if (GetTickCount64() > end) return false;
        Sleep(1);
    }
    return true;
}

// Opens the drop-down and takes its picture.
Picture OpenedPicture(const Program& program, HWND button) {
    Send(button, BM_CLICK, 0, 0);
    HWND drop = DropDown(program);
    if (drop == nullptr) return {};
    UpdateWindow(drop);
    program.Sync();
    Sleep(100);
    return Capture(drop);
}

// TZ_SOAK_CYCLES openings (100 unless given: bench/soak_date_box.sh gives
// tens of thousands, enough to run out the GDI handle table if an opening
// leaked a handle). Then the drop-down must still paint the same picture
// and pick, and the private memory must not have grown.
TZ_SCENARIO(DateBoxSoak, "soak: date box drop-down opened, browsed and closed many times") {
    char given[16] = {};
    const int cycles =
        GetEnvironmentVariableA("TZ_SOAK_CYCLES", given, sizeof(given)) ? std::atoi(given) : 100;
    Program program;
    if (!program.Started() || !program.Activate()) return;
    DateBox box(program);
    const std::wstring shown = box.Text();
    int savedCell = -1;
    const std::optional<MonthView> view = BuildMonthView(*box.model().Date(), std::nullopt);
    for (int i = 0; i < kMonthCellCount; ++i) {
        if (view->cells[static_cast<std::size_t>(i)].date == *box.model().Date()) savedCell = i;
    }

    const Picture fresh = OpenedPicture(program, box.button());
    Check(fresh.ink > 100 && fresh.frame > 20, "a fresh drop-down shows text and the saved day",
          "ink " + Show(fresh.ink) + ", frame " + Show(fresh.frame));
    PostMessageW(program.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return !DropDownShown(program); });

    // Warm up first, so that caches and heaps of the first openings do not count.
    int failedCycle = -1;
    for (int i = 0; i < 60 && failedCycle < 0; ++i) {
        if (!SoakCycle(program, box.button(), i, savedCell)) failedCycle = i;
    }
    const SIZE_T before = PrivateKiB(program.ProcessId());
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < cycles && failedCycle < 0; ++i) {
        if (!SoakCycle(program, box.button(), i, savedCell)) failedCycle = i;
    }
    const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    const SIZE_T after = PrivateKiB(program.ProcessId());
    std::printf("  %d cycles in %.1f s; private memory before %zu KiB, after %zu KiB\n", cycles,
                seconds, static_cast<std::size_t>(before), static_cast<std::size_t>(after));
    std::fflush(stdout);
    Check(failedCycle < 0, "every cycle opens and closes the drop-down",
          "cycle " + Show(failedCycle));
    // 512 KiB over 30,000 cycles: less than 18 bytes a cycle.
    Check(after <= before + 512, "private memory does not grow",
          Show(static_cast<long long>(after) - static_cast<long long>(before)) + " KiB more");
    CheckEqual(box.Text(), shown, "the box still shows its day");

    const Picture later = OpenedPicture(program, box.button());
    Check(later.checksum == fresh.checksum, "the drop-down still paints the same picture",
          "ink " + Show(later.ink) + " (was " + Show(fresh.ink) + "), frame " + Show(later.frame));
    box.model().ClickButton();
    box.ReleaseOverCell(box.OtherDayCell(), MouseButton::Left);
    Check(WaitFor([&] { return !DropDownShown(program); }), "and still picks");
    CheckEqual(box.Text(), box.Expected(), "the picked day is shown");
}

}  // namespace
}  // namespace tz::e2e
