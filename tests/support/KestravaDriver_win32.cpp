#include "support/KestravaDriver_win32.h"

#include "support/DialogDriver_win32.h"
#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#ifndef KV_APP_DIR // set for the programs that drive the built Kestrava.exe
#define KV_APP_DIR ""
#endif

namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds))
            return condition();
    return true;
}

namespace {

// A block in the program's memory, for the control messages that take a pointer.
class RemoteBlock {
  public:
    static constexpr size_t Size = 1 << 16;
    explicit RemoteBlock(HANDLE process)
        : process_(process), at_(static_cast<char*>(VirtualAllocEx(process, nullptr, Size,
                                                                   MEM_COMMIT, PAGE_READWRITE))) {}
    ~RemoteBlock() { VirtualFreeEx(process_, at_, 0, MEM_RELEASE); }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    char* At(size_t offset) const { return at_ + offset; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(at_); }
    template <typename T> void Put(const T& value) {
        WriteProcessMemory(process_, at_, &value, sizeof value, nullptr);
    }
    template <typename T> T Get() const {
        T value{};
        ReadProcessMemory(process_, at_, &value, sizeof value, nullptr);
        return value;
    }
    std::string Text(size_t offset) const {
        std::string text(Size - offset, '\0');
        ReadProcessMemory(process_, at_ + offset, text.data(), text.size(), nullptr);
        return text.c_str();
    }

  private:
    HANDLE process_;
    char* at_;
};

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Each button event carries its own screen position. A program that has just started under
// the resting pointer may still report where the pointer was, and a button event without a
// position of its own would go there instead.
void MouseButtons(POINT at, DWORD down, DWORD up, int times) {
    SetCursorPos(at.x, at.y);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(2 * static_cast<size_t>(times));
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = (at.x * 65536 + width - 1) / width;
        inputs[i].mi.dy = (at.y * 65536 + height - 1) / height;
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (i % 2 ? up : down);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT Centre(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

Kestrava::Kestrava(const std::function<void(const fs::path&)>& change) {
    static int serial = 0;
    folder_ = fs::temp_directory_path() / ("kestrava-" + std::to_string(GetCurrentProcessId()) +
                                           "-" + std::to_string(++serial));
    const fs::path built = KV_APP_DIR;
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(built / "Kestrava.exe", folder_ / "Kestrava.exe");
    fs::copy(built / "data", folder_ / "data", fs::copy_options::recursive);
    fs::create_directories(folder_ / "Saved-Entrys");
    fs::create_directories(folder_ / "Saved-Lists");
    if (change)
        change(folder_);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + (folder_ / "Kestrava.exe").string() + "\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.string().c_str(), &startup, &process_))
        ADD_FAILURE() << "Kestrava.exe did not start from " << folder_.string();
}

Kestrava::~Kestrava() {
    if (process_.hProcess) {
        if (Alive()) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 10000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    std::error_code failed;
    WaitUntil([&] { return fs::remove_all(folder_, failed), !failed; }, 5000);
}

std::string Kestrava::FileRead(const std::string& relative) const {
    std::ifstream in(folder_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

HWND Kestrava::Window(const char* title, const char* className) {
    struct Search {
        DWORD process;
        const char* title;
        const char* className;
        HWND found;
    } search = {process_.dwProcessId, title, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char text[256] = {};
            GetWindowTextA(window, text, sizeof text);
            if (process != s.process || !IsWindowVisible(window) || s.title != std::string(text) ||
                (s.className && ClassOf(window) != s.className))
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Kestrava::WindowWait(const char* title, const char* className) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Window(title, className)) != nullptr; });
    return found;
}

HWND Kestrava::Main() {
    if (!main_ || !IsWindow(main_))
        WaitUntil([this] {
            main_ = Window("Kestrava");
            return main_ && ClassOf(main_) != "#32770";
        });
    return main_;
}

HWND Kestrava::Control(int number) {
    return GetDlgItem(Main(), number);
}

bool Kestrava::Ready() {
    // Built, waiting for events, and in front as a freshly started program is.
    return WaitUntil([this] {
        return Main() && Control(43) && Status() == "\tInformation-Bar" &&
               GetForegroundWindow() == Main();
    });
}

std::string Kestrava::Text(HWND control) const {
    const LRESULT length = Send(control, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.c_str();
}

std::string Kestrava::Text(int number) {
    return Text(Control(number));
}

std::vector<std::string> Kestrava::Texts(std::initializer_list<int> numbers) {
    std::vector<std::string> texts;
    for (int number : numbers)
        texts.push_back(Text(number));
    return texts;
}

void Kestrava::TextSet(int number, const std::string& text) {
    Send(Control(number), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Kestrava::Checked(int number) {
    return Send(Control(number), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Kestrava::Status() {
    HWND bar = FindWindowExA(Main(), nullptr, STATUSCLASSNAMEA, nullptr);
    if (!bar)
        return "(no status bar)";
    RemoteBlock block(process_.hProcess);
    Send(bar, SB_GETTEXTA, 0, block.Address());
    return block.Text(0);
}

HWND Kestrava::Focus() {
    return FocusOf(Main());
}

void Kestrava::Click(HWND control) {
    MouseButtons(Centre(control), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1);
}

void Kestrava::Click(int number) {
    Click(Control(number));
}

void Kestrava::RightClick(HWND control, POINT client) {
    ClientToScreen(control, &client);
    MouseButtons(client, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void Kestrava::DoubleClick(HWND control, POINT client) {
    ClientToScreen(control, &client);
    MouseButtons(client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

void Kestrava::Keys(const std::vector<WORD>& keys, bool shift, bool control) {
    for (WORD key : keys)
        InputKey(key, shift, control);
}

bool Kestrava::ClickInto(HWND control) {
    // A click that comes while the window is still settling in after the start is lost now
    // and then under Wine; a user would click once more.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(control);
        if (WaitUntil([&] { return FocusOf(control) == control; }, 3000))
            return true;
    }
    ADD_FAILURE() << "widget " << GetDlgCtrlID(control) << " did not take the focus";
    return false;
}

bool Kestrava::Type(int number, const std::string& text) {
    HWND field = Control(number);
    if (!ClickInto(field))
        return false;
    Keys({VK_HOME});
    Keys({VK_END}, true);
    for (char c : text) {
        const SHORT key = VkKeyScanA(c);
        InputKey(LOBYTE(key), (HIBYTE(key) & 1) != 0);
    }
    const bool typed = WaitUntil([&] { return Text(field) == text; }, 5000);
    EXPECT_TRUE(typed) << "widget " << number << " shows " << Text(field).substr(0, 80);
    return typed;
}

void Kestrava::Compute(const char* units, const char* cost, const char* sellUnits,
                       const char* yield) {
    Type(4, units);
    Type(5, cost);
    Type(6, sellUnits);
    Type(9, yield);
    Click(14);
    // COMPUTE always rewrites the cost with ten decimals.
    WaitUntil([&] { return Text(5) != cost; });
}

void Kestrava::Menu(int item) {
    PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

void Kestrava::CloseBox() {
    PostMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

int Kestrava::Rows() {
    return static_cast<int>(Send(Control(26), LVM_GETITEMCOUNT, 0, 0));
}

std::string Kestrava::Cell(int row, int column) {
    RemoteBlock block(process_.hProcess);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = block.At(sizeof item);
    item.cchTextMax = static_cast<int>(RemoteBlock::Size - sizeof item);
    block.Put(item);
    Send(Control(26), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), block.Address());
    return block.Text(sizeof item);
}

std::vector<std::string> Kestrava::Row(int row) {
    std::vector<std::string> cells;
    for (int column = 0; column < 9; ++column)
        cells.push_back(Cell(row, column));
    return cells;
}

POINT Kestrava::RowPoint(int row) {
    RemoteBlock block(process_.hProcess);
    block.Put(RECT{LVIR_BOUNDS, 0, 0, 0});
    Send(Control(26), LVM_GETITEMRECT, static_cast<WPARAM>(row), block.Address());
    const RECT r = block.Get<RECT>();
    return {r.left + 20, (r.top + r.bottom) / 2};
}

std::string Kestrava::ColumnTitle(int column) {
    RemoteBlock block(process_.hProcess);
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = block.At(sizeof info);
    info.cchTextMax = 256;
    block.Put(info);
    Send(Control(26), LVM_GETCOLUMNA, static_cast<WPARAM>(column), block.Address());
    return block.Text(sizeof info);
}

int Kestrava::ColumnWidth(int column) {
    return static_cast<int>(Send(Control(26), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

bool Kestrava::DialogAnswer(const char* title, const std::string& name) {
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

bool Kestrava::Alive() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Kestrava::Responsive(int milliseconds) {
    DWORD_PTR result = 0;
    return Alive() && SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_NORMAL,
                                          static_cast<UINT>(milliseconds), &result) != 0;
}

bool Kestrava::Ended(DWORD* exitCode) {
    return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.hProcess, exitCode);
}
