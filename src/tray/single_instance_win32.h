// One running instance per user session: a second start shows the first
// one's main window and leaves.
#pragma once

#include <windows.h>

#include "app/handle_win32.h"

namespace tz {

class SingleInstance {
  public:
    enum class Outcome {
        kFirst,       // this process is the program's instance: build the window
        kHandedOver,  // another instance runs and was asked to show its window
    };

    // Claims the session's instance; held until this object goes away. While
    // another instance holds it, finds that instance's main window by its
    // class and asks it to show itself, waiting for an instance that is still
    // starting, and taking over from one that is ending.
    Outcome Claim(const wchar_t* windowClass);

  private:
    UniqueKernelHandle mutex_;
};

// The message a second start sends to the running instance's main window;
// the window shows itself and answers kShowRequestAnswer. 0 if it could not
// be registered.
UINT ShowRequestMessage();
inline constexpr LRESULT kShowRequestAnswer = 0x545A;

}  // namespace tz
