// Frames, buttons, options, texts and strings as real controls in a real window, driven with
// SendInput where the user would act.
#include "toolkit/Widgets.h"

#include "support/WidgetTestUtil_win32.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const int TestWindow = 7;
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 160, 0);
const COLORREF Blue = RGB(0, 0, 255);

class PlainWidgets : public ::testing::Test {
  protected:
    HWND window = nullptr;
    void SetUp() override {
        window = WidgetTestWindow(TestWindow, 400, 300);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        WindowClose(TestWindow);
        EventsDrain();
    }
    void ClickAt(int widget, int x, int y) {
        RECT area;
        HWND control = WidgetLookup(widget)->Handle;
        GetWindowRect(control, &area);
        InputClick(area.left + x, area.top + y);
    }
};

// What sits between two options decides whether they share a group.
TEST_F(PlainWidgets, OptionsGroupOnlyWhenCreatedOneAfterAnother) {
    struct Case {
        const char* between;
        bool sameGroup;
    } cases[] = {{"nothing", true}, {"text", false}, {"frame", false}, {"list begun again", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.between);
        WidgetListBegin(window);
        ASSERT_NE(OptionWidgetCreate(1, 10, 10, 100, 20, "first"), 0);
        std::string between = c.between;
        if (between == "text")
            TextWidgetCreate(3, 10, 35, 100, 20, "label");
        else if (between == "frame")
            FrameWidgetCreate(3, 200, 10, 100, 100, "frame", 1);
        else if (between == "list begun again")
            WidgetListBegin(window);
        ASSERT_NE(OptionWidgetCreate(2, 10, 60, 100, 20, "second"), 0);

        WidgetSetState(1, 1);
        WidgetSetState(2, 1);
        EXPECT_EQ(WidgetGetState(1), c.sameGroup ? 0 : 1);
        EXPECT_EQ(WidgetGetState(2), 1);
        // The user's click follows the same groups.
        ClickAt(1, 8, 10);
        EventsPump(150);
        EXPECT_EQ(WidgetGetState(1), 1);
        EXPECT_EQ(WidgetGetState(2), c.sameGroup ? 0 : 1);
        DestroyWindow(WidgetLookup(1)->Handle);
        DestroyWindow(WidgetLookup(2)->Handle);
        if (WidgetLookup(3))
            DestroyWindow(WidgetLookup(3)->Handle);
    }
}

TEST_F(PlainWidgets, OptionSetStateZeroLeavesNoneChecked) {
    OptionWidgetCreate(1, 10, 10, 100, 20, "first");
    OptionWidgetCreate(2, 10, 35, 100, 20, "second");
    OptionWidgetCreate(4, 10, 60, 100, 20, "third");
    WidgetSetState(2, 1);
    WidgetSetState(4, 1);
    EXPECT_EQ(WidgetGetState(2), 0);
    WidgetSetState(4, 0);
    EXPECT_EQ(WidgetGetState(1) + WidgetGetState(2) + WidgetGetState(4), 0);
}

TEST_F(PlainWidgets, ReadOnlyFieldRefusesTypingButTakesTextAndShowsItsBackColour) {
    StringWidgetCreate(1, 10, 10, 150, 24, "fixed", 0x800);
    StringWidgetCreate(2, 10, 50, 150, 24, "open");
    WidgetSetColor(1, 2, Red);
    SetFocus(WidgetLookup(1)->Handle);
    InputKey(VK_END);
    InputKey('X');
    InputKey(VK_BACK);
    EventsPump(150);
    EXPECT_EQ(WidgetGetText(1), "fixed");
    WidgetSetText(1, "set by the program");
    EXPECT_EQ(WidgetGetText(1), "set by the program");
    EventsPump(100);
    EXPECT_EQ(ClientPixel(WidgetLookup(1)->Handle, 140, 10), Red);

    // The same keys do reach a plain field.
    SetFocus(WidgetLookup(2)->Handle);
    InputKey(VK_END);
    InputKey('X');
    EventsPump(150);
    EXPECT_EQ(WidgetGetText(2), "openx");

    // A disabled field keeps the system's look whatever its colour.
    EnableWindow(WidgetLookup(1)->Handle, FALSE);
    EventsPump(100);
    EXPECT_NE(ClientPixel(WidgetLookup(1)->Handle, 140, 10), Red);
}

TEST_F(PlainWidgets, FrontColourAloneStandsOnTheSystemColourOfTheKind) {
    StringWidgetCreate(1, 10, 10, 150, 24, "result", 0x800);
    TextWidgetCreate(2, 10, 50, 150, 24, "label");
    WidgetSetColor(1, 1, Blue);
    WidgetSetColor(2, 1, Blue);
    WidgetSetColor(2, 2, Green);
    EventsPump(100);
    EXPECT_EQ(ClientPixel(WidgetLookup(1)->Handle, 140, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ClientPixel(WidgetLookup(2)->Handle, 140, 10), Green);
    // -1 takes the back colour away again.
    WidgetSetColor(2, 2, -1);
    EventsPump(100);
    EXPECT_EQ(ClientPixel(WidgetLookup(2)->Handle, 140, 10), GetSysColor(COLOR_BTNFACE));
}

TEST_F(PlainWidgets, ClickingFromOneFieldIntoAnotherReportsFocusInOrder) {
    StringWidgetCreate(1, 10, 10, 150, 24, "one");
    StringWidgetCreate(2, 10, 50, 150, 24, "two");
    ClickAt(1, 20, 10);
    WidgetEventsPump(200);
    ClickAt(2, 20, 10);
    WidgetEvents events = WidgetEventsPump(200);
    WidgetEvents expected = {{2, 256}, {1, SubtypeLostFocus}, {2, SubtypeFocus}};
    EXPECT_EQ(events, expected);
}

// A bare frame lies above the widgets inside it: it must show them and draw no title.
TEST_F(PlainWidgets, BareFramesShowNoTitleAndPaintNothingInside) {
    for (int type = 1; type <= 3; ++type) {
        SCOPED_TRACE(type);
        FrameWidgetCreate(10 + type, 10 + (type - 1) * 120, 10, 110, 120, "Title", type);
        TextWidgetCreate(20 + type, 30 + (type - 1) * 120, 40, 60, 20, "inside");
        WidgetSetColor(20 + type, 2, Green);
        EXPECT_EQ(WidgetGetText(10 + type), "");
    }
    FrameWidgetCreate(14, 10, 150, 350, 100, "Group", 0);
    EXPECT_EQ(WidgetGetText(14), "Group");
    EventsPump(200);
    ScreenshotSave("frames");
    for (int type = 1; type <= 3; ++type) {
        HWND frame = WidgetLookup(10 + type)->Handle;
        EXPECT_EQ(ClientPixel(WidgetLookup(20 + type)->Handle, 30, 10), Green);
        // A mark on the parent survives a repaint of the frame.
        HDC dc = GetDC(window);
        RECT mark = {20 + (type - 1) * 120, 90, 30 + (type - 1) * 120, 100};
        HBRUSH brush = CreateSolidBrush(Red);
        FillRect(dc, &mark, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
        EventsPump(100);
        EXPECT_EQ(ClientPixel(window, mark.left + 5, 95), Red) << "before " << type;
        InvalidateRect(frame, nullptr, TRUE);
        EventsPump(100);
        EXPECT_EQ(ClientPixel(window, mark.left + 5, 95), Red) << type;
    }
}

} // namespace
