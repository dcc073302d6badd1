// Row data blocks: one value per row and a front and back colour per cell, kept in a block
// the row's item parameter points to, made when a row first needs one.
#include "toolkit/ListView.h"

#include "runtime/Memory.h"

#include <cstring>

namespace {

int rowDataCount = 0; // blocks alive in all list views

} // namespace

int* RowDataColorPair(RowData* data, int column) {
    return data + 1 + 2 * column;
}

static size_t RowDataSize(int columns) {
    return sizeof(int) + 2 * sizeof(int) * static_cast<size_t>(columns > 0 ? columns : 0);
}

RowData* RowDataGet(WidgetRecord* widget, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListViewSend(widget, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<RowData*>(item.lParam);
}

static void RowDataStore(WidgetRecord* widget, int row, RowData* data) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = reinterpret_cast<LPARAM>(data);
    ListViewSend(widget, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

RowData* RowDataNeed(WidgetRecord* widget, int row) {
    RowData* data = RowDataGet(widget, row);
    if (data)
        return data;
    data =
        static_cast<RowData*>(MemoryAllocate(Heap::Main, RowDataSize(ListViewColumnCount(widget))));
    if (!data)
        return nullptr;
    ++rowDataCount;
    RowDataStore(widget, row, data);
    return data;
}

void RowDataFree(WidgetRecord* widget, int row) {
    if (RowData* data = RowDataGet(widget, row)) {
        RowDataStore(widget, row, nullptr);
        MemoryFree(Heap::Main, data);
        --rowDataCount;
    }
}

void RowDataFreeAll(WidgetRecord* widget) {
    for (int row = ListViewRowCount(widget) - 1; row >= 0; --row) {
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
void RowDataColumnInserted(WidgetRecord* widget, int k, int columns) {
    for (int row = ListViewRowCount(widget) - 1; row >= 0; --row) {
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
            std::memmove(RowDataColorPair(data, k + 1), RowDataColorPair(data, k),
                         2 * sizeof(int) * static_cast<size_t>(columns - 1 - k));
        RowDataColorPair(data, k)[0] = 0;
        RowDataColorPair(data, k)[1] = 0;
    }
}

// Column c was removed; the list had `columns` columns before.
void RowDataColumnRemoved(WidgetRecord* widget, int c, int columns) {
    for (int row = ListViewRowCount(widget) - 1; row >= 0; --row) {
        RowData* data = RowDataGet(widget, row);
        if (!data)
            continue;
        if (c < columns - 1)
            std::memmove(RowDataColorPair(data, c), RowDataColorPair(data, c + 1),
                         2 * sizeof(int) * static_cast<size_t>(columns - 1 - c));
        RowDataResize(widget, row, data, columns - 1);
    }
}

void ListViewSetItemData(WidgetRecord* widget, int row, int value) {
    if (row < 0 || row >= ListViewRowCount(widget))
        return;
    if (RowData* data = RowDataNeed(widget, row))
        data[0] = value;
}

int ListViewGetItemData(WidgetRecord* widget, int row) {
    RowData* data = RowDataGet(widget, row);
    return data ? data[0] : 0;
}

int ListViewRowDataCount() {
    return rowDataCount;
}
