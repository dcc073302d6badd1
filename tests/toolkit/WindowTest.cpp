// Windows, the event stream, keyboard focus and the widget framework (the kind first, shared
// brushes, the image widget and its images), with real windows, messages and keys. The help
// window's read-only editor passing Tab on is shown in the program's end-to-end test.
#include "toolkit/Gdi.h"
#include "toolkit/Image.h"
#include "toolkit/ImageWidget.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

namespace {

// Counts what the owner window offers the kind; answers WM_COMMAND with `answer`.
int parentMessages = 0;
LRESULT answer = NotHandled;
const WidgetKind countingKind = [] {
    WidgetKind kind = {};
    kind.Kind = 1;
    kind.RecordSize = WidgetRecordSize;
    kind.OnParentMessage = [](WidgetRecord*, HWND, UINT message, WPARAM, LPARAM) {
        return message == WM_COMMAND ? (++parentMessages, answer) : NotHandled;
    };
    return kind;
}();

const DWORD Visible = WS_CHILD | WS_VISIBLE;

// A native control in the current widget list registered as widget `number`, of `kind`, one
// below the other by number; nullptr on failure.
HWND Control(int number, const char* className, DWORD style, const WidgetKind* kind = nullptr,
             const char* text = "") {
    HWND control = CreateWindowExA(0, className, text, style, 10, 10 + 30 * (number % 8), 150, 24,
                                   WidgetListParent(), reinterpret_cast<HMENU>(-1),
                                   GetModuleHandleA(nullptr), nullptr);
    int assigned = number;
    WidgetRecord* record = control ? WidgetRecordAcquire(number, &assigned) : nullptr;
    if (!record) {
        DestroyWindow(control);
        return nullptr;
    }
    record->FrontColor = record->BackColor = -1;
    WidgetRegister(number, assigned, record, control, kind);
    return control;
}

RECT Frame(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

// That a close is only reported shows in the program's end-to-end tests (the close box with
// help open closes only help).
TEST(WindowEvents, FlushDropsEventsAndControlsAskTheirOwnKindFirst) {
    HWND window = TestWindowOpen(0, 50, 50, 300, 200, 0);
    EventsDrain();
    PostMessageA(window, WM_COMMAND, 9, 0);
    MessagesFlush(); // drops what the waiting message reported
    EXPECT_EQ(EventWaitTimeout(0), EventNone);
    WidgetListBegin(window);
    HWND button = Control(14, "Button", Visible, &countingKind);
    Control(0, "Button", Visible, &countingKind);
    // A plain control with id 0 and no "GT_ID" property: it reads like widget 0's property.
    HWND foreign = CreateWindowExA(0, "Button", "x", Visible, 10, 130, 80, 24, window, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    EventsDrain();
    const struct {
        HWND control;
        LRESULT answer; // 0: the kind handles the notification itself, no event
        int id, offered;
    } clicks[] = {{button, NotHandled, 14, 1}, {foreign, NotHandled, 0, 1}, {button, 0, -1, 2}};
    for (const auto& c : clicks) {
        answer = c.answer;
        PostMessageA(c.control, BM_CLICK, 0, 0);
        EXPECT_EQ(EventsHave(EventsDrain(), EventKindWidget), c.id >= 0) << c.id;
        EXPECT_EQ(c.id >= 0 ? EventWidgetId() : -1, c.id);
        EXPECT_EQ(parentMessages, c.offered) << c.id;
    }
    WindowCloseAll();
}

// Every event comes out once, in the order it was recorded, with its window: two notifications
// of one dispatch (the field losing the focus to the clicked button, then the click), close
// requests posted behind them, and a burst of moves as one.
TEST(WindowEvents, TheQueueKeepsEveryEventInOrderWithItsWindow) {
    HWND first = TestWindowOpen(0, 50, 50, 300, 200, 0);
    HWND second = TestWindowOpen(1, 400, 50, 300, 200, 0);
    WidgetListBegin(first);
    HWND field = Control(5, "Edit", Visible | WS_TABSTOP);
    HWND button = Control(14, "Button", Visible | BS_PUSHBUTTON);
    ASSERT_TRUE(WindowForegroundMake(first));
    SetFocus(field);
    EventsDrain();
    PostMessageA(button, BM_CLICK, 0, 0);
    PostMessageA(second, WM_CLOSE, 0, 0);
    PostMessageA(first, WM_CLOSE, 0, 0);
    for (int x = 410; x < 440; x += 10)
        SetWindowPos(second, nullptr, x, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<std::array<int, 4>> events; // kind, window, number, subtype
    for (int kind; (kind = EventWaitTimeout(200)) != EventNone;)
        if (kind == EventKindWidget || kind == EventKindClose || kind == EventMoveWindow)
            events.push_back({kind, EventWindowId(), kind == EventKindWidget ? EventWidgetId() : 0,
                              EventSubtype()});
    const std::vector<std::array<int, 4>> expected = {{EventMoveWindow, 1, 0, -1},
                                                      {EventKindWidget, 0, 5, EN_KILLFOCUS},
                                                      {EventKindWidget, 0, 14, BN_CLICKED},
                                                      {EventKindClose, 1, 0, -1},
                                                      {EventKindClose, 0, 0, -1}};
    EXPECT_EQ(expected, events);
    WindowCloseAll();
}

// Help and statistics open centred on the calculator, which is active when they open.
TEST(WindowLifetime, CenteredOnTheActiveWindowAndAllClosedTogether) {
    HWND main = TestWindowOpen(0, 100, 120, 600, 400, 0xCA0000);
    ASSERT_TRUE(WindowForegroundMake(main));
    HWND help = TestWindowOpen(1, 0, 0, 200, 100, WindowCenteredOnParent);
    const RECT outer = Frame(main), inner = Frame(help);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
    WindowCloseAll();
    EXPECT_FALSE(IsWindow(help) || IsWindow(main));
}

TEST(Focus, TabSkipsDisabledHiddenAndPlainControlsBothWaysAndWraps) {
    HWND window = TestWindowOpen(0, 60, 60, 420, 300, 0xCA0000);
    WidgetListBegin(window);
    Control(1, "Edit", Visible | WS_TABSTOP);
    Control(2, "Static", Visible);                          // not a tab stop
    Control(3, "Edit", Visible | WS_TABSTOP | WS_DISABLED); // disabled
    Control(4, "Edit", WS_CHILD | WS_TABSTOP);              // hidden
    Control(5, "Button", Visible | WS_TABSTOP | BS_PUSHBUTTON);
    Control(6, "Edit", Visible | WS_TABSTOP);
    Control(7, "Edit", Visible); // takes the focus, but is no tab stop
    WindowForegroundMake(window);
    const struct {
        int focus; // given first: -1 none, 0 as it is
        bool shift, control;
        int focused;
    } steps[] = {
        {-1, true, false, 6}, // nothing focused: Shift+Tab goes to the last tab stop
        {0, true, false, 5},  {0, true, false, 1}, {0, true, false, 6}, // and wraps
        {7, false, false, 7}, {7, true, false, 6}, {1, false, true, 1},
        {0, false, false, 5}, // Ctrl+Tab is left to the control
    };
    for (const auto& step : steps) {
        if (step.focus)
            SetFocus(step.focus > 0 ? WidgetLookup(step.focus)->Handle : nullptr);
        InputKey(VK_TAB, step.shift, step.control);
        EventsOfInput();
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), step.focused) << &step - steps;
    }
    WindowClose(0);
}

// A menu key chooses its item anywhere but in a field the user types in, where Ctrl+Z stays the
// field's own undo.
TEST(Focus, MenuKeysActOutsideWritableFieldsOnly) {
    HWND window = TestWindowOpen(0, 60, 60, 420, 300, 0xCA0000);
    WidgetListBegin(window);
    HWND edit = Control(1, "Edit", Visible | WS_TABSTOP);
    Control(2, "Button", Visible | WS_TABSTOP | BS_PUSHBUTTON);
    Control(3, "Edit", Visible | WS_TABSTOP | ES_READONLY);
    WindowMenuKeyAdd(0, 'Z', 77);
    WindowMenuKeyAdd(0, 'Y', 78);
    WindowForegroundMake(window);
    SetFocus(edit);
    InputKey('A');
    InputKey('B');
    InputKey('Z', false, true);
    InputKey('Y', false, true);
    EXPECT_FALSE(EventsHave(EventsOfInput(), EventKindMenu));
    char text[16] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, ""); // the typing undone
    for (int focus : {2, 3}) {
        SetFocus(WidgetLookup(focus)->Handle);
        for (int key : {'Z', 'Y'}) {
            InputKey(WORD(key), false, true);
            EXPECT_TRUE(EventsHave(EventsOfInput(), EventKindMenu)) << focus;
            EXPECT_EQ(EventMenuId(), key == 'Z' ? 77 : 78) << focus;
        }
    }
    InputKey(VK_TAB); // Tab goes on as before
    EventsOfInput();
    EXPECT_EQ(GetFocus(), edit);
    WindowClose(0);
}

int destroyed = 0; // OnDestroy calls

const WidgetKind fieldKind = [] {
    WidgetKind kind = {};
    kind.Kind = 2;
    kind.RecordSize = WidgetRecordSize;
    kind.OnDestroy = [](WidgetRecord* widget) {
        ++destroyed;
        StandardOnDestroy(widget);
    };
    kind.SetColor = StandardSetColor;
    kind.GetColor = StandardGetColor;
    return kind;
}();

// The coloured fields share one brush per colour: a field that changes its colour leaves the
// brush to the others, and the window's close takes the fields and the last brush with it.
TEST(Widget, BrushesAreSharedPerColorAndEndWithTheirFieldsAndTheWindow) {
    ASSERT_TRUE(WidgetTestWindow(0, 400, 300));
    const int color = 0xC0FFEE;
    for (int number : {21, 22, 23}) {
        ASSERT_TRUE(Control(number, "Edit", Visible, &fieldKind, "help"));
        WidgetSetColor(number, 2, color);
    }
    HBRUSH brush = WidgetLookup(21)->BackBrush;
    EXPECT_EQ(WidgetLookup(22)->BackBrush, brush);
    WidgetSetColor(22, 2, -1);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    destroyed = 0;
    WindowClose(0);
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(BrushCacheCount(color), 0);
    EXPECT_EQ(GetObjectType(brush), 0u); // deleted
    EXPECT_EQ(WidgetLookup(23), nullptr);
}

template <typename T> void Append(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A "BM" file of 24 bits a pixel, every byte of its pixels 0x5A.
std::string BitmapBytes(int width, int height) {
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file = {0x4D42, offset + (width * 3 + 3) / 4 * 4 * height, 0, 0, offset};
    std::string bytes;
    Append(bytes, file);
    Append(bytes,
           BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, 0, 0, 0, 0, 0, 0});
    bytes.resize(file.bfSize, 0x5A);
    return bytes;
}

// The header image as the program shows it: loaded from its file into an image widget of its
// own size plus the client edge. A load into a taken number frees the image it held, whether
// or not the new one loads.
TEST(ImageWidget, ShowsTheLoadedImageAtItsSizeAndLoadsFreeWhatTheNumberHeld) {
    WidgetTestWindow(5, 600, 200);
    ImagesInit();
    const std::pair<const char*, std::string> files[] = {
        {"image.bmp", BitmapBytes(300, 40)},
        {"image-broken.bmp", "BM\1\2\3\4\5\6"},
        {"image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIH", 14)},
    };
    for (const auto& [name, bytes] : files)
        std::ofstream(name, std::ios::binary) << bytes;
    ASSERT_NE(ImageLoad(2, "image.bmp"), 0);
    ASSERT_NE(ImageWidgetCreate(30, 10, 10, 520, 45, ImageHandle(2), WS_EX_CLIENTEDGE), 0);
    HWND control = WidgetLookup(30)->Handle;
    const RECT r = Frame(control);
    EXPECT_EQ(r.right - r.left, 304);
    EXPECT_EQ(r.bottom - r.top, 44);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(control, 150, 20) == RGB(90, 90, 90); }));
    WindowClose(5); // before its image goes

    HANDLE old = ImageHandle(2);
    for (const char* bad : {"image-broken.bmp", "image.png", "none.bmp"}) {
        EXPECT_EQ(ImageLoad(2, bad), 0) << bad;
        EXPECT_EQ(ImageHandle(2), nullptr) << bad;
    }
    EXPECT_EQ(GetObjectType(old), 0u);
}

} // namespace
