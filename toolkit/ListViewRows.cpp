// Rows, cells, selection and columns: the list view's slots for its items, over the rows the
// widget keeps.
#include "toolkit/ListView.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

// The check-box state images of a row.
constexpr UINT CheckBoxClear = 1;
constexpr UINT CheckBoxChecked = 2;

using Parts = std::vector<std::string_view>;

// The line-feed separated parts of a row text. An empty part between two line feeds is an
// empty cell; a trailing line feed adds none, so neither does the empty text.
static Parts PartsOf(const char* text) {
    Parts parts;
    if (!text)
        return parts;
    parts.reserve(size_t(std::count(text, text + std::strlen(text), '\n')) + 1);
    for (std::string_view rest(text); !rest.empty();) {
        const size_t end = rest.find('\n');
        parts.push_back(rest.substr(0, end));
        rest = end == rest.npos ? std::string_view() : rest.substr(end + 1);
    }
    return parts;
}

const char* ListViewCellText(const ListRow& row, int column) {
    if (column < 0 || column >= row.cellCount)
        return "";
    const char* text = row.cells.get();
    if (column == 0)
        return text;
    // Eight bytes at a time: the cells fill whole words (see RowBuild), and the word that holds
    // the end of the cell before this one lies within them.
    constexpr uint64_t Low = 0x7F7F7F7F7F7F7F7Full, High = ~Low, Ones = 0x0101010101010101ull;
    for (uint64_t word;; text += 8) {
        std::memcpy(&word, text, sizeof word);
        const uint64_t ends = ~(((word & Low) + Low) | word | Low) >> 7; // 1 in each zero byte
        const uint64_t counts = ends * Ones; // byte k: the zero bytes in bytes 0 to k
        if (int(counts >> 56) < column) {
            column -= int(counts >> 56);
            continue;
        }
        // The end sought is the first byte whose count reaches the column; the bytes before it
        // are counted the same way.
        const uint64_t before = (~((counts | High) - uint64_t(column) * Ones) & High) >> 7;
        return text + ((before * Ones) >> 56) + 1;
    }
}

const char* ListViewCellRead(WidgetRecord* widget, int row, int column, std::string& spare) {
    const ListRow* entry = ListViewRow(widget, row);
    const auto& source = ListViewStateOf(widget).textSource;
    if (!entry || entry->cellCount || !source)
        return entry ? ListViewCellText(*entry, column) : "";
    spare = source(row, column);
    return spare.c_str();
}

// Gives the row `count` cells, cell c reading cellOf(c); the row stays as it was when there
// is no memory for it.
template <typename CellOf> static bool RowBuild(ListRow& row, int count, CellOf cellOf) {
    count = std::clamp(count, 0, 0xFFFF);
    size_t size = 0;
    for (int c = 0; c < count; ++c)
        size += cellOf(c).size() + 1;
    const size_t words = (size + 7) / 8; // ListViewCellText reads them whole
    std::unique_ptr<char[]> cells(size ? new (std::nothrow) char[words * 8] : nullptr);
    if (size && !cells)
        return false;
    if (size)
        std::memset(cells.get() + (words - 1) * 8, 0, 8);
    char* out = cells.get();
    for (int c = 0; c < count; ++c) {
        const std::string_view cell = cellOf(c);
        std::memcpy(out, cell.data(), cell.size());
        out += cell.size();
        *out++ = '\0';
    }
    row.cells = std::move(cells);
    row.cellCount = static_cast<unsigned short>(count);
    return true;
}

// Puts `parts` into the cells from `column` on, as far as the list has columns; the other
// cells stay.
static void CellsSet(WidgetRecord* widget, int row, int column, const Parts& parts) {
    ListRow* entry = ListViewRow(widget, row);
    const int columns = ListViewColumnCount(widget);
    if (!entry || column < 0 || column >= columns || parts.empty())
        return;
    const int last = std::min(columns, column + static_cast<int>(parts.size()));
    const ListRow& old = *entry;
    RowBuild(*entry, std::max<int>(old.cellCount, last), [&](int c) {
        return c >= column && c < last ? parts[size_t(c - column)]
                                       : std::string_view(ListViewCellText(old, c));
    });
    ListViewSend(widget, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

static bool RowSelected(WidgetRecord* widget, int row) {
    return ListViewSend(widget, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
}

static void RowStateSet(WidgetRecord* widget, int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    ListViewSend(widget, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

// The control keeps the selection by row number: rows that moved down take theirs along,
// without the events of a selection by the user.
static void SelectionShift(WidgetRecord* widget, const std::vector<int>& moved) {
    ListViewState& state = ListViewStateOf(widget);
    state.quiet = true;
    for (int row : moved)
        RowStateSet(widget, row, 0, LVIS_SELECTED);
    for (int row : moved)
        RowStateSet(widget, row + 1, LVIS_SELECTED, LVIS_SELECTED);
    state.quiet = false;
}

int ListViewAddItem(WidgetRecord* widget, int position, const char* text, HANDLE image) {
    ListViewState& state = ListViewStateOf(widget);
    ListViewRowsSettle(state);
    const int count = ListViewRowCount(widget);
    // A position past the end appends.
    if (position < 0 || position > count)
        position = count;
    // Only a row put in before others can move a selection.
    std::vector<int> moved;
    for (int row = position < count ? ListViewGetState(widget) : -1; row >= 0 && row < count; ++row)
        if (row >= position && RowSelected(widget, row))
            moved.push_back(row);
    ListRow entry;
    if (image)
        entry.image = std::max(RowImageIndex(widget, image), 0);
    const Parts parts = PartsOf(text);
    const int cells = std::min(static_cast<int>(parts.size()), ListViewColumnCount(widget));
    if (!RowBuild(entry, cells, [&](int c) { return parts[size_t(c)]; }))
        return -1;
    try {
        state.rows.insert(state.rows.begin() + position, std::move(entry));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    // Telling the control once the event loop runs again spares it a recount per row.
    if (!state.countPending) {
        state.countPending = true;
        if (!PostMessageA(widget->Handle, ListViewCountMessage, 0, 0))
            ListViewCountSync(widget);
    }
    if (!moved.empty())
        SelectionShift(widget, moved);
    return position;
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
    std::string spare;
    return ListViewCellRead(widget, row, column, spare);
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
    CellsSet(widget, row, column, Parts{text ? text : ""});
}

int ListViewGetState(WidgetRecord* widget) {
    // Looking for a selection walks every row: not when there is none.
    if (!ListViewSend(widget, LVM_GETSELECTEDCOUNT, 0, 0))
        return -1;
    return static_cast<int>(ListViewSend(widget, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
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
    const Parts parts = PartsOf(text);
    CellsSet(widget, row, 0, parts.empty() ? Parts{""} : parts);
}

void ListViewRemoveItem(WidgetRecord* widget, int row) {
    ListViewRowsSettle(ListViewStateOf(widget));
    std::vector<ListRow>& rows = ListViewStateOf(widget).rows;
    if (row < 0 || size_t(row) >= rows.size())
        return;
    ListViewCountSync(widget); // the control must know the row it is to let go
    RowDataFree(widget, row);
    rows.erase(rows.begin() + row);
    // The control moves the selection of the rows after it up and draws them anew.
    ListViewSend(widget, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListViewClearItems(WidgetRecord* widget) {
    RowDataFreeAll(widget);
    RowImagesReset(widget);
    ListViewStateOf(widget).rows.clear();
    ListViewStateOf(widget).shown.clear();
    ListViewStateOf(widget).textSource = nullptr;
    ListViewStateOf(widget).countPending = false;
    ListViewSend(widget, LVM_DELETEALLITEMS, 0, 0);
}

void ListViewTextSourceSet(int number, int rows,
                           std::function<std::string(int row, int column)> text) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || !widget->Class || widget->Class->Kind != WidgetKindListView || !widget->State)
        return;
    ListViewClearItems(widget);
    ListViewState& state = ListViewStateOf(widget);
    try {
        state.rows.resize(size_t(std::max(rows, 0))); // empty rows: a few bytes each
    } catch (const std::bad_alloc&) {
        return; // the list stays empty
    }
    state.textSource = std::move(text);
    state.countPending = true;
    ListViewCountSync(widget);
}

int ListViewCountItems(WidgetRecord* widget) {
    return ListViewRowCount(widget);
}

int ListViewGetItemState(WidgetRecord* widget, int row) {
    const ListRow* entry = ListViewRow(widget, row);
    if (!entry)
        return 0;
    int result = RowSelected(widget, row) ? ListViewRowSelected : 0;
    if (entry->checked &&
        (ListViewSend(widget, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES))
        result |= ListViewRowChecked;
    return result;
}

void ListViewSetItemState(WidgetRecord* widget, int row, int state) {
    ListRow* entry = ListViewRow(widget, row);
    if (!entry)
        return;
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    RowStateSet(widget, row, (state & ListViewRowSelected) ? selected : 0, selected);
    entry->checked = (state & ListViewRowChecked) != 0;
    ListViewSend(widget, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

// A check box the user ticked, as the control reports it.
void ListViewCheckChanged(WidgetRecord* widget, int row, UINT state) {
    if (ListRow* entry = ListViewRow(widget, row))
        entry->checked = (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(CheckBoxChecked);
}

UINT ListViewCheckImage(const ListRow& row) {
    return INDEXTOSTATEIMAGEMASK(row.checked ? CheckBoxChecked : CheckBoxClear);
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
    // The cells move with their columns.
    for (ListRow& row : ListViewStateOf(widget).rows)
        if (k < row.cellCount)
            RowBuild(row, row.cellCount + 1, [&](int c) {
                return std::string_view(c == k ? "" : ListViewCellText(row, c < k ? c : c - 1));
            });
    RowDataColumnInserted(widget, k, ListViewColumnCount(widget));
    return k;
}

int ListViewRemoveColumn(WidgetRecord* widget, int column) {
    int columns = ListViewColumnCount(widget);
    if (!ListViewSend(widget, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0))
        return 0;
    for (ListRow& row : ListViewStateOf(widget).rows)
        if (column < row.cellCount)
            RowBuild(row, row.cellCount - 1, [&](int c) {
                return std::string_view(ListViewCellText(row, c < column ? c : c + 1));
            });
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

bool ListViewRowCells(int number, int row, const char** cells, int count) {
    WidgetRecord* widget = WidgetLookup(number);
    const ListRow* entry =
        widget && widget->Class && widget->Class->Kind == WidgetKindListView && widget->State
            ? ListViewRow(widget, row)
            : nullptr;
    if (!entry)
        return false;
    const char* text = entry->cells.get();
    for (int c = 0; c < count; ++c)
        if (c < entry->cellCount) {
            cells[c] = text;
            text += std::strlen(text) + 1;
        } else {
            cells[c] = "";
        }
    return true;
}
