// The tray icon seen from outside: in place before the window shows, clicks
// as the notification area reports them, the tray menu and its three items,
// the icon coming back after the shell lost it, and one instance per session.
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "harness.h"
#include "tray_desktop.h"

namespace tz::e2e {
namespace {

const std::wstring kTip = L"托盘图标";
constexpr char kHome[] = "http://" TZ_STOREFRONT_HOST;
constexpr char kAbout[] = "欢迎使用本软件，软件版本V3.2";
constexpr UINT kIconId = 1;

bool HasOurIcon() { return TrayIconCount(kTip) == 1; }
bool NoIconOfOurs() { return TrayIconCount(kTip) == 0; }

// Where our icon is on the screen, if it is there once.
std::optional<Box> OurIcon() {
    std::optional<Box> found;
    int count = 0;
    for (const TrayIconInfo& icon : TrayIcons()) {
        if (icon.tip != kTip) continue;
        found = icon.box;
        ++count;
    }
    return count == 1 ? found : std::nullopt;
}

// Deletes the program's icon behind its back, as a restarting shell does.
void DropIcon(const Program& program) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = program.Window();
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void PumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
}

// A stand-in notification area that turns every icon down. Shell_NotifyIcon
// talks to the first "Shell_TrayWnd" it finds; a topmost one of ours comes
// before the real one.
class RefusingTray {
  public:
    RefusingTray() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Refuse;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP,
                                  0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~RefusingTray() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    RefusingTray(const RefusingTray&) = delete;
    RefusingTray& operator=(const RefusingTray&) = delete;

    bool InFront() const {
        return window_ != nullptr && FindWindowW(L"Shell_TrayWnd", nullptr) == window_;
    }

  private:
    static LRESULT CALLBACK Refuse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) return FALSE;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// Starts the program without waiting for anything.
PROCESS_INFORMATION StartProgram() {
    std::wstring commandLine = L"\"" + Settings().program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    CreateProcessW(Settings().program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                   nullptr, Settings().workDir.c_str(), &startup, &process);
    return process;
}

long long ExitCodeWithin(const PROCESS_INFORMATION& process, DWORD ms) {
    if (process.hProcess == nullptr || WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

void EndProcess(PROCESS_INFORMATION& process) {
    if (process.hProcess == nullptr) return;
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
}

// Opens the tray menu with the pointer at (x, y) and returns its window.
HWND OpenTrayMenu(const Program& program, int x, int y) {
    Xdo("mousemove " + std::to_string(x) + " " + std::to_string(y));
    SendTrayMouse(program, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitFor([&] { return (menu = PopupMenuOf(program)) != nullptr; });
    return menu;
}

// Chooses item `index` of three in an open pop-up menu with a real click.
void ChooseItem(HWND menu, int index) {
    const Box box = WindowBox(menu);
    const int itemHeight = (box.height - 6) / 3;  // three items of equal height in a thin frame
    Xdo(XdoAt({box.left, box.top + 3 + index * itemHeight, box.width, itemHeight}, "click 1"));
}

HWND WaitForNotice(const Program& program) {
    HWND box = nullptr;
    WaitFor([&] {
        const std::vector<HWND> boxes = program.MessageBoxes();
        box = boxes.size() == 1 ? boxes.front() : nullptr;
        return box != nullptr;
    });
    return box;
}

TZ_SCENARIO(TrayIconBeforeShow, "tray: icon with its tip in place before the window first shows") {
    SweepDeadTrayIcons();
    Check(WaitFor([] { return NoIconOfOurs(); }), "fixture: no icon of ours before the start");
    // Snapshots with the program's GUI thread held still, from the moment its
    // main window exists until it is shown: the icon must come first.
    PROCESS_INFORMATION process = StartProgram();
    bool shown = false;
    int iconsWhenShown = -1;
    bool iconWhileHidden = false;
    const ULONGLONG end = GetTickCount64() + 15000;
    while (!shown && GetTickCount64() < end) {
        HWND window = FindWindowW(L"TzMainWindow", nullptr);
        if (window == nullptr) {
            Sleep(1);
            continue;
        }
        SuspendThread(process.hThread);
        shown = IsWindowVisible(window) != FALSE;
        const int icons = TrayIconCount(kTip);
        ResumeThread(process.hThread);
        if (shown) iconsWhenShown = icons;
        iconWhileHidden = iconWhileHidden || (!shown && icons == 1);
    }
    if (Check(shown, "the main window shows")) {
        CheckEqual(iconsWhenShown, 1, "one icon with the tip 托盘图标 when the window first shows");
    }
    // Seen only when a snapshot falls between the two, which is a matter of luck.
    if (iconWhileHidden) Check(true, "the icon was there while the window was still hidden");

    HWND window = FindWindowW(L"TzMainWindow", nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !IsWindowVisible(window); }) && HasOurIcon(),
          "a closed window hides; the icon stays");
    EndProcess(process);
}

TZ_SCENARIO(TrayClicks, "tray: a single click does nothing, a double click shows the window") {
    SweepDeadTrayIcons();
    Program program;
    if (!program.Started()) return;
    HWND window = program.Window();
    // Moved away from the centre, so that "where it was" means something.
    SetWindowPos(window, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    program.Sync();
    if (!Check(CloseAndWait(program), "fixture: the window is hidden")) return;

    SendTrayMouse(program, WM_LBUTTONDOWN);
    SendTrayMouse(program, WM_LBUTTONUP);
    Sleep(300);
    Check(!program.Visible() && PopupMenuOf(program) == nullptr && program.MessageBoxes().empty(),
          "a single left click on the icon changes nothing");

    // A double click as the notification area reports it: up, double click, up.
    const UINT doubleClick[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (UINT message : doubleClick) SendTrayMouse(program, message);
    Check(WaitFor([&] { return program.Visible(); }), "a double click shows the hidden window");
    CheckEqual(WindowBox(window), Box{100, 120, 694, 337}, "shown where it was");
    Check(WaitFor([&] { return GetForegroundWindow() == window; }), "shown as the active window");

    for (UINT message : doubleClick) SendTrayMouse(program, message);
    Check(program.Visible() && PopupMenuOf(program) == nullptr,
          "a double click on a shown window leaves it shown");
    const UINT others[] = {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK};
    for (UINT message : others) SendTrayMouse(program, message);
    Sleep(200);
    Check(PopupMenuOf(program) == nullptr && program.Visible(),
          "moves, presses and other buttons do nothing");

    // The same with the real mouse on the icon.
    CloseAndWait(program);
    const auto icon = OurIcon();
    if (!Check(icon.has_value() && !program.Visible(), "fixture: hidden, icon in place")) return;
    Xdo(XdoAt(*icon, "click 1"));
    Sleep(600);  // longer than a double click takes
    program.Sync();
    Check(!program.Visible(), "a real single click on the icon leaves the window hidden");
    Xdo(XdoAt(*icon, "click --repeat 2 --delay 80 1"));
    Check(WaitFor([&] { return program.Visible(); }),
          "a real double click on the icon shows the window");
}

TZ_SCENARIO(TrayMenu, "tray: right click opens the tray menu; its items act as in the menu bar") {
    SweepDeadTrayIcons();
    Program program;
    if (!program.Started()) return;
    if (!Check(CloseAndWait(program), "fixture: the window is hidden")) return;

    HWND menu = OpenTrayMenu(program, 900, 500);
    if (!Check(menu != nullptr, "a right click opens a pop-up menu")) return;
    const Box box = WindowBox(menu);
    CheckEqual(box.left + box.width, 895, "its right edge 5 pixels left of the pointer");
    CheckEqual(box.top, 495, "its top 5 pixels above the pointer");
    Screenshot("tray-menu");
    ClearUrls();
    Xdo("mousemove 300 300 click 1");
    Check(WaitFor([&] { return PopupMenuOf(program) == nullptr; }), "a click elsewhere closes it");
    program.Sync();
    Check(program.MessageBoxes().empty() && !program.Visible() && CollectUrls(0).empty(),
          "closed without a choice, it does nothing");

    menu = OpenTrayMenu(program, 900, 500);
    if (!Check(menu != nullptr, "the menu opens again")) return;
    ChooseItem(menu, 0);
    HWND notice = WaitForNotice(program);
    if (Check(notice != nullptr, "关于本程序 shows a notice")) {
        CheckEqual(TextOf(notice), Widen("信息："), "its caption");
        wchar_t text[256] = {};
        GetDlgItemTextW(notice, 0xFFFF, text, 256);
        CheckEqual(std::wstring(text), Widen(kAbout), "its text");
        Check(GetWindow(notice, GW_OWNER) == nullptr, "it has no owner");
        Check(!program.Visible(), "the main window stays hidden");
        Screenshot("tray-notice");
        PostMessageW(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0);
        Check(WaitFor([&] { return program.MessageBoxes().empty(); }), "OK closes it");
    }

    ClearUrls();
    menu = OpenTrayMenu(program, 900, 500);
    if (!Check(menu != nullptr, "the menu opens again")) return;
    ChooseItem(menu, 1);
    CheckEqual(CollectUrls(1), std::vector<std::string>{kHome},
               "官方网站 hands over the storefront's home page");
    Check(!program.Visible(), "the window stays hidden");

    // "退出" from a menu opened by a real right click on the icon.
    const auto icon = OurIcon();
    if (!Check(icon.has_value(), "fixture: the icon is there")) return;
    Xdo(XdoAt(*icon, "click 3"));
    menu = nullptr;
    WaitFor([&] { return (menu = PopupMenuOf(program)) != nullptr; });
    if (!Check(menu != nullptr, "a real right click on the icon opens the menu")) return;
    ChooseItem(menu, 2);
    CheckEqual(program.WaitExit(5000), 0, "退出 ends the program with exit code 0");
    Check(WaitFor([] { return NoIconOfOurs(); }), "the icon leaves the notification area");
}

TZ_SCENARIO(TrayIconComesBack, "tray: the icon comes back when the shell has lost it") {
    SweepDeadTrayIcons();
    Program program;
    if (!program.Started()) return;
    HWND window = program.Window();
    if (!Check(WaitFor([] { return HasOurIcon(); }), "fixture: the icon is there")) return;

    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    DropIcon(program);
    if (!Check(WaitFor([] { return NoIconOfOurs(); }), "fixture: the icon is gone")) return;
    PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    program.Sync();
    Check(WaitFor([] { return HasOurIcon(); }), "\"TaskbarCreated\" adds it again, with its tip");
    PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    program.Sync();
    Sleep(200);
    Check(HasOurIcon(), "a second \"TaskbarCreated\" leaves exactly one icon");

    // Lost without notice: the next close request puts it back, then hides.
    DropIcon(program);
    WaitFor([] { return NoIconOfOurs(); });
    Check(CloseAndWait(program) && HasOurIcon(), "a close request adds the lost icon, then hides");
    program.ShowAgain();

    // A notification area that refuses the icon: the window must stay reachable.
    DropIcon(program);
    WaitFor([] { return NoIconOfOurs(); });
    {
        RefusingTray refusing;
        if (Check(refusing.InFront(), "fixture: the refusing notification area answers first")) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            PumpFor(800);
            Check(program.Visible(), "with the icon refused, a close request keeps the window");
        }
    }
    Check(CloseAndWait(program) && HasOurIcon(), "once the icon is taken again, closing hides");
}

int MainWindowCount() {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"TzMainWindow", nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, L"TzMainWindow", nullptr)) {
        ++count;
    }
    return count;
}

TZ_SCENARIO(SingleInstance, "one instance: a second start shows the running window and leaves") {
    SweepDeadTrayIcons();
    {
        Program program;
        if (!program.Started()) return;
        HWND window = program.Window();
        if (!Check(CloseAndWait(program), "fixture: the first instance is hidden")) return;

        PROCESS_INFORMATION second = StartProgram();
        CheckEqual(ExitCodeWithin(second, 15000), 0, "the second start exits with code 0");
        EndProcess(second);
        Check(WaitFor([&] { return program.Visible(); }), "the first instance's window shows");
        Check(WaitFor([&] { return GetForegroundWindow() == window; }), "and is the active window");
        CheckEqual(MainWindowCount(), 1, "one main window");
        CheckEqual(TrayIconCount(kTip), 1, "one tray icon");
        Check(program.Running(), "the first instance runs on");
    }

    // Two starts at once: one runs, the other hands over to it while it is
    // still being built.
    WaitFor([] { return MainWindowCount() == 0; }, 5000);
    PROCESS_INFORMATION starts[2] = {StartProgram(), StartProgram()};
    WaitFor([] { return MainWindowCount() > 0; }, 15000);
    Sleep(2000);  // time for a second window or icon to turn up, if one would
    const long long codes[2] = {ExitCodeWithin(starts[0], 0), ExitCodeWithin(starts[1], 0)};
    Check((codes[0] == -1) != (codes[1] == -1), "of two starts at once exactly one runs on",
          "exit codes " + Show(codes[0]) + " and " + Show(codes[1]) + " (-1: running)");
    Check(codes[0] == 0 || codes[1] == 0, "the other exits with code 0");
    CheckEqual(MainWindowCount(), 1, "one main window");
    CheckEqual(TrayIconCount(kTip), 1, "one tray icon");
    for (PROCESS_INFORMATION& start : starts) EndProcess(start);
}

}  // namespace
}  // namespace tz::e2e
