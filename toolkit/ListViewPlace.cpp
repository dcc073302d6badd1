// Where a list view's row is on the screen, for menus opened from the keyboard.
#include "toolkit/WidgetFramework.h"
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
