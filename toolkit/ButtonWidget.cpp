// Push buttons, and check boxes or toggles when made with such a button style.
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"

static WidgetKind buttonKind;

static int ButtonGetState(WidgetRecord* widget) {
    return (SendMessageA(widget->Handle, BM_GETCHECK, 0, 0) & 1) ? 1 : 0;
}

static void ButtonSetState(WidgetRecord* widget, int state) {
    SendMessageA(widget->Handle, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

intptr_t ButtonWidgetCreate(int number, int x, int y, int width, int height, const char* text,
                            int flags) {
    if (!buttonKind.Kind) {
        buttonKind.RecordSize = WidgetRecordSize;
        buttonKind.GetState = ButtonGetState;
        buttonKind.SetState = ButtonSetState;
        buttonKind.Kind = WidgetKindButton;
    }
    return WidgetControlCreate(number, &buttonKind, "Button", text,
                               WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP |
                                   static_cast<DWORD>(flags),
                               0, x, y, width, height, nullptr);
}
