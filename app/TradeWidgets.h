// The trade logic and the file commands over the calculator's real widgets.
#pragma once

#include "app/DialogPrompt.h"
#include "trade/TradeSheet.h"

#include <windows.h>

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

// The system's dialogs for one file command; once a name is chosen, the wait cursor shows
// until the command is done (this object goes) or an error is shown.
class BusyDialogPrompt : public DialogPrompt {
  public:
    BusyDialogPrompt() = default;
    ~BusyDialogPrompt() override;
    BusyDialogPrompt(const BusyDialogPrompt&) = delete;
    BusyDialogPrompt& operator=(const BusyDialogPrompt&) = delete;
    std::string SaveNameAsk(const char* title, const std::string& defaultPath, const char* pattern,
                            int* chosenType) override;
    std::string OpenNameAsk(const char* title, const std::string& defaultPath,
                            const char* pattern) override;
    void MessageShow(const char* title, const char* text) override;

  private:
    std::string Busy(std::string chosen);
    void Idle();
    HCURSOR previous_ = nullptr;
    bool busy_ = false;
};
