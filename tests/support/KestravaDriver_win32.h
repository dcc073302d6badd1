// Starts the real Kestrava.exe in a folder of its own and works it from outside, as a user
// would: clicks and keys through SendInput, window messages to its controls, texts of its
// status bar and list read through a buffer in its own memory.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Polls `condition` until it holds or `milliseconds` pass; true when it held.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000);

// A fresh copy of the program with data\ and the two save folders beside it, removed again
// at the end. `change` may alter the copy (remove or replace a data file) before the start.
class Kestrava {
  public:
    explicit Kestrava(const std::function<void(const std::filesystem::path&)>& change = {});
    ~Kestrava();
    Kestrava(const Kestrava&) = delete;
    Kestrava& operator=(const Kestrava&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    // The bytes of a file in the folder, "" when it is missing.
    std::string FileRead(const std::string& relative) const;
    // The main window and its widget `number`, waited for.
    HWND Main();
    HWND Control(int number);
    // Built, in front, and waiting for events.
    bool Ready();

    std::string Text(int number);
    std::string Text(HWND control) const;
    std::vector<std::string> Texts(std::initializer_list<int> numbers);
    void TextSet(int number, const std::string& text);
    bool Checked(int number);
    std::string Status(); // "\t" first when centred
    HWND Focus();         // the control with the keyboard focus in the program

    void Click(int number);
    void Click(HWND control);
    bool ClickInto(HWND control); // clicks until the control has the focus
    void RightClick(HWND control, POINT client);
    void DoubleClick(HWND control, POINT client);
    void Keys(const std::vector<WORD>& keys, bool shift = false, bool control = false);
    // Clicks into the field, selects what it holds and types `text` over it.
    bool Type(int number, const std::string& text);
    // Types the texts into BuyUnits, BuyCost, SellUnits, Yield; then COMPUTE.
    void Compute(const char* units, const char* cost, const char* sellUnits, const char* yield);
    void Menu(int item); // as a menu choice arrives
    void CloseBox();     // as the close box or Alt+F4 ask

    int Rows();
    std::string Cell(int row, int column);
    std::vector<std::string> Row(int row);
    POINT RowPoint(int row); // client point of the list inside the row
    std::string ColumnTitle(int column);
    int ColumnWidth(int column);

    // A visible top-level window of the program with this title (and class, if given).
    HWND Window(const char* title, const char* className = nullptr);
    HWND WindowWait(const char* title, const char* className = nullptr);
    // The save or open dialog with this title: types `name`, presses OK; true when it closed.
    bool DialogAnswer(const char* title, const std::string& name);
    // The text of the "ERROR" box; presses its OK. "" when none showed.
    std::string ErrorConfirm();

    bool Alive() const;
    bool Responsive(int milliseconds = 5000); // alive and answers a message within the time
    bool Ended(DWORD* exitCode);

  private:
    std::filesystem::path folder_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
};
