// The notices and the labels seen from outside: the two message boxes
// (caption, text, no owner, OK only, the program blocked while one is open,
// its clock running on) and the four labels' styles and look on the screen.
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_ids.h"
#include "harness.h"
#include "tray_desktop.h"

namespace tz::e2e {
namespace {

constexpr char kCaption[] = "信息：";
constexpr int kMessageBoxIcon[] = {0x0014, 0x0440};  // the icon's ID on Windows and on Wine

int Label(int n) { return ids::kLabelBase + n; }

std::wstring ItemText(HWND box, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(box, id, text, 512);
    return text;
}

TZ_SCENARIO(Notices, "notices: caption, text, no owner, OK only; the program waits for them") {
    const struct {
        const char* item;
        int command;
        const char* text;
    } notices[] = {
        {"关于本程序", ids::kAbout, "欢迎使用本软件，软件版本V3.2"},
        {"版本介绍", ids::kEditions,
         "目前有两个版本，普及版和专业版，专业版拿货价更低，用户可搭建下级分站，这样就可以赚提成，"
         "还送跟官方一样的电脑软件"},
    };
    Program program;
    if (!program.Started() || !Check(program.Activate(), "the window is in the foreground")) return;
    HWND window = program.Window();
    HWND clock = program.Control(ids::kStatusBar);

    for (const auto& notice : notices) {
        const std::string name = notice.item;
        program.Post(window, WM_COMMAND, static_cast<WPARAM>(notice.command), 0);
        HWND box = nullptr;
        WaitFor([&] {
            const std::vector<HWND> boxes = program.MessageBoxes();
            box = boxes.size() == 1 ? boxes.front() : nullptr;
            return box != nullptr;
        });
        if (!Check(box != nullptr, name + " opens one message box")) continue;
        CheckEqual(TextOf(box), Widen(kCaption), name + ": caption");
        CheckEqual(ItemText(box, 0xFFFF), Widen(notice.text), name + ": text");
        Check(GetWindow(box, GW_OWNER) == nullptr, name + ": no owner window");
        HWND ok = GetDlgItem(box, IDOK);
        Check(ok != nullptr && IsWindowVisible(ok), name + ": an OK button");
        bool otherButton = false;
        for (int id : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDCLOSE, IDHELP}) {
            HWND button = GetDlgItem(box, id);
            otherButton = otherButton || (button != nullptr && IsWindowVisible(button));
        }
        Check(!otherButton, name + ": no other button");
        bool icon = false;
        for (int id : kMessageBoxIcon) {
            // Wine keeps the picture control; without an icon it holds none.
            HWND image = GetDlgItem(box, id);
            DWORD_PTR picture = 0;
            if (image != nullptr && IsWindowVisible(image)) {
                SendMessageTimeoutW(image, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 3000, &picture);
            }
            icon = icon || picture != 0;
        }
        Check(!icon, name + ": no icon");

        Check(!IsWindowEnabled(window), name + ": the main window takes no input while it is open");
        if (notice.command == ids::kAbout) {
            Screenshot("notice");
            // A real click on a link button reaches nothing.
            ClearUrls();
            Xdo(XdoAt(WindowBox(program.Control(ids::kButtonBase + 1)), "click 1"));
            CheckEqual(CollectUrls(0), std::vector<std::string>{},
                       name + ": a click on 按钮1 opens nothing");
            // Nor does the tray icon.
            SendTrayMouse(program, WM_RBUTTONUP);
            Sleep(300);
            Check(PopupMenuOf(program) == nullptr, name + ": the tray menu does not open");
            // The clock goes on.
            const std::wstring before = TextOf(clock);
            Check(WaitFor([&] { return TextOf(clock) != before; }, 2500),
                  name + ": the status bar clock keeps changing");
        }

        PostMessageW(ok, BM_CLICK, 0, 0);
        Check(WaitFor([&] { return program.MessageBoxes().empty(); }), name + ": OK closes it");
        Check(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }),
              name + ": the main window takes input again");
    }
}

// One label's look: rows of the label that hold text (dark pixels), and the
// colours at its edge and inside.
struct LabelPixels {
    int firstTextRow = -1;  // relative to the label's top
    int lastTextRow = -1;
    int textLines = 0;  // runs of rows with text
    bool black = false;
    COLORREF edge = CLR_INVALID;
    COLORREF inside = CLR_INVALID;
};

constexpr int kLineGap = 2;

bool Dark(COLORREF colour) {
    return GetRValue(colour) < 96 && GetGValue(colour) < 96 && GetBValue(colour) < 96;
}

LabelPixels Look(HWND label, bool border) {
    const Box box = WindowBox(label);
    const ScreenCapture screen(box);
    LabelPixels pixels;
    const int margin = border ? 1 : 0;
    for (int row = margin; row < box.height - margin; ++row) {
        bool text = false;
        for (int column = margin; column < box.width - margin; ++column) {
            const COLORREF colour = screen.At(box.left + column, box.top + row);
            text = text || Dark(colour);
            pixels.black = pixels.black || colour == RGB(0, 0, 0);
        }
        if (text) {
            // A line's glyphs can leave a row or two without dark pixels.
            if (pixels.firstTextRow < 0 || row - pixels.lastTextRow > kLineGap) ++pixels.textLines;
            if (pixels.firstTextRow < 0) pixels.firstTextRow = row;
            pixels.lastTextRow = row;
        }
    }
    pixels.edge = screen.At(box.left, box.top + box.height / 2);
    pixels.inside = screen.At(box.left + box.width - 1 - margin, box.top + margin);
    return pixels;
}

TZ_SCENARIO(Labels, "labels: styles, border, centring, wrapping and colours") {
    Program program;
    if (!program.Started() || !Check(program.Activate(), "the window is in the foreground")) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);

    const struct {
        const char* name;
        int id;
        bool border;
        bool multiLine;
    } labels[] = {
        {"标签1", Label(1), false, false},
        {"标签2", Label(2), true, false},
        {"标签3", Label(3), false, true},
        {"标签4", Label(4), false, false},
    };
    Screenshot("labels");
    for (const auto& label : labels) {
        const std::string name = label.name;
        HWND control = program.Control(label.id);
        if (!Check(control != nullptr, name + " exists")) continue;
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
        const DWORD type = style & SS_TYPEMASK;
        Check(((style & WS_BORDER) != 0) == label.border,
              name + (label.border ? ": a thin single border" : ": no border"));
        Check((exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE)) == 0,
              name + ": no 3-D edge");
        Check((style & SS_NOTIFY) == 0, name + ": raises no events");
        Check((style & WS_TABSTOP) == 0 && IsWindowEnabled(control) && IsWindowVisible(control),
              name + ": visible, enabled, no tab stop");
        if (label.multiLine) {
            Check(type == SS_LEFT && (style & SS_CENTERIMAGE) == 0,
                  name + ": left aligned, wrapping, from the top");
        } else {
            Check((type == SS_LEFT || type == SS_LEFTNOWORDWRAP) && (style & SS_CENTERIMAGE) != 0,
                  name + ": left aligned on one line, vertically centred");
        }

        const Box box = WindowBox(control);
        const LabelPixels look = Look(control, label.border);
        Check(look.black, name + ": black text");
        CheckEqual(static_cast<long long>(look.inside), static_cast<long long>(face),
                   name + ": 3-D face fill");
        CheckEqual(static_cast<long long>(look.edge),
                   static_cast<long long>(label.border ? frame : face),
                   name + (label.border ? ": window-frame border" : ": no border drawn"));
        if (label.multiLine) {
            Check(look.firstTextRow >= 0 && look.firstTextRow < 6, name + ": text from the top",
                  "first text row " + Show(look.firstTextRow));
            // 说明：, then three numbered lines, of which the wider ones wrap.
            Check(look.textLines > 4, name + ": long lines wrap within the label",
                  Show(look.textLines) + " lines of text");
        } else {
            const int middle = (look.firstTextRow + look.lastTextRow) / 2;
            Check(
                look.textLines == 1 && middle >= box.height / 2 - 3 && middle <= box.height / 2 + 3,
                name + ": one line, vertically centred",
                "text rows " + Show(look.firstTextRow) + " to " + Show(look.lastTextRow) + " of " +
                    Show(box.height));
        }
    }
    // The four blanks before 标签2's text show as space: the text starts
    // well inside the label, unlike 标签4's.
    auto textStart = [](HWND label) {
        const Box box = WindowBox(label);
        const ScreenCapture screen(box);
        for (int column = 1; column < box.width; ++column) {
            for (int row = 1; row < box.height - 1; ++row) {
                if (Dark(screen.At(box.left + column, box.top + row))) return column;
            }
        }
        return -1;
    };
    const int blanks = textStart(program.Control(Label(2)));
    const int plain = textStart(program.Control(Label(4)));
    Check(plain >= 0 && blanks >= plain + 8, "标签2: four leading blanks show as space",
          "text starts at " + Show(blanks) + " against " + Show(plain) + " without blanks");
}

}  // namespace
}  // namespace tz::e2e
