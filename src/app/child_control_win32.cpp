#include "app/child_control_win32.h"

namespace tz {

HWND CreateChildControl(HWND parent, const ControlRecord& record, const wchar_t* className,
                        const wchar_t* text, DWORD kindStyle, HINSTANCE instance,
                        void* createParam) {
    const DWORD style = WS_CHILD | kindStyle | ((record.flags & kVisible) ? WS_VISIBLE : 0u) |
                        ((record.flags & kDisabled) ? WS_DISABLED : 0u) |
                        ((record.flags & kTabStop) ? WS_TABSTOP : 0u);
    const Rect& r = record.rect;
    return CreateWindowExW(0, className, text, style, r.left, r.top, r.width, r.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(record.id)), instance,
                           createParam);
}

}  // namespace tz
