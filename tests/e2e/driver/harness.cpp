#include "harness.h"

#include <cstdio>
#include <utility>

namespace tz::e2e {

namespace {

struct Scenario {
    const char* name;
    ScenarioFn run;
};

std::vector<Scenario>& Scenarios() {
    static std::vector<Scenario> scenarios;
    return scenarios;
}

const char* currentScenario = "";
int passed = 0;
int failed = 0;

constexpr wchar_t kUrlLog[] = L"C:\\tz-urls.log";
constexpr wchar_t kXdoMarker[] = L"C:\\tz-xdo.done";
constexpr DWORD kSendTimeoutMs = 3000;

std::string ReadFileText(const wchar_t* path) {
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

std::vector<std::string> ReadUrls() {
    std::vector<std::string> lines;
    const std::string text = ReadFileText(kUrlLog);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) break;  // a line still being written
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

struct WindowSearch {
    DWORD process;
    const wchar_t* title;      // nullptr: any
    const wchar_t* className;  // nullptr: any
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (ProcessOf(window) != search->process || !IsWindowVisible(window)) return TRUE;
    if (search->className != nullptr && ClassOf(window) != search->className) return TRUE;
    if (search->title != nullptr) {
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        if (std::wstring_view(title) != search->title) return TRUE;
    }
    search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD process, const wchar_t* title, const wchar_t* className) {
    WindowSearch search{process, title, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return std::move(search.found);
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, ScenarioFn run) {
    Scenarios().push_back({name, run});
}

int RunScenarios(std::string_view filter) {
    for (const Scenario& scenario : Scenarios()) {
        if (!filter.empty() &&
            std::string_view(scenario.name).find(filter) == std::string_view::npos)
            continue;
        currentScenario = scenario.name;
        const int failedBefore = failed;
        const int passedBefore = passed;
        const ULONGLONG start = GetTickCount64();
        scenario.run();
        std::printf("%s %s (%d checks, %.1f s)\n", failed == failedBefore ? "ok  " : "FAIL",
                    scenario.name, passed - passedBefore + failed - failedBefore,
                    static_cast<double>(GetTickCount64() - start) / 1000.0);
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed;
}

bool Check(bool ok, std::string_view what, std::string_view detail) {
    if (ok) {
        ++passed;
        return true;
    }
    ++failed;
    std::printf("  failed: [%s] %.*s%s%.*s\n", currentScenario, static_cast<int>(what.size()),
                what.data(), detail.empty() ? "" : ": ", static_cast<int>(detail.size()),
                detail.data());
    std::fflush(stdout);
    return false;
}

std::string Show(long long value) { return std::to_string(value); }
std::string Show(const std::string& value) { return '"' + value + '"'; }
std::string Show(const std::wstring& value) { return Show(Narrow(value)); }
std::string Show(const Box& value) {
    return "(" + std::to_string(value.left) + ", " + std::to_string(value.top) + ", " +
           std::to_string(value.width) + " x " + std::to_string(value.height) + ")";
}
std::string Show(const std::vector<std::string>& lines) {
    std::string text = "[";
    for (const std::string& line : lines) text += (text.size() > 1 ? ", " : "") + Show(line);
    return text + "]";
}
std::string Show(const std::vector<int>& values) {
    std::string text = "[";
    for (int value : values) text += (text.size() > 1 ? ", " : "") + std::to_string(value);
    return text + "]";
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

Options& Settings() {
    static Options options;
    return options;
}

Program::Program() {
    const Options& options = Settings();
    CreateDirectoryW(options.workDir.c_str(), nullptr);
    std::wstring commandLine = L"\"" + options.program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(options.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, options.workDir.c_str(), &startup, &process_)) {
        process_ = {};
        return;
    }
    processId_ = process_.dwProcessId;
    WaitFor(
        [this] {
            const std::vector<HWND> windows = TopLevelWindows(processId_, kMainTitle, nullptr);
            if (!windows.empty()) window_ = windows.front();
            return window_ != nullptr || !Running();
        },
        15000);
    if (window_ == nullptr) return;
    threadId_ = GetWindowThreadProcessId(window_, nullptr);
    // Started means shown and active, with the focus placed.
    WaitFor([this] { return GetForegroundWindow() == window_ && Focus() != nullptr; }, 3000);
    Sync();
}

Program::~Program() {
    if (process_.hProcess == nullptr) return;
    if (Running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::Started() {
    return Check(window_ != nullptr, "the program starts and shows its main window",
                 process_.hProcess == nullptr
                     ? "CreateProcessW failed for " + Narrow(Settings().program)
                     : "no visible window titled " + Show(std::wstring(kMainTitle)));
}

bool Program::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

long long Program::WaitExit(DWORD ms) const {
    if (process_.hProcess == nullptr || WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void Program::Sync() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
}

HWND Program::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(threadId_, &info)) return nullptr;
    return info.hwndFocus;
}

int Program::FocusedControlId() const {
    for (HWND window = Focus(); window != nullptr; window = GetAncestor(window, GA_PARENT)) {
        if (GetAncestor(window, GA_PARENT) == window_) return GetDlgCtrlID(window);
        if (window == window_) return 0;
    }
    return 0;
}

std::vector<HWND> Program::MessageBoxes() const {
    return TopLevelWindows(processId_, nullptr, L"#32770");
}

void Program::Post(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(target, message, wParam, lParam);
    // A sent message overtakes posted ones: give the idle program a moment to
    // take the posted message before the WM_NULL of Sync() arrives.
    Sleep(50);
    Sync();
}

void Program::ShowAgain() const {
    ShowWindow(window_, SW_SHOW);
    Activate();
}

bool Program::Activate() const {
    SetForegroundWindow(window_);
    const bool active = WaitFor([this] { return GetForegroundWindow() == window_; }, 2000);
    Sync();
    return active;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

Box WindowBox(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Box ClientBoxIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(nullptr, parent, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x - corners[0].x, corners[1].y - corners[0].y};
}

LPARAM PointParam(int x, int y) {
    const auto low = static_cast<unsigned>(x) & 0xFFFFu;
    const auto high = static_cast<unsigned>(y) & 0xFFFFu;
    return static_cast<LPARAM>(low | (high << 16));
}

void ClearUrls() { DeleteFileW(kUrlLog); }

std::vector<std::string> CollectUrls(std::size_t expected) {
    if (expected > 0) WaitFor([expected] { return ReadUrls().size() >= expected; }, 3000);
    // The shell hands an address over 0.1-0.3 s after the call: wait long
    // enough for one that should not come.
    Sleep(expected > 0 ? 500 : 1000);
    return ReadUrls();
}

namespace {
constexpr const wchar_t* kHandlerKeys[2] = {L"http\\shell\\open\\command",
                                            L"https\\shell\\open\\command"};

std::wstring ReadDefaultValue(const wchar_t* key) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
}

void WriteDefaultValue(const wchar_t* key, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}
}  // namespace

RefusingShell::RefusingShell() {
    for (std::size_t i = 0; i < 2; ++i) {
        saved_[i] = ReadDefaultValue(kHandlerKeys[i]);
        WriteDefaultValue(kHandlerKeys[i], L"Z:\\nonexistent\\no-such-handler \"%1\"");
    }
}

RefusingShell::~RefusingShell() {
    for (std::size_t i = 0; i < 2; ++i) WriteDefaultValue(kHandlerKeys[i], saved_[i]);
}

bool Xdo(const std::string& args) {
    DeleteFileW(kXdoMarker);
    // Args must hold no double quote: Wine splits this line into the
    // argv of /bin/sh.
    std::wstring commandLine =
        L"/bin/sh -c \"xdotool " + Widen(args) + L"; echo $? >$WINEPREFIX/drive_c/tz-xdo.done\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return Check(false, "xdotool " + args, "cannot start /bin/sh");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string status;
    WaitFor(
        [&status] {
            status = ReadFileText(kXdoMarker);
            return !status.empty() && status.back() == '\n';
        },
        5000);
    if (status != "0\n") return Check(false, "xdotool " + args, "status " + Show(status));
    Sleep(150);  // X events reach the Wine window a moment later
    return true;
}

POINT CentreOf(HWND window) {
    const Box box = WindowBox(window);
    return {box.left + box.width / 2, box.top + box.height / 2};
}

std::string ClickAt(POINT point) {
    return "mousemove " + std::to_string(point.x) + " " + std::to_string(point.y) + " click 1";
}

HWND OpenFirstMenu(const Program& program) {
    POINT origin{0, 0};
    ClientToScreen(program.Window(), &origin);
    program.Activate();
    if (!Xdo(ClickAt({origin.x + 16, origin.y - GetSystemMetrics(SM_CYMENU) / 2}))) return nullptr;
    HWND popup = nullptr;
    WaitFor([&popup] {
        popup = FindWindowW(L"#32768", nullptr);
        return popup != nullptr && IsWindowVisible(popup);
    });
    return popup != nullptr && IsWindowVisible(popup) ? popup : nullptr;
}

}  // namespace tz::e2e
