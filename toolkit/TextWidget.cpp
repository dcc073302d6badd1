// Texts: static labels, optionally with front and back colours.
#include "toolkit/WidgetFramework.h"
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
        textKind.Kind = WidgetKindText;
    }
    DWORD extended = (flags & TextSunken) ? WS_EX_CLIENTEDGE : 0;
    return WidgetControlCreate(number, &textKind, "Static", text,
                               WS_CHILD | WS_VISIBLE | WS_GROUP | static_cast<DWORD>(flags),
                               extended, x, y, width, height, TextColorsClear);
}
