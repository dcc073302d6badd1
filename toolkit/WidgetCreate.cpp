// The steps every plain widget kind shares: making the control and registering it, and the
// colour answer of string and text widgets.
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"

intptr_t WidgetControlCreate(int number, const WidgetKind* kind, const char* className,
                             const char* text, DWORD style, DWORD extendedStyle, int x, int y,
                             int width, int height,
                             void (*prepare)(WidgetRecord* widget, HWND control)) {
    HWND control = CreateWindowExA(
        extendedStyle, className, text ? text : "", style, x, y, width, height, WidgetListParent(),
        reinterpret_cast<HMENU>(static_cast<intptr_t>(-1)), GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return 0;
    int assigned = 0;
    WidgetRecord* widget = WidgetRecordAcquire(number, &assigned);
    if (!widget) {
        DestroyWindow(control);
        return 0;
    }
    if (prepare)
        prepare(widget, control);
    return WidgetRegister(number, assigned, widget, control, kind);
}

LRESULT WidgetColorsApply(WidgetRecord* widget, HDC dc, int plainBack) {
    LRESULT result = NotHandled;
    if (widget->FrontColor != -1) {
        SetTextColor(dc, static_cast<COLORREF>(widget->FrontColor));
        if (widget->BackColor == -1) {
            SetBkColor(dc, GetSysColor(plainBack));
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(plainBack));
        }
    }
    if (widget->BackColor != -1) {
        SetBkColor(dc, static_cast<COLORREF>(widget->BackColor));
        result = reinterpret_cast<LRESULT>(widget->BackBrush);
    }
    return result;
}
