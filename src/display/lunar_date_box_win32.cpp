#include "display/lunar_date_box_win32.h"

#include "app/child_control_win32.h"
#include "app/command_ids.h"
#include "app/handle_win32.h"
#include "app/wide_text_win32.h"

namespace tz {
namespace {

constexpr wchar_t kClassName[] = L"TzLunarDateBox";
constexpr int kButtonWidth = 20;
constexpr int kButtonId = 1;
// A queued event of the box, run once the message loop takes it (wParam: the code).
constexpr UINT kQueuedEventMessage = WM_APP + 1;
// Queued after a pick's events: the drop-down closes when it arrives.
constexpr UINT kFinishPickMessage = WM_APP + 2;

CivilDate Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace

bool LunarDateBox::RegisterClass(HINSTANCE instance) {
    return RegisterWindowClass(instance, kClassName) && LunarDropDown::RegisterClass(instance);
}

HWND LunarDateBox::Create(HWND parent, const ControlRecord& record, HINSTANCE instance) {
    return CreateChildControl(parent, record, kClassName, L"", WS_CLIPCHILDREN, instance, this);
}

bool LunarDateBox::PreTranslateKey(const MSG& message) {
    // Esc belongs to the drop-down while it is on screen, also in the moment
    // between a pick and its close: it must not hide the main window then.
    if (message.wParam != VK_ESCAPE || !state_.IsDropDownShown()) return false;
    Apply(state_.PressEscape());
    return true;
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
        case WM_COMMAND:
            if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
                Apply(state_.ClickButton());
            }
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case kQueuedEventMessage:
            OnQueuedEvent(static_cast<int>(wParam));
            return 0;
        case kFinishPickMessage:
            Apply(state_.FinishPick());
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            dropDown_.Destroy();
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void LunarDateBox::Apply(const BoxEffects& effects) {
    for (const BoxEffect& effect : effects) {
        switch (effect.kind) {
            case BoxEffectKind::RaiseDropDownOpening:
                Notify(ids::kDropDownOpening);
                break;
            case BoxEffectKind::ShowDropDown:
                dropDown_.Show(*this, window_);
                NotifyExpanded();
                break;
            case BoxEffectKind::RedrawDropDown:
                dropDown_.Redraw();
                break;
            case BoxEffectKind::RaiseDayHovered:
                NotifyDayHovered(effect.day);
                break;
            case BoxEffectKind::UpdateBoxText:
                UpdateText();
                break;
            case BoxEffectKind::QueueDateChanged:
                PostEvent(ids::kDateChanged);
                break;
            case BoxEffectKind::QueueDayPicked:
                PostEvent(ids::kDayPicked);
                break;
            case BoxEffectKind::QueueClose:
                PostMessageW(window_, kFinishPickMessage, 0, 0);
                break;
            case BoxEffectKind::HideDropDown:
                dropDown_.Hide();
                NotifyExpanded();
                break;
            case BoxEffectKind::RaiseDropDownClosed:
                Notify(ids::kDropDownClosed);
                break;
        }
    }
}

void LunarDateBox::OnQueuedEvent(int code) {
    // Accessibility clients see the date set and the day picked as they
    // happen (the text change itself raises the name change).
    if (code == ids::kDateChanged) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
    } else if (code == ids::kDayPicked) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, window_, OBJID_CLIENT, CHILDID_SELF);
    }
    Notify(code);
}

void LunarDateBox::NotifyExpanded() {
    // The box is expanded while its drop-down is on screen, as a combo box is.
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
}

void LunarDateBox::UpdateText() {
    // The window text is the display text, so that screen readers read it.
    SetWindowTextW(window_, Widen(state_.Text()).c_str());
    InvalidateRect(window_, nullptr, FALSE);
}

void LunarDateBox::Notify(int code) {
    HWND parent = GetParent(window_);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), code),
                 reinterpret_cast<LPARAM>(window_));
}

void LunarDateBox::NotifyDayHovered(const LunarDate& day) {
    DayHoveredNotify notify{};
    notify.header.hwndFrom = window_;
    notify.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
    notify.header.code = static_cast<UINT>(ids::kDayHovered);
    notify.lunarYear = day.year;
    notify.lunarMonth = day.month;
    notify.lunarDay = day.day;
    notify.leap = day.leap ? TRUE : FALSE;
    SendMessageW(GetParent(window_), WM_NOTIFY, notify.header.idFrom,
                 reinterpret_cast<LPARAM>(&notify));
}

void LunarDateBox::PostEvent(int code) {
    PostMessageW(window_, kQueuedEventMessage, static_cast<WPARAM>(code), 0);
}

void LunarDateBox::OnCreate() {
    // The day the box is created on; it does not follow the clock. A day
    // outside the supported range is refused and the text stays empty.
    Apply(state_.SetDate(Today()));

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
    const std::wstring shown = Widen(state_.Text());
    auto font = reinterpret_cast<HFONT>(SendMessageW(button_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    EndPaint(window_, &paint);
}

}  // namespace tz
