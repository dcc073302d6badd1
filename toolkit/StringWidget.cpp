// Strings: single-line edit fields. Besides the edit control's own notifications they report
// gaining (14000) and losing (14001) the keyboard focus, which the status-bar hints follow.
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"

static WidgetKind stringKind;
// The edit control class's procedure; the same for every field, kept for the whole run.
static WNDPROC editProcedure;

static LRESULT CALLBACK StringFocusProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS)
        WidgetPostEvent(control, SubtypeFocus);
    else if (message == WM_KILLFOCUS)
        WidgetPostEvent(control, SubtypeLostFocus);
    return CallWindowProcA(editProcedure, control, message, wParam, lParam);
}

// A read-only field asks with WM_CTLCOLORSTATIC; a disabled one keeps the system's look.
static LRESULT StringOnParentMessage(WidgetRecord* widget, HWND, UINT message, WPARAM wParam,
                                     LPARAM) {
    if (message != WM_CTLCOLOREDIT &&
        !(message == WM_CTLCOLORSTATIC && IsWindowEnabled(widget->Handle)))
        return NotHandled;
    return WidgetColorsApply(widget, reinterpret_cast<HDC>(wParam), COLOR_BTNHIGHLIGHT);
}

static void StringPrepare(WidgetRecord* widget, HWND control) {
    widget->FrontColor = -1;
    widget->BackColor = -1;
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StringFocusProc)));
    if (!editProcedure)
        editProcedure = previous;
}

intptr_t StringWidgetCreate(int number, int x, int y, int width, int height, const char* text,
                            int flags) {
    if (!stringKind.Kind) {
        stringKind.RecordSize = WidgetRecordSize;
        stringKind.OnParentMessage = StringOnParentMessage;
        stringKind.OnDestroy = StandardOnDestroy;
        stringKind.SetColor = StandardSetColor;
        stringKind.GetColor = StandardGetColor;
        stringKind.Kind = WidgetKindString;
    }
    DWORD extended = (flags & StringNoEdge) ? 0 : WS_EX_CLIENTEDGE;
    return WidgetControlCreate(number, &stringKind, "Edit", text,
                               WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL |
                                   static_cast<DWORD>(flags),
                               extended, x, y, width, height, StringPrepare);
}
