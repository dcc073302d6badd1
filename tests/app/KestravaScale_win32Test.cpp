// The calculator, help and statistics windows on screens of 96, 144 and 192 dpi, read from
// outside: every widget where the layout puts it at that scale, and no text cut more than at
// 96 dpi.
#include "support/KestravaDriver_win32.h"
#include "toolkit/StatusBar.h"

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

// Each window's widgets at 96 dpi, which the larger scales are held against.
struct Windows {
    Widgets main, help, stats;
    std::map<int, RECT> mainLayout; // where the table puts the main window's widgets
    SIZE mainClient, helpClient, statsClient;
};

Windows Read(int dpi) {
    DisplayScale scale(dpi);
    Windows read;
    Kestrava app;
    if (!app.Ready())
        return read;
    app.RowAdd("Salt", "10", "100", "10", "2"); // the statistics window then has its chart
    const auto clientOf = [](HWND window) {
        RECT r = {};
        GetClientRect(window, &r);
        return SIZE{r.right, r.bottom};
    };
    read.main = WidgetsOf(app.Main(), dpi);
    read.main.erase(int(StatusBarControlId)); // as high as its font, along the bottom
    read.mainLayout = MainLayout(app.Main(), dpi);
    read.mainClient = clientOf(app.Main());
    if (HWND help = app.HelpOpen()) {
        read.help = WidgetsOf(help, dpi);
        read.helpClient = clientOf(help);
        EXPECT_TRUE(app.HelpOk(help));
    }
    if (HWND stats = app.StatsOpen()) {
        read.stats = WidgetsOf(stats, dpi);
        read.statsClient = clientOf(stats);
        EXPECT_TRUE(app.StatsClose(stats, 0));
    }
    return read;
}

TEST(KestravaScale, EveryWindowLaidOutAtTheScreensScaleWithNoTextCutMoreThanAt96) {
    const Windows at96 = Read(96);
    ASSERT_EQ(size_t(MainWidgetCount), at96.main.size());
    ASSERT_FALSE(at96.help.empty());
    ASSERT_FALSE(at96.stats.empty());
    for (const auto& [number, place] : at96.mainLayout)
        EXPECT_EQ(0, memcmp(&at96.main.at(number).place, &place, sizeof place)) << number;
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        const Windows at = Read(dpi);
        ASSERT_EQ(at96.main.size(), at.main.size());
        ASSERT_EQ(at96.help.size(), at.help.size());
        ASSERT_EQ(at96.stats.size(), at.stats.size());
        for (const auto& [number, place] : at.mainLayout)
            EXPECT_TRUE(Near(at.main.at(number).place, place)) << number;
        for (const auto& [number, shown] : at96.main) {
            EXPECT_TRUE(Near(at.main.at(number).place, ScaledRect(shown.place, dpi))) << number;
            EXPECT_TRUE(NoMoreCut(at.main.at(number).text, shown.text)) << number;
        }
        for (const auto& [number, shown] : at96.help)
            EXPECT_TRUE(Near(at.help.at(number).place, ScaledRect(shown.place, dpi))) << number;
        for (const auto& [number, shown] : at96.stats) {
            EXPECT_TRUE(Near(at.stats.at(number).place, ScaledRect(shown.place, dpi))) << number;
            EXPECT_TRUE(NoMoreCut(at.stats.at(number).text, shown.text)) << number;
        }
        EXPECT_NEAR(Scaled(at96.mainClient.cx, dpi), at.mainClient.cx, 1);
        EXPECT_NEAR(Scaled(at96.mainClient.cy, dpi), at.mainClient.cy, 1);
        EXPECT_NEAR(Scaled(at96.helpClient.cx, dpi), at.helpClient.cx, 1);
        EXPECT_NEAR(Scaled(at96.helpClient.cy, dpi), at.helpClient.cy, 1);
        EXPECT_NEAR(Scaled(at96.statsClient.cx, dpi), at.statsClient.cx, 1);
        EXPECT_NEAR(Scaled(at96.statsClient.cy, dpi), at.statsClient.cy, 1);
    }
}

} // namespace
