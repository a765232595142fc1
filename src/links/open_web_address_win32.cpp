#include "links/open_web_address_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <string>

#include "app/handle_win32.h"
#include "app/wide_text_win32.h"

namespace tz {
namespace {

bool ShellOpen(const std::wstring& address, int show) {
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool StartRegisteredBrowser(const std::wstring& address) {
    wchar_t browser[MAX_PATH * 2] = {};
    DWORD length = ARRAYSIZE(browser);
    if (FAILED(AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, L"http", L"open", browser,
                                 &length))) {
        return false;
    }
    std::wstring commandLine = L"\"";
    commandLine += browser;
    commandLine += L"\" \"";
    commandLine += address;
    commandLine += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(browser, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle started(process.hProcess);
    return true;
}

}  // namespace

void OpenWebAddress(std::string_view address) { ShellOpen(Widen(address), SW_SHOWNORMAL); }

bool OpenWebAddressWithFallback(std::string_view address) {
    const std::wstring wide = Widen(address);
    return ShellOpen(wide, SW_SHOW) || StartRegisteredBrowser(wide);
}

}  // namespace tz
