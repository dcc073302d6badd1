#include "support/DialogDriver_win32.h"

#include <dlgs.h>

namespace {

// A visible dialog of this process with exactly this title, waited for up to 20 seconds.
HWND DialogFind(const char* title) {
    for (int turn = 0; turn < 400; ++turn, Sleep(50))
        for (HWND dialog = nullptr; (dialog = FindWindowExA(nullptr, dialog, "#32770", title));) {
            DWORD process = 0;
            GetWindowThreadProcessId(dialog, &process);
            if (IsWindowVisible(dialog) && process == GetCurrentProcessId())
                return dialog;
        }
    return nullptr;
}

// The edit control of the name field: inside the combo box of the explorer-style dialog,
// or the plain edit of the older one.
HWND FileNameField(HWND dialog) {
    HWND combo = GetDlgItem(dialog, cmb13);
    HWND edit = combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
    return edit ? edit : combo ? combo : GetDlgItem(dialog, edt1);
}

} // namespace

bool DialogSetFileName(HWND dialog, const char* name) {
    HWND field = FileNameField(dialog);
    return field && (SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name)), true);
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
    for (HWND child = nullptr; (child = FindWindowExA(dialog, child, "Static", nullptr));) {
        char text[1024] = {};
        if (GetWindowTextA(child, text, sizeof text))
            texts += std::string(text) + '\n';
    }
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

DialogDriver::~DialogDriver() {
    thread_.join();
}
