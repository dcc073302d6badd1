// Rows, cells, selection and columns: the list view's slots for its items.
#include "toolkit/ListView.h"

#include <cstring>
#include <memory>
#include <new>

// The check-box state images of a row.
constexpr UINT CheckBoxClear = 1;
constexpr UINT CheckBoxChecked = 2;

static void LongestTextRaise(WidgetRecord* widget, size_t length) {
    size_t& longest = ListViewStateOf(widget).longestText;
    if (length > longest)
        longest = length;
}

static void CellSet(WidgetRecord* widget, int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    ListViewSend(widget, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
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
    ListViewState& state = ListViewStateOf(widget);
    if (state.fillSuspended)
        return;
    if (!PostMessageA(widget->Handle, ListViewFillEndMessage, 0, 0))
        return;
    state.fillSuspended = true;
    ListViewSend(widget, WM_SETREDRAW, FALSE, 0);
}

int ListViewAddItem(WidgetRecord* widget, int position, const char* text, HANDLE image) {
    if (position == -1)
        position = ListViewRowCount(widget);
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
    int row =
        static_cast<int>(ListViewSend(widget, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    // The control's own index: a position past the end appends.
    if (rest && row >= 0)
        CellsSet(widget, row, 1, rest);
    return row;
}

std::string ListViewGetItemText(WidgetRecord* widget, int row, int column) {
    if (row == -1) {
        char title[4096] = "";
        HDITEMA header = {};
        header.mask = HDI_TEXT;
        header.pszText = title;
        header.cchTextMax = sizeof title;
        if (!SendMessageA(ListViewHeader(widget), HDM_GETITEMA, static_cast<WPARAM>(column),
                          reinterpret_cast<LPARAM>(&header)) ||
            !header.pszText)
            return std::string();
        return header.pszText;
    }
    std::string buffer(ListViewStateOf(widget).longestText + 1, '\0');
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = &buffer[0];
    item.cchTextMax = static_cast<int>(buffer.size());
    // The control may answer with a pointer to its own copy instead of filling the buffer.
    if (!ListViewSend(widget, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.pszText)
        return std::string();
    return item.pszText;
}

void ListViewSetItemText(WidgetRecord* widget, int row, const char* text, int column) {
    if (row == -1) {
        LVCOLUMNA title = {};
        title.mask = LVCF_TEXT;
        title.pszText = const_cast<char*>(text);
        ListViewSend(widget, LVM_SETCOLUMNA, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&title));
        return;
    }
    CellSet(widget, row, column, text);
}

int ListViewGetState(WidgetRecord* widget) {
    return static_cast<int>(ListViewSend(widget, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

static void RowStateSet(WidgetRecord* widget, int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    ListViewSend(widget, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

void ListViewSetState(WidgetRecord* widget, int row) {
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    if (row >= 0) {
        RowStateSet(widget, row, selected, selected);
        return;
    }
    // Bounded, so that a row the control refuses to let go cannot keep us here.
    for (int left = ListViewRowCount(widget); left >= 0; --left) {
        int selectedRow = ListViewGetState(widget);
        if (selectedRow < 0)
            break;
        RowStateSet(widget, selectedRow, 0, selected);
    }
}

std::string ListViewGetText(WidgetRecord* widget) {
    int row = ListViewGetState(widget);
    return row < 0 ? std::string() : ListViewGetItemText(widget, row, 0);
}

void ListViewSetText(WidgetRecord* widget, const char* text) {
    int row = ListViewGetState(widget);
    if (row < 0)
        return;
    std::string cells(text);
    CellsSet(widget, row, 0, &cells[0]);
    if (cells.empty())
        CellSet(widget, row, 0, "");
}

void ListViewRemoveItem(WidgetRecord* widget, int row) {
    RowDataFree(widget, row);
    ListViewSend(widget, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListViewClearItems(WidgetRecord* widget) {
    RowDataFreeAll(widget);
    RowImagesReset(widget);
    ListViewSend(widget, LVM_DELETEALLITEMS, 0, 0);
    ListViewStateOf(widget).longestText = 0;
}

int ListViewCountItems(WidgetRecord* widget) {
    return ListViewRowCount(widget);
}

int ListViewGetItemState(WidgetRecord* widget, int row) {
    UINT state = static_cast<UINT>(ListViewSend(widget, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                                LVIS_SELECTED | LVIS_STATEIMAGEMASK));
    int result = (state & LVIS_SELECTED) ? ListViewRowSelected : 0;
    if ((ListViewSend(widget, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) &&
        (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(CheckBoxChecked))
        result |= ListViewRowChecked;
    return result;
}

void ListViewSetItemState(WidgetRecord* widget, int row, int state) {
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    RowStateSet(widget, row, (state & ListViewRowSelected) ? selected : 0, selected);
    const UINT box = (state & ListViewRowChecked) ? CheckBoxChecked : CheckBoxClear;
    RowStateSet(widget, row, INDEXTOSTATEIMAGEMASK(box), LVIS_STATEIMAGEMASK);
}

int ListViewAddColumn(WidgetRecord* widget, int position, const char* title, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title ? title : "");
    column.iSubItem = position;
    int k = static_cast<int>(ListViewSend(widget, LVM_INSERTCOLUMNA, static_cast<WPARAM>(position),
                                          reinterpret_cast<LPARAM>(&column)));
    if (k == -1)
        return -1;
    RowDataColumnInserted(widget, k, ListViewColumnCount(widget));
    return k;
}

int ListViewRemoveColumn(WidgetRecord* widget, int column) {
    int columns = ListViewColumnCount(widget);
    if (!ListViewSend(widget, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0))
        return 0;
    RowDataColumnRemoved(widget, column, columns);
    return 1;
}

int ListViewGetItemAttribute(WidgetRecord* widget, int, int attribute, int column) {
    if (attribute != ListViewColumnWidth)
        return 0;
    return static_cast<int>(
        ListViewSend(widget, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListViewSetItemAttribute(WidgetRecord* widget, int, int attribute, int value, int column) {
    if (attribute == ListViewColumnWidth)
        ListViewSend(widget, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                     MAKELPARAM(static_cast<WORD>(value & 0xFFFF), 0));
}