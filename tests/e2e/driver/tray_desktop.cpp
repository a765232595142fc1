#include "tray_desktop.h"

#include <commctrl.h>

#include "app/command_ids.h"

namespace tz::e2e {
namespace {

constexpr UINT kIconId = 1;  // the program's one tray icon
constexpr DWORD kSendTimeoutMs = 3000;

// Memory in another process, for messages that pass a pointer.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, std::size_t size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_ != nullptr) {
            address_ = static_cast<BYTE*>(
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteMemory() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    BYTE* address() const { return address_; }
    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return WriteProcessMemory(process_, address_ + offset, data, size, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return ReadProcessMemory(process_, address_ + offset, data, size, nullptr) != FALSE;
    }

  private:
    HANDLE process_ = nullptr;
    BYTE* address_ = nullptr;
};

bool IsTrayWindow(HWND window) {
    const std::wstring name = ClassOf(window);
    return name == L"Shell_TrayWnd" || name == L"__wine_tray_icon";
}

BOOL CALLBACK CollectTrayTooltip(HWND window, LPARAM param) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner != nullptr && IsTrayWindow(owner) &&
        lstrcmpiW(ClassOf(window).c_str(), TOOLTIPS_CLASSW) == 0) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> TrayTooltips() {
    std::vector<HWND> tooltips;
    EnumWindows(CollectTrayTooltip, reinterpret_cast<LPARAM>(&tooltips));
    return tooltips;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result))
        return 0;
    return static_cast<LRESULT>(result);
}

void AddToolsOf(HWND tooltip, std::vector<TrayIconInfo>& icons) {
    const LRESULT count = Ask(tooltip, TTM_GETTOOLCOUNT, 0, 0);
    if (count <= 0) return;
    constexpr std::size_t kChars = 1024;  // the tooltip copies up to this many
    const RemoteMemory remote(tooltip, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
    if (remote.address() == nullptr) return;
    for (LRESULT i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszText = reinterpret_cast<wchar_t*>(remote.address() + sizeof(TTTOOLINFOW));
        const wchar_t nothing = L'\0';
        remote.Write(0, &info, sizeof(info));
        remote.Write(sizeof(TTTOOLINFOW), &nothing, sizeof(nothing));
        if (!Ask(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(remote.address())))
            continue;
        std::wstring text(kChars, L'\0');
        remote.Read(0, &info, sizeof(info));
        remote.Read(sizeof(TTTOOLINFOW), text.data(), kChars * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), kChars));

        HWND host = info.hwnd;
        RECT rect = info.rect;
        if (info.uFlags & TTF_IDISHWND) {
            host = reinterpret_cast<HWND>(info.uId);
            if (!IsWindowVisible(host)) continue;
            GetClientRect(host, &rect);
        }
        // Wine 8 keeps the tooltip of a deleted icon, with an empty rectangle.
        if (IsRectEmpty(&rect)) continue;
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        icons.push_back({text,
                         {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top},
                         host,
                         centre});
    }
}

}  // namespace

std::vector<TrayIconInfo> TrayIcons() {
    std::vector<TrayIconInfo> icons;
    for (HWND tooltip : TrayTooltips()) AddToolsOf(tooltip, icons);
    return icons;
}

int TrayIconCount(const std::wstring& tip) {
    int count = 0;
    for (const TrayIconInfo& icon : TrayIcons()) count += icon.tip == tip ? 1 : 0;
    return count;
}

void SweepDeadTrayIcons() {
    for (const TrayIconInfo& icon : TrayIcons()) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(icon.host, WM_MOUSEMOVE, 0,
                            PointParam(icon.hostPoint.x, icon.hostPoint.y), SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &result);
    }
}

bool CloseAndWait(const Program& program) {
    PostMessageW(program.Window(), WM_CLOSE, 0, 0);
    return WaitFor([&program] { return !program.Visible(); });
}

void SendTrayMouse(const Program& program, UINT mouseMessage) {
    // As the shell does: a sent message that does not wait. Sent messages are
    // handled in order, so the Sync() after it waits for this one too.
    SendNotifyMessageW(program.Window(), ids::kTrayCallbackMessage, kIconId,
                       static_cast<LPARAM>(mouseMessage));
    program.Sync();
}

HWND PopupMenuOf(const Program& program) {
    HWND found = nullptr;
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(menu, &processId);
        if (processId == program.ProcessId() && IsWindowVisible(menu)) found = menu;
    }
    return found;
}

ScreenCapture::ScreenCapture(const Box& box) : box_(box) {
    if (box.width <= 0 || box.height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = box.width;
    info.bmiHeader.biHeight = -box.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, box.width, box.height, screen, box.left, box.top, SRCCOPY);
        GdiFlush();
        const auto* rows = static_cast<const DWORD*>(bits);
        pixels_.reserve(static_cast<std::size_t>(box.width) * static_cast<std::size_t>(box.height));
        for (std::size_t i = 0; i < pixels_.capacity(); ++i) {
            const DWORD bgrx = rows[i];  // blue in the low byte
            pixels_.push_back(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(int x, int y) const {
    const int column = x - box_.left;
    const int row = y - box_.top;
    if (pixels_.empty() || column < 0 || row < 0 || column >= box_.width || row >= box_.height)
        return CLR_INVALID;
    return pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(box_.width) +
                   static_cast<std::size_t>(column)];
}

void Screenshot(const char* name) {
    char folder[1024] = {};
    if (GetEnvironmentVariableA("TZ_E2E_SHOTS", folder, sizeof(folder)) == 0) return;
    const std::string command = "/bin/sh -c \"import -window root '" + std::string(folder) + "/" +
                                name + ".png'; touch '" + folder + "/" + name + ".done'\"";
    const std::wstring done = L"Z:" + Widen(std::string(folder) + "/" + name + ".done");
    DeleteFileW(done.c_str());
    std::wstring commandLine = Widen(command);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine cannot wait on a Unix process: wait for the marker instead.
    WaitFor([&done] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
}

std::string XdoAt(const Box& box, const char* action) {
    return "mousemove " + std::to_string(box.left + box.width / 2) + " " +
           std::to_string(box.top + box.height / 2) + " " + action;
}

}  // namespace tz::e2e
