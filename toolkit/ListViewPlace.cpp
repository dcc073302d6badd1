// Where a list view's row is on the screen, for menus opened from the keyboard, and the sort
// arrow in its header.
#include "toolkit/ListView.h"
#include "toolkit/Widgets.h"

#include <commctrl.h>

POINT ListViewRowScreenPoint(int number, int row) {
    POINT point = {0, 0};
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget)
        return point;
    RECT place = {LVIR_BOUNDS, 0, 0, 0};
    if (row >= 0 && SendMessageA(widget->Handle, LVM_GETITEMRECT, WPARAM(row), LPARAM(&place)))
        point = {place.left + 8, place.bottom};
    ClientToScreen(widget->Handle, &point);
    return point;
}

void ListViewRowShow(int number, int row) {
    if (WidgetRecord* widget = WidgetLookup(number))
        ListViewSend(widget, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

void ListViewSortArrowSet(int number, int column, int direction) {
    WidgetRecord* widget = WidgetLookup(number);
    HWND header = widget ? ListViewHeader(widget) : nullptr;
    if (!header)
        return;
    // A header may draw itself whole when an item is set (a theme asks the window server for
    // each part it draws, under Wine), so only the items whose arrow changes are drawn again,
    // besides what was to be drawn anyway.
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(header, update, FALSE);
    const int columns = int(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < columns; ++c) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, WPARAM(c), LPARAM(&item));
        const int fmt = item.fmt;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (c == column && direction)
            item.fmt |= direction > 0 ? HDF_SORTUP : HDF_SORTDOWN;
        if (item.fmt == fmt)
            continue;
        SendMessageA(header, HDM_SETITEMA, WPARAM(c), LPARAM(&item));
        RECT place = {};
        SendMessageA(header, HDM_GETITEMRECT, WPARAM(c), LPARAM(&place));
        HRGN itemRgn = CreateRectRgnIndirect(&place);
        CombineRgn(update, update, itemRgn, RGN_OR);
        DeleteObject(itemRgn);
    }
    ValidateRect(header, nullptr);
    InvalidateRgn(header, update, TRUE);
    DeleteObject(update);
}
