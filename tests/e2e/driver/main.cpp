// tzdriver PROGRAM [FILTER]  runs the end-to-end scenarios against the program
//                            at PROGRAM (a Windows path), or only those whose
//                            name contains FILTER; exit code 0 when every
//                            check passed.
// tzdriver --wait-window     waits up to 30 s for the main window of a
//                            program started otherwise (scripts/run.sh).
// tzdriver --quit            chooses "退出" in that program and waits for it.
#include <cstdio>
#include <string_view>

#include "app/command_ids.h"
#include "harness.h"

namespace {

HWND MainWindow() {
    HWND window = FindWindowW(nullptr, tz::e2e::kMainTitle);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view mode = argc == 2 ? argv[1] : L"";
    if (mode == L"--wait-window") return tz::e2e::WaitFor(MainWindow, 30000) ? 0 : 1;
    if (mode == L"--quit") {
        HWND window = MainWindow();
        if (window == nullptr) return 1;
        PostMessageW(window, WM_COMMAND, tz::ids::kExit, 0);
        return tz::e2e::WaitFor([window] { return IsWindow(window) == FALSE; }, 10000) ? 0 : 1;
    }
    if (argc < 2 || argc > 3 || mode.starts_with(L"--")) {
        std::fprintf(stderr, "usage: tzdriver PROGRAM [FILTER] | --wait-window | --quit\n");
        return 2;
    }
    tz::e2e::Settings().program = argv[1];
    const std::string filter = argc == 3 ? tz::e2e::Narrow(argv[2]) : std::string();
    return tz::e2e::RunScenarios(filter) == 0 ? 0 : 1;
}
