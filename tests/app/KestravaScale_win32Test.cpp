// The calculator, help and statistics windows on screens of 96, 144 and 192 dpi, read from
// outside: every widget where the layout puts it at that scale, and no text cut more than at
// 96 dpi.
#include "support/KestravaDriver_win32.h"
#include "toolkit/StatusBar.h"
#include "trade/Columns.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The display scale of the test prefix, read by every program as it starts; 96 again at the
// end, since the other tests share the prefix.
class DisplayScale {
  public:
    explicit DisplayScale(int dpi) { Set(dpi); }
    ~DisplayScale() { Set(96); }
    DisplayScale(const DisplayScale&) = delete;
    DisplayScale& operator=(const DisplayScale&) = delete;

  private:
    static void Set(int dpi) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr));
        const DWORD value = DWORD(dpi);
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
        RegCloseKey(key);
    }
};

int Scaled(int value, int dpi) {
    return MulDiv(value, dpi, 96);
}

// What a widget shows: where it is in its window's client area, and its text's width in its
// font against the widget's (0 0 0 for no text).
struct Text {
    int extent, width, fontHeight;
};
struct Shown {
    RECT place;
    Text text;
};
using Widgets = std::map<int, Shown>; // by widget number

// Texts are measured in the font the widget reports; Wine gives no font handle out of the
// program, and then in the stock GUI font made at the program's scale, as the program makes it.
Text TextOf(HWND control, int dpi) {
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    char text[256] = "";
    Send(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (!*text || (lstrcmpiA(className, "Static") && lstrcmpiA(className, "Button")))
        return {0, 0, 0};
    LOGFONTA look = {};
    if (!GetObjectA(reinterpret_cast<HFONT>(Send(control, WM_GETFONT, 0, 0)), sizeof look, &look)) {
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof look, &look);
        look.lfHeight = Scaled(look.lfHeight, dpi);
    }
    HFONT font = CreateFontIndirectA(&look);
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    RECT client = {};
    GetClientRect(control, &client);
    return {int(extent.cx), int(client.right), std::abs(int(look.lfHeight))};
}

// The text may be cut at `at` by what was cut at 96 dpi, grown with its font, whose height is
// rounded to a whole pixel, and two pixels that hinting adds at one size and not another.
::testing::AssertionResult NoMoreCut(const Text& at, const Text& at96) {
    if (!at96.fontHeight)
        return ::testing::AssertionSuccess();
    const int allowed =
        std::max(0, MulDiv(at96.extent, at.fontHeight, at96.fontHeight) - at.width) + 2;
    if (at.extent - at.width <= allowed)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cut " << at.extent - at.width << " > " << allowed;
}

struct Reading {
    HWND window;
    int dpi;
    Widgets widgets;
};

BOOL CALLBACK WidgetRead(HWND control, LPARAM into) {
    Reading& reading = *reinterpret_cast<Reading*>(into);
    if (GetParent(control) != reading.window) // the list's header and the like
        return TRUE;
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, reading.window, reinterpret_cast<POINT*>(&place), 2);
    reading.widgets[GetDlgCtrlID(control)] = {place, TextOf(control, reading.dpi)};
    return TRUE;
}

// The window's widgets and its status bar.
Widgets WidgetsOf(HWND window, int dpi) {
    Reading reading = {window, dpi, {}};
    EnumChildWindows(window, WidgetRead, reinterpret_cast<LPARAM>(&reading));
    return reading.widgets;
}

::testing::AssertionResult Near(const RECT& shown, const RECT& expected) {
    if (std::abs(shown.left - expected.left) <= 1 && std::abs(shown.top - expected.top) <= 1 &&
        std::abs(shown.right - expected.right) <= 1 &&
        std::abs(shown.bottom - expected.bottom) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "shown " << shown.left << "," << shown.top << " " << shown.right - shown.left << "x"
           << shown.bottom - shown.top << ", expected " << expected.left << "," << expected.top
           << " " << expected.right - expected.left << "x" << expected.bottom - expected.top;
}

RECT ScaledRect(const RECT& r, int dpi) {
    return {Scaled(r.left, dpi), Scaled(r.top, dpi), Scaled(r.right, dpi), Scaled(r.bottom, dpi)};
}

// Where the layout puts the main window's widgets at `dpi`, by number.
std::map<int, RECT> MainLayout(HWND main, int dpi) {
    RECT client = {};
    GetClientRect(main, &client);
    std::map<int, RECT> places;
    for (int i = 0; i < MainWidgetCount; ++i) {
        const WidgetRow& row = MainWidgets[i];
        const int x = Scaled(row.x, dpi);
        const int left = row.x < 0 ? client.right + x : x, top = Scaled(row.y, dpi);
        places[row.number] = {left, top, left + Scaled(row.width, dpi),
                              top + Scaled(row.height, dpi)};
    }
    return places;
}

// The main, help and statistics windows' widgets and client sizes at one scale.
struct Windows {
    Widgets widgets[3];
    SIZE client[3];
};

Windows Read(int dpi, std::map<int, RECT>* mainLayout = nullptr) {
    DisplayScale scale(dpi);
    Windows read = {};
    Kestrava app;
    if (!app.Ready())
        return read;
    app.RowAdd("Salt", "10", "100", "10", "2"); // the statistics window then has its chart
    const auto take = [&](int i, HWND window) {
        read.widgets[i] = WidgetsOf(window, dpi);
        RECT r = {};
        GetClientRect(window, &r);
        read.client[i] = {r.right, r.bottom};
    };
    take(0, app.Main());
    read.widgets[0].erase(int(StatusBarControlId)); // as high as its font, along the bottom
    if (mainLayout)
        *mainLayout = MainLayout(app.Main(), dpi);
    if (HWND help = app.HelpOpen()) {
        take(1, help);
        EXPECT_TRUE(app.HelpOk(help));
    }
    if (HWND stats = app.StatsOpen()) {
        take(2, stats);
        EXPECT_TRUE(app.StatsClose(stats, 0));
    }
    return read;
}

// At 96 dpi the main window is its layout table; larger scales are 96 dpi's grown.
TEST(KestravaScale, EveryWindowLaidOutAtTheScreensScaleWithNoTextCutMoreThanAt96) {
    std::map<int, RECT> layout;
    const Windows at96 = Read(96, &layout);
    ASSERT_EQ(size_t(MainWidgetCount), at96.widgets[0].size());
    for (const auto& [number, place] : layout)
        EXPECT_EQ(0, memcmp(&at96.widgets[0].at(number).place, &place, sizeof place)) << number;
    for (int dpi : {144, 192}) {
        const Windows at = Read(dpi);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(::testing::Message() << dpi << " dpi, window " << i);
            ASSERT_FALSE(at96.widgets[i].empty());
            ASSERT_EQ(at96.widgets[i].size(), at.widgets[i].size());
            for (const auto& [number, shown] : at96.widgets[i]) {
                const Shown& now = at.widgets[i].at(number);
                EXPECT_TRUE(Near(now.place, ScaledRect(shown.place, dpi))) << number;
                EXPECT_TRUE(NoMoreCut(now.text, shown.text)) << number;
            }
            EXPECT_NEAR(Scaled(at96.client[i].cx, dpi), at.client[i].cx, 1);
            EXPECT_NEAR(Scaled(at96.client[i].cy, dpi), at.client[i].cy, 1);
        }
    }
}

// Moved to a screen of 144 dpi, the window takes the size the system suggests and lays itself
// out again for that scale: widgets, the list's columns.
TEST(KestravaScale, MovedToAScreenOfAnotherScaleTheWindowIsLaidOutAgain) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    RECT window = {};
    GetWindowRect(app.Main(), &window);
    window.right = window.left + Scaled(window.right - window.left, 144);
    window.bottom = window.top + Scaled(window.bottom - window.top, 144);
    // The suggested rectangle, as the system passes it: in the program's own memory.
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, app.Id());
    void* at = VirtualAllocEx(process, nullptr, sizeof window, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, at, &window, sizeof window, nullptr);
    Send(app.Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(at));
    VirtualFreeEx(process, at, 0, MEM_RELEASE);
    CloseHandle(process);
    const Widgets shown = WidgetsOf(app.Main(), 144);
    for (const auto& [number, place] : MainLayout(app.Main(), 144))
        EXPECT_TRUE(Near(shown.at(number).place, place)) << number;
    for (int column = 0; column < ColumnCount; ++column)
        EXPECT_EQ(Scaled(Columns[column].width, 144),
                  Send(app.Control(TradeList), LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
    EXPECT_TRUE(app.Responsive());
}

} // namespace
