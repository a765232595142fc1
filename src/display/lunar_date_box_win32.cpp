#include "display/lunar_date_box_win32.h"

#include "app/command_ids.h"
#include "app/handle_win32.h"
#include "app/wide_text_win32.h"
#include "display/lunar_calendar.h"

namespace tz {
namespace {

constexpr wchar_t kClassName[] = L"TzLunarDateBox";
constexpr int kButtonWidth = 20;
constexpr int kButtonId = 1;
// A queued event of the box, run once the message loop takes it (wParam: the code).
constexpr UINT kQueuedEventMessage = WM_APP + 1;

CivilDate Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace

bool LunarDateBox::RegisterClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

HWND LunarDateBox::Create(HWND parent, const ControlRecord& record, HINSTANCE instance) {
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | ((record.flags & kVisible) ? WS_VISIBLE : 0u) |
                        ((record.flags & kDisabled) ? WS_DISABLED : 0u);
    return CreateWindowExW(0, kClassName, L"", style, record.rect.left, record.rect.top,
                           record.rect.width, record.rect.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(record.id)), instance,
                           this);
}

bool LunarDateBox::PreTranslateKey(const MSG&) { return false; }

LRESULT CALLBACK LunarDateBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<LunarDateBox*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<LunarDateBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT LunarDateBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SETFONT:
            SendMessageW(button_, WM_SETFONT, wParam, lParam);
            break;
        case WM_SETFOCUS:
            // The "..." button is the box's focusable part.
            SetFocus(button_);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case kQueuedEventMessage:
            Notify(static_cast<int>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool LunarDateBox::SetDate(CivilDate date) {
    if (!IsSupportedDate(date)) return false;
    date_ = date;
    hasDate_ = true;
    PostEvent(ids::kDateChanged);
    return true;
}

void LunarDateBox::RebuildText() {
    // The window text is the display text, so that screen readers read it.
    const std::wstring text = hasDate_ ? Widen(FormatLunarText({}, date_)) : std::wstring();
    SetWindowTextW(window_, text.c_str());
    InvalidateRect(window_, nullptr, FALSE);
}

void LunarDateBox::Notify(int code) {
    HWND parent = GetParent(window_);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), code),
                 reinterpret_cast<LPARAM>(window_));
}

void LunarDateBox::PostEvent(int code) {
    PostMessageW(window_, kQueuedEventMessage, static_cast<WPARAM>(code), 0);
}

void LunarDateBox::OnCreate() {
    // The day the box is created on; it does not follow the clock.
    SetDate(Today());
    RebuildText();

    RECT client;
    GetClientRect(window_, &client);
    button_ = CreateWindowExW(
        0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
        client.right - kButtonWidth, 0, kButtonWidth, client.bottom, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
}

void LunarDateBox::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    RECT text = client;
    text.left += 2;
    text.right -= kButtonWidth;
    wchar_t buffer[128];
    const int length = GetWindowTextW(window_, buffer, ARRAYSIZE(buffer));
    auto font = reinterpret_cast<HFONT>(SendMessageW(button_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, buffer, length, &text, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    EndPaint(window_, &paint);
}

}  // namespace tz
