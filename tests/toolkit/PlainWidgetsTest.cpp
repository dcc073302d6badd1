// Frames, options, texts and strings as real controls, driven with SendInput.
#include "toolkit/Gdi.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

const int TestWindow = 7;
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 160, 0);

class PlainWidgets : public ::testing::Test {
  protected:
    HWND window = nullptr;
    void SetUp() override { ASSERT_NE(window = WidgetTestWindow(TestWindow, 400, 300), nullptr); }
    void TearDown() override { WindowClose(TestWindow); }
    static HWND Control(int widget) { return WidgetLookup(widget)->Handle; }
    static void ClickAt(int widget, int x, int y) {
        RECT area;
        GetWindowRect(Control(widget), &area);
        InputClick(area.left + x, area.top + y);
    }
    static void Type(int widget, std::initializer_list<WORD> keys) {
        SetFocus(Control(widget));
        for (WORD key : keys)
            InputKey(key);
        EventsOfInput();
    }
    // The colour shown at a client point of the widget once it has painted.
    static COLORREF Shown(HWND control, int x, int y, COLORREF expected) {
        PumpUntil([=] { return ClientPixel(control, x, y) == expected; });
        return ClientPixel(control, x, y);
    }
};

// What is created between two options decides whether they share a group.
TEST_F(PlainWidgets, OptionsGroupOnlyWhenCreatedOneAfterAnother) {
    const struct {
        const char* between;
        void (*make)(HWND);
        bool sameGroup;
    } cases[] = {
        {"nothing", [](HWND) {}, true},
        {"text", [](HWND) { TextWidgetCreate(3, 10, 35, 100, 20, "label"); }, false},
        {"frame", [](HWND) { FrameWidgetCreate(3, 200, 10, 100, 100, "frame", 1); }, false},
        {"list begun again", [](HWND w) { WidgetListBegin(w); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.between);
        window = WidgetTestWindow(TestWindow, 400, 300); // a fresh window each time
        ASSERT_NE(OptionWidgetCreate(1, 10, 10, 100, 20, "first"), 0);
        c.make(window);
        ASSERT_NE(OptionWidgetCreate(2, 10, 60, 100, 20, "second"), 0);
        WidgetSetState(1, 1);
        WidgetSetState(2, 1);
        EXPECT_EQ(WidgetGetState(1), c.sameGroup ? 0 : 1);
        ClickAt(1, 8, 10); // the user's click follows the same groups
        EventsOfInput();
        EXPECT_EQ(WidgetGetState(2), c.sameGroup ? 0 : 1);
        WidgetSetState(1, 0); // checks no other
        EXPECT_EQ(WidgetGetState(1) + WidgetGetState(2), c.sameGroup ? 0 : 1);
    }
}

TEST_F(PlainWidgets, ReadOnlyFieldRefusesTypingButTakesTextAndShowsItsBackColour) {
    StringWidgetCreate(1, 10, 10, 150, 24, "fixed", 0x800);
    StringWidgetCreate(2, 10, 50, 150, 24, "open");
    WidgetSetColor(1, 2, Red);
    Type(1, {VK_END, 'X', VK_BACK});
    Type(2, {VK_END, 'X'});
    EXPECT_EQ(WidgetGetText(1), "fixed");
    EXPECT_EQ(WidgetGetText(2), "openx");
    WidgetSetText(1, "set by the program");
    EXPECT_EQ(WidgetGetText(1), "set by the program");
    EXPECT_EQ(Shown(Control(1), 140, 10, Red), Red);
}

TEST_F(PlainWidgets, FrontColourAloneStandsOnTheSystemColourOfTheKind) {
    StringWidgetCreate(1, 10, 10, 150, 24, "result", 0x800);
    TextWidgetCreate(2, 10, 50, 150, 24, "label");
    WidgetSetColor(1, 1, RGB(0, 0, 255));
    WidgetSetColor(2, 2, Green);
    const COLORREF plain = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(Shown(Control(1), 140, 10, plain), plain);
    EXPECT_EQ(Shown(Control(2), 140, 10, Green), Green);
}

TEST_F(PlainWidgets, ClickingFromOneFieldIntoAnotherReportsFocusInOrder) {
    StringWidgetCreate(1, 10, 10, 150, 24, "one");
    StringWidgetCreate(2, 10, 50, 150, 24, "two");
    ClickAt(1, 20, 10);
    WidgetEventsOfInput();
    ClickAt(2, 20, 10);
    EXPECT_EQ(WidgetEventsUntil(3),
              (WidgetEvents{{2, 256}, {1, SubtypeLostFocus}, {2, SubtypeFocus}}));
}

// A bare frame lies above the widgets inside it: it must show them and draw no title.
TEST_F(PlainWidgets, BareFramesShowNoTitleAndPaintNothingInside) {
    for (int type = 1; type <= 3; ++type) {
        const int left = 10 + (type - 1) * 120;
        FrameWidgetCreate(10 + type, left, 10, 110, 120, "Title", type);
        TextWidgetCreate(20 + type, left + 20, 40, 60, 20, "inside");
        WidgetSetColor(20 + type, 2, Green);
        EXPECT_EQ(WidgetGetText(10 + type), "");
    }
    PumpUntil([this] { return ClientPixel(Control(23), 30, 10) == Green; });
    // A band on the parent survives a repaint of the frames.
    const RECT band = {0, 90, 400, 100};
    FillRect(WindowDc(window).Get(), &band, SolidBrushCreate(Red).Get());
    for (int type = 1; type <= 3; ++type)
        InvalidateRect(Control(10 + type), nullptr, TRUE);
    EventsDrain();
    for (int type = 1; type <= 3; ++type) {
        EXPECT_EQ(Shown(Control(20 + type), 30, 10, Green), Green) << type;
        EXPECT_EQ(Shown(window, 25 + (type - 1) * 120, 95, Red), Red) << type;
    }
}

} // namespace
