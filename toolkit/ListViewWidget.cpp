// The list view: a report-view table with one text cell per column. Rows are added as their
// cells joined by line feeds. Optional extras: a colour for the whole list, colours per cell
// and one value per row (kept in a row data block), grid lines in a colour, row images.
#include "toolkit/Widgets.h"

#include "runtime/Memory.h"
#include "toolkit/Gdi.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// How a list view uses the words of its widget record.
//   KindWord    the longest cell text stored since creation or the last ClearItems, so that
//               reading a cell never needs to ask for its length
//   KindWord2   the row image set (owned), nullptr until a row is added with an image
//   BackColor   the custom grid colour, -1 when the control draws its own grid
//   FrontColor  flags below
constexpr int FlagFrontSet = 1;      // a front colour was set on the whole list
constexpr int FlagBackSet = 2;       // a back colour was set on the whole list
constexpr int FlagFillSuspended = 4; // redrawing is off until the event loop runs again

// Posted to the control when rows were added: the event loop is running again, so the
// control may draw once with all the new rows.
constexpr UINT ListViewFillEndMessage = WM_APP + 0x2C1;

// The check-box state images of a row.
constexpr UINT CheckBoxClear = 1;
constexpr UINT CheckBoxChecked = 2;

static const char* const LastSelectedProperty = "GT_LastSelected";

// The list-view class procedure; the same for every list view, kept for the whole run.
static WNDPROC listViewProcedure;

static WidgetKind listViewKind;
// Colours the first control reported right after its creation; -1 restores them.
static COLORREF defaultTextColor;
static COLORREF defaultBackColor;
static int rowDataCount;

static unsigned LongestText(WidgetRecord* widget) {
    return static_cast<unsigned>(widget->KindWord);
}

static void LongestTextRaise(WidgetRecord* widget, size_t length) {
    if (length > LongestText(widget))
        widget->KindWord = static_cast<intptr_t>(length);
}

// Straight to the control's own procedure: the procedures stacked in front of it pass these
// messages on unchanged, and filling a big list sends hundreds of thousands of them.
static LRESULT Send(WidgetRecord* widget, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(listViewProcedure, widget->Handle, message, wParam, lParam);
}

static int RowCount(WidgetRecord* widget) {
    return static_cast<int>(Send(widget, LVM_GETITEMCOUNT, 0, 0));
}

static HWND Header(WidgetRecord* widget) {
    return reinterpret_cast<HWND>(Send(widget, LVM_GETHEADER, 0, 0));
}

static int ColumnCount(WidgetRecord* widget) {
    return static_cast<int>(SendMessageA(Header(widget), HDM_GETITEMCOUNT, 0, 0));
}

static void Repaint(WidgetRecord* widget) {
    RedrawWindow(widget->Handle, nullptr, nullptr, RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

// ---- row data blocks, in ints: [0] the row value, then per column c the pair
// [1 + 2c] front + 1 and [2 + 2c] back + 1, where 0 means the list's own colour
using RowData = int;

static int* ColorPair(RowData* data, int column) {
    return data + 1 + 2 * column;
}

static size_t RowDataSize(int columns) {
    return sizeof(int) + 2 * sizeof(int) * static_cast<size_t>(columns > 0 ? columns : 0);
}

static RowData* RowDataGet(WidgetRecord* widget, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!Send(widget, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<RowData*>(item.lParam);
}

static void RowDataStore(WidgetRecord* widget, int row, RowData* data) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = reinterpret_cast<LPARAM>(data);
    Send(widget, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

static RowData* RowDataNeed(WidgetRecord* widget, int row) {
    RowData* data = RowDataGet(widget, row);
    if (data)
        return data;
    data = static_cast<RowData*>(MemoryAllocate(Heap::Main, RowDataSize(ColumnCount(widget))));
    if (!data)
        return nullptr;
    ++rowDataCount;
    RowDataStore(widget, row, data);
    return data;
}

static void RowDataFree(WidgetRecord* widget, int row) {
    if (RowData* data = RowDataGet(widget, row)) {
        RowDataStore(widget, row, nullptr);
        MemoryFree(Heap::Main, data);
        --rowDataCount;
    }
}

// Only before the rows go: their item parameters are left pointing at freed blocks.
static void RowDataFreeAll(WidgetRecord* widget) {
    for (int row = RowCount(widget) - 1; row >= 0; --row) {
        if (RowData* data = RowDataGet(widget, row)) {
            MemoryFree(Heap::Main, data);
            --rowDataCount;
        }
    }
}

// A block that cannot follow a column change is dropped with its colours, so that no block
// is ever smaller than its columns need.
static void RowDataResize(WidgetRecord* widget, int row, RowData* data, int columns) {
    void* resized = MemoryResize(Heap::Main, data, RowDataSize(columns));
    if (resized) {
        RowDataStore(widget, row, static_cast<RowData*>(resized));
        return;
    }
    RowDataFree(widget, row);
}

// Column k was inserted; the list has `columns` columns now.
static void RowDataColumnInserted(WidgetRecord* widget, int k, int columns) {
    for (int row = RowCount(widget) - 1; row >= 0; --row) {
        RowData* data = RowDataGet(widget, row);
        if (!data)
            continue;
        data = static_cast<RowData*>(MemoryResize(Heap::Main, data, RowDataSize(columns)));
        if (!data) {
            RowDataFree(widget, row);
            continue;
        }
        RowDataStore(widget, row, data);
        if (k < columns - 1)
            std::memmove(ColorPair(data, k + 1), ColorPair(data, k),
                         2 * sizeof(int) * static_cast<size_t>(columns - 1 - k));
        ColorPair(data, k)[0] = 0;
        ColorPair(data, k)[1] = 0;
    }
}

// Column c was removed; the list had `columns` columns before.
static void RowDataColumnRemoved(WidgetRecord* widget, int c, int columns) {
    for (int row = RowCount(widget) - 1; row >= 0; --row) {
        RowData* data = RowDataGet(widget, row);
        if (!data)
            continue;
        if (c < columns - 1)
            std::memmove(ColorPair(data, c), ColorPair(data, c + 1),
                         2 * sizeof(int) * static_cast<size_t>(columns - 1 - c));
        RowDataResize(widget, row, data, columns - 1);
    }
}

// ---- row images: a small and a large image list behind the rows, index 0 transparent

struct RowImageSet {
    HIMAGELIST small;                          // owned
    HIMAGELIST large;                          // owned
    std::vector<std::pair<HANDLE, int>> added; // image handle, index in the small list
};

// Black squares: the transparent placeholder and the mask of every added bitmap.
static HBITMAP BlackSquare(int side) {
    const WindowDc screen(nullptr);
    GdiObject<HBITMAP> bitmap = CompatibleBitmapCreate(screen.Get(), side, side);
    const MemoryDc dc(screen.Get());
    const ObjectSelection selected(dc.Get(), bitmap.Get());
    PatBlt(dc.Get(), 0, 0, side, side, BLACKNESS);
    return bitmap.Release();
}

static HBITMAP Placeholder(bool large) {
    static HBITMAP smallSquare = BlackSquare(16); // kept for the whole run
    static HBITMAP largeSquare = BlackSquare(32);
    return large ? largeSquare : smallSquare;
}

static void RowImagesPlaceholders(RowImageSet* set) {
    ImageList_AddMasked(set->small, Placeholder(false), RGB(0, 0, 0));
    ImageList_AddMasked(set->large, Placeholder(true), RGB(0, 0, 0));
}

static RowImageSet* RowImages(WidgetRecord* widget) {
    return reinterpret_cast<RowImageSet*>(widget->KindWord2);
}

// The control shows images only from lists it was given; it does not own them.
static RowImageSet* RowImagesNeed(WidgetRecord* widget) {
    if (RowImageSet* set = RowImages(widget))
        return set;
    auto* set = new (std::nothrow) RowImageSet{};
    if (!set)
        return nullptr;
    set->small = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                  ILC_MASK | ILC_COLOR32, 1, 1);
    set->large = ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                  ILC_MASK | ILC_COLOR32, 1, 1);
    RowImagesPlaceholders(set);
    Send(widget, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(set->small));
    Send(widget, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(set->large));
    widget->KindWord2 = reinterpret_cast<intptr_t>(set);
    return set;
}

// A copy of `bitmap` at side x side unless it has that size already (then the bitmap itself).
static HBITMAP BitmapFitted(HBITMAP bitmap, int side, int height) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    if (info.bmWidth == side && info.bmHeight == height)
        return bitmap;
    const WindowDc screen(nullptr);
    GdiObject<HBITMAP> fitted = CompatibleBitmapCreate(screen.Get(), side, side);
    const MemoryDc from(screen.Get()), to(screen.Get());
    const ObjectSelection fromSelected(from.Get(), bitmap), toSelected(to.Get(), fitted.Get());
    StretchBlt(to.Get(), 0, 0, side, side, from.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    return fitted.Release();
}

static void ImageListAddBitmap(HIMAGELIST list, HBITMAP bitmap, bool large) {
    int side = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    int height = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
    HBITMAP fitted = BitmapFitted(bitmap, side, height);
    // A copy made here goes once the list has its own; the caller's bitmap stays.
    const GdiObject<HBITMAP> copy(fitted != bitmap ? fitted : nullptr);
    ImageList_Add(list, fitted, Placeholder(large));
}

// The index of `image` in the row images, adding it on first use; -1 when it cannot be added.
static int RowImageIndex(WidgetRecord* widget, HANDLE image) {
    RowImageSet* set = RowImagesNeed(widget);
    if (!set)
        return -1;
    for (auto& entry : set->added)
        if (entry.first == image)
            return entry.second;
    int index;
    if (GetObjectType(image) == OBJ_BITMAP) {
        HBITMAP bitmap = static_cast<HBITMAP>(image);
        ImageListAddBitmap(set->large, bitmap, true);
        ImageListAddBitmap(set->small, bitmap, false);
        index = ImageList_GetImageCount(set->small) - 1;
    } else {
        HICON icon = static_cast<HICON>(image);
        ImageList_ReplaceIcon(set->large, -1, icon);
        index = ImageList_ReplaceIcon(set->small, -1, icon);
    }
    if (index < 0)
        return -1;
    set->added.emplace_back(image, index);
    return index;
}

static void RowImagesReset(WidgetRecord* widget) {
    if (RowImageSet* set = RowImages(widget)) {
        ImageList_RemoveAll(set->small);
        ImageList_RemoveAll(set->large);
        RowImagesPlaceholders(set);
        set->added.clear();
    }
}

static void RowImagesFree(WidgetRecord* widget) {
    if (RowImageSet* set = RowImages(widget)) {
        ImageList_Destroy(set->small);
        ImageList_Destroy(set->large);
        delete set;
        widget->KindWord2 = 0;
    }
}

// ---- cells and rows

static void CellSet(WidgetRecord* widget, int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    Send(widget, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    LongestTextRaise(widget, std::strlen(text));
}

// Writes the line-feed separated parts of `cells` to the row from column `column` on. An
// empty part between two line feeds is an empty cell; a trailing line feed adds none.
static void CellsSet(WidgetRecord* widget, int row, int column, char* cells) {
    while (*cells) {
        char* end = std::strchr(cells, '\n');
        if (end)
            *end = '\0';
        CellSet(widget, row, column++, cells);
        if (!end)
            break;
        cells = end + 1;
    }
}

// Adding one row after another would redraw the whole list each time: stop drawing at the
// first row and draw once when the event loop runs again.
static void FillSuspend(WidgetRecord* widget) {
    if (widget->FrontColor & FlagFillSuspended)
        return;
    if (!PostMessageA(widget->Handle, ListViewFillEndMessage, 0, 0))
        return;
    widget->FrontColor |= FlagFillSuspended;
    Send(widget, WM_SETREDRAW, FALSE, 0);
}

static void FillEnd(HWND control) {
    WidgetRecord* widget = WidgetLookup(GetWindowLongA(control, GWL_ID));
    if (!widget || widget->Handle != control || !(widget->FrontColor & FlagFillSuspended))
        return;
    widget->FrontColor &= ~FlagFillSuspended;
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

static int ListViewAddItem(WidgetRecord* widget, int position, const char* text, HANDLE image) {
    if (position == -1)
        position = RowCount(widget);
    int imageIndex = image ? RowImageIndex(widget, image) : -1;
    std::unique_ptr<char[]> copy;
    char* rest = nullptr;
    const char* first = "";
    if (text) {
        size_t length = std::strlen(text);
        copy.reset(new (std::nothrow) char[length + 1]);
        if (copy) {
            std::memcpy(copy.get(), text, length + 1);
            first = copy.get();
            if (char* end = std::strchr(copy.get(), '\n')) {
                *end = '\0';
                rest = end + 1;
            }
        }
    }
    LongestTextRaise(widget, std::strlen(first));
    FillSuspend(widget);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    if (imageIndex >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = imageIndex;
    }
    item.iItem = position;
    item.pszText = const_cast<char*>(first);
    int row = static_cast<int>(Send(widget, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    // The control's own index: a position past the end appends.
    if (rest && row >= 0)
        CellsSet(widget, row, 1, rest);
    return row;
}

static std::string ListViewGetItemText(WidgetRecord* widget, int row, int column) {
    if (row == -1) {
        char title[4096] = "";
        HDITEMA header = {};
        header.mask = HDI_TEXT;
        header.pszText = title;
        header.cchTextMax = sizeof title;
        if (!SendMessageA(Header(widget), HDM_GETITEMA, static_cast<WPARAM>(column),
                          reinterpret_cast<LPARAM>(&header)) ||
            !header.pszText)
            return std::string();
        return header.pszText;
    }
    std::string buffer(LongestText(widget) + 1, '\0');
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = &buffer[0];
    item.cchTextMax = static_cast<int>(buffer.size());
    // The control may answer with a pointer to its own copy instead of filling the buffer.
    if (!Send(widget, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.pszText)
        return std::string();
    return item.pszText;
}

static void ListViewSetItemText(WidgetRecord* widget, int row, const char* text, int column) {
    if (row == -1) {
        LVCOLUMNA title = {};
        title.mask = LVCF_TEXT;
        title.pszText = const_cast<char*>(text);
        Send(widget, LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&title));
        return;
    }
    CellSet(widget, row, column, text);
}

static int ListViewGetState(WidgetRecord* widget) {
    return static_cast<int>(
        Send(widget, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

static void RowStateSet(WidgetRecord* widget, int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    Send(widget, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

static void ListViewSetState(WidgetRecord* widget, int row) {
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    if (row >= 0) {
        RowStateSet(widget, row, selected, selected);
        return;
    }
    // Bounded, so that a row the control refuses to let go cannot keep us here.
    for (int left = RowCount(widget); left >= 0; --left) {
        int selectedRow = ListViewGetState(widget);
        if (selectedRow < 0)
            break;
        RowStateSet(widget, selectedRow, 0, selected);
    }
}

static std::string ListViewGetText(WidgetRecord* widget) {
    int row = ListViewGetState(widget);
    return row < 0 ? std::string() : ListViewGetItemText(widget, row, 0);
}

static void ListViewSetText(WidgetRecord* widget, const char* text) {
    int row = ListViewGetState(widget);
    if (row < 0)
        return;
    std::string cells(text);
    CellsSet(widget, row, 0, &cells[0]);
    if (cells.empty())
        CellSet(widget, row, 0, "");
}

static void ListViewRemoveItem(WidgetRecord* widget, int row) {
    RowDataFree(widget, row);
    Send(widget, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

static void ListViewClearItems(WidgetRecord* widget) {
    RowDataFreeAll(widget);
    RowImagesReset(widget);
    Send(widget, LVM_DELETEALLITEMS, 0, 0);
    widget->KindWord = 0;
}

static int ListViewCountItems(WidgetRecord* widget) {
    return RowCount(widget);
}

static int ListViewGetItemState(WidgetRecord* widget, int row) {
    UINT state = static_cast<UINT>(Send(widget, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                        LVIS_SELECTED | LVIS_STATEIMAGEMASK));
    int result = (state & LVIS_SELECTED) ? ListViewRowSelected : 0;
    if ((Send(widget, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) &&
        (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(CheckBoxChecked))
        result |= ListViewRowChecked;
    return result;
}

static void ListViewSetItemState(WidgetRecord* widget, int row, int state) {
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    RowStateSet(widget, row, (state & ListViewRowSelected) ? selected : 0, selected);
    const UINT box = (state & ListViewRowChecked) ? CheckBoxChecked : CheckBoxClear;
    RowStateSet(widget, row, INDEXTOSTATEIMAGEMASK(box), LVIS_STATEIMAGEMASK);
}

static int ListViewAddColumn(WidgetRecord* widget, int position, const char* title, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title ? title : "");
    column.iSubItem = position;
    int k = static_cast<int>(Send(widget, LVM_INSERTCOLUMNA, static_cast<WPARAM>(position),
                                  reinterpret_cast<LPARAM>(&column)));
    if (k == -1)
        return -1;
    RowDataColumnInserted(widget, k, ColumnCount(widget));
    return k;
}

static int ListViewRemoveColumn(WidgetRecord* widget, int column) {
    int columns = ColumnCount(widget);
    if (!Send(widget, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0))
        return 0;
    RowDataColumnRemoved(widget, column, columns);
    return 1;
}

static int ListViewGetItemAttribute(WidgetRecord* widget, int, int attribute, int column) {
    if (attribute != ListViewColumnWidth)
        return 0;
    return static_cast<int>(Send(widget, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

static void ListViewSetItemAttribute(WidgetRecord* widget, int, int attribute, int value,
                                     int column) {
    if (attribute == ListViewColumnWidth)
        Send(widget, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
             MAKELPARAM(static_cast<WORD>(value & 0xFFFF), 0));
}

// ---- colours and row values

static void ListViewSetColor(WidgetRecord* widget, int which, int colour) {
    if (which == WidgetColorFront) {
        Send(widget, LVM_SETTEXTCOLOR, 0,
             colour == -1 ? defaultTextColor : static_cast<COLORREF>(colour));
        widget->FrontColor =
            colour == -1 ? widget->FrontColor & ~FlagFrontSet : widget->FrontColor | FlagFrontSet;
    } else if (which == WidgetColorBack) {
        COLORREF back = colour == -1 ? defaultBackColor : static_cast<COLORREF>(colour);
        Send(widget, LVM_SETBKCOLOR, 0, back);
        Send(widget, LVM_SETTEXTBKCOLOR, 0, back);
        widget->FrontColor =
            colour == -1 ? widget->FrontColor & ~FlagBackSet : widget->FrontColor | FlagBackSet;
    } else if (which == WidgetColorGrid) {
        widget->BackColor = colour;
    }
    Repaint(widget);
}

static int ListViewGetColor(WidgetRecord* widget, int which) {
    if (which == WidgetColorFront && (widget->FrontColor & FlagFrontSet))
        return static_cast<int>(Send(widget, LVM_GETTEXTCOLOR, 0, 0));
    if (which == WidgetColorBack && (widget->FrontColor & FlagBackSet))
        return static_cast<int>(Send(widget, LVM_GETBKCOLOR, 0, 0));
    if (which == WidgetColorGrid)
        return widget->BackColor;
    return -1;
}

static void ListViewSetItemColor(WidgetRecord* widget, int row, int which, int colour, int column) {
    int rows = RowCount(widget);
    if (row == -1) {
        for (int each = 0; each < rows; ++each)
            ListViewSetItemColor(widget, each, which, colour, column);
        return;
    }
    if (row < 0 || row >= rows)
        return;
    RowData* data = RowDataNeed(widget, row);
    if (!data)
        return;
    int columns = ColumnCount(widget);
    if (which == WidgetColorFront || which == WidgetColorBack) {
        int offset = which == WidgetColorFront ? 0 : 1;
        if (column == -1) {
            for (int each = 0; each < columns; ++each)
                ColorPair(data, each)[offset] = colour + 1;
        } else if (column >= 0 && column < columns) {
            ColorPair(data, column)[offset] = colour + 1;
        }
    }
    Repaint(widget);
}

static int ListViewGetItemColor(WidgetRecord* widget, int row, int which, int column) {
    if (column < 0)
        column = 0;
    RowData* data = RowDataGet(widget, row);
    if (!data || column >= ColumnCount(widget) ||
        (which != WidgetColorFront && which != WidgetColorBack))
        return -1;
    return ColorPair(data, column)[which == WidgetColorFront ? 0 : 1] - 1;
}

static void ListViewSetItemData(WidgetRecord* widget, int row, int value) {
    if (row < 0 || row >= RowCount(widget))
        return;
    if (RowData* data = RowDataNeed(widget, row))
        data[0] = value;
}

static int ListViewGetItemData(WidgetRecord* widget, int row) {
    RowData* data = RowDataGet(widget, row);
    return data ? data[0] : 0;
}

// ---- painting grid lines in the custom colour

static void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

static void GridPaint(WidgetRecord* widget, HDC dc) {
    HWND header = Header(widget);
    RECT client;
    GetClientRect(widget->Handle, &client);
    RECT headerArea = {};
    if (header && IsWindowVisible(header)) {
        GetWindowRect(header, &headerArea);
        MapWindowPoints(nullptr, widget->Handle, reinterpret_cast<POINT*>(&headerArea), 2);
    }
    int top = headerArea.bottom;
    COLORREF back = static_cast<COLORREF>(Send(widget, LVM_GETBKCOLOR, 0, 0));
    if (RowCount(widget) == 0) {
        // Wipe the control's own grid lines from the empty area.
        RECT empty = client;
        empty.top = top;
        FillRect(dc, &empty, SolidBrushCreate(back).Get());
        return;
    }
    const GdiObject<HPEN> pen = PenCreate(static_cast<COLORREF>(widget->BackColor));
    const ObjectSelection penSelected(dc, pen.Get());
    RECT first = {};
    first.left = LVIR_BOUNDS;
    Send(widget, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
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
        Send(widget, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
        Line(dc, cell.left, top, cell.left, client.bottom);
    }
}

static LRESULT CustomDraw(WidgetRecord* widget, NMLVCUSTOMDRAW* draw) {
    auto* data = reinterpret_cast<RowData*>(draw->nmcd.lItemlParam);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return IsWindowEnabled(widget->Handle) ? CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT
                                               : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: return data ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        if (data && draw->iSubItem >= 0 && draw->iSubItem < ColumnCount(widget)) {
            int front = ColorPair(data, draw->iSubItem)[0];
            int back = ColorPair(data, draw->iSubItem)[1];
            draw->clrText = front ? static_cast<COLORREF>(front - 1)
                                  : static_cast<COLORREF>(Send(widget, LVM_GETTEXTCOLOR, 0, 0));
            draw->clrTextBk = back ? static_cast<COLORREF>(back - 1)
                                   : static_cast<COLORREF>(Send(widget, LVM_GETBKCOLOR, 0, 0));
        }
        return CDRF_DODEFAULT;
    case CDDS_POSTPAINT:
        if (widget->BackColor != -1 &&
            (Send(widget, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES))
            GridPaint(widget, draw->nmcd.hdc);
        return CDRF_DODEFAULT;
    default: return NotHandled;
    }
}

// ---- notifications

static int LastSelected(HWND control) {
    return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(control, LastSelectedProperty)));
}

static void LastSelectedSet(HWND control, int row) {
    SetPropA(control, LastSelectedProperty, reinterpret_cast<HANDLE>(static_cast<intptr_t>(row)));
}

// A click that leaves no row selected reports the change before the click itself.
static void DeselectionCheck(WidgetRecord* widget) {
    if (ListViewGetState(widget) < 0 && LastSelected(widget->Handle) != -1) {
        LastSelectedSet(widget->Handle, -1);
        WidgetPostEvent(widget->Handle, SubtypeChange);
    }
}

static void ItemChanged(WidgetRecord* widget, const NMLISTVIEW* change) {
    if (!(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED))
        return;
    LastSelectedSet(widget->Handle, change->iItem);
    WidgetPostEvent(widget->Handle, SubtypeChange);
}

static LRESULT ListViewOnParentMessage(WidgetRecord* widget, HWND, UINT message, WPARAM,
                                       LPARAM lParam) {
    if (message != WM_NOTIFY)
        return NotHandled;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
    case NM_CLICK:
        DeselectionCheck(widget);
        WidgetPostEvent(widget->Handle, SubtypeLeftButtonClick);
        return 0;
    case NM_RCLICK:
        DeselectionCheck(widget);
        WidgetPostEvent(widget->Handle, SubtypeRightButtonClick);
        return 0;
    case NM_DBLCLK: WidgetPostEvent(widget->Handle, SubtypeLeftDoubleClick); return 0;
    case NM_RDBLCLK: WidgetPostEvent(widget->Handle, SubtypeRightDoubleClick); return 0;
    case LVN_ITEMCHANGED: ItemChanged(widget, reinterpret_cast<NMLISTVIEW*>(lParam)); return 0;
    case LVN_BEGINDRAG: WidgetPostEvent(widget->Handle, SubtypeDragStart); return 0;
    case NM_CUSTOMDRAW: return CustomDraw(widget, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    default: return NotHandled;
    }
}

// Runs at the control's final destruction, when its rows are gone already.
static void ListViewOnDestroy(WidgetRecord* widget) {
    RemovePropA(widget->Handle, LastSelectedProperty);
    RowImagesFree(widget);
}

// Sits between the framework's procedure and the control's own.
static LRESULT CALLBACK ListViewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ListViewFillEndMessage) {
        FillEnd(control);
        return 0;
    }
    // The row data blocks must go while the control still has its rows.
    if (message == WM_DESTROY) {
        WidgetRecord* widget = WidgetLookup(GetWindowLongA(control, GWL_ID));
        if (widget && widget->Handle == control)
            RowDataFreeAll(widget);
    }
    return CallWindowProcA(listViewProcedure, control, message, wParam, lParam);
}

static void ListViewKindFill(HWND control) {
    ThemeDetect();
    defaultTextColor = static_cast<COLORREF>(SendMessageA(control, LVM_GETTEXTCOLOR, 0, 0));
    defaultBackColor = static_cast<COLORREF>(SendMessageA(control, LVM_GETBKCOLOR, 0, 0));
    WidgetKind& kind = listViewKind;
    kind.RecordSize = WidgetRecordSize;
    kind.OnParentMessage = ListViewOnParentMessage;
    kind.OnDestroy = ListViewOnDestroy;
    kind.GetState = ListViewGetState;
    kind.SetState = ListViewSetState;
    kind.GetText = ListViewGetText;
    kind.SetText = ListViewSetText;
    kind.AddItem = ListViewAddItem;
    kind.RemoveItem = ListViewRemoveItem;
    kind.ClearItems = ListViewClearItems;
    kind.CountItems = ListViewCountItems;
    kind.GetItemState = ListViewGetItemState;
    kind.SetItemState = ListViewSetItemState;
    kind.GetItemText = ListViewGetItemText;
    kind.SetItemText = ListViewSetItemText;
    kind.AddColumn = ListViewAddColumn;
    kind.RemoveColumn = ListViewRemoveColumn;
    kind.GetItemAttribute = ListViewGetItemAttribute;
    kind.SetItemAttribute = ListViewSetItemAttribute;
    kind.SetColor = ListViewSetColor;
    kind.GetColor = ListViewGetColor;
    kind.SetItemColor = ListViewSetItemColor;
    kind.GetItemColor = ListViewGetItemColor;
    kind.SetItemData = ListViewSetItemData;
    kind.GetItemData = ListViewGetItemData;
    kind.Kind = WidgetKindListView;
}

static DWORD ExtendedStyle(int flags) {
    DWORD extended = 0;
    if (flags & ListViewCheckBoxes)
        extended |= LVS_EX_CHECKBOXES;
    if (flags & ListViewGridLines)
        extended |= LVS_EX_GRIDLINES;
    if (flags & ListViewDraggableHeaders)
        extended |= LVS_EX_HEADERDRAGDROP;
    if (flags & ListViewWholeRowSelection)
        extended |= LVS_EX_FULLROWSELECT;
    return extended;
}

intptr_t ListViewWidgetCreate(int number, int x, int y, int width, int height,
                              const char* firstTitle, int firstWidth, int flags) {
    // The flags fall on style bits the list has anyway (or LVS_SINGLESEL, decided here).
    DWORD style = static_cast<DWORD>(flags) | WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT |
                  LVS_SHAREIMAGELISTS;
    if (flags & ListViewMultipleSelection)
        style &= ~static_cast<DWORD>(LVS_SINGLESEL);
    else
        style |= LVS_SINGLESEL;
    HWND control = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, x, y, width, height,
                                   WidgetListParent(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return 0;
    if (!listViewKind.Kind)
        ListViewKindFill(control);
    if (DWORD extended = ExtendedStyle(flags))
        SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    int assigned = 0;
    WidgetRecord* widget = WidgetRecordAcquire(number, &assigned);
    if (!widget) {
        DestroyWindow(control);
        return 0;
    }
    widget->BackColor = -1;
    // No selection seen yet: a first click on the empty area reports no change.
    LastSelectedSet(control, -1);
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListViewProc)));
    if (!listViewProcedure)
        listViewProcedure = previous;
    intptr_t result = WidgetRegister(number, assigned, widget, control, &listViewKind);
    if (result)
        ListViewAddColumn(widget, 0, firstTitle, firstWidth);
    return result;
}

int ListViewRowDataCount() {
    return rowDataCount;
}
