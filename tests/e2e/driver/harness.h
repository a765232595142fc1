// End-to-end harness: drives a running tangzhou.exe from outside, the way the
// desktop and the user do, on the same Wine desktop.
//
// Scenarios register themselves with TZ_SCENARIO and run one after another;
// each starts the program itself through Program. Checks are counted one by
// one; a failure prints the scenario and what was checked. The driver ends
// with the line "N passed, N failed".
//
// How things get across the process boundary under Wine:
//   - window state: FindWindowW, GetDlgItem, GetWindowLongPtrW, rectangles,
//     WM_GETTEXT through SendMessageTimeoutW (never a plain SendMessage: a
//     hung program must not hang the driver);
//   - commands: posted WM_COMMAND with the IDs of app/command_ids.h (menus of
//     another process cannot be read: error 1456);
//   - real input: Xdo() starts the Unix xdotool through /bin/sh (Wine runs a
//     Unix program given by a Unix path) and waits for a marker file the shell
//     writes afterwards, since the handle Wine returns for a Unix process
//     cannot be waited on;
//   - addresses handed to the shell: the prefix's http handler appends them
//     to C:\tz-urls.log (tests/e2e/log-url.sh).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tz::e2e {

// ---- Checks ---------------------------------------------------------------

using ScenarioFn = void (*)();

struct ScenarioRegistration {
    ScenarioRegistration(const char* name, ScenarioFn run);
};

#define TZ_SCENARIO(ident, name)                                                   \
    static void ident();                                                           \
    static const ::tz::e2e::ScenarioRegistration ident##Registration{name, ident}; \
    static void ident()

// Runs the scenarios whose name contains `filter` (all when empty); returns
// the number of failed checks.
int RunScenarios(std::string_view filter);

// Counts one check; on failure prints the scenario, `what` and `detail`.
bool Check(bool ok, std::string_view what, std::string_view detail = {});

// A place and size in pixels, as the control table gives them.
struct Box {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const Box&, const Box&) = default;
};

std::string Show(long long value);
std::string Show(const std::string& value);
std::string Show(const std::wstring& value);
std::string Show(const Box& value);
std::string Show(const std::vector<std::string>& lines);
std::string Show(const std::vector<int>& values);

template <typename T, typename U>
bool CheckEqual(const T& actual, const U& expected, std::string_view what) {
    if (actual == expected) return Check(true, what);
    return Check(false, what, "got " + Show(actual) + ", expected " + Show(expected));
}

// ---- Texts ----------------------------------------------------------------

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// ---- The program under test -----------------------------------------------

inline constexpr wchar_t kMainTitle[] = L"抖音棠舟--一款多功能加粉软件";

// Settings from the command line: the program's path, and the folder it is
// started in (a folder of its own, see links_tests.cpp).
struct Options {
    std::wstring program;
    std::wstring workDir = L"C:\\tz-cwd";
};
Options& Settings();

// One run of tangzhou.exe, started in the constructor and ended (if it still
// runs) in the destructor. Started() checks that the main window came up.
class Program {
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started();
    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    DWORD ProcessId() const { return processId_; }

    bool Running() const;
    // The exit code once the process has ended within `ms`; -1 while it runs.
    long long WaitExit(DWORD ms) const;
    // Returns once the program's GUI thread has handled everything posted
    // before.
    void Sync() const;
    bool Visible() const { return IsWindowVisible(window_) != FALSE; }
    // The window with the keyboard focus in the program's GUI thread.
    HWND Focus() const;
    // ID of the direct child of the main window that holds the focus (or
    // contains the window that does); 0 when none does.
    int FocusedControlId() const;
    // Visible message boxes (#32770) of the program.
    std::vector<HWND> MessageBoxes() const;
    // Posts and waits until the program has handled it.
    void Post(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const;
    // Brings the window back as showing from the tray does, and activates it.
    void ShowAgain() const;
    // Makes the main window the foreground window before real keys go to it.
    bool Activate() const;

  private:
    PROCESS_INFORMATION process_{};
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

// Waits up to `ms` for `condition` to hold, polling.
template <typename Predicate>
bool WaitFor(Predicate condition, DWORD ms = 2000) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

// Text of a window of another process (WM_GETTEXT).
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
Box WindowBox(HWND window);
// Place and size of `child` in the client coordinates of `parent`.
Box ClientBoxIn(HWND child, HWND parent);
LPARAM PointParam(int x, int y);

// ---- Addresses handed to the shell ----------------------------------------

void ClearUrls();
// Waits until `expected` addresses have arrived (up to 3 s), then a little
// longer to catch any extra one, and returns them all.
std::vector<std::string> CollectUrls(std::size_t expected);

// Points the prefix's http/https handler at a program that does not exist
// for as long as it lives: the shell then refuses every address.
class RefusingShell {
  public:
    RefusingShell();
    ~RefusingShell();
    RefusingShell(const RefusingShell&) = delete;
    RefusingShell& operator=(const RefusingShell&) = delete;

  private:
    std::wstring saved_[2];
};

// ---- Real input -----------------------------------------------------------

// Runs `xdotool ARGS` and waits until it has finished; false when it failed.
bool Xdo(const std::string& args);

// Screen centre of a window, and the xdotool arguments for a left click there.
POINT CentreOf(HWND window);
std::string ClickAt(POINT point);

// Opens the pop-up of "菜单" with a real click and returns it (nullptr when
// it did not open). The menus of another process cannot be read: "菜单" is
// the first item of the bar, which stands just above the client area.
HWND OpenFirstMenu(const Program& program);

}  // namespace tz::e2e
