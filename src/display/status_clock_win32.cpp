#include "display/status_clock_win32.h"

namespace tz {

void WriteStartupStatus(HWND) {}
void WriteClockText(HWND) {}

}  // namespace tz
