// Times programs from process creation to their window being visible.
//
//   startup_timer_win32 RUNS EXE TITLE EXIT-COMMAND [EXE TITLE EXIT-COMMAND]...
//
// Each run starts the program, polls for a visible top-level window with the
// given title, then asks the program to end: WM_COMMAND EXIT-COMMAND, or
// WM_CLOSE when it is 0 (terminated if it has not ended after 5 s). The
// programs take turns, after one unmeasured warm-up start each, so that
// caches and the wineserver treat them alike. Prints each program's median
// and spread in milliseconds, one line each:
//   startup <name> median <ms> min <ms> max <ms> runs <n> failed <n>
// Exit code 0 unless the arguments are bad; a program that never shows its
// window counts as failed, not as a time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring exe;
    std::wstring title;
    unsigned exit_command = 0;
    std::vector<double> times_ms;
    int failed = 0;
};

constexpr DWORD kShowTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 5000;

double Now(LARGE_INTEGER frequency) {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds until the window showed, or a negative value on failure.
double StartOnce(const Program& program, LARGE_INTEGER frequency) {
    std::wstring command_line = L"\"" + program.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};

    const double started = Now(frequency);
    if (!CreateProcessW(program.exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return -1.0;
    }
    double shown = -1.0;
    HWND window = nullptr;
    for (;;) {
        window = FindWindowW(nullptr, program.title.c_str());
        if (window != nullptr && IsWindowVisible(window)) {
            shown = Now(frequency) - started;
            break;
        }
        if (Now(frequency) - started > kShowTimeoutMs ||
            WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        Sleep(1);
    }

    if (window != nullptr) {
        if (program.exit_command != 0) {
            PostMessageW(window, WM_COMMAND, program.exit_command, 0);
        } else {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void Print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(std::strlen(text)),
              &written, nullptr);
}

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.pop_back();
    return out;
}

std::wstring BaseName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The C runtime has split the command line already (-municode).
    const int argc = __argc;
    wchar_t** const argv = __wargv;
    if (argv == nullptr || argc < 5 || (argc - 2) % 3 != 0) {
        Print(
            "usage: startup_timer_win32 RUNS EXE TITLE EXIT-COMMAND [EXE TITLE EXIT-COMMAND]...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    if (runs < 1) {
        Print("startup_timer_win32: RUNS must be 1 or more\n");
        return 2;
    }
    std::vector<Program> programs;
    for (int i = 2; i + 2 < argc; i += 3) {
        Program program;
        program.exe = argv[i];
        program.title = argv[i + 1];
        program.exit_command = static_cast<unsigned>(_wtoi(argv[i + 2]));
        programs.push_back(std::move(program));
    }

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (const Program& program : programs) StartOnce(program, frequency);  // warm-up
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            const double ms = StartOnce(program, frequency);
            if (ms < 0) {
                ++program.failed;
            } else {
                program.times_ms.push_back(ms);
            }
            Sleep(50);
        }
    }

    for (const Program& program : programs) {
        char line[512];
        const std::string name = Utf8(BaseName(program.exe));
        if (program.times_ms.empty()) {
            std::snprintf(line, sizeof line, "startup %s median - min - max - runs 0 failed %d\n",
                          name.c_str(), program.failed);
        } else {
            const auto [low, high] =
                std::minmax_element(program.times_ms.begin(), program.times_ms.end());
            std::snprintf(line, sizeof line,
                          "startup %s median %.1f min %.1f max %.1f runs %zu failed %d\n",
                          name.c_str(), Median(program.times_ms), *low, *high,
                          program.times_ms.size(), program.failed);
        }
        Print(line);
    }
    return 0;
}
