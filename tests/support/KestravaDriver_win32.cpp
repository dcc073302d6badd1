#include "support/KestravaDriver_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A block in the program's memory, for the control messages that take a pointer.
struct RemoteBlock {
    static constexpr size_t Size = 1 << 16;
    HANDLE process;
    char* at =
        static_cast<char*>(VirtualAllocEx(process, nullptr, Size, MEM_COMMIT, PAGE_READWRITE));
    ~RemoteBlock() { VirtualFreeEx(process, at, 0, MEM_RELEASE); }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(at); }
    template <typename T> void Put(const T& value) {
        WriteProcessMemory(process, at, &value, sizeof value, nullptr);
    }
    std::string Text(size_t offset) const {
        std::string text(Size - offset, '\0');
        ReadProcessMemory(process, at + offset, text.data(), text.size(), nullptr);
        return text.c_str();
    }
};

} // namespace

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0; // gives up after 10 s
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void TypeKeys(const std::string& text) {
    InputKey(VK_HOME);
    InputKey(VK_END, true);
    for (char c : text) {
        const SHORT key = VkKeyScanA(c);
        InputKey(LOBYTE(key), (HIBYTE(key) & 1) != 0);
    }
}

std::string ClipboardTake() {
    std::string text; // the program may hold the clipboard for a moment
    if (!WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 5000))
        return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* bytes = static_cast<const char*>(GlobalLock(data)))
        text = bytes, GlobalUnlock(data);
    EmptyClipboard();
    CloseClipboard();
    return text;
}

int WindowsOfProcess(DWORD process) {
    int windows = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, nullptr));)
        if (ProcessOf(window) == process)
            EnumChildWindows(
                window, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
                reinterpret_cast<LPARAM>(&++windows));
    return windows;
}

Kestrava::Kestrava(const std::function<void(const fs::path&)>& change, bool gdiTraced,
                   const std::string& arguments) {
    static int serial = 0;
    folder_ = fs::temp_directory_path() / ("kestrava-" + std::to_string(GetCurrentProcessId()) +
                                           "-" + std::to_string(++serial));
    const fs::path built = KV_APP_DIR;
    const std::string exe = gdiTraced ? "KestravaTraced.exe" : "Kestrava.exe";
    fs::remove_all(folder_);
    for (const char* saves : {"Saved-Entrys", "Saved-Lists"})
        fs::create_directories(folder_ / saves);
    fs::copy_file(built / "Kestrava.exe", folder_ / exe);
    fs::copy(built / "data", folder_ / "data", fs::copy_options::recursive);
    if (change)
        change(folder_);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + (folder_ / exe).string() + "\" " + arguments;
    if (gdiTraced) {
        // Without a window manager Wine waits two seconds for one at every hiding of a
        // captioned window; this copy's windows are Wine's own, so 200 rounds take seconds.
        RegSetKeyValueA(HKEY_CURRENT_USER,
                        "Software\\Wine\\AppDefaults\\KestravaTraced.exe\\X11 Driver", "Managed",
                        REG_SZ, "N", 2);
        // Wine writes the trace to the Unix standard error it inherits, never to hStdError.
        command = "sh -c \"w=/usr/lib/wine/wine64; command -v wine >/dev/null && w=wine; "
                  "WINEDEBUG=+gdi exec $w KestravaTraced.exe 2>gdi.txt\"";
    }
    if (!CreateProcessA(gdiTraced ? "Z:\\bin\\sh" : nullptr, command.data(), nullptr, nullptr,
                        FALSE, 0, nullptr, folder_.string().c_str(), &startup, &process_)) {
        ADD_FAILURE() << exe << " did not start from " << folder_.string();
        return;
    }
    if (gdiTraced) { // the process to follow is the program the shell started, not the shell
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        process_ = {};
        // Until it shows: the window is built hidden, and the waits after this one are short.
        WaitUntil(
            [this] {
                main_ = FindWindowA(nullptr, "Kestrava");
                return main_ && IsWindowVisible(main_);
            },
            60000);
        process_.dwProcessId = ProcessOf(main_);
        process_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_.dwProcessId);
    }
}

Kestrava::~Kestrava() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hProcess); // null when it did not start; nothing happens then
    CloseHandle(process_.hThread);
    std::error_code failed;
    WaitUntil([&] { return fs::remove_all(folder_, failed), !failed; }, 5000);
}

std::string Kestrava::FileRead(const std::string& relative) const {
    std::ifstream in(folder_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

HWND Kestrava::Main() {
    if (!main_ || !IsWindow(main_))
        WaitUntil([this] { return (main_ = Window("Kestrava")) != nullptr; });
    return main_;
}

bool Kestrava::Ready() {
    if (WaitUntil([&] { // a status bar's own text is its first field's, here shown centred
            return Control(TotalSellPriceField) && Status() == "\tInformation-Bar" &&
                   GetForegroundWindow() == Main();
        }))
        return true;
    ADD_FAILURE() << "status bar \"" << Status() << "\", in front: " << GetForegroundWindow()
                  << " of " << Main() << ", focus on " << GetDlgCtrlID(Focus());
    return false;
}

std::string Kestrava::Text(HWND control) const {
    std::string text(size_t(Send(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.c_str();
}

Texts Kestrava::Fields(std::initializer_list<int> numbers) {
    Texts texts;
    for (int number : numbers)
        texts.push_back(Text(number));
    return texts;
}

bool Kestrava::ClickInto(HWND control) {
    // A click while the window still settles in after the start is lost now and then under
    // Wine; a user would click once more.
    for (int attempt = 0; attempt < 3 && Responsive(60000); ++attempt) {
        ClickAt(control);
        if (WaitUntil([&] { return FocusOf(control) == control; }, 3000))
            return true;
    }
    ADD_FAILURE() << "widget " << GetDlgCtrlID(control) << " did not take the focus";
    return false;
}

bool Kestrava::KeysUntil(WORD key, const std::function<bool()>& done, std::vector<int>* focused) {
    for (int presses = 0; presses < 40 && !done(); ++presses) {
        const HWND before = Focus();
        const int selected = Selected();
        InputKey(key);
        WaitUntil([&] { return Focus() != before || Selected() != selected; }, 3000);
        if (focused)
            focused->push_back(GetDlgCtrlID(Focus()));
    }
    return done();
}

void Kestrava::Compute(const char* units, const char* cost, const char* sellUnits,
                       const char* yield) {
    for (auto [field, text] : {std::pair{BuyUnitsField, units},
                               {BuyCostField, cost},
                               {SellUnitsField, sellUnits},
                               {YieldField, yield},
                               {UnitPriceField, ""}})
        TextSet(field, text);
    Click(ComputeButton);
    EXPECT_TRUE(WaitUntil([&] { return !Text(UnitPriceField).empty(); })) << "not computed";
}

void Kestrava::RowAdd(const char* ware, const char* units, const char* cost, const char* sellUnits,
                      const char* yield) {
    const int rows = Rows();
    TextSet(WareField, ware);
    Compute(units, cost, sellUnits, yield);
    Click(TransferButton);
    EXPECT_TRUE(WaitUntil([&] { return Rows() == rows + 1; })) << ware << " not moved";
}

DWORD Kestrava::ExitCode() {
    DWORD code = 999;
    if (WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::string Kestrava::Cell(HWND list, int row, int column) {
    // The list writes the text behind the item, both in the program's memory.
    RemoteBlock block{process_.hProcess};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = block.at + sizeof item;
    item.cchTextMax = int(RemoteBlock::Size - sizeof item);
    block.Put(item);
    Send(list, LVM_GETITEMTEXTA, WPARAM(row), block.Address());
    return block.Text(sizeof item);
}

Texts Kestrava::Row(int row) {
    Texts cells;
    for (int column = 0; column < 9; ++column)
        cells.push_back(Cell(row, column));
    return cells;
}

POINT Kestrava::RowPoint(int row) {
    RemoteBlock block{process_.hProcess};
    block.Put(RECT{LVIR_BOUNDS, 0, 0, 0});
    Send(Control(TradeList), LVM_GETITEMRECT, static_cast<WPARAM>(row), block.Address());
    RECT r = {};
    ReadProcessMemory(process_.hProcess, block.at, &r, sizeof r, nullptr);
    return {r.left + 20, (r.top + r.bottom) / 2};
}

POINT Kestrava::HeaderPoint(int column) {
    RemoteBlock block{process_.hProcess};
    Send(Header(), HDM_GETITEMRECT, WPARAM(column), block.Address());
    RECT r = {};
    ReadProcessMemory(process_.hProcess, block.at, &r, sizeof r, nullptr);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int Kestrava::SortArrow(int column) {
    RemoteBlock block{process_.hProcess};
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    block.Put(item);
    Send(Header(), HDM_GETITEMA, WPARAM(column), block.Address());
    ReadProcessMemory(process_.hProcess, block.at, &item, sizeof item, nullptr);
    return (item.fmt & HDF_SORTUP) ? 1 : (item.fmt & HDF_SORTDOWN) ? -1 : 0;
}

HWND Kestrava::WindowWait(const char* title, const char* className) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Window(title, className)) != nullptr; });
    return found;
}

bool Kestrava::FileDialog(int item, const char* title, const std::string& name) {
    if (item)
        Menu(item);
    HWND dialog = WindowWait(title, "#32770");
    if (!dialog || !DialogSetFileName(dialog, name.c_str()))
        return false;
    DialogPress(dialog, IDOK);
    return WaitUntil([&] { return !IsWindow(dialog); });
}

std::string Kestrava::ErrorConfirm() {
    HWND box = WindowWait("ERROR", "#32770");
    if (!box)
        return "";
    const std::string text = DialogStaticTexts(box);
    DialogPress(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

HWND Kestrava::HelpOpen() {
    Menu(MenuHelp);
    HWND help = WindowWait("Information");
    return help && WaitUntil([&] { return GetDlgItem(help, HelpOkButton) != nullptr; }) ? help
                                                                                        : nullptr;
}

bool Kestrava::HelpOk(HWND help) {
    SetForegroundWindow(help); // as the task bar would bring it
    WaitUntil([&] { return GetForegroundWindow() == help; }, 3000);
    ClickAt(GetDlgItem(help, HelpOkButton));
    return WaitUntil([&] { return !IsWindow(help); });
}

HWND Kestrava::StatsOpen() {
    Click(StatsButton);
    HWND stats = WindowWait("Statistics");
    const auto modal = [&] { return GetForegroundWindow() == stats && !IsWindowEnabled(Main()); };
    return stats && WaitUntil([&] { return GetDlgItem(stats, StatsOkButton) && modal(); })
               ? stats
               : nullptr;
}

bool Kestrava::StatsClose(HWND stats, int way) {
    switch (way % 4) {
    case 0: ClickAt(GetDlgItem(stats, StatsOkButton)); break;
    case 1: InputKey(VK_ESCAPE); break;
    case 2: InputKey(VK_RETURN); break;
    case 3: PostMessageA(stats, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    return WaitUntil([&] {
        return !IsWindow(stats) && IsWindowEnabled(Main()) && GetForegroundWindow() == Main();
    });
}

bool Kestrava::Responsive(int milliseconds) {
    DWORD_PTR result = 0;
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT &&
           SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_NORMAL, UINT(milliseconds), &result);
}

int Kestrava::GdiObjects() const {
    // Painting holds a few objects for a moment: read once the trace has been still a while.
    const fs::path path = folder_ / "gdi.txt";
    std::error_code failed;
    for (uintmax_t size = 0, before = 1, rounds = 0; size != before && !failed && rounds < 40;
         ++rounds) {
        before = std::exchange(size, fs::file_size(path, failed));
        Sleep(250);
    }
    // Only the end matters, and a long run writes a large trace.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg(), tail = std::min<std::streamoff>(size, 1 << 16);
    if (size <= 0)
        return -1;
    std::string trace(static_cast<size_t>(tail), '\0');
    in.seekg(size - tail).read(trace.data(), tail);
    const size_t end = trace.rfind("/65536");
    if (end == std::string::npos)
        return -1;
    const size_t start = trace.find_last_not_of("0123456789", end - 1) + 1;
    const size_t line = trace.rfind('\n', start) + 1;
    const int count = std::stoi(trace.substr(start, end - start));
    // A release line shows the count before it.
    return trace.find("freed", line) < start ? count - 1 : count;
}

size_t Kestrava::Committed() const {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters);
    return counters.PagefileUsage;
}
