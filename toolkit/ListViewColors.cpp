// Colours: the list's own front and back colours and the grid colour, and per-cell colours
// kept in the row data blocks.
#include "toolkit/ListView.h"

namespace {

// Colours the first control reported right after its creation; -1 restores them.
COLORREF defaultTextColor;
COLORREF defaultBackColor;

} // namespace

void ListViewColorsRemember(HWND control) {
    defaultTextColor = static_cast<COLORREF>(SendMessageA(control, LVM_GETTEXTCOLOR, 0, 0));
    defaultBackColor = static_cast<COLORREF>(SendMessageA(control, LVM_GETBKCOLOR, 0, 0));
}

void ListViewSetColor(WidgetRecord* widget, int which, int color) {
    if (which == WidgetColorFront) {
        ListViewSend(widget, LVM_SETTEXTCOLOR, 0,
                     color == -1 ? defaultTextColor : static_cast<COLORREF>(color));
        ListViewStateOf(widget).frontSet = color != -1;
    } else if (which == WidgetColorBack) {
        COLORREF back = color == -1 ? defaultBackColor : static_cast<COLORREF>(color);
        ListViewSend(widget, LVM_SETBKCOLOR, 0, back);
        ListViewSend(widget, LVM_SETTEXTBKCOLOR, 0, back);
        ListViewStateOf(widget).backSet = color != -1;
    } else if (which == WidgetColorGrid) {
        ListViewStateOf(widget).gridColor = color;
    }
    ListViewRepaint(widget);
}

int ListViewGetColor(WidgetRecord* widget, int which) {
    if (which == WidgetColorFront && ListViewStateOf(widget).frontSet)
        return static_cast<int>(ListViewSend(widget, LVM_GETTEXTCOLOR, 0, 0));
    if (which == WidgetColorBack && ListViewStateOf(widget).backSet)
        return static_cast<int>(ListViewSend(widget, LVM_GETBKCOLOR, 0, 0));
    if (which == WidgetColorGrid)
        return ListViewStateOf(widget).gridColor;
    return -1;
}

static void CellColorsSet(WidgetRecord* widget, int row, int offset, int color, int column) {
    RowData* data = RowDataNeed(widget, row);
    if (!data)
        return;
    const int columns = ListViewColumnCount(widget);
    if (column == -1) {
        for (int each = 0; each < columns; ++each)
            RowDataColorPair(data, each)[offset] = color + 1;
    } else if (column >= 0 && column < columns) {
        RowDataColorPair(data, column)[offset] = color + 1;
    }
}

void ListViewSetItemColor(WidgetRecord* widget, int row, int which, int color, int column) {
    if (which != WidgetColorFront && which != WidgetColorBack)
        return;
    const int offset = which == WidgetColorFront ? 0 : 1;
    if (row != -1)
        CellColorsSet(widget, row, offset, color, column);
    for (int each = 0; row == -1 && each < ListViewRowCount(widget); ++each)
        CellColorsSet(widget, each, offset, color, column);
    ListViewRepaint(widget);
}

int ListViewGetItemColor(WidgetRecord* widget, int row, int which, int column) {
    if (column < 0)
        column = 0;
    RowData* data = RowDataGet(widget, row);
    if (!data || column >= ListViewColumnCount(widget) ||
        (which != WidgetColorFront && which != WidgetColorBack))
        return -1;
    return RowDataColorPair(data, column)[which == WidgetColorFront ? 0 : 1] - 1;
}
