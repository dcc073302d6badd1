// Sizes a resizable toolkit window inside the normal message flow, instead of the system's
// modal sizing loop, so that the application's event loop keeps running while it is sized.
#include "toolkit/LiveSizing.h"

#include "runtime/Registry.h"

#include <windowsx.h>

namespace {

// The system keeps the low four bits of a WM_SYSCOMMAND code for itself; SC_SIZE carries the
// WMSZ_ edge there when the command comes from a border.
constexpr WPARAM SystemCommandMask = 0xFFF0;
constexpr WPARAM SystemCommandEdgeMask = 0x000F;

struct SizingState {
    bool Active;
    bool RestoreCursor; // keyboard sizing without mouse movement puts the cursor back
    POINT SavedCursor;
    RECT Rect; // the window rectangle being shaped, screen coordinates
    int Edge;  // WMSZ_ code; 0 = not chosen yet (keyboard sizing)
    MINMAXINFO Limits;
    HWND Window;     // the window being sized
    HWND SavedFocus; // focus to give back when sizing ends
    bool FocusTaken;
    POINT PlacedCursor; // where the keyboard path last put the cursor
};

SizingState* sizing = nullptr;

void CursorShow(LPCSTR shape) {
    SetCursor(static_cast<HCURSOR>(
        LoadImageA(nullptr, shape, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE)));
}

void CursorPlace(int x, int y, LPCSTR shape) {
    sizing->PlacedCursor = {x, y};
    SetCursorPos(x, y);
    if (shape)
        CursorShow(shape);
}

// One side of the rectangle follows the point, held within the tracking limits.
void SideApply(LONG& moving, LONG fixed, LONG value, LONG minimum, LONG maximum, bool low) {
    moving = value;
    const LONG size = low ? fixed - moving : moving - fixed;
    const LONG limited = size < minimum ? minimum : size > maximum ? maximum : size;
    if (limited != size)
        moving = low ? fixed - limited : fixed + limited;
}

void PointApply(int x, int y) {
    RECT& r = sizing->Rect;
    const MINMAXINFO& limits = sizing->Limits;
    const int edge = sizing->Edge;
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        SideApply(r.left, r.right, edge == WMSZ_TOPLEFT ? x - 2 : x, limits.ptMinTrackSize.x,
                  limits.ptMaxTrackSize.x, true);
    if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)
        SideApply(r.right, r.left, x + 2, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x, false);
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        SideApply(r.top, r.bottom, edge == WMSZ_TOPLEFT ? y - 2 : y, limits.ptMinTrackSize.y,
                  limits.ptMaxTrackSize.y, true);
    if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
        SideApply(r.bottom, r.top, y + 2, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y, false);
}

void SizingMove(HWND window, int x, int y) {
    PointApply(x, y);
    SendMessageA(window, WM_SIZING, static_cast<WPARAM>(sizing->Edge),
                 reinterpret_cast<LPARAM>(&sizing->Rect));
    RECT r = sizing->Rect;
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void LimitsRead(HWND window) {
    MINMAXINFO& limits = sizing->Limits;
    limits = {};
    limits.ptMaxSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER)
        limits.ptMaxPosition = {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
    else if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_WINDOWEDGE)
        limits.ptMaxPosition = {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)};
    limits.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    limits.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
}

LRESULT SizingStart(HWND window, WPARAM wParam) {
    BOOL fullWindow = FALSE;
    if (!SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullWindow, 0) || !fullWindow)
        return NotHandled; // the system sizes the window as usual
    // Only a window with a sizing border is ever sized, whoever sends the command.
    if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_THICKFRAME) || IsZoomed(window) ||
        IsIconic(window))
        return NotHandled;
    sizing->Active = true;
    sizing->Window = window;
    sizing->Edge = static_cast<int>(wParam & SystemCommandEdgeMask);
    GetWindowRect(window, &sizing->Rect);
    LimitsRead(window);
    if (GetKeyState(VK_LBUTTON) == 0)
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    // Arrow keys go to the focus; a focused control would take them for itself.
    sizing->SavedFocus = GetFocus();
    sizing->FocusTaken = sizing->Edge == 0 && sizing->SavedFocus != window;
    if (sizing->FocusTaken)
        SetFocus(window);
    SetCapture(window);
    PostMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    sizing->RestoreCursor = sizing->Edge == 0;
    if (sizing->RestoreCursor) {
        GetCursorPos(&sizing->SavedCursor);
        sizing->PlacedCursor = sizing->SavedCursor;
        CursorShow(IDC_SIZEALL);
    }
    return 0;
}

LRESULT SizingArrow(HWND window, WPARAM key) {
    POINT p;
    GetCursorPos(&p);
    const RECT r = sizing->Rect;
    int& edge = sizing->Edge;
    switch (key) {
    case VK_LEFT:
        if (edge == 0) {
            edge = WMSZ_LEFT;
            CursorPlace(r.left, p.y, IDC_SIZEWE);
        } else if (edge == WMSZ_TOP) {
            edge = WMSZ_TOPLEFT;
            CursorPlace(r.left + 2, r.top + 2, IDC_SIZENWSE);
        } else if (edge == WMSZ_BOTTOM) {
            edge = WMSZ_BOTTOMLEFT;
            CursorPlace(r.left, r.bottom - 2, IDC_SIZENESW);
        } else {
            CursorPlace(p.x - 10, p.y, nullptr);
            SizingMove(window, p.x - 10, p.y);
        }
        break;
    case VK_RIGHT:
        if (edge == 0) {
            edge = WMSZ_RIGHT;
            CursorPlace(r.right - 2, p.y, IDC_SIZEWE);
        } else if (edge == WMSZ_TOP) {
            edge = WMSZ_TOPRIGHT;
            CursorPlace(r.right - 2, r.top, IDC_SIZENESW);
        } else if (edge == WMSZ_BOTTOM) {
            edge = WMSZ_BOTTOMRIGHT;
            CursorPlace(r.right - 2, r.bottom - 2, IDC_SIZENWSE);
        } else {
            CursorPlace(p.x + 10, p.y, nullptr);
            SizingMove(window, p.x + 10, p.y);
        }
        break;
    case VK_UP:
        if (edge == 0) {
            edge = WMSZ_TOP;
            CursorPlace(p.x, r.top, IDC_SIZENS);
        } else if (edge == WMSZ_RIGHT) {
            edge = WMSZ_TOPRIGHT;
            CursorPlace(r.right - 2, r.top, IDC_SIZENESW);
        } else if (edge == WMSZ_LEFT) {
            edge = WMSZ_TOPLEFT;
            CursorPlace(r.left + 2, r.top + 2, IDC_SIZENWSE);
        } else {
            CursorPlace(p.x, p.y - 10, nullptr);
            SizingMove(window, p.x, p.y - 10);
        }
        break;
    case VK_DOWN:
        if (edge == 0) {
            edge = WMSZ_BOTTOM;
            CursorPlace(p.x, r.bottom - 2, IDC_SIZENS);
        } else if (edge == WMSZ_RIGHT) {
            edge = WMSZ_BOTTOMRIGHT;
            CursorPlace(r.right - 2, r.bottom - 2, IDC_SIZENWSE);
        } else if (edge == WMSZ_LEFT) {
            edge = WMSZ_BOTTOMLEFT;
            CursorPlace(r.left, r.bottom - 2, IDC_SIZENESW);
        } else {
            CursorPlace(p.x, p.y + 10, nullptr);
            SizingMove(window, p.x, p.y + 10);
        }
        break;
    default: return NotHandled;
    }
    return 0;
}

LRESULT SizingMouseMove(HWND window, LPARAM lParam) {
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &p);
    // The cursor moves the keyboard path makes are not the user's mouse movement.
    if (p.x == sizing->PlacedCursor.x && p.y == sizing->PlacedCursor.y)
        return 0;
    sizing->RestoreCursor = false;
    SizingMove(window, p.x, p.y);
    return 0;
}

LRESULT SizingEnd(HWND window) {
    PostMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    sizing->Active = false;
    sizing->Window = nullptr;
    if (sizing->RestoreCursor)
        SetCursorPos(sizing->SavedCursor.x, sizing->SavedCursor.y);
    if (sizing->FocusTaken && GetFocus() == window && IsWindow(sizing->SavedFocus))
        SetFocus(sizing->SavedFocus);
    return 0;
}

} // namespace

void LiveSizingInit() {
    if (!sizing)
        sizing = static_cast<SizingState*>(LibraryStateCreate(sizeof(SizingState)));
}

LRESULT LiveSizing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!sizing)
        return NotHandled;
    if (sizing->Active && !IsWindow(sizing->Window)) // destroyed while being sized
        sizing->Active = false;
    if (!sizing->Active)
        return message == WM_SYSCOMMAND && (wParam & SystemCommandMask) == SC_SIZE
                   ? SizingStart(window, wParam)
                   : NotHandled;
    if (window != sizing->Window)
        return NotHandled;
    switch (message) {
    case WM_MOUSEMOVE: return SizingMouseMove(window, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            ReleaseCapture(); // the size reached is kept
            return 0;
        }
        return SizingArrow(window, wParam);
    case WM_LBUTTONUP: ReleaseCapture(); return 0;
    case WM_CAPTURECHANGED: return SizingEnd(window);
    default: return NotHandled;
    }
}
