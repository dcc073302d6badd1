// The editor widget as a real rich-edit control in a real window.
#include "toolkit/EditorWidget.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

// The help window's editor is read-only: Tab moves on from it instead of typing a tab.
TEST(EditorWidget, ReadOnlyDecidesWhatTabDoes) {
    ASSERT_TRUE(WidgetTestWindow(6, 400, 300));
    ASSERT_NE(StringWidgetCreate(41, 10, 200, 200, 22, ""), 0);
    HWND field = WidgetLookup(41)->Handle;
    const struct {
        int flags, readOnly; // given at creation, then set as the attribute (-1: not set)
        bool shift, tabbedOut;
    } cases[] = {{0, -1, false, false},
                 {0, -1, true, true},
                 {0x801, -1, false, true},
                 {0x801, 0, false, false},
                 {0, 7, false, true}};
    for (const auto& c : cases) {
        ASSERT_NE(EditorWidgetCreate(40, 10, 10, 300, 150, c.flags), 0);
        WidgetRecord* editor = WidgetLookup(40);
        if (c.readOnly >= 0)
            editor->Class->SetAttribute(editor, EditorReadOnly, c.readOnly);
        EXPECT_EQ(editor->Class->GetAttribute(editor, EditorReadOnly),
                  int(c.tabbedOut && !c.shift));
        SetFocus(editor->Handle);
        InputKey(VK_TAB, c.shift);
        EventsOfInput();
        EXPECT_EQ(GetFocus(), c.tabbedOut ? field : editor->Handle) << &c - cases;
        EXPECT_EQ(WidgetGetText(40), c.tabbedOut ? "" : "\t") << &c - cases;
    }
    WindowClose(6);
}

} // namespace
