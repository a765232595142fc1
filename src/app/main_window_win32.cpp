#include "app/main_window_win32.h"

#include <commctrl.h>

#include <string>

#include "app/child_control_win32.h"
#include "app/command_ids.h"
#include "app/tab_order.h"
#include "app/wide_text_win32.h"
#include "app/window_layout.h"
#include "display/status_bar_win32.h"
#include "display/status_clock_win32.h"
#include "links/notices.h"
#include "links/open_web_address_win32.h"
#include "links/show_notice_win32.h"
#include "links/storefront_links.h"
#include "resources/program_icon_win32.h"
#include "tray/single_instance_win32.h"
#include "tray/tray_codes.h"

namespace tz {
namespace {

constexpr wchar_t kClassName[] = L"TzMainWindow";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed border, close box only
constexpr UINT kClockPeriodMs = 1000;

UniqueMenu BuildMenu() {
    UniqueMenu bar(CreateMenu());
    if (!bar) return bar;
    for (const MenuPopup& popup : BuildMenuBar(MainMenuItems())) {
        HMENU items = CreatePopupMenu();
        for (const MenuItemRecord& item : popup.items) {
            AppendMenuW(items, MF_STRING, static_cast<UINT_PTR>(item.command),
                        Widen(item.caption).c_str());
        }
        AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(items),
                    Widen(popup.title->caption).c_str());
    }
    return bar;
}

}  // namespace

bool MainWindow::RegisterClass(HINSTANCE instance) {
    const auto face = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    return RegisterWindowClass(instance, kClassName, 0, IDC_ARROW, face) &&
           HyperlinkBox::RegisterClass(instance) && LunarDateBox::RegisterClass(instance);
}

const wchar_t* MainWindow::ClassName() { return kClassName; }

bool MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    taskbarCreated_ = TaskbarCreatedMessage();
    showRequest_ = ShowRequestMessage();
    const WindowRecord& record = MainWindowRecord();
    const Point origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       record.width, record.height);
    UniqueMenu menu = BuildMenu();
    HWND window =
        CreateWindowExW(0, kClassName, Widen(record.title).c_str(), kWindowStyle, origin.x,
                        origin.y, record.width, record.height, nullptr, menu.get(), instance, this);
    if (window == nullptr) return false;
    menu.release();  // the window owns its menu bar from now on
    return true;
}

void MainWindow::Show() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (!OnCreate()) return -1;
            OnCreated();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            OnCloseQuery();
            return 0;
        case WM_QUERYENDSESSION:
            // Never stand in the way of log-off or shutdown.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) EndProgram(0);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            break;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_SIZE:
            if (HWND bar = GetDlgItem(window_, ids::kStatusBar)) SendMessageW(bar, WM_SIZE, 0, 0);
            return 0;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(wParam));
        case ids::kTrayCallbackMessage:
            OnTrayNotify(lParam);
            return 0;
        case WM_HELP:
            return TRUE;  // no help file
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            if (const auto answer = OnRegisteredMessage(message)) return *answer;
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindow::OnCreate() {
    SetWindowIcons();
    CreateControls();
    tabOrder_ = TabOrder(MainControls());
    return true;
}

void MainWindow::OnCreated() {
    InstallTrayIcon();
    WriteStartupStatus(GetDlgItem(window_, ids::kStatusBar));
}

void MainWindow::SetWindowIcons() {
    // The icon choice gives the 16 x 16 image for both with our icon file.
    icon_ = LoadProgramIcon(instance_, IconRole::kSmall);
    bigIcon_ = LoadProgramIcon(instance_, IconRole::kBig);
    if (bigIcon_) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    }
    if (icon_) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
}

void MainWindow::InstallTrayIcon() { tray_.SetTrayIcon(window_, icon_.get(), kTrayTip); }

void MainWindow::OnTrayNotify(LPARAM mouseMessage) {
    // While a notice is open the program takes no input, the tray included.
    if (!IsWindowEnabled(window_)) return;
    switch (TrayActionFor(TrayTypeCode(static_cast<unsigned>(mouseMessage)))) {
        case TrayAction::kShowWindow:
            SetMainWindowVisible(true);
            break;
        case TrayAction::kOpenMenu:
            if (const auto index = TrayMenuIndex(MainMenuItems())) PopUpTrayMenu(window_, *index);
            break;
        case TrayAction::kNothing:
            break;
    }
}

std::optional<LRESULT> MainWindow::OnRegisteredMessage(UINT message) {
    if (message == 0) return std::nullopt;
    if (message == taskbarCreated_) {
        // The shell has rebuilt the notification area without our icon.
        tray_.Restore();
        return 0;
    }
    if (message == showRequest_) {
        // A second start hands over to this instance.
        SetMainWindowVisible(true);
        return kShowRequestAnswer;
    }
    return std::nullopt;
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == static_cast<UINT_PTR>(ids::kClockTimer)) {
        WriteClockText(GetDlgItem(window_, ids::kStatusBar));
    }
}

void MainWindow::CreateControls() {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlRecord& record : MainControls()) {
        HWND control = CreateControl(record);
        if (control == nullptr) continue;
        SendMessageW(control, WM_SETFONT, font, FALSE);
        // Stored order is stacking order: each record goes below the ones before it.
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

HWND MainWindow::CreateControl(const ControlRecord& record) {
    switch (record.kind) {
        case ControlKind::Timer:
            // A timer is never shown; its first event falls due one period from now.
            SetTimer(window_, static_cast<UINT_PTR>(record.id), kClockPeriodMs, nullptr);
            return nullptr;
        case ControlKind::StatusBar:
            return CreateStatusBar(window_, record, instance_);
        case ControlKind::HyperLinker:
            return hyperlink_.Create(window_, record, instance_);
        case ControlKind::CnCalendar:
            return dateBox_.Create(window_, record, instance_);
        case ControlKind::Button: {
            const DWORD style = BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
            return CreateChildControl(window_, record, L"BUTTON", Widen(record.text).c_str(), style,
                                      instance_);
        }
        case ControlKind::Label: {
            // No SS_NOTIFY: a label raises no events, so its feedback
            // handler (which would do nothing) is never called.
            DWORD style = SS_NOPREFIX | SS_LEFT;
            if (!(record.settings & kLabelMultiLine)) style |= SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
            if (record.settings & kLabelBorder) style |= WS_BORDER;
            return CreateChildControl(window_, record, L"STATIC", Widen(record.text).c_str(), style,
                                      instance_);
        }
    }
    return nullptr;
}

LRESULT MainWindow::OnControlColour(HDC dc) {
    // Labels: black text over the 3-D face colour.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (control == nullptr) {
        if (code == 0) OnMenuCommand(id);
        return;
    }
    if (code == BN_CLICKED) {
        if (const auto address = AddressForControl(id)) OpenWebAddress(*address);
    }
}

void MainWindow::OnMenuCommand(int command) {
    switch (command) {
        case ids::kAbout:
            ShowNotice(kAboutNotice);
            break;
        case ids::kEditions:
            ShowNotice(kEditionsNotice);
            break;
        case ids::kExit:
            EndProgram(0);
            break;
        default:
            if (const auto address = AddressForCommand(command)) OpenWebAddress(*address);
            break;
    }
}

bool MainWindow::OnCloseQuery() {
    // The tray icon is the only way back to a hidden window: without it
    // (refused, or lost with the shell) hiding would strand the program.
    if (tray_.Restore()) SetMainWindowVisible(false);
    return false;
}

void MainWindow::SetMainWindowVisible(bool visible) {
    if (visible) {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
    } else {
        ShowWindow(window_, SW_HIDE);
    }
}

void MainWindow::EndProgram(int exitCode) {
    exitCode_ = exitCode;
    DestroyWindow(window_);
}

void MainWindow::OnDestroy() {
    tray_.Remove();
    KillTimer(window_, static_cast<UINT_PTR>(ids::kClockTimer));
    PostQuitMessage(exitCode_);
}

void MainWindow::OnActivate(bool active) {
    if (active) return;
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) savedFocus_ = focus;
}

void MainWindow::OnSetFocus() {
    HWND target = savedFocus_;
    if (target == nullptr || !IsWindow(target) || !IsChild(window_, target)) {
        target = GetDlgItem(window_, tabOrder_.empty() ? 0 : tabOrder_.front());
    }
    if (target != nullptr) SetFocus(target);
}

int MainWindow::FocusedControlId() const {
    // The focus may sit in a part of a control (the date box's button).
    HWND focus = GetFocus();
    while (focus != nullptr && GetParent(focus) != window_) focus = GetParent(focus);
    return focus ? GetDlgCtrlID(focus) : 0;
}

void MainWindow::MoveFocus(bool forward) {
    const int next = NextInTabOrder(tabOrder_, FocusedControlId(), forward);
    if (HWND control = GetDlgItem(window_, next)) SetFocus(control);
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    if (dateBox_.PreTranslateKey(message)) return true;
    switch (message.wParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
            MoveFocus(GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_ESCAPE:
            SendMessageW(window_, WM_CLOSE, 0, 0);
            return true;
        case VK_RETURN:  // no default push button
        case VK_F1:      // no help
            return true;
        default:
            return false;
    }
}

}  // namespace tz
