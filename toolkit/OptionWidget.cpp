// Options (radio buttons). Options created one right after another form a group in which
// exactly one can be checked; any other widget created in between starts a new group.
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"

static WidgetKind optionKind;

static bool IsOption(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & BS_AUTORADIOBUTTON) == BS_AUTORADIOBUTTON;
}

static bool StartsGroup(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_GROUP) != 0;
}

static int OptionGetState(WidgetRecord* widget) {
    return (SendMessageA(widget->Handle, BM_GETCHECK, 0, 0) & 1) ? 1 : 0;
}

static void OptionSetState(WidgetRecord* widget, int state) {
    HWND self = widget->Handle;
    if (state) {
        HWND first = self;
        for (HWND previous; !StartsGroup(first) && (previous = GetWindow(first, GW_HWNDPREV));)
            first = previous;
        // Stop at the next group's start too: it may follow without anything in between
        // when the widget list was begun again on the same window.
        for (HWND option = first; option && IsOption(option);
             option = GetWindow(option, GW_HWNDNEXT)) {
            if (option != first && StartsGroup(option))
                break;
            SendMessageA(option, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    SendMessageA(self, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

intptr_t OptionWidgetCreate(int number, int x, int y, int width, int height, const char* text) {
    if (!optionKind.Kind) {
        optionKind.RecordSize = WidgetRecordSize;
        optionKind.GetState = OptionGetState;
        optionKind.SetState = OptionSetState;
        optionKind.Kind = WidgetKindOption;
    }
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
    if (!WidgetOptionGroupOpen())
        style |= WS_GROUP;
    intptr_t result = WidgetControlCreate(number, &optionKind, "Button", text, style, 0, x, y,
                                          width, height, nullptr);
    if (result)
        WidgetOptionGroupSet(true);
    return result;
}
