// The main window from outside: place, styles, controls, stacking, keys,
// close requests, session end and "退出".
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "harness.h"

namespace tz::e2e {
namespace {

constexpr int kOuterWidth = 694;
constexpr int kOuterHeight = 337;

int Button(int n) { return ids::kButtonBase + n; }
int Label(int n) { return ids::kLabelBase + n; }

LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
bool Has(LONG_PTR style, LONG_PTR bits) { return (style & bits) == bits; }

// The control table, written out here on purpose rather than read from the
// program: a typo in the program's table must show up as a difference.
struct ExpectedControl {
    int id;
    const char* name;
    const wchar_t* className;  // nullptr: the program's own class
    Box box;                   // client coordinates
    const char* text;          // nullptr: not checked
    bool tabStop;
};

const ExpectedControl kControls[] = {
    {Label(4), "标签4", L"Static", {440, 224, 64, 24}, "官方网站：", false},
    {ids::kHyperlink, "超级链接框1", nullptr, {504, 224, 104, 24}, TZ_STOREFRONT_HOST, false},
    {Label(3),
     "标签3",
     L"Static",
     {440, 96, 224, 120},
     "说明：\r\n\r\n1.加入分站享受专属优惠价，还可以轻松赚钱\r\n2.点击按钮会打开我们的官方网址，"
     "打开后直接下单即可，如有问题，可点击在线客服解决。\r\n3."
     "本站集加粉，刷双击，刷评论，刷播放为一"
     "体，轻松助你成网红\r\n",
     false},
    {Label(2),
     "标签2",
     L"Static",
     {8, 24, 336, 24},
     "    需要什么业务，请直接点击下面按钮，可官网自助下单",
     false},
    {Button(12), "按钮12", L"Button", {264, 216, 80, 32}, "全部业务", true},
    {Button(11), "按钮11", L"Button", {264, 168, 80, 32}, "开通分站", true},
    {Button(10), "按钮10", L"Button", {264, 120, 80, 32}, "各类直播", true},
    {Button(9), "按钮9", L"Button", {264, 72, 80, 32}, "小红书业务", true},
    {Button(8), "按钮8", L"Button", {136, 216, 80, 32}, "微信公众号", true},
    {Button(7), "按钮7", L"Button", {136, 168, 80, 32}, "火山业务", true},
    {Button(6), "按钮6", L"Button", {136, 120, 80, 32}, "QQ空间", true},
    {Button(5), "按钮5", L"Button", {136, 72, 80, 32}, "新浪微博", true},
    {Button(4), "按钮4", L"Button", {8, 216, 80, 32}, "QQ名片", true},
    {Button(3), "按钮3", L"Button", {8, 168, 80, 32}, "全面K歌", true},
    {Button(2), "按钮2", L"Button", {8, 120, 80, 32}, "快手业务", true},
    {Label(1), "标签1", L"Static", {440, 24, 80, 24}, "您好，今天是：", false},
    // The lunar date box may show nothing until the calendar is in.
    {ids::kCalendarBox, "农历日期框1", nullptr, {440, 56, 220, 24}, nullptr, true},
    {Button(1), "按钮1", L"Button", {8, 72, 80, 32}, "抖音业务", true},
};

// A control whose focusable part is a child of it (the date box) counts as a
// tab stop when that child is one.
bool IsTabStop(HWND control) {
    if (Has(Style(control), WS_TABSTOP)) return true;
    for (HWND child = GetWindow(control, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        if (IsTabStop(child)) return true;
    return false;
}

bool SameClass(const std::wstring& actual, const wchar_t* expected) {
    return lstrcmpiW(actual.c_str(), expected) == 0;
}

TZ_SCENARIO(MainWindowPlaceAndStyle, "main window: place, size, styles, menu bar") {
    Program program;
    if (!program.Started()) return;
    HWND window = program.Window();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CheckEqual(Box{0, 0, screenWidth, screenHeight}, Box{0, 0, 1920, 1080},
               "the test desktop is 1920 x 1080");
    CheckEqual(WindowBox(window), Box{613, 371, kOuterWidth, kOuterHeight},
               "outer rectangle, centred on the screen");

    const LONG_PTR style = Style(window);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    Check(Has(style, WS_CAPTION | WS_SYSMENU), "title bar with system menu");
    Check(!Has(style, WS_THICKFRAME), "fixed border: not resizable");
    Check(!Has(style, WS_MINIMIZEBOX), "no minimize box");
    Check(!Has(style, WS_MAXIMIZEBOX), "no maximize box");
    Check(!Has(style, WS_CHILD) && !Has(style, WS_DISABLED), "an enabled top-level window");
    Check(!Has(exStyle, WS_EX_TOPMOST), "not always on top");
    Check(!Has(exStyle, WS_EX_TOOLWINDOW), "not a tool window (it has a taskbar button)");
    Check(GetWindow(window, GW_OWNER) == nullptr, "no owner, so its own taskbar button");
    CheckEqual(TextOf(window), std::wstring(kMainTitle), "title");
    Check(GetMenu(window) != nullptr, "a menu bar is attached");
    Check(GetForegroundWindow() == window, "the active window at start");

    // The window icons are not checked here: WM_GETICON from another process
    // answers 0 under Wine although the title bar shows the icon.

    // The menu of another process cannot be read; its one-line bar shows in
    // the gap between the title bar and the client area.
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    CheckEqual(origin.y - WindowBox(window).top,
               GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) +
                   GetSystemMetrics(SM_CYMENU),
               "border, title bar and a one-line menu bar above the client area");
}

TZ_SCENARIO(ControlTable, "main window: every control against the table") {
    Program program;
    if (!program.Started()) return;
    HWND window = program.Window();
    RECT client{};
    GetClientRect(window, &client);

    for (const ExpectedControl& expected : kControls) {
        const std::string name = expected.name;
        HWND control = program.Control(expected.id);
        if (!Check(control != nullptr, name + " exists (ID " + std::to_string(expected.id) + ")"))
            continue;
        Check(GetAncestor(control, GA_PARENT) == window, name + " sits directly on the window");
        Check(IsWindowVisible(control) != FALSE, name + " is visible");
        Check(IsWindowEnabled(control) != FALSE, name + " is enabled");
        CheckEqual(ClientBoxIn(control, window), expected.box, name + " place and size");
        if (expected.className != nullptr) {
            const std::wstring className = ClassOf(control);
            Check(
                SameClass(className, expected.className), name + " class",
                "got " + Show(className) + ", expected " + Show(std::wstring(expected.className)));
        }
        if (expected.text != nullptr)
            CheckEqual(TextOf(control), Widen(expected.text), name + " text");
        CheckEqual(IsTabStop(control), expected.tabStop, name + " tab stop");
        if (expected.className != nullptr && SameClass(expected.className, L"Button"))
            CheckEqual(Style(control) & BS_TYPEMASK, BS_PUSHBUTTON,
                       name + " is a plain push button, not the default one");
    }

    // The status bar docks at the bottom of the client area at run time.
    HWND statusBar = program.Control(ids::kStatusBar);
    if (Check(statusBar != nullptr, "状态条1 exists")) {
        Check(SameClass(ClassOf(statusBar), L"msctls_statusbar32"), "状态条1 is a status bar");
        Check(IsWindowVisible(statusBar) != FALSE, "状态条1 is visible");
        const Box box = ClientBoxIn(statusBar, window);
        CheckEqual(Box{box.left, box.top + box.height, box.width, 0},
                   Box{0, client.bottom, client.right, 0},
                   "状态条1 spans the bottom edge of the client area");
    }
    Check(program.Control(ids::kClockTimer) == nullptr, "时钟1 is a timer, not a window");
    CheckEqual(client.right, kOuterWidth - 2 * GetSystemMetrics(SM_CXFIXEDFRAME),
               "client width inside the fixed border");

    // Stacking: record 1 on top, each later record below those before it.
    std::vector<int> expectedOrder = {ids::kStatusBar};
    for (const ExpectedControl& expected : kControls) expectedOrder.push_back(expected.id);
    std::vector<int> order;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id == ids::kStatusBar || id == ids::kHyperlink || id == ids::kCalendarBox ||
            (id > ids::kButtonBase && id <= Button(12)) || (id > ids::kLabelBase && id <= Label(4)))
            order.push_back(id);
    }
    CheckEqual(order, expectedOrder, "stacking order of the controls (top first)");
}

TZ_SCENARIO(TabOrder, "keys: Tab and Shift+Tab cycle through the tab order") {
    Program program;
    if (!program.Started()) return;
    Check(WaitFor([&] { return program.FocusedControlId() == Button(1); }),
          "按钮1 has the focus at start", "focus on " + Show(program.FocusedControlId()));
    if (!Check(program.Activate(), "the window can be made the foreground window")) return;

    std::vector<int> forwardExpected = {ids::kCalendarBox};
    for (int n = 2; n <= 12; ++n) forwardExpected.push_back(Button(n));
    forwardExpected.push_back(Button(1));
    std::vector<int> backwardExpected(forwardExpected.rbegin() + 1, forwardExpected.rend());
    backwardExpected.push_back(Button(1));

    const struct {
        const char* key;
        const std::vector<int>& expected;
    } cases[] = {{"Tab", forwardExpected}, {"shift+Tab", backwardExpected}};
    for (const auto& keyCase : cases) {
        std::vector<int> seen;
        for (std::size_t i = 0; i < keyCase.expected.size(); ++i) {
            if (!Xdo(std::string("key ") + keyCase.key)) break;
            program.Sync();
            seen.push_back(program.FocusedControlId());
        }
        CheckEqual(seen, keyCase.expected, std::string("focus after each ") + keyCase.key);
    }
}

TZ_SCENARIO(EnterAndF1, "keys: Enter and F1 change nothing") {
    Program program;
    if (!program.Started() || !Check(program.Activate(), "the window is in the foreground")) return;
    const Box place = WindowBox(program.Window());
    for (const char* key : {"Return", "KP_Enter", "F1"}) {
        const std::string what = std::string(key) + " on 按钮1: ";
        ClearUrls();
        Xdo(std::string("key ") + key);
        program.Sync();
        CheckEqual(CollectUrls(0), std::vector<std::string>{}, what + "no address handed over");
        Check(program.Visible(), what + "the window stays visible");
        CheckEqual(WindowBox(program.Window()), place, what + "the window stays in place");
        CheckEqual(program.FocusedControlId(), Button(1), what + "the focus stays");
        Check(program.MessageBoxes().empty(), what + "no message box");
    }
}

TZ_SCENARIO(CloseRequestsHide, "close requests hide the window; the program runs on") {
    Program program;
    if (!program.Started()) return;
    HWND window = program.Window();
    const struct {
        const char* what;
        UINT message;  // 0: real keys
        WPARAM wParam;
        const char* keys;
    } requests[] = {
        {"WM_CLOSE (close box)", WM_CLOSE, 0, nullptr},
        {"SC_CLOSE (system menu, taskbar)", WM_SYSCOMMAND, SC_CLOSE, nullptr},
        {"Esc", 0, 0, "Escape"},
        {"Alt+F4", 0, 0, "alt+F4"},
    };
    bool first = true;
    for (const auto& request : requests) {
        const std::string what = request.what;
        if (!first) program.ShowAgain();
        first = false;
        if (!Check(program.Visible(), what + ": visible before")) continue;
        if (request.message != 0) {
            program.Post(window, request.message, request.wParam, 0);
        } else {
            program.Activate();
            Xdo(std::string("key ") + request.keys);
        }
        Check(WaitFor([&] { return !program.Visible(); }), what + ": the window is hidden");
        Sleep(200);
        Check(program.Running(), what + ": the program runs on");
        Check(IsWindow(window) != FALSE, what + ": the window still exists");
        Check(program.MessageBoxes().empty(), what + ": no question asked");
    }
}

TZ_SCENARIO(ShowAgainKeepsState, "hidden and shown again: same place, same focus") {
    Program program;
    if (!program.Started() || !Check(program.Activate(), "the window is in the foreground")) return;
    HWND window = program.Window();
    // Focus to 按钮5 (Tab order: 按钮1, date box, 按钮2 ... 按钮5) and move the window.
    for (int i = 0; i < 5; ++i) Xdo("key Tab");
    program.Sync();
    CheckEqual(program.FocusedControlId(), Button(5), "按钮5 has the focus before hiding");
    SetWindowPos(window, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    program.Sync();
    const Box moved = WindowBox(window);
    CheckEqual(moved, Box{100, 120, kOuterWidth, kOuterHeight}, "the window can be moved");

    program.Post(window, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !program.Visible(); }), "hidden");
    program.ShowAgain();
    Check(program.Visible(), "shown again");
    CheckEqual(WindowBox(window), moved, "back where it was left");
    CheckEqual(program.FocusedControlId(), Button(5), "按钮5 has the focus again");
}

// ENDSESSION_LOGOFF is an unsigned 0x80000000; LPARAM is signed.
const LPARAM kLogOff = static_cast<LPARAM>(ENDSESSION_LOGOFF);

TZ_SCENARIO(SessionEnd, "session end: the query is answered yes, the end exits with 0") {
    Program program;
    if (!program.Started()) return;
    HWND window = program.Window();
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, kLogOff,
                                             SMTO_ABORTIFHUNG, 3000, &answer);
    Check(sent != 0 && answer != 0, "WM_QUERYENDSESSION answers TRUE: the session may end");
    Check(program.Visible() && program.Running(), "the query alone changes nothing");

    // Another program refused: the session goes on, and so does the program.
    SendMessageTimeoutW(window, WM_ENDSESSION, FALSE, kLogOff, SMTO_ABORTIFHUNG, 3000, &answer);
    Sleep(300);
    Check(program.Running() && program.Visible(), "WM_ENDSESSION(FALSE): the program carries on");

    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, kLogOff, SMTO_ABORTIFHUNG, 3000, &answer);
    CheckEqual(program.WaitExit(5000), 0LL,
               "WM_ENDSESSION(TRUE): the process ends with exit code 0");
}

TZ_SCENARIO(MenuBarByKeys, "menu bar: its pop-ups and items by position, with real input") {
    // Each case opens "菜单" with a click in a fresh program, then presses keys.
    enum class Outcome { PopupClosed, OpensRegistration, Exits };
    const struct {
        const char* what;
        const char* keys;
        Outcome outcome;
    } cases[] = {
        {"Esc in the pop-up closes it, not the window", "Escape", Outcome::PopupClosed},
        {"Right, Enter: 开通分站 > its first item 开通", "Right Return",
         Outcome::OpensRegistration},
        {"Up, Enter: 菜单 > its last item 退出", "Up Return", Outcome::Exits},
    };
    for (const auto& menuCase : cases) {
        const std::string what = menuCase.what;
        Program program;
        if (!program.Started()) return;
        HWND popup = OpenFirstMenu(program);
        if (!Check(popup != nullptr, what + ": a click on 菜单 opens its pop-up")) continue;
        ClearUrls();
        Xdo(std::string("key --delay 150 ") + menuCase.keys);
        switch (menuCase.outcome) {
            case Outcome::PopupClosed:
                Check(WaitFor([popup] { return !IsWindowVisible(popup); }), what + ": pop-up gone");
                Sleep(300);
                Check(program.Visible(), what + ": the window stays shown");
                break;
            case Outcome::OpensRegistration:
                CheckEqual(CollectUrls(1),
                           std::vector<std::string>{"http://" TZ_STOREFRONT_HOST "/user/reg.php"},
                           what);
                break;
            case Outcome::Exits:
                CheckEqual(program.WaitExit(5000), 0LL, what + ": exit code 0");
                break;
        }
    }
}

TZ_SCENARIO(ExitCommand, "退出 ends the program with exit code 0") {
    for (const bool hiddenFirst : {false, true}) {
        const std::string what =
            hiddenFirst ? "from the hidden window: " : "from the shown window: ";
        Program program;
        if (!program.Started()) return;
        HWND window = program.Window();
        if (hiddenFirst) {
            program.Post(window, WM_CLOSE, 0, 0);
            WaitFor([&] { return !program.Visible(); });
        }
        PostMessageW(window, WM_COMMAND, ids::kExit, 0);
        CheckEqual(program.WaitExit(5000), 0LL, what + "exit code 0");
        Check(IsWindow(window) == FALSE, what + "the window is gone");
    }
}

}  // namespace
}  // namespace tz::e2e
