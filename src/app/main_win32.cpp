// Entry point: prepares the process, builds the main window and runs the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/main_window_win32.h"
#include "tray/single_instance_win32.h"

namespace {

// DLLs from the system folder only. Looked up at run time: Windows 7
// without its loader update has no SetDefaultDllDirectories.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return;
    FARPROC proc = GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (proc == nullptr) return;
    auto setDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(proc));
    setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

class ComApartment {
  public:
    ComApartment()
        : ok_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

// The one application object: owns the main window and runs the loop.
class Application {
  public:
    int Run(HINSTANCE instance) {
        // One instance per session: a second start shows the first one's window.
        if (instance_.Claim(tz::MainWindow::ClassName()) ==
            tz::SingleInstance::Outcome::kHandedOver) {
            return 0;
        }
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        if (!tz::MainWindow::RegisterClass(instance) || !window_.Create(instance)) return 1;
        window_.Show();
        MSG message;
        BOOL got;
        while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
            if (got == -1) return 1;
            if (window_.PreTranslateMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return static_cast<int>(message.wParam);
    }

  private:
    tz::SingleInstance instance_;  // first member: held until everything else is gone
    ComApartment com_;
    tz::MainWindow window_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    RestrictDllSearch();
    Application application;
    return application.Run(instance);
}
