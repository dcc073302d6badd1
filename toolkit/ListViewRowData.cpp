// Row data blocks: one value per row and a front and back colour per cell, kept in a block
// made when a row first needs one.
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
    ListRow* entry = ListViewRow(widget, row);
    return entry ? entry->data : nullptr;
}

RowData* RowDataNeed(WidgetRecord* widget, int row) {
    ListRow* entry = ListViewRow(widget, row);
    if (!entry || entry->data)
        return entry ? entry->data : nullptr;
    const size_t size = RowDataSize(ListViewColumnCount(widget));
    entry->data = static_cast<RowData*>(MemoryAllocate(Heap::Main, size));
    if (entry->data)
        ++rowDataCount;
    return entry->data;
}

void RowDataRelease(ListRow& row) {
    if (row.data) {
        MemoryFree(Heap::Main, row.data);
        row.data = nullptr;
        --rowDataCount;
    }
}

void RowDataFree(WidgetRecord* widget, int row) {
    if (ListRow* entry = ListViewRow(widget, row))
        RowDataRelease(*entry);
}

void RowDataFreeAll(WidgetRecord* widget) {
    for (ListRow& row : ListViewStateOf(widget).rows)
        RowDataRelease(row);
}

// A block that cannot follow a column change is dropped with its colours, so that no block
// is ever smaller than its columns need.
static RowData* RowDataResize(ListRow& row, int columns) {
    void* resized = MemoryResize(Heap::Main, row.data, RowDataSize(columns));
    if (!resized)
        RowDataRelease(row);
    else
        row.data = static_cast<RowData*>(resized);
    return row.data;
}

// Column k was inserted; the list has `columns` columns now.
void RowDataColumnInserted(WidgetRecord* widget, int k, int columns) {
    for (ListRow& row : ListViewStateOf(widget).rows) {
        RowData* data = row.data ? RowDataResize(row, columns) : nullptr;
        if (!data)
            continue;
        if (k < columns - 1)
            std::memmove(RowDataColorPair(data, k + 1), RowDataColorPair(data, k),
                         2 * sizeof(int) * static_cast<size_t>(columns - 1 - k));
        RowDataColorPair(data, k)[0] = 0;
        RowDataColorPair(data, k)[1] = 0;
    }
}

// Column c was removed; the list had `columns` columns before.
void RowDataColumnRemoved(WidgetRecord* widget, int c, int columns) {
    for (ListRow& row : ListViewStateOf(widget).rows) {
        if (!row.data)
            continue;
        if (c < columns - 1)
            std::memmove(RowDataColorPair(row.data, c), RowDataColorPair(row.data, c + 1),
                         2 * sizeof(int) * static_cast<size_t>(columns - 1 - c));
        RowDataResize(row, columns - 1);
    }
}

void ListViewSetItemData(WidgetRecord* widget, int row, int value) {
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
