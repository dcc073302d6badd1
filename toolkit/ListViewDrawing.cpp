// What the control draws: the texts, images and check boxes of the rows on the screen, each
// cell in its own colours, and grid lines in the list's grid colour.
#include "toolkit/ListView.h"

#include <string>

// Fills in what the control asks of one row: for LVIF_TEXT it gives a buffer to copy into.
template <typename Item, typename Copy>
static void DisplayInfoFill(WidgetRecord* widget, Item* item, Copy copy) {
    const ListRow* row = ListViewRow(widget, item->iItem);
    std::string spare;
    if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0)
        copy(ListViewCellRead(widget, item->iItem, item->iSubItem, spare), item->pszText,
             item->cchTextMax);
    if (!row)
        return;
    if (item->mask & LVIF_IMAGE)
        item->iImage = row->image;
    if ((item->mask & LVIF_STATE) && (item->stateMask & LVIS_STATEIMAGEMASK))
        item->state = (item->state & ~LVIS_STATEIMAGEMASK) | ListViewCheckImage(*row);
}

void ListViewDisplayInfo(WidgetRecord* widget, LVITEMA* item) {
    DisplayInfoFill(widget, item,
                    [](const char* text, char* to, int room) { lstrcpynA(to, text, room); });
}

// The control may speak in wide characters; the cells are in the system's code page.
void ListViewDisplayInfo(WidgetRecord* widget, LVITEMW* item) {
    DisplayInfoFill(widget, item, [](const char* text, wchar_t* to, int room) {
        std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0)),
                          L'\0');
        MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], static_cast<int>(wide.size()));
        lstrcpynW(to, wide.c_str(), room);
    });
}

static void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

static void GridPaint(WidgetRecord* widget, HDC dc) {
    HWND header = ListViewHeader(widget);
    RECT client;
    GetClientRect(widget->Handle, &client);
    RECT headerArea = {};
    if (header && IsWindowVisible(header)) {
        GetWindowRect(header, &headerArea);
        MapWindowPoints(nullptr, widget->Handle, reinterpret_cast<POINT*>(&headerArea), 2);
    }
    int top = headerArea.bottom;
    COLORREF back = static_cast<COLORREF>(ListViewSend(widget, LVM_GETBKCOLOR, 0, 0));
    if (ListViewRowCount(widget) == 0) {
        // Wipe the control's own grid lines from the empty area.
        RECT empty = client;
        empty.top = top;
        FillRect(dc, &empty, SolidBrushCreate(back).Get());
        return;
    }
    const GdiObject<HPEN> pen = PenCreate(static_cast<COLORREF>(ListViewStateOf(widget).gridColor));
    const ObjectSelection penSelected(dc, pen.Get());
    RECT first = {};
    first.left = LVIR_BOUNDS;
    ListViewSend(widget, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    int rowHeight = first.bottom - first.top;
    if (rowHeight > 0) {
        int y = first.bottom - 1;
        while (y < 0)
            y += rowHeight;
        for (; y < client.bottom; y += rowHeight)
            if (y > top)
                Line(dc, 0, y, client.right, y);
    }
    if (!ThemeVisualStylesActive()) {
        {
            const GdiObject<HPEN> backPen = PenCreate(back);
            const ObjectSelection backSelected(dc, backPen.Get());
            Line(dc, client.left, top, client.right, top);
        }
        ++top;
        Line(dc, client.left, top, client.right, top);
    }
    int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    if (columns > 0)
        Line(dc, first.right, top, first.right, client.bottom);
    for (int column = 1; column < columns; ++column) {
        RECT cell = {};
        cell.top = column;
        cell.left = LVIR_BOUNDS;
        ListViewSend(widget, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        Line(dc, cell.left, top, cell.left, client.bottom);
    }
}

LRESULT ListViewCustomDraw(WidgetRecord* widget, NMLVCUSTOMDRAW* draw) {
    RowData* data = draw->nmcd.dwDrawStage & CDDS_ITEM
                        ? RowDataGet(widget, static_cast<int>(draw->nmcd.dwItemSpec))
                        : nullptr;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return IsWindowEnabled(widget->Handle) ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT
                                               : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: return data ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (data && draw->iSubItem >= 0 && draw->iSubItem < ListViewColumnCount(widget)) {
            int front = RowDataColorPair(data, draw->iSubItem)[0];
            int back = RowDataColorPair(data, draw->iSubItem)[1];
            draw->clrText =
                front ? static_cast<COLORREF>(front - 1)
                      : static_cast<COLORREF>(ListViewSend(widget, LVM_GETTEXTCOLOR, 0, 0));
            draw->clrTextBk =
                back ? static_cast<COLORREF>(back - 1)
                     : static_cast<COLORREF>(ListViewSend(widget, LVM_GETBKCOLOR, 0, 0));
        }
        return CDRF_DODEFAULT;
    case CDDS_POSTPAINT:
        if (ListViewStateOf(widget).gridColor != -1 &&
            (ListViewSend(widget, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES))
            GridPaint(widget, draw->nmcd.hdc);
        return CDRF_DODEFAULT;
    default: return NotHandled;
    }
}