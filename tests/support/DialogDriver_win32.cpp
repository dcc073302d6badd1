#include "support/DialogDriver_win32.h"

#include <dlgs.h>

#include <vector>

namespace {

// A visible dialog of this process with exactly this title, waited for up to 20 seconds.
HWND DialogFind(const char* title) {
    for (int turn = 0; turn < 400; ++turn, Sleep(50)) {
        HWND dialog = nullptr;
        while ((dialog = FindWindowExA(nullptr, dialog, "#32770", title))) {
            DWORD process = 0;
            GetWindowThreadProcessId(dialog, &process);
            if (IsWindowVisible(dialog) && process == GetCurrentProcessId())
                return dialog;
        }
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search = {className, {}};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, s.className) == 0)
                s.found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The edit control of the name field: inside the combo box of the explorer-style dialog,
// or the plain edit of the older one.
HWND FileNameField(HWND dialog) {
    HWND combo = GetDlgItem(dialog, cmb13);
    if (!combo)
        return GetDlgItem(dialog, edt1);
    const std::vector<HWND> edits = Children(combo, "Edit");
    return edits.empty() ? combo : edits[0];
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
    for (HWND child : Children(dialog, "Static")) {
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
