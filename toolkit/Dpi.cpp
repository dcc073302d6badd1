#include "toolkit/Dpi.h"

#include "runtime/SystemLibrary_win32.h"
#include "toolkit/Gdi.h"
#include "toolkit/Properties.h"
#include "toolkit/WindowChain.h"

#include <map>
#include <tuple>

namespace {

int SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : BaseDpi;
}

LRESULT CALLBACK DpiParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested)
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        if (auto handler = reinterpret_cast<DpiChangeHandler>(GetPropA(window, DpiHandlerProperty)))
            handler(window, HIWORD(wParam));
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemovePropA(window, DpiHandlerProperty);
    return WindowChainNext(DpiParentProcedure, window, message, wParam, lParam);
}

BOOL CALLBACK FontSend(HWND control, LPARAM font) {
    SendMessageA(control, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

} // namespace

int WindowDpi(HWND window) {
    // Windows 10 and Wine have it; older systems scale every window alike.
    using ForWindow = UINT(WINAPI*)(HWND);
    static const ForWindow forWindow = SystemFunction<ForWindow>("user32.dll", "GetDpiForWindow");
    const int dpi = window && forWindow ? static_cast<int>(forWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

HFONT WidgetFontForDpi(int dpi) {
    static const int systemDpi = SystemDpi();
    HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (dpi == systemDpi)
        return stock;
    static std::map<int, GdiObject<HFONT>> made;
    GdiObject<HFONT>& font = made[dpi];
    if (!font) {
        LOGFONTA look = {};
        GetObjectA(stock, sizeof look, &look);
        look.lfHeight = MulDiv(look.lfHeight, dpi, systemDpi);
        font = GdiObject<HFONT>(CreateFontIndirectA(&look));
    }
    return font ? font.Get() : stock;
}

void WindowFontsSet(HWND window, int dpi) {
    EnumChildWindows(window, FontSend, reinterpret_cast<LPARAM>(WidgetFontForDpi(dpi)));
}

HANDLE BitmapStretched(HANDLE image, int width, int height) {
    if (!image || GetObjectType(image) != OBJ_BITMAP || width <= 0 || height <= 0)
        return image;
    static std::map<std::tuple<HANDLE, int, int>, GdiObject<HBITMAP>> copies;
    GdiObject<HBITMAP>& copy = copies[{image, width, height}];
    if (!copy)
        copy = GdiObject<HBITMAP>(
            static_cast<HBITMAP>(CopyImage(image, IMAGE_BITMAP, width, height, 0)));
    return copy ? copy.Get() : image;
}

void WindowClientSizeSet(HWND window, int width, int height) {
    RECT outer = {}, client = {};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client))
        return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                 outer.bottom - outer.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowDpiHandlerSet(HWND window, DpiChangeHandler handler) {
    WindowChainAdd(window, DpiParentProcedure);
    SetPropA(window, DpiHandlerProperty, reinterpret_cast<HANDLE>(handler));
}
