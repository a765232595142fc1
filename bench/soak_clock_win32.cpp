// Soaks the status bar clock of a running tangzhou.exe.
//
//   soak_clock_win32 EXE [TICKS] [SAMPLES]
//
// 1. Redraw: SAMPLES clock ticks, each read with GetUpdateRect before the
//    program can paint (see CheckRedraw): a tick may leave pane 0 of the
//    status bar to paint, and nothing else.
// 2. Memory: sends TICKS (default 100000) WM_TIMER messages for the clock
//    timer, back to back, and prints the private memory before and after.
// 3. Still alive: the pane text changes with the real timer again, and the
//    pane's pixels on screen change with it and still show text.
//
// Prints figures, one line each; exit code 0 when the redraw check, memory
// growth (below kMemoryLimitKiB) and the still-alive checks all hold.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "../src/app/command_ids.h"

namespace {

constexpr wchar_t kMainClass[] = L"TzMainWindow";
constexpr DWORD kSendTimeoutMs = 5000;
constexpr int kPaneRightEdge = 300;
constexpr int kBacklog = 5000;
// A leak of the smallest heap block per tick would add over 1.5 MiB.
constexpr SIZE_T kMemoryLimitKiB = 512;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                               result ? result : &ignored) != 0;
}

bool Tick(HWND window) {
    return Send(window, WM_TIMER, static_cast<WPARAM>(tz::ids::kClockTimer), 0);
}

// Memory in the program's address space, for SB_GETTEXTW and SB_SETTEXTW.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, std::size_t size) : process_(process) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    LPARAM Param() const { return reinterpret_cast<LPARAM>(address_); }
    bool Read(void* out, std::size_t size) const {
        SIZE_T got = 0;
        return address_ && ReadProcessMemory(process_, address_, out, size, &got) && got == size;
    }
    bool Write(const void* in, std::size_t size) const {
        SIZE_T put = 0;
        return address_ && WriteProcessMemory(process_, address_, in, size, &put) && put == size;
    }

  private:
    HANDLE process_;
    void* address_ = nullptr;
};

std::wstring PaneText(HANDLE process, HWND bar) {
    DWORD_PTR lengthAndType = 0;
    if (!Send(bar, SB_GETTEXTLENGTHW, 0, 0, &lengthAndType)) return L"<no answer>";
    // A tick may change the text between the two questions: room to spare,
    // and the text ends at its terminator.
    const std::size_t capacity = std::max<std::size_t>(LOWORD(lengthAndType) + 1u, 512u);
    RemoteBuffer buffer(process, capacity * sizeof(wchar_t));
    Send(bar, SB_GETTEXTW, 0, buffer.Param());
    std::wstring text(capacity, L'\0');
    if (!buffer.Read(text.data(), capacity * sizeof(wchar_t))) return L"<unreadable>";
    text.resize(wcsnlen(text.c_str(), capacity));
    return text;
}

void SetPaneMarker(HANDLE process, HWND bar) {
    static const wchar_t marker[] = L"soak";
    RemoteBuffer buffer(process, sizeof(marker));
    if (buffer.Write(marker, sizeof(marker))) Send(bar, SB_SETTEXTW, 0, buffer.Param());
}

struct Memory {
    SIZE_T privateKiB = 0;
    SIZE_T pagefileKiB = 0;
    SIZE_T workingSetKiB = 0;
};

Memory MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return {counters.PrivateUsage / 1024, counters.PagefileUsage / 1024,
            counters.WorkingSetSize / 1024};
}

void PrintMemory(const char* when, const Memory& m) {
    std::printf("memory %s: private %zu KiB, pagefile %zu KiB, working set %zu KiB\n", when,
                static_cast<std::size_t>(m.privateKiB), static_cast<std::size_t>(m.pagefileKiB),
                static_cast<std::size_t>(m.workingSetKiB));
}

// Pending updates right after a tick, read before the program's loop gets
// to paint anything.
struct Pending {
    bool bar = false;
    RECT barRect{};
    bool main = false;
    RECT mainRect{};
    bool sentinel = false;  // the label's sentinel update
    RECT sentinelRect{};
    int others = 0;  // other controls with an update pending
};

struct ChildSearch {
    HWND bar;
    HWND label;
    int dirty;
};

BOOL CALLBACK CountDirtyChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    RECT r;
    if (child != search->bar && child != search->label && GetUpdateRect(child, &r, FALSE))
        ++search->dirty;
    return TRUE;
}

Pending ReadPending(HWND window, HWND bar, HWND label) {
    Pending p;
    p.bar = GetUpdateRect(bar, &p.barRect, FALSE) != FALSE;
    p.main = GetUpdateRect(window, &p.mainRect, FALSE) != FALSE;
    p.sentinel = label != nullptr && GetUpdateRect(label, &p.sentinelRect, FALSE) != FALSE;
    ChildSearch search{bar, label, 0};
    EnumChildWindows(window, CountDirtyChild, reinterpret_cast<LPARAM>(&search));
    p.others = search.dirty;
    return p;
}

bool WaitUntil(bool (*condition)(HWND, HWND), HWND window, HWND bar, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!condition(window, bar)) {
        if (GetTickCount64() >= end) return false;
        Sleep(10);
    }
    return true;
}

bool AllPainted(HWND window, HWND bar) {
    const Pending p = ReadPending(window, bar, nullptr);
    return !p.bar && !p.main && p.others == 0;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A spot of the main window's client area that no control covers, so that
// invalidating it there touches the main window alone.
RECT BareSpot(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    for (LONG y = 2; y + 2 < client.bottom; y += 4) {
        for (LONG x = 2; x + 2 < client.right; x += 4) {
            bool bare = true;
            for (const POINT corner : {POINT{x, y}, POINT{x + 1, y + 1}}) {
                if (ChildWindowFromPointEx(window, corner, CWP_ALL) != window) bare = false;
            }
            if (bare) return {x, y, x + 2, y + 2};
        }
    }
    return {};
}

// Makes the program's next paint wait: with its thread suspended, queues a
// backlog of posted messages (a thread paints only when no posted message
// is left) and invalidates `extra`; then lets the thread run again.
void HoldPainting(HANDLE thread, HWND window, void (*extra)(HWND, HWND), HWND a, HWND b) {
    SuspendThread(thread);
    for (int n = 0; n < kBacklog; ++n) PostMessageW(window, WM_NULL, 0, 0);
    extra(a, b);
    ResumeThread(thread);
}

RECT mainSpot{};
const RECT labelSpot{0, 0, 2, 2};

void InvalidateSentinels(HWND window, HWND label) {
    InvalidateRect(window, &mainSpot, FALSE);
    InvalidateRect(label, &labelSpot, FALSE);
}

void InvalidateWhole(HWND window, HWND label) {
    InvalidateRect(window, nullptr, TRUE);
    InvalidateRect(label, &labelSpot, FALSE);
}

// Each sample: a marker in pane 0 so that the tick changes the text, all
// painted, painting held (HoldPainting) with two sentinel updates, a bare
// spot of the main window and a corner of a label, then one tick. Read at
// once: the label's pending sentinel proves nothing was painted since; the
// main window and the label must hold exactly their sentinels, the other
// controls nothing, and the bar at most pane 0 (a control may paint the
// pane inside SB_SETTEXT already, as Wine's does, and then leaves nothing
// pending).
bool CheckRedraw(HANDLE process, HANDLE thread, HWND window, HWND bar, int samples) {
    RECT barClient{};
    GetClientRect(bar, &barClient);
    HWND label = GetDlgItem(window, tz::ids::kLabelBase + 1);
    mainSpot = BareSpot(window);
    if (label == nullptr || IsRectEmpty(&mainSpot)) {
        std::printf("redraw: NOT MEASURED (no label or no bare spot for the sentinels)\n");
        return false;
    }
    int conclusive = 0;
    int wrong = 0;
    int barPending = 0;
    int unsettled = 0;  // something still unpainted 5 s after the marker
    int unticked = 0;   // the pane still showed the marker
    int painted = 0;    // the label's sentinel was gone: the read came too late
    for (int i = 0; i < samples; ++i) {
        SetPaneMarker(process, bar);
        // Also drains the backlog of the sample before: painting comes after it.
        if (!WaitUntil(AllPainted, window, bar, 5000)) {
            ++unsettled;
            continue;
        }
        HoldPainting(thread, window, InvalidateSentinels, window, label);
        Tick(window);
        const Pending p = ReadPending(window, bar, label);
        const bool ticked = PaneText(process, bar) != L"soak";
        if (!ticked) {
            ++unticked;
            continue;
        }
        if (!p.sentinel) {
            ++painted;
            continue;
        }
        ++conclusive;
        if (p.bar) ++barPending;
        const bool barInPane =
            !p.bar || (p.barRect.left >= 0 && p.barRect.top >= 0 &&
                       p.barRect.right <= kPaneRightEdge && p.barRect.bottom <= barClient.bottom);
        const bool mainUntouched = p.main && SameRect(p.mainRect, mainSpot);
        const bool labelUntouched = SameRect(p.sentinelRect, labelSpot);
        if (!barInPane || !mainUntouched || !labelUntouched || p.others != 0) {
            ++wrong;
            std::printf(
                "redraw sample %d: bar %s (%ld,%ld)-(%ld,%ld), main window %s (%ld,%ld)-"
                "(%ld,%ld) [sentinel (%ld,%ld)-(%ld,%ld)], %d other controls pending\n",
                i, p.bar ? "pending" : "clean", p.barRect.left, p.barRect.top, p.barRect.right,
                p.barRect.bottom, p.main ? "pending" : "clean", p.mainRect.left, p.mainRect.top,
                p.mainRect.right, p.mainRect.bottom, mainSpot.left, mainSpot.top, mainSpot.right,
                mainSpot.bottom, p.others);
        }
    }
    // The probe must see a whole-window invalidation at all.
    WaitUntil(AllPainted, window, bar, 5000);
    HoldPainting(thread, window, InvalidateWhole, window, label);
    const Pending whole = ReadPending(window, bar, label);
    RECT client{};
    GetClientRect(window, &client);
    const bool probeSees = whole.main && SameRect(whole.mainRect, client);
    WaitUntil(AllPainted, window, bar, 5000);  // drained again before the soak

    std::printf(
        "redraw: %d samples, %d conclusive (%d never settled, %d without a tick, %d painted before "
        "the read), %d with the bar's pane still pending, %d with more than pane 0 invalidated: "
        "%s\n",
        samples, conclusive, unsettled, unticked, painted, barPending, wrong,
        conclusive == 0 ? "NOT MEASURED"
        : wrong == 0    ? "ok"
                        : "FAILED");
    std::printf(
        "redraw probe: a whole-window invalidation shows (main window %ldx%ld pending): %s\n",
        whole.mainRect.right - whole.mainRect.left, whole.mainRect.bottom - whole.mainRect.top,
        probeSees ? "yes" : "NO");
    return conclusive > 0 && wrong == 0 && probeSees;
}

// The pane as it is on screen: a checksum and the number of dark pixels.
struct PaneShot {
    bool ok = false;
    unsigned long long checksum = 0;
    int ink = 0;
};

PaneShot CapturePane(HWND bar) {
    RECT client{};
    GetClientRect(bar, &client);
    POINT origin{0, 0};
    ClientToScreen(bar, &origin);
    const int width = kPaneRightEdge;
    const int height = client.bottom;
    PaneShot shot;
    if (height <= 0) return shot;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        shot.ok = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
        GdiFlush();
        const auto* pixels = static_cast<const unsigned char*>(bits);
        for (int i = 0; i < width * height; ++i) {
            const unsigned char* p = pixels + 4 * i;
            shot.checksum = shot.checksum * 1099511628211ull +
                            (static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8) |
                             (static_cast<unsigned>(p[2]) << 16));
            if (p[0] < 96 && p[1] < 96 && p[2] < 96) ++shot.ink;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

std::string Utf8(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
    return out;
}

// The pane changes with the real timer and is painted on screen with text.
bool CheckStillAlive(HANDLE process, HWND window, HWND bar, const char* when) {
    WaitUntil(AllPainted, window, bar, 1000);
    const std::wstring before = PaneText(process, bar);
    const PaneShot shotBefore = CapturePane(bar);
    std::wstring after = before;
    const ULONGLONG end = GetTickCount64() + 2500;
    while (after == before && GetTickCount64() < end) {
        Sleep(50);
        after = PaneText(process, bar);
    }
    WaitUntil(AllPainted, window, bar, 1000);
    const PaneShot shotAfter = CapturePane(bar);
    const bool changed = after != before && !after.empty() && after.back() != L'.';
    const bool painted = shotBefore.ok && shotAfter.ok && shotBefore.ink > 0 && shotAfter.ink > 0 &&
                         shotBefore.checksum != shotAfter.checksum;
    std::printf("%s: pane text \"%s\" -> \"%s\": %s; on screen %d -> %d dark pixels, %s: %s\n",
                when, Utf8(before).c_str(), Utf8(after).c_str(), changed ? "updates" : "STUCK",
                shotBefore.ink, shotAfter.ink,
                shotBefore.checksum != shotAfter.checksum ? "pixels changed" : "pixels unchanged",
                painted ? "paints" : "DOES NOT PAINT");
    return changed && painted;
}

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == search->process && std::wcscmp(name, kMainClass) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const int argc = __argc;
    wchar_t** argv = __wargv;
    if (argv == nullptr || argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: soak_clock_win32 EXE [TICKS] [SAMPLES]\n");
        return 2;
    }
    const long ticks = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 100000;
    const int samples = argc > 3 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : 20;

    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("soak: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    WindowSearch search{process.dwProcessId, nullptr};
    for (int i = 0; i < 1000 && search.found == nullptr; ++i) {
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(20);
    }
    HWND window = search.found;
    HWND bar = window ? GetDlgItem(window, tz::ids::kStatusBar) : nullptr;
    bool ok = bar != nullptr;
    if (!ok) {
        std::printf("soak: the program showed no main window with a status bar\n");
    } else {
        Sleep(1500);  // past the first real tick
        ok = CheckStillAlive(process.hProcess, window, bar, "before the soak") && ok;
        ok = CheckRedraw(process.hProcess, process.hThread, window, bar, samples) && ok;

        // What a bare round trip costs here, to read the tick figure against.
        LARGE_INTEGER frequency, start, stop;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        for (int i = 0; i < 2000; ++i) Send(window, WM_NULL, 0, 0);
        QueryPerformanceCounter(&stop);
        std::printf("round trip: %.1f us per sent WM_NULL\n",
                    static_cast<double>(stop.QuadPart - start.QuadPart) * 1e6 / 2000.0 /
                        static_cast<double>(frequency.QuadPart));

        for (int i = 0; i < 2000; ++i) Tick(window);  // warm-up: first-use allocations
        const Memory before = MemoryOf(process.hProcess);
        QueryPerformanceCounter(&start);
        long failedSends = 0;
        for (long i = 0; i < ticks; ++i) {
            if (!Tick(window)) ++failedSends;
        }
        QueryPerformanceCounter(&stop);
        const Memory after = MemoryOf(process.hProcess);
        const double seconds = static_cast<double>(stop.QuadPart - start.QuadPart) /
                               static_cast<double>(frequency.QuadPart);
        std::printf("soak: %ld clock ticks sent in %.1f s (%.1f us each), %ld sends failed\n",
                    ticks, seconds, ticks > 0 ? seconds * 1e6 / static_cast<double>(ticks) : 0.0,
                    failedSends);
        PrintMemory("before", before);
        PrintMemory("after ", after);
        // Wine reports no PrivateUsage; its PagefileUsage is the same
        // figure, the committed private memory.
        const bool usePrivate = before.privateKiB != 0;
        const auto figure = [usePrivate](const Memory& m) {
            return static_cast<long long>(usePrivate ? m.privateKiB : m.pagefileKiB);
        };
        const long long growth = figure(after) - figure(before);
        const bool steady = growth <= static_cast<long long>(kMemoryLimitKiB);
        std::printf("memory growth: %s %+lld KiB (limit %zu KiB): %s\n",
                    usePrivate ? "private" : "pagefile (private)", growth,
                    static_cast<std::size_t>(kMemoryLimitKiB), steady ? "ok" : "GROWS");
        ok = ok && failedSends == 0 && steady;
        ok = CheckStillAlive(process.hProcess, window, bar, "after the soak") && ok;
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(tz::ids::kExit), 0);
    }
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("soak: %s\n", ok ? "passed" : "FAILED");
    std::fflush(stdout);
    return ok ? 0 : 1;
}
