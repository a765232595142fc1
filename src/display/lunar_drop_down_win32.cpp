#include "display/lunar_drop_down_win32.h"

#include <windowsx.h>

#include <string>
#include <string_view>

#include "app/wide_text_win32.h"
#include "display/lunar_date_box_win32.h"

namespace tz {
namespace {

constexpr wchar_t kClassName[] = L"TzLunarDropDown";
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
// Posted at showing: the capture is taken once the click that opened the
// drop-down is over (the "..." button releases the capture after it).
constexpr UINT kTakeCaptureMessage = WM_APP + 1;

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kOtherMonthText = RGB(168, 168, 168);
constexpr COLORREF kLunarText = RGB(96, 96, 96);
constexpr COLORREF kTermText = RGB(0, 128, 64);
constexpr COLORREF kWeekendText = RGB(192, 0, 0);
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kHeader = RGB(236, 236, 236);
constexpr COLORREF kSavedFill = RGB(204, 228, 247);
constexpr COLORREF kSavedFrame = RGB(0, 120, 215);
constexpr COLORREF kHoverFill = RGB(255, 242, 204);

RECT ToRect(PixelRect r) { return {r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, PixelRect r, COLORREF colour) {
    const RECT rect = ToRect(r);
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, PixelRect r, COLORREF colour) {
    const RECT rect = ToRect(r);
    SetDCBrushColor(dc, colour);
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, PixelRect r, std::wstring_view text, COLORREF colour, UINT align = DT_CENTER) {
    RECT rect = ToRect(r);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Utf8Text(HDC dc, PixelRect r, std::string_view utf8, COLORREF colour, UINT align = DT_CENTER) {
    Text(dc, r, Widen(utf8), colour, align);
}

// A small decimal number, without the C library's formatting.
std::wstring_view Decimal(int value, wchar_t (&buffer)[8]) {
    wchar_t* end = buffer + 8;
    wchar_t* digit = end;
    do {
        *--digit = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value > 0 && digit != buffer);
    return {digit, static_cast<std::size_t>(end - digit)};
}

PixelRect TopHalf(PixelRect r) { return {r.left, r.top + 2, r.right, (r.top + r.bottom) / 2 + 1}; }
PixelRect BottomHalf(PixelRect r) {
    return {r.left, (r.top + r.bottom) / 2 - 1, r.right, r.bottom - 2};
}

MouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return MouseButton::Left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MouseButton::Right;
        default:
            return MouseButton::Middle;
    }
}

}  // namespace

LunarDropDown::Canvas::Canvas(HWND window) {
    HDC screen = GetDC(window);
    dc.reset(CreateCompatibleDC(screen));
    bitmap.reset(CreateCompatibleBitmap(screen, kDropDownWidth, kDropDownHeight));
    ReleaseDC(window, screen);
    if (dc && bitmap) oldBitmap = SelectObject(dc.get(), bitmap.get());

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    font.reset(CreateFontIndirectW(&face));
    face.lfWeight = FW_BOLD;
    bold.reset(CreateFontIndirectW(&face));
}

LunarDropDown::Canvas::~Canvas() {
    // The bitmap leaves the DC before either is freed.
    if (oldBitmap != nullptr) SelectObject(dc.get(), oldBitmap);
}

bool LunarDropDown::RegisterClass(HINSTANCE instance) {
    return RegisterWindowClass(instance, kClassName);
}

bool LunarDropDown::Create(HWND owner) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    return CreateWindowExW(kExStyle, kClassName, L"", kStyle, 0, 0, 0, 0, owner, nullptr, instance,
                           this) != nullptr;
}

void LunarDropDown::Show(LunarDateBox& box, HWND boxWindow) {
    box_ = &box;
    boxWindow_ = boxWindow;
    if (window_ == nullptr && !Create(GetAncestor(boxWindow, GA_ROOT))) return;
    panel_.Reset();
    canvas_.emplace(window_);

    RECT outer{0, 0, kDropDownWidth, kDropDownHeight};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT anchor;
    GetWindowRect(boxWindow, &anchor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(boxWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelPoint at =
        PlaceDropDown({anchor.left, anchor.top, anchor.right, anchor.bottom}, width, height,
                      {work.left, work.top, work.right, work.bottom});

    InvalidateRect(window_, nullptr, FALSE);
    SetWindowPos(window_, HWND_TOP, at.x, at.y, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    PostMessageW(window_, kTakeCaptureMessage, 0, 0);
}

void LunarDropDown::Hide() {
    if (window_ == nullptr) return;
    if (capturing_) {
        capturing_ = false;
        if (GetCapture() == window_) ReleaseCapture();
    }
    ShowWindow(window_, SW_HIDE);
    canvas_.reset();
}

void LunarDropDown::Redraw() {
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void LunarDropDown::Destroy() {
    capturing_ = false;
    if (window_ != nullptr) DestroyWindow(window_);
    canvas_.reset();
}

LRESULT LunarDropDown::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_MOUSEMOVE:
            if (box_ != nullptr) {
                box_->Apply(panel_.Move(box_->state(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnButtonDown(message, lParam);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnButtonUp(message, lParam);
            return 0;
        case kTakeCaptureMessage:
            if (box_ != nullptr && box_->state().IsOpen() && IsWindowVisible(window_)) {
                SetCapture(window_);
                capturing_ = GetCapture() == window_;
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window_) OnCaptureLost();
            return 0;
        case WM_ACTIVATEAPP:
            if (!wParam) LoseActivation();
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void LunarDropDown::OnButtonDown(UINT message, LPARAM lParam) {
    if (box_ == nullptr) return;
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(window_, &client);
    if (!PtInRect(&client, at)) {
        // "..." pressed again while open does nothing; any other press
        // outside the drop-down takes it away.
        POINT screen = at;
        ClientToScreen(window_, &screen);
        HWND under = WindowFromPoint(screen);
        if (under == nullptr || GetParent(under) != boxWindow_) LoseActivation();
        return;
    }
    if (ButtonOf(message) == MouseButton::Left) {
        box_->Apply(panel_.Press(box_->state(), at.x, at.y));
    }
}

void LunarDropDown::OnButtonUp(UINT message, LPARAM lParam) {
    if (box_ == nullptr) return;
    box_->Apply(panel_.Release(box_->state(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                               ButtonOf(message)));
}

void LunarDropDown::OnCaptureLost() {
    if (!capturing_) return;
    capturing_ = false;
    LoseActivation();
}

void LunarDropDown::LoseActivation() {
    if (box_ != nullptr) box_->Apply(box_->state().LoseActivation());
}

void LunarDropDown::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (canvas_ && canvas_->oldBitmap != nullptr) {
        // The whole calendar is drawn off screen and copied in one go.
        HDC memory = canvas_->dc.get();
        Draw(memory);
        BitBlt(dc, 0, 0, kDropDownWidth, kDropDownHeight, memory, 0, 0, SRCCOPY);
    }
    EndPaint(window_, &paint);
}

void LunarDropDown::Draw(HDC dc) const {
    Fill(dc, {0, 0, kDropDownWidth, kDropDownHeight}, kBackground);
    const std::optional<MonthView> view = box_ ? box_->state().View() : std::nullopt;
    if (!view) return;
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, canvas_->font.get());
    DrawHeader(dc, *view);
    switch (panel_.page()) {
        case DropDownPage::Days:
            DrawDays(dc, *view);
            break;
        case DropDownPage::Years:
        case DropDownPage::Months:
            DrawList(dc, view->month);
            break;
    }
    Utf8Text(dc, TermLineRect(), TermLine(*view), kTermText, DT_LEFT);
    Utf8Text(dc, HoverLineRect(), box_->state().HoverLine(), kText, DT_LEFT);
}

void LunarDropDown::DrawHeader(HDC dc, const MonthView& view) const {
    constexpr PixelRect kYear = PartRect(DropDownPart::YearLabel);
    constexpr PixelRect kMonth = PartRect(DropDownPart::MonthLabel);
    Fill(dc, {kGridLeft, kYear.top, kGridLeft + kGridWidth, kYear.bottom}, kHeader);
    // The label of an open list looks pressed.
    if (panel_.page() != DropDownPage::Days) {
        Fill(dc, panel_.page() == DropDownPage::Years ? kYear : kMonth, kSavedFill);
    }
    for (DropDownPart arrow : {DropDownPart::YearBack, DropDownPart::YearForward,
                               DropDownPart::MonthBack, DropDownPart::MonthForward}) {
        const bool back = arrow == DropDownPart::YearBack || arrow == DropDownPart::MonthBack;
        Text(dc, PartRect(arrow), back ? L"\u25C0" : L"\u25B6", kLunarText);
    }
    SelectedObject bold(dc, canvas_->bold.get());
    Utf8Text(dc, kYear, YearLabel(view.month.year), kText);
    Utf8Text(dc, kMonth, view.month_name, kText);
}

void LunarDropDown::DrawDays(HDC dc, const MonthView& view) const {
    static constexpr std::wstring_view kWeekdays = L"一二三四五六日";
    for (int d = 0; d < 7; ++d) {
        Text(dc, WeekdayRect(d), kWeekdays.substr(static_cast<std::size_t>(d), 1),
             d >= 5 ? kWeekendText : kLunarText);
    }
    for (int i = 0; i < kMonthCellCount; ++i) {
        const MonthCell& cell = view.cells[static_cast<std::size_t>(i)];
        const PixelRect r = CellRect(DropDownPage::Days, i);
        if (cell.saved) {
            Fill(dc, r, kSavedFill);
            Frame(dc, r, kSavedFrame);
        } else if (i == panel_.hoveredCell()) {
            Fill(dc, r, kHoverFill);
        }
        const bool in = cell.in_shown_month;
        wchar_t number[8];
        Text(dc, TopHalf(r), Decimal(cell.date.day, number), in ? kText : kOtherMonthText);
        // A solar term's name stands in for the lunar day's.
        const bool term = !cell.term.empty();
        Utf8Text(dc, BottomHalf(r), term ? cell.term : std::string_view(cell.label),
                 !in    ? kOtherMonthText
                 : term ? kTermText
                        : kLunarText);
    }
}

void LunarDropDown::DrawList(HDC dc, LunarMonthId shown) const {
    const DropDownPage page = panel_.page();
    for (int i = 0; i < CellCount(page); ++i) {
        const PixelRect r = CellRect(page, i);
        std::string label;
        bool chosen = false;
        if (page == DropDownPage::Years) {
            const int year = YearInCell(panel_.yearPage(), i);
            if (year == 0) break;
            label = YearLabel(year).substr(0, 4);
            chosen = year == shown.year;
        } else {
            const std::optional<LunarMonthId> month = MonthAtListIndex(shown.year, i);
            if (!month) break;
            label = LunarMonthName(month->month, month->leap);
            chosen = *month == shown;
        }
        if (chosen) Fill(dc, r, kSavedFill);
        Utf8Text(dc, r, label, kText);
    }
}

}  // namespace tz
