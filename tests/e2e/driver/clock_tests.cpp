// The status bar clock seen from outside: the start-up status text, the clock
// text every second (also while the window is hidden), the bar's layout, and
// SetPaneText on a bar of our own.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <regex>
#include <string>

#include "app/command_ids.h"
#include "app/window_layout.h"
#include "display/date_time_text.h"
#include "display/status_bar_win32.h"
#include "harness.h"
#include "tray_desktop.h"

namespace tz::e2e {
namespace {

constexpr DWORD kSendTimeoutMs = 3000;
constexpr char kRunningSuffix[] = "服务器正常运行中..";

// Memory in the program's address space, for messages that pass a pointer.
class RemoteBuffer {
  public:
    RemoteBuffer(DWORD processId, std::size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_ != nullptr) {
            address_ =
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return address_ != nullptr; }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(address_); }
    bool Read(void* out, std::size_t size) const {
        SIZE_T got = 0;
        return size <= size_ && ReadProcessMemory(process_, address_, out, size, &got) &&
               got == size;
    }

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

// WM_GETTEXT reads pane 0 only, and only as the bar's window text; SB_GETTEXTW
// needs a buffer in the program.
std::string PaneText(DWORD processId, HWND bar, int index) {
    const LRESULT lengthAndType = Ask(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
    if (lengthAndType < 0) return "<no answer>";
    // The text may change between the two questions (a tick): read into a
    // buffer with room to spare and stop at the terminator, not at the
    // length asked for first.
    const std::size_t capacity = std::max<std::size_t>(LOWORD(lengthAndType) + 1u, 512u);
    RemoteBuffer buffer(processId, capacity * sizeof(wchar_t));
    if (!buffer.Ok()) return "<no remote buffer>";
    Ask(bar, SB_GETTEXTW, static_cast<WPARAM>(index), buffer.Param());
    std::wstring text(capacity, L'\0');
    if (!buffer.Read(text.data(), text.size() * sizeof(wchar_t))) return "<unreadable>";
    text.resize(wcsnlen(text.c_str(), capacity));
    return Narrow(text);
}

std::vector<int> PaneRightEdges(DWORD processId, HWND bar) {
    const LRESULT count = Ask(bar, SB_GETPARTS, 0, 0);
    if (count <= 0) return {};
    RemoteBuffer buffer(processId, static_cast<std::size_t>(count) * sizeof(int));
    if (!buffer.Ok()) return {};
    Ask(bar, SB_GETPARTS, static_cast<WPARAM>(count), buffer.Param());
    std::vector<int> edges(static_cast<std::size_t>(count));
    if (!buffer.Read(edges.data(), edges.size() * sizeof(int))) return {};
    return edges;
}

SYSTEMTIME Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

ULONGLONG Seconds(const SYSTEMTIME& time) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return ticks / 10000000u;
}

DateTime FromSeconds(ULONGLONG seconds) {
    const ULONGLONG ticks = seconds * 10000000u;
    FILETIME file{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&file, &time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// True when `text` is the text of some whole second from `from` to `to` (local
// time, both ends included) followed by `suffix`.
bool ShowsTimeBetween(const std::string& text, const SYSTEMTIME& from, const SYSTEMTIME& to,
                      const std::string& suffix) {
    for (ULONGLONG s = Seconds(from); s <= Seconds(to); ++s) {
        if (text == DateTimeText(FromSeconds(s)) + suffix) return true;
    }
    return false;
}

SYSTEMTIME SecondsEarlier(SYSTEMTIME time, unsigned seconds) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart -= static_cast<ULONGLONG>(seconds) * 10000000u;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    FileTimeToSystemTime(&file, &time);
    return time;
}

// The shape of the clock text, independent of the formatter: no leading
// zeros, trailing zero fields left out.
const std::regex& ClockShape() {
    static const std::regex shape(
        "[1-9][0-9]*年[1-9][0-9]?月[1-9][0-9]?日"
        "(([0-9]|1[0-9]|2[0-3])时(([0-9]|[1-5][0-9])分(([0-9]|[1-5][0-9])秒)?)?)?");
    return shape;
}

// The date piece of a local time, as the pane must start.
std::string DatePiece(const SYSTEMTIME& t) {
    return std::to_string(t.wYear) + "年" + std::to_string(t.wMonth) + "月" +
           std::to_string(t.wDay) + "日";
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A clock tick shows the time of the last period: up to about a second old.
bool ShowsCurrentTime(const std::string& text, const SYSTEMTIME& readStart,
                      const SYSTEMTIME& readEnd) {
    return std::regex_match(text, ClockShape()) &&
           ShowsTimeBetween(text, SecondsEarlier(readStart, 2), readEnd, "");
}

}  // namespace

TZ_SCENARIO(ClockStartupThenEverySecond,
            "clock: start-up status text, then the clock every second") {
    const SYSTEMTIME launched = Now();
    Program program;
    if (!program.Started()) return;
    HWND bar = program.Control(ids::kStatusBar);
    if (!Check(bar != nullptr, "the status bar exists")) return;
    const DWORD pid = program.ProcessId();

    const std::string first = PaneText(pid, bar, 0);
    const SYSTEMTIME firstRead = Now();
    const ULONGLONG firstTick = GetTickCount64();
    {
        const std::string suffix = kRunningSuffix;
        const bool shaped =
            first.size() > suffix.size() &&
            first.compare(first.size() - suffix.size(), suffix.size(), suffix) == 0 &&
            std::regex_match(first.substr(0, first.size() - suffix.size()), ClockShape()) &&
            (StartsWith(first, DatePiece(launched)) || StartsWith(first, DatePiece(firstRead)));
        Check(shaped, "right after start the pane shows today's date, the time and the status",
              Show(first));
        Check(ShowsTimeBetween(first, launched, firstRead, suffix),
              "the start-up status text carries the time of start-up", Show(first));
    }

    // The first tick comes one period after the timer started, not at once.
    std::string clock;
    const bool ticked = WaitFor(
        [&] {
            clock = PaneText(pid, bar, 0);
            return clock != first;
        },
        2500);
    const ULONGLONG afterMs = GetTickCount64() - firstTick;
    Check(ticked, "the clock text replaces the start-up status within about a second",
          "still " + Show(clock) + " after " + Show(static_cast<long long>(afterMs)) + " ms");
    Check(ShowsCurrentTime(clock, firstRead, Now()), "the first tick shows the bare clock text",
          Show(clock));

    // Every further second: the current time again, a new text each time.
    std::string previous = clock;
    int changes = 0;
    for (int i = 0; i < 3; ++i) {
        Sleep(1100);
        const SYSTEMTIME before = Now();
        const std::string now = PaneText(pid, bar, 0);
        Check(ShowsCurrentTime(now, before, Now()), "each tick shows the current time", Show(now));
        if (now != previous) ++changes;
        previous = now;
    }
    CheckEqual(changes, 3, "the pane changes every second");
    CheckEqual(HIWORD(Ask(bar, SB_GETTEXTLENGTHW, 0, 0)), 0,
               "the pane keeps its sunken border (drawing type 0)");
}

TZ_SCENARIO(ClockStatusBarLayout,
            "clock: status bar docked at the bottom, one pane ending at 300") {
    Program program;
    if (!program.Started()) return;
    HWND bar = program.Control(ids::kStatusBar);
    if (!Check(bar != nullptr, "the status bar exists")) return;

    CheckEqual(ClassOf(bar), std::wstring(STATUSCLASSNAMEW), "the common status bar control");
    CheckEqual(PaneRightEdges(program.ProcessId(), bar), std::vector<int>{300},
               "one pane whose right edge is 300 pixels from the bar's left end");
    CheckEqual(Ask(bar, SB_ISSIMPLE, 0, 0), 0, "the bar shows its panes, not a simple text");

    RECT client{};
    GetClientRect(program.Window(), &client);
    const Box box = ClientBoxIn(bar, program.Window());
    CheckEqual(box.left, 0, "the bar starts at the client area's left edge");
    CheckEqual(box.width, static_cast<int>(client.right), "the bar spans the client width");
    CheckEqual(box.top + box.height, static_cast<int>(client.bottom),
               "the bar sits on the client area's bottom edge");
    Check(box.height > 0 && box.height < 40, "the bar takes its font's height", Show(box));

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(bar, GWL_STYLE));
    Check((style & SBARS_SIZEGRIP) == 0, "no size grip");
    Check((style & SBARS_TOOLTIPS) == 0, "no tooltips");
    Check((style & WS_VISIBLE) != 0, "the bar is visible");

    // A left press on the bar is wired to a handler that does nothing.
    const std::string before = PaneText(program.ProcessId(), bar, 0);
    program.Post(bar, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(40, 5));
    program.Post(bar, WM_LBUTTONUP, 0, PointParam(40, 5));
    const std::string after = PaneText(program.ProcessId(), bar, 0);
    Check(program.Visible() && program.MessageBoxes().empty(),
          "a left press on the bar opens nothing and hides nothing");
    Check(std::regex_match(after, ClockShape()) || after == before,
          "a left press leaves the pane's text alone", Show(after));
    CheckEqual(PaneRightEdges(program.ProcessId(), bar), std::vector<int>{300},
               "a left press leaves the panes alone");
}

TZ_SCENARIO(ClockRunsWhileHidden,
            "clock: hidden for a few seconds, shown again with the current time") {
    Program program;
    if (!program.Started()) return;
    HWND bar = program.Control(ids::kStatusBar);
    if (!Check(bar != nullptr, "the status bar exists")) return;
    const DWORD pid = program.ProcessId();

    if (!Check(CloseAndWait(program), "a close request hides the window")) return;
    Sleep(3000);

    SYSTEMTIME before = Now();
    std::string text = PaneText(pid, bar, 0);
    Check(ShowsCurrentTime(text, before, Now()), "while hidden the pane is still written",
          Show(text));

    SendTrayMouse(program, WM_LBUTTONDBLCLK);
    Check(WaitFor([&] { return program.Visible(); }),
          "a double click on the tray icon shows the window again");
    before = Now();
    text = PaneText(pid, bar, 0);
    Check(ShowsCurrentTime(text, before, Now()),
          "shown again, the pane shows the current time, not the time it was hidden", Show(text));

    // And it is painted: dark text pixels inside the pane on screen.
    Sleep(300);
    Box pane = WindowBox(bar);
    pane.width = 300;
    const ScreenCapture shot(pane);
    int ink = 0;
    for (int y = pane.top; y < pane.top + pane.height; ++y) {
        for (int x = pane.left; x < pane.left + pane.width; ++x) {
            const COLORREF c = shot.At(x, y);
            if (c != CLR_INVALID && GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96)
                ++ink;
        }
    }
    Check(ink > 20, "shown again, the pane is painted with its text",
          Show(static_cast<long long>(ink)) + " dark pixels");
}

// SetPaneText on a bar built from the same record, in this process. The
// control reads only the low byte of the index: without our range check 256
// would overwrite pane 0 and -1 would become the simple-mode index 255.
TZ_SCENARIO(ClockSetPaneTextRange, "clock: SetPaneText writes only the panes that exist") {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 694, 337, nullptr,
                                  nullptr, instance, nullptr);
    const ControlRecord* record = FindControl(ids::kStatusBar);
    if (!Check(parent != nullptr && record != nullptr, "a parent window and the bar's record")) {
        if (parent != nullptr) DestroyWindow(parent);
        return;
    }
    HWND bar = CreateStatusBar(parent, *record, instance);
    if (!Check(bar != nullptr, "CreateStatusBar makes the bar")) {
        DestroyWindow(parent);
        return;
    }
    const DWORD self = GetCurrentProcessId();
    CheckEqual(PaneText(self, bar, 0), std::string("服务器正常运行中..."),
               "the initial text from the window description, three full stops");

    struct Case {
        int index;
        const char* text;
        const char* pane0;  // pane 0 afterwards
    };
    const std::string longText(400, 'x');  // wider than the pane: kept whole
    const Case cases[] = {
        {-1, "minus one", "服务器正常运行中..."},
        {0, "zero", "zero"},
        {1, "one", "zero"},
        {255, "simple", "zero"},
        {256, "aliased", "zero"},
        {0, longText.c_str(), longText.c_str()},
        {0, "", ""},
    };
    for (const Case& c : cases) {
        SetPaneText(bar, c.index, c.text);
        const std::string what =
            "SetPaneText(" + std::to_string(c.index) + ", " + Show(std::string(c.text)) + ")";
        CheckEqual(PaneText(self, bar, 0), std::string(c.pane0), what + ": pane 0");
        CheckEqual(Ask(bar, SB_GETPARTS, 0, 0), 1, what + ": still one pane");
        CheckEqual(HIWORD(Ask(bar, SB_GETTEXTLENGTHW, 0, 0)), 0, what + ": pane 0 stays sunken");
        CheckEqual(Ask(bar, SB_ISSIMPLE, 0, 0), 0, what + ": not in simple mode");
    }
    DestroyWindow(parent);
}

}  // namespace tz::e2e
