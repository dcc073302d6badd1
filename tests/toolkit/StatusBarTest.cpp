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

std::vector<int> FieldEdges(HWND bar) {
    std::vector<int> edges(300);
    LRESULT count =
        SendMessageA(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    edges.resize(static_cast<size_t>(count));
    return edges;
}

// Counts the parameterless WM_SIZE messages the bar gets: those that tell it to re-fit.
int refitCount = 0;
WNDPROC barProcedure = nullptr;
LRESULT CALLBACK BarSpy(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && wParam == 0 && lParam == 0)
        ++refitCount;
    return CallWindowProcA(barProcedure, bar, message, wParam, lParam);
}

void BarSpyInstall(HWND bar) {
    barProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarSpy)));
}

void ClientSizeSet(HWND window, int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class StatusBarTest : public testing::Test {
  protected:
    // One window for all tests: every closed window costs seconds under Wine.
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
        {StatusBarCentred, "\tInformation-Bar|0"},
        {StatusBarRightAlign, "\t\tInformation-Bar|0"},
        {StatusBarCentred | StatusBarRightAlign, "\tInformation-Bar|0"},
        {StatusBarRaised, "Information-Bar|512"},
        {StatusBarNoBorder, "Information-Bar|256"},
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
    StatusBarSetText(99, 0, "elsewhere", 0);
    StatusBarSetText(AutoNumberFirst + 12345, 0, "elsewhere", 0);
    // 256 and above would reach the control's type bits and turn field 0 owner-drawn.
    for (int field : {256, 257, 0x200, 0x1000, -1, 7})
        StatusBarSetText(3, field, "stray", 0);
    EXPECT_EQ(FieldTextRead(bar, 0), "kept|512");
    StatusBarFree(99);
}

TEST_F(StatusBarTest, FieldWidthsAddUpToEdgesPastFiftyTwoFields) {
    EXPECT_EQ(FieldEdges(bar), std::vector<int>{1024});
    bar = reinterpret_cast<HWND>(StatusBarCreate(4, window)); // starts a fresh edge table
    ASSERT_NE(bar, nullptr);
    std::vector<int> expected;
    for (int field = 0; field < 60; ++field) {
        StatusBarAddField(10 + field);
        expected.push_back(10 + field + (expected.empty() ? 0 : expected.back()));
    }
    EXPECT_EQ(FieldEdges(bar), expected);
    StatusBarSetText(4, 59, "last", 0);
    EXPECT_EQ(FieldTextRead(bar, 59), "last|0");
    StatusBarFree(4);
    EXPECT_FALSE(IsWindow(bar));
    StatusBarAddField(5); // the bar being built is gone: nothing to add to
}

TEST_F(StatusBarTest, ParentSizeChangesRefitTheBarOnceAlsoAfterANewBar) {
    BarSpyInstall(bar);
    RECT client = {};
    GetClientRect(window, &client);
    const LPARAM size = MAKELPARAM(client.right, client.bottom);
    refitCount = 0;
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, size); // the first one stores the size
    EXPECT_EQ(refitCount, 1);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, size);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, size);
    EXPECT_EQ(refitCount, 1); // unchanged size: nothing to do

    ClientSizeSet(window, 420, 260);
    EXPECT_EQ(refitCount, 2);
    EXPECT_EQ(static_cast<UINT>(GetWindowLongPtrA(bar, GWLP_ID)), StatusBarControlId);
    RECT placed = {};
    GetWindowRect(bar, &placed);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.right, 420); // along the bottom, the new width
    EXPECT_EQ(placed.bottom, 260);

    HWND second = reinterpret_cast<HWND>(StatusBarCreate(5, window));
    ASSERT_NE(second, nullptr);
    StatusBarFree(3); // the older bar goes; the parent now belongs to bar 5
    BarSpyInstall(second);
    refitCount = 0;
    ClientSizeSet(window, 500, 300);
    EXPECT_EQ(refitCount, 1);
    StatusBarFree(5);
}

} // namespace
