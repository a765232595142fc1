#include "tray/single_instance_win32.h"

namespace tz {
namespace {

// "Local\" keeps the name in the user's session: another user on the same
// machine runs an instance of their own.
constexpr wchar_t kMutexName[] = L"Local\\TangzhouLauncher.Instance";

// How long a second start waits for a first one that holds the instance but
// has no window yet, or that does not answer.
constexpr DWORD kWaitForWindowMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerTimeoutMs = 5000;

enum class HandOver { kDone, kNoWindow };

HandOver AskToShow(const wchar_t* windowClass) {
    HWND window = FindWindowW(windowClass, nullptr);
    if (window == nullptr) return HandOver::kNoWindow;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // We were just started by the user, so we may hand the foreground on.
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(window, ShowRequestMessage(), 0, 0, SMTO_ABORTIFHUNG,
                                             kAnswerTimeoutMs, &answer);
    if (sent != 0 && static_cast<LRESULT>(answer) == kShowRequestAnswer) return HandOver::kDone;
    // A window that went away meanwhile belonged to an instance that is
    // ending; one that is still there is busy and gets the message later.
    return IsWindow(window) ? HandOver::kDone : HandOver::kNoWindow;
}

}  // namespace

UINT ShowRequestMessage() { return RegisterWindowMessageW(L"TangzhouLauncher.ShowMainWindow"); }

SingleInstance::Outcome SingleInstance::Claim(const wchar_t* windowClass) {
    mutex_.reset(CreateMutexW(nullptr, TRUE, kMutexName));
    // Without the mutex we cannot tell; running is better than not starting.
    if (!mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) return Outcome::kFirst;

    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitForWindowMs) {
        if (AskToShow(windowClass) == HandOver::kDone) return Outcome::kHandedOver;
        // The holder may be starting (no window yet) or ending (window gone):
        // in the second case its mutex comes free and this process goes on.
        const DWORD wait = WaitForSingleObject(mutex_.get(), kPollMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return Outcome::kFirst;
    }
    // An instance that holds on without ever making a window is broken;
    // rather than leave the user with nothing, run.
    return Outcome::kFirst;
}

}  // namespace tz
