// The editor widget as a real rich-edit control in a real window.
#include "toolkit/EditorWidget.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <sstream>

namespace {

const int Editor = 40;

class EditorWidget : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { WidgetTestWindow(6, 400, 300); }
    static void TearDownTestSuite() { WindowClose(6); }
    void SetUp() override {
        ASSERT_NE(WindowNativeHandle(6), nullptr);
        WindowForegroundMake(WindowNativeHandle(6));
        ASSERT_NE(EditorWidgetCreate(Editor, 10, 10, 300, 150), 0);
    }
    WidgetRecord* Record() { return WidgetLookup(Editor); }
    HWND Control() { return Record()->Handle; }
    int ReadOnly() { return Record()->Class->GetAttribute(Record(), EditorReadOnly); }
    void ReadOnlySet(int value) { Record()->Class->SetAttribute(Record(), EditorReadOnly, value); }
    // "+X" appends, "2+X" inserts at 2, "-1" removes 1, "=X" sets all, "!" clears; the lines.
    std::vector<std::string> Run(const char* steps) {
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            const size_t op = step.find_first_of("+=!-");
            const std::string text = step.substr(op + 1);
            if (step[op] == '-')
                WidgetRemoveItem(Editor, std::stoi(text));
            else if (step[op] == '+')
                WidgetAddItem(Editor, op ? std::stoi(step.substr(0, op)) : -1, text.c_str());
            else if (step[op] == '!')
                WidgetRemoveAllItems(Editor);
            else
                WidgetSetText(Editor, text.c_str());
        }
        std::vector<std::string> lines;
        for (int i = 0; i < WidgetCountItems(Editor); ++i)
            lines.push_back(WidgetGetItemText(Editor, i, 0));
        return lines;
    }
};

TEST_F(EditorWidget, LinesAreItemsOfAnyLength) {
    const struct {
        const char* steps;
        std::vector<std::string> lines;
    } cases[] = {
        {"+A +B +C 1+X 0+first", {"first", "A", "X", "B", "C"}},
        {"0+A", {"A"}}, // an empty editor has no line 0 to insert at
        {"+", {""}},
        {"+ +X", {"", "X"}},
        {"+ 0+A +X", {"A", "", "X"}},
        {"+A +B +C -0", {"B", "C"}},
        {"+A +B +C -2", {"A", "B"}}, // the break before the last line goes with it
        {"+A +B =", {}},
        {"+ +A ! +B", {"B"}},
    };
    for (const auto& c : cases) {
        WidgetRemoveAllItems(Editor);
        EXPECT_EQ(Run(c.steps), c.lines) << c.steps;
    }
    const std::string line(70000, 'w'); // past the limits of 64K texts and 16-bit line sizes
    WidgetSetText(Editor, line.c_str());
    EXPECT_EQ(WidgetGetText(Editor).size(), line.size());
    EXPECT_EQ(WidgetGetItemText(Editor, 0, 0), line);
}

TEST_F(EditorWidget, ColoursAreKeptOverAFontChange) {
    Run("+coloured");
    WidgetSetColor(Editor, 1, RGB(200, 0, 0));
    WidgetSetColor(Editor, 2, RGB(0, 0, 160));
    SendMessageA(Control(), WM_SETFONT, WPARAM(GetStockObject(ANSI_VAR_FONT)), TRUE);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(Control(), EM_SETSEL, 0, -1);
    SendMessageA(Control(), EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&format));
    EXPECT_EQ(format.crTextColor, RGB(200, 0, 0));
    const COLORREF back = RGB(0, 0, 160);
    PumpUntil([this, back] { return ClientPixel(Control(), 290, 140) == back; });
    EXPECT_EQ(ClientPixel(Control(), 290, 140), back); // far from the text
}

TEST_F(EditorWidget, ReadOnlyAttributeDecidesWhatTabDoes) {
    ReadOnlySet(7);
    EXPECT_EQ(ReadOnly(), 1);
    ASSERT_NE(StringWidgetCreate(41, 10, 200, 200, 22, ""), 0);
    HWND field = WidgetLookup(41)->Handle;
    const struct {
        bool readOnly, shift;
        HWND focus;
        const char* text;
    } cases[] = {
        {false, false, Control(), "\t"}, {false, true, field, ""}, {true, false, field, ""}};
    for (const auto& c : cases) {
        WidgetRemoveAllItems(Editor);
        ReadOnlySet(c.readOnly);
        SetFocus(Control());
        InputKey(VK_TAB, c.shift);
        EventsOfInput();
        EXPECT_EQ(GetFocus(), c.focus);
        EXPECT_EQ(WidgetGetText(Editor), c.text);
    }
    ASSERT_NE(EditorWidgetCreate(Editor, 10, 10, 300, 150, 0x801), 0);
    EXPECT_EQ(ReadOnly(), 1);
}

} // namespace
