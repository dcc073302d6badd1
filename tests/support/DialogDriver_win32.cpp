#include "support/DialogDriver_win32.h"

#include <dlgs.h>

#include <chrono>

namespace {

struct Search {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    char text[512] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpA(className, "#32770") == 0 && lstrcmpA(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM data) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0]) {
            *reinterpret_cast<std::string*>(data) += text;
            *reinterpret_cast<std::string*>(data) += '\n';
        }
    }
    return TRUE;
}

} // namespace

HWND DialogFind(const char* title, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        Search search = {title, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(50);
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

static BOOL CALLBACK FindEdit(HWND child, LPARAM data) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

// The edit control of the name field: inside the combo box of the explorer-style dialog,
// or the plain edit of the older one.
static HWND FileNameField(HWND dialog) {
    HWND combo = GetDlgItem(dialog, cmb13);
    if (!combo)
        return GetDlgItem(dialog, edt1);
    HWND edit = nullptr;
    EnumChildWindows(combo, FindEdit, reinterpret_cast<LPARAM>(&edit));
    return edit ? edit : combo;
}

bool DialogSetFileName(HWND dialog, const char* name) {
    HWND field = FileNameField(dialog);
    if (!field)
        return false;
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    return true;
}

std::string DialogGetFileName(HWND dialog) {
    char text[1024] = {};
    if (HWND field = FileNameField(dialog))
        SendMessageA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void DialogPress(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string DialogStaticTexts(HWND dialog) {
    std::string texts;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

DialogDriver::DialogDriver(const char* title, std::function<void(HWND)> act)
    : title_(title), act_(std::move(act)) {
    thread_ = std::thread([this] {
        HWND dialog = DialogFind(title_.c_str());
        if (!dialog)
            return;
        found_ = true;
        act_(dialog);
        for (int i = 0; i < 100 && IsWindow(dialog); ++i)
            Sleep(50);
        if (IsWindow(dialog))
            DialogPress(dialog, IDCANCEL);
    });
}

DialogDriver::~DialogDriver() { thread_.join(); }
