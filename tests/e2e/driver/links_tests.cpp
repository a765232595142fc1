// Storefront links from outside: what each button, menu item and the
// hyperlink box hands to the shell, captured by the prefix's http handler.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/command_ids.h"
#include "harness.h"

namespace tz::e2e {
namespace {

const std::string kHost = TZ_STOREFRONT_HOST;
// "官方网站" and the hyperlink box hand over the home page with its scheme: a
// bare host name would first be looked up as a file by the shell.
const std::string kHome = "http://" + kHost;

std::string Page(const char* path) { return "http://" + kHost + path; }

int Button(int n) { return ids::kButtonBase + n; }

WPARAM CommandParam(int command) { return static_cast<WPARAM>(command); }

// One link: a button clicked (BM_CLICK) or a menu command chosen.
struct Link {
    const char* what;
    int buttonId;  // 0 for a menu command
    int command;
    std::string address;
};

// The link table, written out independently of the program's own.
const std::vector<Link>& LinkTable() {
    static const std::vector<Link> links = {
        {"按钮1 抖音业务", Button(1), 0, Page("/?cid=1")},
        {"按钮2 快手业务", Button(2), 0, Page("/?cid=4")},
        {"按钮3 全面K歌", Button(3), 0, Page("/?cid=9")},
        {"按钮4 QQ名片", Button(4), 0, Page("/?cid=2")},
        {"按钮5 新浪微博", Button(5), 0, Page("/?cid=11")},
        {"按钮6 QQ空间", Button(6), 0, Page("/?cid=8")},
        {"按钮7 火山业务", Button(7), 0, Page("/?cid=5")},
        {"按钮8 微信公众号", Button(8), 0, Page("/?cid=15")},
        {"按钮9 小红书业务", Button(9), 0, Page("/?cid=6")},
        {"按钮10 各类直播", Button(10), 0, Page("/?cid=7")},
        {"按钮11 开通分站", Button(11), 0, Page("/user/reg.php")},
        {"按钮12 全部业务", Button(12), 0, Page("/")},
        {"menu 开通分站 > 开通", 0, ids::kOpenSubsite, Page("/user/reg.php")},
        {"menu 菜单 > 官方网站", 0, ids::kWebsite, kHome},
    };
    return links;
}

void Trigger(const Program& program, const Link& link) {
    if (link.buttonId != 0)
        program.Post(program.Control(link.buttonId), BM_CLICK, 0, 0);
    else
        program.Post(program.Window(), WM_COMMAND, CommandParam(link.command), 0);
}

// Presses a mouse button on the hyperlink box as the box receives it.
void PressOnHyperlink(const Program& program, UINT down, UINT up, WPARAM keys) {
    HWND box = program.Control(ids::kHyperlink);
    program.Post(box, down, keys, PointParam(52, 12));
    program.Post(box, up, 0, PointParam(52, 12));
}

// Pixels of the hyperlink box drawn exactly in each of its text colours.
struct TextColours {
    int normal = 0;   // 0x00FF0000: blue
    int visited = 0;  // 0x00000080: maroon
    int hover = 0;    // 0x00FF9933: light blue
};

TextColours ColoursOf(HWND box) {
    const Box place = WindowBox(box);
    TextColours colours;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = place.width;
    info.bmiHeader.biHeight = -place.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, place.width, place.height, screen, place.left, place.top, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const unsigned*>(bits);
        const auto count =
            static_cast<std::size_t>(place.width) * static_cast<std::size_t>(place.height);
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned rgb = pixels[i] & 0xFFFFFFu;  // 0x00RRGGBB in a DIB
            colours.normal += rgb == 0x0000FFu;
            colours.visited += rgb == 0x800000u;
            colours.hover += rgb == 0x3399FFu;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colours;
}

// Checks which of the three colours the text is drawn in.
void CheckTextColour(HWND box, const char* expected, const std::string& when) {
    Sleep(200);  // let the repaint reach the screen
    const TextColours c = ColoursOf(box);
    const std::string seen = "normal " + std::to_string(c.normal) + ", visited " +
                             std::to_string(c.visited) + ", hover " + std::to_string(c.hover);
    const std::string which = std::string(expected);
    const bool ok = which == "normal"    ? c.normal > 0 && c.visited == 0 && c.hover == 0
                    : which == "visited" ? c.visited > 0 && c.normal == 0 && c.hover == 0
                                         : c.hover > 0 && c.normal == 0 && c.visited == 0;
    Check(ok, "hyperlink text in the " + which + " colour " + when, "pixels: " + seen);
}

TZ_SCENARIO(EachLinkOnce, "links: each button and menu item hands over exactly its address") {
    Program program;
    if (!program.Started()) return;
    for (const Link& link : LinkTable()) {
        ClearUrls();
        Trigger(program, link);
        CheckEqual(CollectUrls(1), std::vector<std::string>{link.address}, link.what);
    }
    ClearUrls();
    PressOnHyperlink(program, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    CheckEqual(CollectUrls(1), std::vector<std::string>{kHome}, "超级链接框1 left button");
    Check(program.Visible() && program.MessageBoxes().empty(), "the window stays as it was");
}

TZ_SCENARIO(TwoClicksTwoAddresses, "links: two clicks hand over two addresses") {
    Program program;
    if (!program.Started()) return;
    for (const Link& link : {LinkTable()[0], LinkTable()[12]}) {
        ClearUrls();
        Trigger(program, link);
        Trigger(program, link);
        CheckEqual(CollectUrls(2), std::vector<std::string>(2, link.address),
                   std::string(link.what) + " twice");
    }
}

TZ_SCENARIO(PlantedHostFile, "links: a file named like the host is never run") {
    // With a bare host name the shell would look for a file of that name in
    // the working folder first, and run it.
    const std::wstring planted = Settings().workDir + L"\\" + Widen(kHost);
    CreateDirectoryW(Settings().workDir.c_str(), nullptr);
    HANDLE file = CreateFileW(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!Check(file != INVALID_HANDLE_VALUE, "plant " + Narrow(planted))) return;
    DWORD written = 0;
    WriteFile(file, "\xCD\x20", 2, &written, nullptr);  // int 20h: a DOS program that ends
    CloseHandle(file);
    {
        Program program;
        if (program.Started()) {
            ClearUrls();
            program.Post(program.Window(), WM_COMMAND, CommandParam(ids::kWebsite), 0);
            CheckEqual(CollectUrls(1), std::vector<std::string>{kHome},
                       "官方网站 opens the web page");
            ClearUrls();
            PressOnHyperlink(program, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
            CheckEqual(CollectUrls(1), std::vector<std::string>{kHome},
                       "超级链接框1 opens the web page");
        }
    }
    DeleteFileW(planted.c_str());
}

TZ_SCENARIO(HyperlinkBox, "hyperlink box: text, press, double click, other buttons, colours") {
    Program program;
    if (!program.Started()) return;
    HWND box = program.Control(ids::kHyperlink);
    if (!Check(box != nullptr, "超级链接框1 exists")) return;
    CheckEqual(TextOf(box), Widen(kHost), "WM_GETTEXT gives the host name it shows");
    CheckTextColour(box, "normal", "at start");

    // Hover: the box captures the pointer on the first move and lets go once
    // the pointer is outside.
    program.Post(box, WM_MOUSEMOVE, 0, PointParam(52, 12));
    CheckTextColour(box, "hover", "while the pointer is over it");
    program.Post(box, WM_MOUSEMOVE, 0, PointParam(300, -40));
    CheckTextColour(box, "normal", "once the pointer has left, before any opening");

    // Opens when the left button goes down, without waiting for the release.
    ClearUrls();
    program.Post(box, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(52, 12));
    CheckEqual(CollectUrls(1), std::vector<std::string>{kHome}, "left button down opens");
    program.Post(box, WM_LBUTTONUP, 0, PointParam(52, 12));
    program.Post(box, WM_MOUSEMOVE, 0, PointParam(52, 12));
    program.Post(box, WM_MOUSEMOVE, 0, PointParam(300, -40));
    CheckTextColour(box, "visited", "after a successful opening, pointer outside");

    // A double click arrives as down, up, double click, up: one opening.
    ClearUrls();
    program.Post(box, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(52, 12));
    program.Post(box, WM_LBUTTONUP, 0, PointParam(52, 12));
    PressOnHyperlink(program, WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON);
    CheckEqual(CollectUrls(1), std::vector<std::string>{kHome}, "a double click opens once");

    const struct {
        const char* what;
        UINT down;
        UINT up;
        WPARAM keys;
    } others[] = {
        {"right button", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
        {"right double click", WM_RBUTTONDBLCLK, WM_RBUTTONUP, MK_RBUTTON},
        {"middle button", WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON},
    };
    for (const auto& other : others) {
        ClearUrls();
        PressOnHyperlink(program, other.down, other.up, other.keys);
        CheckEqual(CollectUrls(0), std::vector<std::string>{},
                   std::string(other.what) + " opens nothing");
    }
}

TZ_SCENARIO(RealInput, "real input: clicks on a button, the hyperlink box and the menu bar") {
    Program program;
    if (!program.Started() || !Check(program.Activate(), "the window is in the foreground")) return;

    ClearUrls();
    Xdo(ClickAt(CentreOf(program.Control(Button(5)))));
    CheckEqual(CollectUrls(1), std::vector<std::string>{Page("/?cid=11")}, "click on 按钮5");

    HWND box = program.Control(ids::kHyperlink);
    // Wine delivers no pointer moves over its desktop to a captured window:
    // "away" is a point on the main window, over 标签3.
    const POINT away = CentreOf(program.Control(ids::kLabelBase + 3));
    const std::string moveAway =
        "mousemove " + std::to_string(away.x) + " " + std::to_string(away.y);
    Xdo(moveAway);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    GetCursorInfo(&cursor);
    const HCURSOR arrow = cursor.hCursor;
    ClearUrls();
    Xdo(ClickAt(CentreOf(box)));
    CheckEqual(CollectUrls(1), std::vector<std::string>{kHome}, "click on 超级链接框1");
    // Cursor handles are the program's own: compare with its arrow only.
    GetCursorInfo(&cursor);
    Check(cursor.hCursor != nullptr && cursor.hCursor != arrow,
          "the pointer changes shape over 超级链接框1");
    CheckTextColour(box, "hover", "with the real pointer over it");
    Xdo(moveAway);
    program.Sync();
    CheckTextColour(box, "visited", "after the real pointer has left");

    ClearUrls();
    HWND popup = OpenFirstMenu(program);
    if (!Check(popup != nullptr, "a click on 菜单 opens its pop-up")) return;
    const Box menu = WindowBox(popup);
    // Three items of equal height inside a thin frame.
    const int itemHeight = (menu.height - 6) / 3;
    Xdo(ClickAt({menu.left + menu.width / 2, menu.top + 3 + itemHeight + itemHeight / 2}));
    CheckEqual(CollectUrls(1), std::vector<std::string>{kHome}, "菜单 > 官方网站 clicked");
    Check(program.Visible() && program.Running(), "the window stays as it was");
}

TZ_SCENARIO(RefusedAddresses, "links: a refusing shell leaves the window unchanged") {
    RefusingShell refusing;
    const auto refused = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Widen(Page("/")).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (!Check(refused <= 32, "fixture: the shell refuses http addresses",
               "ShellExecuteW returned " + Show(static_cast<long long>(refused))))
        return;

    Program program;
    if (!program.Started() || !Check(program.Activate(), "the window is in the foreground")) return;
    HWND window = program.Window();
    HWND box = program.Control(ids::kHyperlink);
    const Box place = WindowBox(window);

    const struct {
        const char* what;
        int control;
        int command;
    } attempts[] = {
        {"按钮1", Button(1), 0},
        {"按钮12", Button(12), 0},
        {"官方网站", 0, ids::kWebsite},
        {"开通", 0, ids::kOpenSubsite},
        {"超级链接框1", ids::kHyperlink, 0},
    };
    for (const auto& attempt : attempts) {
        const std::string what = std::string(attempt.what) + " refused: ";
        // A clicked button takes the focus as any click does; nothing else moves it.
        const int focus = attempt.control != 0 && attempt.control != ids::kHyperlink
                              ? attempt.control
                              : program.FocusedControlId();
        ClearUrls();
        if (attempt.control == ids::kHyperlink)
            PressOnHyperlink(program, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
        else if (attempt.control != 0)
            program.Post(program.Control(attempt.control), BM_CLICK, 0, 0);
        else
            program.Post(window, WM_COMMAND, CommandParam(attempt.command), 0);
        CheckEqual(CollectUrls(0), std::vector<std::string>{}, what + "nothing handed over");
        Check(program.MessageBoxes().empty(), what + "no message box");
        Check(program.Visible() && program.Running(), what + "still visible, still running");
        CheckEqual(WindowBox(window), place, what + "same place");
        CheckEqual(program.FocusedControlId(), focus, what + "same focus");
    }
    // A failed opening leaves the box unvisited: normal colour once the
    // pointer has left.
    program.Post(box, WM_MOUSEMOVE, 0, PointParam(52, 12));
    program.Post(box, WM_MOUSEMOVE, 0, PointParam(300, -40));
    CheckTextColour(box, "normal", "after a failed opening");
}

}  // namespace
}  // namespace tz::e2e
