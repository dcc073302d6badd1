// The trade table over a real list-view widget, so the trade list and the list files run
// over the control exactly as over the in-memory table.
#pragma once

#include "formats/TradeSheet.h"
#include "toolkit/Widget.h"

class ListViewTable : public TradeTable {
  public:
    explicit ListViewTable(int widget) : widget_(widget) {}

    int RowCount() override { return WidgetCountItems(widget_); }
    void RowAdd(int position, const std::string& rowText) override {
        WidgetAddItem(widget_, position, rowText.c_str());
    }
    std::string CellGetText(int row, int column) override {
        return WidgetGetItemText(widget_, row, column);
    }
    int SelectedRow() override { return WidgetGetState(widget_); }
    void RowRemove(int row) override { WidgetRemoveItem(widget_, row); }
    void RowsRemoveAll() override { WidgetRemoveAllItems(widget_); }

  private:
    int widget_;
};
