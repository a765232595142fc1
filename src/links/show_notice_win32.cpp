#include "links/show_notice_win32.h"

#include <windows.h>

#include "app/wide_text_win32.h"
#include "links/notices.h"

namespace tz {

void ShowNotice(const char* text) {
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(kNoticeCaption).c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace tz
