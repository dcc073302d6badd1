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
    bool RowCellsPeek(int row, const char** cells, int count) override;
    void ColumnVisit(int column, const std::function<void(const char*)>& visit) override;
    int SelectedRow() override;
    void RowRemove(int row) override;
    void RowsRemoveAll() override;
    void SelectedRowSet(int row) override;
    std::unique_ptr<RowBlock> RowsTake(int first, int count) override;
    void RowsPut(int position, std::unique_ptr<RowBlock> rows) override;
    void RowsReorder(const std::vector<int>& order) override;
    void SortArrowSet(int column, int direction) override;

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
    // The name the user chose last ("" when cancelled), and whether a message followed it.
    const std::string& Chosen() const { return chosen_; }
    bool Failed() const { return failed_; }

  protected:
    std::string Busy(std::string chosen);

  private:
    void Idle();
    HCURSOR previous_ = nullptr;
    bool busy_ = false;
    std::string chosen_;
    bool failed_ = false;
};

// Answers the file dialogs with a file chosen before: given on the command line, dropped on the
// window, a recent list or the last session. A quiet one shows no message.
class GivenFilePrompt : public BusyDialogPrompt {
  public:
    explicit GivenFilePrompt(std::string path, bool quiet = false)
        : path_(std::move(path)), quiet_(quiet) {}
    std::string OpenNameAsk(const char*, const std::string&, const char*) override {
        return Busy(path_);
    }
    std::string SaveNameAsk(const char*, const std::string&, const char*, int* type) override {
        if (type)
            *type = 0;
        return Busy(path_);
    }
    void MessageShow(const char* title, const char* text) override {
        if (!quiet_)
            BusyDialogPrompt::MessageShow(title, text);
    }

  private:
    std::string path_;
    bool quiet_;
};
