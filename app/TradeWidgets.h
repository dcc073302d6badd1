// The trade logic and the file commands over the calculator's real widgets.
#pragma once

#include "formats/TradeSheet.h"

// The entry and total fields and the yield options of the main window.
class WidgetFields : public TradeFields {
  public:
    std::string FieldGetText(Field field) override;
    void FieldSetText(Field field, const std::string& text) override;
    bool YieldInAmounts() override;
    void YieldModeSet(bool inAmounts) override;
};

// The rows of a list-view widget.
class ListViewTable : public TradeTable {
  public:
    explicit ListViewTable(int widget) : widget_(widget) {}
    int RowCount() override;
    void RowAdd(int position, const std::string& rowText) override;
    std::string CellGetText(int row, int column) override;
    int SelectedRow() override;
    void RowRemove(int row) override;
    void RowsRemoveAll() override;

  private:
    int widget_;
};
