#include "toolkit/Dialogs.h"

#include "runtime/SystemLibrary_win32.h"

#include <windows.h>

#include <commdlg.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

// Single selections get MAX_PATH; several files with their directory need far more.
constexpr size_t SingleNameBufferSize = MAX_PATH;
constexpr size_t MultipleNameBufferSize = 512000;

// What the last file dialog left behind for FileDialogNextFile and
// FileDialogSelectedPattern.
struct FileDialogState {
    std::unique_ptr<char[]> names; // owns the native file-name buffer, nullptr when none
    size_t nextOffset = 0;         // offset of the next name of a multiple selection; 0 = none
    int selectedPattern = 0;       // 1-based, 0 after a cancel
    std::string directory;         // directory of a multiple selection, ends with a backslash
};

FileDialogState& DialogState() {
    static FileDialogState state;
    return state;
}

BOOL CALLBACK DisableOneWindow(HWND window, LPARAM list) {
    auto* nodes = reinterpret_cast<std::vector<std::pair<unsigned long, void*>>*>(list);
    const DWORD thread = GetCurrentThreadId();
    if (GetWindowThreadProcessId(window, nullptr) != thread || !IsWindowVisible(window) ||
        !IsWindowEnabled(window) || window == GetForegroundWindow())
        return TRUE;
    EnableWindow(window, FALSE);
    nodes->emplace_back(thread, window);
    return TRUE;
}

// A name the dialog may show in its name field: not empty, no control characters and
// none of the characters that separate or wildcard paths.
bool FileNameIsValid(const std::string& name) {
    if (name.empty())
        return false;
    for (unsigned char c : name)
        if (c < 32 || std::strchr("\"\\/:*?<>|", c))
            return false;
    return true;
}

std::unique_ptr<char[]> ZeroedBuffer(size_t size) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[size]());
}

BOOL FileDialogShow(bool save, OPENFILENAMEA& request) {
    using Show = BOOL(WINAPI*)(OPENFILENAMEA*);
    // Linked to the program, the dialogs' library would load the printing libraries at every
    // start.
    static const Show open = SystemFunction<Show>("comdlg32.dll", "GetOpenFileNameA");
    static const Show saveAs = SystemFunction<Show>("comdlg32.dll", "GetSaveFileNameA");
    const Show show = save ? saveAs : open;
    SystemComInit();
    return show ? show(&request) : FALSE;
}

std::string FileDialogRun(bool save, const char* title, const char* defaultPath,
                          const char* pattern, int patternIndex, int flags) {
    FileDialogState& state = DialogState();
    state.selectedPattern = 0;
    state.nextOffset = 0;
    state.directory.clear();
    const bool multiple = (flags & FileDialogMultiple) != 0;
    const size_t size = multiple ? MultipleNameBufferSize : SingleNameBufferSize;
    state.names.reset();
    state.names = ZeroedBuffer(size);
    if (!state.names)
        return std::string();

    // "a|b|c|d" becomes the native list "a\0b\0c\0d\0\0".
    const size_t patternLength = pattern ? std::strlen(pattern) : 0;
    std::unique_ptr<char[]> filters = ZeroedBuffer(patternLength + 2);
    if (!filters)
        return std::string();
    for (size_t i = 0; i < patternLength; ++i)
        filters[i] = pattern[i] == '|' ? '\0' : pattern[i];

    std::string initialDirectory;
    if (defaultPath) {
        const std::string path = defaultPath;
        const size_t slash = path.rfind('\\');
        std::string name = path;
        if (slash != std::string::npos && slash > 0) {
            initialDirectory = path.substr(0, slash);
            name = path.substr(slash + 1);
        }
        // A name that does not fit would overrun the buffer; the dialog then starts empty.
        if (FileNameIsValid(name) && name.size() < size)
            std::memcpy(state.names.get(), name.c_str(), name.size() + 1);
    }

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = static_cast<HWND>(DialogOwnerWindow());
    request.lpstrFilter = filters.get();
    request.nFilterIndex = static_cast<DWORD>(patternIndex + 1);
    request.lpstrFile = state.names.get();
    request.nMaxFile = static_cast<DWORD>(size);
    request.lpstrInitialDir = initialDirectory.empty() ? nullptr : initialDirectory.c_str();
    request.lpstrTitle = title;
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (multiple)
        request.Flags |= OFN_ALLOWMULTISELECT;

    BOOL chosen;
    {
        DisabledWindowList disabled;
        chosen = FileDialogShow(save, request);
    }
    if (!chosen) {
        state.names.reset();
        return std::string();
    }
    state.selectedPattern = static_cast<int>(request.nFilterIndex);

    const char* names = state.names.get();
    const size_t firstLength = std::strlen(names);
    std::string result(names, firstLength);
    if (!multiple) {
        state.names.reset();
        return result;
    }
    if (names[firstLength + 1] == '\0') { // one file: already a full path
        state.names[0] = '\0';
        return result;
    }
    // Several files: a directory, then the names. Paths are built to their full length,
    // however long the directory and names are.
    state.directory = result;
    if (state.directory.empty() || state.directory.back() != '\\')
        state.directory += '\\';
    const char* first = names + firstLength + 1;
    state.nextOffset = firstLength + 1 + std::strlen(first) + 1;
    return state.directory + first;
}

} // namespace

void* DialogOwnerWindow() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (!foreground || !GetWindowThreadProcessId(foreground, &process) ||
        process != GetCurrentProcessId())
        return nullptr;
    return foreground;
}

DisabledWindowList::DisabledWindowList() {
    EnumWindows(DisableOneWindow, reinterpret_cast<LPARAM>(&nodes_));
}

DisabledWindowList::~DisabledWindowList() {
    const DWORD thread = GetCurrentThreadId();
    for (const auto& node : nodes_)
        if (node.first == thread)
            EnableWindow(static_cast<HWND>(node.second), TRUE);
}

int MessageBoxShowEx(const char* title, const char* text, unsigned flags) {
    HWND owner = static_cast<HWND>(DialogOwnerWindow());
    DisabledWindowList disabled;
    return MessageBoxA(owner, text ? text : "", title ? title : "", flags);
}

int MessageBoxShow(const char* title, const char* text) {
    return MessageBoxShowEx(title, text, 0);
}

std::string FileOpenDialog(const char* title, const char* defaultPath, const char* pattern,
                           int patternIndex) {
    return FileDialogRun(false, title, defaultPath, pattern, patternIndex, 0);
}

std::string FileOpenDialogEx(const char* title, const char* defaultPath, const char* pattern,
                             int patternIndex, int flags) {
    return FileDialogRun(false, title, defaultPath, pattern, patternIndex, flags);
}

std::string FileSaveDialog(const char* title, const char* defaultPath, const char* pattern,
                           int patternIndex) {
    return FileDialogRun(true, title, defaultPath, pattern, patternIndex, 0);
}

std::string FileDialogNextFile() {
    FileDialogState& state = DialogState();
    if (!state.names || state.nextOffset == 0 || state.names[state.nextOffset] == '\0') {
        state.names.reset();
        state.nextOffset = 0;
        return std::string();
    }
    const char* name = state.names.get() + state.nextOffset;
    const size_t length = std::strlen(name);
    state.nextOffset += length + 1;
    return state.directory + std::string(name, length);
}

int FileDialogSelectedPattern() {
    return DialogState().selectedPattern - 1;
}
