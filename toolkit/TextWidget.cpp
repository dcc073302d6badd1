// Texts: static labels, optionally with front and back colours.
#include "toolkit/Widgets.h"

static WidgetKind textKind;

static LRESULT TextOnParentMessage(WidgetRecord* widget, HWND, UINT message, WPARAM wParam,
                                   LPARAM) {
    if (message != WM_CTLCOLORSTATIC)
        return NotHandled;
    return WidgetColorsApply(widget, reinterpret_cast<HDC>(wParam), COLOR_BTNFACE);
}

static void TextColorsClear(WidgetRecord* widget, HWND) {
    widget->FrontColor = -1;
    widget->BackColor = -1;
}

intptr_t TextWidgetCreate(int number, int x, int y, int width, int height, const char* text,
                          int flags) {
    if (!textKind.Kind) {
        textKind.RecordSize = WidgetRecordSize;
        textKind.OnParentMessage = TextOnParentMessage;
        textKind.OnDestroy = StandardOnDestroy;
        textKind.SetColor = StandardSetColor;
        textKind.GetColor = StandardGetColor;
        textKind.Kind = 3;
    }
    DWORD extended = (flags & 0x20000) ? WS_EX_CLIENTEDGE : 0;
    return WidgetControlCreate(number, &textKind, "Static", text,
                               0x50020000 | static_cast<DWORD>(flags), extended, x, y, width,
                               height, TextColorsClear);
}
