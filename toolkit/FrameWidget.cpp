// Frames: a titled group box, or a bare edge around a panel of other widgets.
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"

static WidgetKind frameKind;
// The static control class's procedure; the same for every frame, kept for the whole run.
static WNDPROC staticProcedure;

// Frames lie above the widgets inside them, so the bare kinds must not paint their interior.
static LRESULT CALLBACK FrameNoPaintProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ValidateRect(control, nullptr);
        return 0;
    }
    return CallWindowProcA(staticProcedure, control, message, wParam, lParam);
}

static void FrameSubclass(WidgetRecord*, HWND control) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameNoPaintProc)));
    if (!staticProcedure)
        staticProcedure = previous;
}

// The parent repaints what the frame now covers, since a bare frame paints nothing there.
static void FrameResize(WidgetRecord* widget, int x, int y, int width, int height) {
    WidgetResizeDefault(widget, x, y, width, height);
    HWND parent = GetParent(widget->Handle);
    RECT area;
    GetWindowRect(widget->Handle, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
}

intptr_t FrameWidgetCreate(int number, int x, int y, int width, int height, const char* title,
                           int type) {
    if (!frameKind.Kind) {
        frameKind.RecordSize = WidgetRecordSize;
        frameKind.Resize = FrameResize;
        frameKind.Kind = WidgetKindFrame;
    }
    const DWORD visible = WS_CHILD | WS_VISIBLE | WS_GROUP;
    if (type == FrameTitled)
        return WidgetControlCreate(number, &frameKind, "Button", title, visible | BS_GROUPBOX, 0, x,
                                   y, width, height, nullptr);
    DWORD style = visible | WS_CLIPSIBLINGS | SS_CENTER;
    if (type != FrameSunken && type != FrameStaticEdge)
        style |= WS_BORDER;
    DWORD extended = type == FrameSunken       ? WS_EX_CLIENTEDGE
                     : type == FrameStaticEdge ? WS_EX_STATICEDGE
                                               : 0;
    return WidgetControlCreate(number, &frameKind, "Static", nullptr, style, extended, x, y, width,
                               height, FrameSubclass);
}
