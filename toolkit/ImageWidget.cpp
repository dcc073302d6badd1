// Image widgets: a static control that draws a bitmap or icon at its own size and reports
// clicks, double clicks and the start of a drag. The header pictures are image widgets.
#include "toolkit/ImageWidget.h"

#include "toolkit/Gdi.h"
#include "toolkit/WidgetFramework.h"

#include <new>

namespace {

WidgetKind imageKind;
// The static control class's procedure; the same for every image widget, kept for the run.
WNDPROC staticProcedure = nullptr;
int dragWidth = 0; // how far the pointer may move with the button down before a drag starts
int dragHeight = 0;
// Set by a right double click; the button release that follows reports no further click.
// Shared by all image widgets: the release may reach another one.
bool rightDoubleClicked = false;

struct ImageState : WidgetState {
    HANDLE image = nullptr;   // not owned: the images table (or the caller) keeps it
    bool pressed = false;     // the left button went down here and is still down
    LPARAM pressPosition = 0; // where it went down, as in the message's lParam
};

ImageState& StateOf(WidgetRecord* widget) {
    return *static_cast<ImageState*>(widget->State);
}

HANDLE ImageOf(WidgetRecord* widget) {
    return StateOf(widget).image;
}

void ImageDraw(WidgetRecord* widget, HDC dc) {
    HANDLE image = ImageOf(widget);
    if (!image || !dc)
        return;
    const UINT type = GetObjectType(image) == OBJ_BITMAP ? DST_BITMAP : DST_ICON;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, 0, 0, 0, 0, type);
}

// The image's own size; false when it cannot be read.
bool ImageSize(HANDLE image, SIZE& size) {
    BITMAP bitmap = {};
    if (GetObjectType(image) == OBJ_BITMAP) {
        if (!GetObjectA(image, sizeof bitmap, &bitmap))
            return false;
        size = {bitmap.bmWidth, bitmap.bmHeight};
        return true;
    }
    ICONINFO icon = {};
    if (!GetIconInfo(static_cast<HICON>(image), &icon))
        return false;
    const GdiObject<HBITMAP> color(icon.hbmColor), mask(icon.hbmMask); // copies made for us
    if (color && GetObjectA(color.Get(), sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
        return true;
    }
    if (mask && GetObjectA(mask.Get(), sizeof bitmap, &bitmap)) {
        // A monochrome icon: its mask holds the AND and XOR halves one above the other.
        size = {bitmap.bmWidth, bitmap.bmHeight / 2};
        return true;
    }
    return false;
}

HANDLE ImageSet(WidgetRecord* widget, HANDLE image) {
    HWND control = widget->Handle;
    StateOf(widget).image = image;
    // An icon's transparent parts and a removed image must show the window behind.
    if (!image || GetObjectType(image) != OBJ_BITMAP) {
        HWND owner = WidgetOwnerWindow(control);
        RECT area;
        GetWindowRect(control, &area);
        MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(owner, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    SIZE size;
    if (image && ImageSize(image, size)) {
        if (GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
            size.cx += 4;
            size.cy += 4;
        }
        SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        InvalidateRect(control, nullptr, FALSE);
        UpdateWindow(control);
    }
    return image;
}

void PressEnd(WidgetRecord* widget) {
    StateOf(widget).pressed = false;
    ReleaseCapture();
}

// A move farther than the threshold in either direction, with the left button still down
// since the press, starts a drag; once per press.
void DragDetect(WidgetRecord* widget, LPARAM position) {
    if (!StateOf(widget).pressed)
        return;
    const LPARAM press = StateOf(widget).pressPosition;
    const int dx = static_cast<short>(LOWORD(position)) - static_cast<short>(LOWORD(press));
    const int dy = static_cast<short>(HIWORD(position)) - static_cast<short>(HIWORD(press));
    if (dx > dragWidth || dx < -dragWidth || dy > dragHeight || dy < -dragHeight) {
        PressEnd(widget);
        WidgetPostEvent(widget->Handle, SubtypeDragStart);
    }
}

LRESULT ImageMessage(WidgetRecord* widget, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = widget->Handle;
    switch (message) {
    case WM_ENABLE:
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return 0;
    case WM_PAINT: ImageDraw(widget, PaintDc(control).Get()); return 0;
    case WM_PRINT: ImageDraw(widget, reinterpret_cast<HDC>(wParam)); return 0;
    case STM_SETIMAGE:
        return reinterpret_cast<LRESULT>(ImageSet(widget, reinterpret_cast<HANDLE>(lParam)));
    case STM_SETICON:
        return reinterpret_cast<LRESULT>(ImageSet(widget, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETIMAGE:
    case STM_GETICON: return reinterpret_cast<LRESULT>(ImageOf(widget));
    case WM_LBUTTONDOWN:
        StateOf(widget).pressed = true;
        StateOf(widget).pressPosition = lParam;
        SetCapture(control);
        break;
    case WM_MOUSEMOVE: DragDetect(widget, lParam); break;
    case WM_LBUTTONUP:
        if (StateOf(widget).pressed)
            PressEnd(widget);
        break;
    case WM_LBUTTONDBLCLK: WidgetPostEvent(control, SubtypeLeftDoubleClick); return 0;
    case WM_RBUTTONUP:
        if (rightDoubleClicked)
            rightDoubleClicked = false;
        else
            WidgetPostEvent(control, SubtypeRightButtonClick);
        return 0;
    case WM_RBUTTONDBLCLK:
        WidgetPostEvent(control, SubtypeRightDoubleClick);
        rightDoubleClicked = true;
        return 0;
    }
    return CallWindowProcA(staticProcedure, control, message, wParam, lParam);
}

LRESULT CALLBACK ImageProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WidgetRecord* widget = WidgetFromControl(control);
    if (!widget || widget->Handle != control) // not registered yet, or already ended
        return CallWindowProcA(staticProcedure, control, message, wParam, lParam);
    return ImageMessage(widget, message, wParam, lParam);
}

int ImageGetState(WidgetRecord* widget) {
    // Bitmap and icon handles carry 32 significant bits, sign-extended on 64-bit Windows.
    return static_cast<int>(SendMessageA(widget->Handle, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

void ImageSetState(WidgetRecord* widget, int image) {
    SendMessageA(widget->Handle, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(image));
}

} // namespace

intptr_t ImageWidgetCreate(int number, int x, int y, int width, int height, HANDLE image,
                           DWORD extendedStyle) {
    if (!imageKind.Kind) {
        imageKind.RecordSize = WidgetRecordSize;
        imageKind.GetState = ImageGetState;
        imageKind.SetState = ImageSetState;
        imageKind.Kind = WidgetKindImage;
        dragWidth = GetSystemMetrics(SM_CXDRAG);
        dragHeight = GetSystemMetrics(SM_CYDRAG);
    }
    HWND control = CreateWindowExA(extendedStyle, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY,
                                   x, y, width, height, WidgetListParent(),
                                   reinterpret_cast<HMENU>(static_cast<intptr_t>(-1)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return 0;
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ImageProc)));
    if (!staticProcedure)
        staticProcedure = previous;
    auto* state = new (std::nothrow) ImageState;
    int assigned = 0;
    WidgetRecord* widget = state ? WidgetRecordAcquire(number, &assigned) : nullptr;
    if (!widget) {
        delete state;
        DestroyWindow(control);
        return 0;
    }
    widget->State = state;
    const intptr_t result = WidgetRegister(number, assigned, widget, control, &imageKind);
    ImageSet(widget, image);
    return result;
}
