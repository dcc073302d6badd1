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

int ListViewTable::SelectedRow() {
    return WidgetGetState(widget_);
}

void ListViewTable::RowRemove(int row) {
    WidgetRemoveItem(widget_, row);
}

void ListViewTable::RowsRemoveAll() {
    WidgetRemoveAllItems(widget_);
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
