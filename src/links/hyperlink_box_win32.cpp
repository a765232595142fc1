#include "links/hyperlink_box_win32.h"

#include <windowsx.h>

#include <string>

#include "app/child_control_win32.h"
#include "app/handle_win32.h"
#include "app/wide_text_win32.h"
#include "links/open_web_address_win32.h"
#include "links/storefront_links.h"

namespace tz {
namespace {

constexpr wchar_t kClassName[] = L"TzHyperlinkBox";

}  // namespace

bool HyperlinkBox::RegisterClass(HINSTANCE instance) {
    // CS_DBLCLKS: the second press of a double click is no press.
    return RegisterWindowClass(instance, kClassName, CS_DBLCLKS, IDC_HAND);
}

HWND HyperlinkBox::Create(HWND parent, const ControlRecord& record, HINSTANCE instance) {
    // The window text is what the box shows, so screen readers read the host name.
    const std::wstring text = Widen(StorefrontHost());
    return CreateChildControl(parent, record, kClassName, text.c_str(), 0, instance, this);
}

LRESULT HyperlinkBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole box
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(MouseButton::Left, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnButtonDown(MouseButton::Left, true);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void HyperlinkBox::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    wchar_t text[256];
    const int length = GetWindowTextW(window_, text, ARRAYSIZE(text));
    auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(state_.TextColour()));
    DrawTextW(dc, text, length, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    EndPaint(window_, &paint);
}

void HyperlinkBox::OnMouseMove(LPARAM lParam) {
    RECT client;
    GetClientRect(window_, &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (state_.OnPointerMove(PtInRect(&client, point) != FALSE)) {
        case HoverAction::StartHover:
            InvalidateRect(window_, nullptr, FALSE);
            SetCapture(window_);
            break;
        case HoverAction::EndHover:
            ReleaseCapture();
            InvalidateRect(window_, nullptr, FALSE);
            break;
        case HoverAction::KeepCapture:
            if (GetCapture() != window_) SetCapture(window_);
            break;
        case HoverAction::None:
            break;
    }
}

void HyperlinkBox::OnButtonDown(MouseButton button, bool doubleClick) {
    if (HyperlinkState::OnButtonDown(button, doubleClick) != PressAction::Open) return;
    if (state_.OnOpened(OpenWebAddressWithFallback(StorefrontHomeAddress()))) {
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void HyperlinkBox::OnCaptureChanged(HWND newCapture) {
    // Another window took the pointer: its moves no longer reach us, so the
    // hover look would otherwise stay behind.
    if (newCapture != window_ && state_.hovering()) {
        state_.OnCaptureLost();
        InvalidateRect(window_, nullptr, FALSE);
    }
}

}  // namespace tz
