#include "app/TradeWidgets.h"

#include "app/Layout.h"
#include "toolkit/Widget.h"
#include "toolkit/Widgets.h"

namespace {

// In the order of Field.
const int FieldWidgets[] = {
    WareField,           BuyUnitsField,       BuyCostField,          SellUnitsField,
    YieldField,          UnitPriceField,      SellPriceField,        UnitYieldField,
    YieldAmountField,    YieldPercentField,   TotalBuyUnitsField,    TotalBuyPriceField,
    TotalUnitPriceField, TotalUnitYieldField, TotalYieldAmountField, TotalYieldPercentField,
    TotalSellUnitsField, TotalSellPriceField,
};
static_assert(sizeof(FieldWidgets) / sizeof(int) == int(Field::TotalSellPrice) + 1,
              "one widget per field");

int FieldWidget(Field field) {
    return FieldWidgets[int(field)];
}

// Rows kept aside by the list view, as the trade logic holds them.
struct ListViewBlock : RowBlock {
    explicit ListViewBlock(ListViewRowsTaken taken) : rows(std::move(taken)) {}
    ListViewRowsTaken rows;
};

} // namespace

std::string WidgetFields::FieldGetText(Field field) {
    return WidgetGetText(FieldWidget(field));
}

void WidgetFields::FieldSetText(Field field, const std::string& text) {
    WidgetSetText(FieldWidget(field), text.c_str());
}

bool WidgetFields::YieldInAmounts() {
    return WidgetGetState(YieldNumbersOption) == 1;
}

void WidgetFields::YieldModeSet(bool inAmounts) {
    WidgetSetState(inAmounts ? YieldNumbersOption : YieldPercentOption, 1);
}

int ListViewTable::RowCount() {
    return WidgetCountItems(widget_);
}

void ListViewTable::RowAdd(int position, const std::string& rowText) {
    WidgetAddItem(widget_, position, rowText.c_str());
}

std::string ListViewTable::CellGetText(int row, int column) {
    return WidgetGetItemText(widget_, row, column);
}

bool ListViewTable::RowCellsPeek(int row, const char** cells, int count) {
    return ListViewRowCells(widget_, row, cells, count);
}

void ListViewTable::ColumnVisit(int column, const std::function<void(const char*)>& visit) {
    ListViewColumnVisit(widget_, column, visit);
}

int ListViewTable::SelectedRow() {
    return WidgetGetState(widget_);
}

void ListViewTable::RowRemove(int row) {
    WidgetRemoveItem(widget_, row);
}

void ListViewTable::RowsRemoveAll() {
    WidgetRemoveAllItems(widget_);
}

void ListViewTable::SelectedRowSet(int row) {
    WidgetSetState(widget_, -1);
    if (row < 0)
        return;
    WidgetSetState(widget_, row);
    ListViewRowShow(widget_, row);
}

std::unique_ptr<RowBlock> ListViewTable::RowsTake(int first, int count) {
    ListViewRowsTaken taken = ListViewRowsTake(widget_, first, count);
    return taken ? std::make_unique<ListViewBlock>(std::move(taken)) : nullptr;
}

void ListViewTable::RowsPut(int position, std::unique_ptr<RowBlock> rows) {
    if (auto* block = dynamic_cast<ListViewBlock*>(rows.get()))
        ListViewRowsPut(widget_, position, std::move(block->rows));
}

void ListViewTable::RowsReorder(const std::vector<int>& order) {
    ListViewRowsReorder(widget_, order);
}

void ListViewTable::SortArrowSet(int column, int direction) {
    ListViewSortArrowSet(widget_, column, direction);
}

BusyDialogPrompt::~BusyDialogPrompt() {
    Idle();
}

std::string BusyDialogPrompt::SaveNameAsk(const char* title, const std::string& defaultPath,
                                          const char* pattern, int* chosenType) {
    return Busy(DialogPrompt::SaveNameAsk(title, defaultPath, pattern, chosenType));
}

std::string BusyDialogPrompt::OpenNameAsk(const char* title, const std::string& defaultPath,
                                          const char* pattern) {
    return Busy(DialogPrompt::OpenNameAsk(title, defaultPath, pattern));
}

void BusyDialogPrompt::MessageShow(const char* title, const char* text) {
    failed_ = true;
    Idle();
    DialogPrompt::MessageShow(title, text);
}

std::string BusyDialogPrompt::Busy(std::string chosen) {
    chosen_ = chosen;
    if (!chosen.empty() && !busy_) {
        previous_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        busy_ = true;
    }
    return chosen;
}

void BusyDialogPrompt::Idle() {
    if (busy_)
        SetCursor(previous_);
    busy_ = false;
}
