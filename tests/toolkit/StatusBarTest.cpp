#include "toolkit/StatusBar.h"

#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The field's text and, after a "|", its SBT_ type bits.
std::string FieldTextRead(HWND bar, int field) {
    char text[256] = {};
    LRESULT result =
        SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(text));
    return std::string(text) + "|" + std::to_string(HIWORD(result));
}

// Counts the parameterless WM_SIZE messages the bar gets: those that tell it to re-fit.
int refitCount = 0;
WNDPROC barProcedure = nullptr;
LRESULT CALLBACK BarSpy(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && wParam == 0 && lParam == 0)
        ++refitCount;
    return CallWindowProcA(barProcedure, bar, message, wParam, lParam);
}

class StatusBarTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ToolkitTestInit();
        StatusBarsInit();
        WindowOpen(1, 50, 50, 500, 300, "Status", WS_CAPTION | WS_THICKFRAME, nullptr);
    }
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override {
        window = WindowNativeHandle(1);
        ASSERT_NE(window, nullptr);
        bar = reinterpret_cast<HWND>(StatusBarCreate(3, window));
        ASSERT_NE(bar, nullptr);
        StatusBarAddField(1024);
    }
    HWND window = nullptr;
    HWND bar = nullptr;
};

TEST_F(StatusBarTest, AppearanceChoosesFrameAndAlignmentOnKnownFieldsOnly) {
    struct Case {
        int appearance;
        const char* shown; // SBT_POPOUT is 512, SBT_NOBORDERS 256
    } cases[] = {
        {0, "Information-Bar|0"},
        {StatusBarCentred | StatusBarRightAlign, "\tInformation-Bar|0"},
        {StatusBarRaised | StatusBarNoBorder, "Information-Bar|512"},
        {StatusBarNoBorder | StatusBarRightAlign, "\t\tInformation-Bar|256"},
    };
    for (const Case& c : cases) {
        StatusBarSetText(3, 0, "Information-Bar", c.appearance);
        EXPECT_EQ(FieldTextRead(bar, 0), c.shown) << c.appearance;
    }
    StatusBarSetTextPlain(3, 0, nullptr);
    EXPECT_EQ(FieldTextRead(bar, 0), "|0");

    StatusBarSetText(3, 0, "kept", StatusBarRaised);
    StatusBarSetText(99, 0, "elsewhere", 0); // an unknown bar
    // 256 and above would reach the control's type bits and turn field 0 owner-drawn.
    for (int field : {256, 0x1000, -1, 7})
        StatusBarSetText(3, field, "stray", 0);
    EXPECT_EQ(FieldTextRead(bar, 0), "kept|512");
}

TEST_F(StatusBarTest, FieldWidthsAddUpToEdgesPastFiftyTwoFields) {
    bar = reinterpret_cast<HWND>(StatusBarCreate(4, window)); // starts a fresh edge table
    std::vector<int> expected;
    for (int field = 0; field < 60; ++field) {
        StatusBarAddField(10 + field);
        expected.push_back(10 + field + (expected.empty() ? 0 : expected.back()));
    }
    std::vector<int> edges(300);
    edges.resize(size_t(SendMessageA(bar, SB_GETPARTS, edges.size(), LPARAM(edges.data()))));
    EXPECT_EQ(edges, expected);
    StatusBarFree(4);
    EXPECT_FALSE(IsWindow(bar));
    StatusBarAddField(5); // the bar being built is gone: nothing to add to
}

TEST_F(StatusBarTest, OnlyAChangedParentSizeRefitsTheBar) {
    barProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarSpy)));
    RECT client = {};
    GetClientRect(window, &client);
    refitCount = 0;
    const LPARAM size = MAKELPARAM(client.right, client.bottom);
    for (int i = 0; i < 3; ++i) // the first one stores the size; the same again does nothing
        SendMessageA(window, WM_SIZE, SIZE_RESTORED, size);
    EXPECT_EQ(refitCount, 1);

    SetWindowPos(window, nullptr, 0, 0, 460, 280, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(refitCount, 2);
    GetClientRect(window, &client);
    RECT placed = {};
    GetWindowRect(bar, &placed);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
    const RECT bottom = {0, placed.top, client.right, client.bottom}; // along the bottom
    EXPECT_TRUE(EqualRect(&placed, &bottom));
    StatusBarFree(3);
}

} // namespace
