// Starts the real Kestrava.exe in a folder of its own and works it from outside, as a user
// would: clicks and keys through SendInput, window messages to its controls, the cells of its
// list read through a buffer in its own memory.
#pragma once

#include "app/Layout.h"
#include "app/StatsWindow.h"
#include "support/WinTestUtil_win32.h"

#include <windows.h>

// The common controls' header has a function of the help menu item's name.
#define MenuHelp CommonControlsMenuHelp
#include <commctrl.h>
#undef MenuHelp

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam); // gives up after 10 s
HWND FocusOf(HWND window); // the control with the keyboard focus in the window's thread
void TypeKeys(const std::string& text); // over what the focused field holds
std::string ClipboardTake(); // CF_TEXT as bytes ("" when there is none); empties the clipboard
int WindowsOfProcess(DWORD process); // top-level windows and all their descendants

// A fresh copy of the program with data\ and the two save folders beside it, removed again
// at the end. `change` may alter the copy before the start. `gdiTraced` starts it as
// KestravaTraced.exe with Wine's GDI trace written to gdi.txt in the folder. `arguments`
// follow the program's name on its command line.
class Kestrava {
  public:
    explicit Kestrava(const std::function<void(const std::filesystem::path&)>& change = {},
                      bool gdiTraced = false, const std::string& arguments = "");
    ~Kestrava();
    Kestrava(const Kestrava&) = delete;
    Kestrava& operator=(const Kestrava&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    DWORD Id() const { return process_.dwProcessId; }
    std::string FileRead(const std::string& relative) const; // "" when missing
    HWND Main();
    HWND Control(int number) { return GetDlgItem(Main(), number); }
    HWND Focus() { return FocusOf(Main()); }
    bool Ready(); // built, in front, and waiting for events
    // The status bar's text; a centred one starts with a tab.
    std::string Status() { return Text(FindWindowExA(Main(), nullptr, STATUSCLASSNAMEA, nullptr)); }

    std::string Text(int number) { return Text(Control(number)); }
    std::string Text(HWND control) const;
    Texts Fields(std::initializer_list<int> numbers);
    Texts Results() {
        return Fields(
            {UnitPriceField, SellPriceField, UnitYieldField, YieldAmountField, YieldPercentField});
    }
    // Buy units, buy price, unit price, unit yield, sell units, sell price, yield $, yield %.
    Texts Totals() {
        return Fields({TotalBuyUnitsField, TotalBuyPriceField, TotalUnitPriceField,
                       TotalUnitYieldField, TotalSellUnitsField, TotalSellPriceField,
                       TotalYieldAmountField, TotalYieldPercentField});
    }
    void TextSet(int number, const std::string& text) {
        Send(Control(number), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    bool Checked(int number) { return Send(Control(number), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    void Click(int number) { ClickAt(Control(number)); }
    bool ClickInto(HWND control); // clicks until the control has the focus
    void Keys(std::initializer_list<WORD> keys, bool shift = false, bool control = false) {
        for (WORD key : keys)
            InputKey(key, shift, control);
    }
    // Presses `key` until `done` holds, each time until the focus or the list's selection
    // moved; the widget focused after each press goes into `focused` when given.
    bool KeysUntil(WORD key, const std::function<bool()>& done, std::vector<int>* focused = {});
    bool TabTo(int number) {
        return KeysUntil(VK_TAB, [this, number] { return Focus() == Control(number); });
    }
    // Puts the texts into BuyUnits, BuyCost, SellUnits, Yield; then COMPUTE.
    void Compute(const char* units, const char* cost, const char* sellUnits, const char* yield);
    // Fills the entry (amount mode), computes and moves it into the list.
    void RowAdd(const char* ware, const char* units, const char* cost, const char* sellUnits,
                const char* yield);
    void Menu(int item) { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(item, 0), 0); }
    DWORD ExitCode(); // once it ended; 999 when it did not

    int Rows() { return int(Send(Control(TradeList), LVM_GETITEMCOUNT, 0, 0)); }
    int Selected() {
        return int(Send(Control(TradeList), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    }
    std::string Cell(int row, int column) { return Cell(Control(TradeList), row, column); }
    std::string Cell(HWND list, int row, int column); // of any list view of the program
    Texts Row(int row);
    POINT RowPoint(int row); // client point of the list inside the row
    HWND Header() { return reinterpret_cast<HWND>(Send(Control(TradeList), LVM_GETHEADER, 0, 0)); }
    POINT HeaderPoint(int column); // client point of the header inside the column's title
    int SortArrow(int column);     // +1 up, -1 down, 0 none

    // A visible top-level window of the program; a dialog box only when `className` says so.
    HWND Window(const char* title, const char* className = nullptr) {
        return WindowOfProcess(Id(), title, className);
    }
    HWND WindowWait(const char* title, const char* className = nullptr);
    // Chooses menu `item` (0: already chosen), answers its file dialog; true once it closed.
    bool FileDialog(int item, const char* title, const std::string& name);
    std::string ErrorConfirm(); // the "ERROR" box's text, its OK pressed; "" when none showed
    HWND HelpOpen();
    bool HelpOk(HWND help); // brought to front, OK clicked, gone
    // The statistics window once built and in front, the calculator disabled behind it.
    HWND StatsOpen();
    // Closes it by OK, Escape, Enter or the close box (`way` % 4); true once it is gone and
    // the calculator is enabled and in front again.
    bool StatsClose(HWND stats, int way);

    bool Responsive(int milliseconds = 5000); // alive and answers a message within the time
    // Live GDI objects in the trace of a gdiTraced start, once it has been still for a
    // moment; -1 before any.
    int GdiObjects() const;
    size_t Committed() const; // PagefileUsage in bytes; under Wine, the anonymous memory in use

  private:
    std::filesystem::path folder_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
};
