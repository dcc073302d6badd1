#include "runtime/Platform.h"

#include <windows.h>

namespace {

std::wstring WideText(UINT codePage, DWORD flags, const std::string& text) {
    const int size =
        MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), &wide[0], size);
    return wide;
}

// No "best fit": a character the code page lacks must not turn into a look-alike such as a
// plain semicolon or quote.
std::string NarrowText(UINT codePage, const std::wstring& wide) {
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(codePage, flags, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(codePage, flags, wide.data(), int(wide.size()), &text[0], size, nullptr,
                            nullptr);
    return text;
}

} // namespace

PlatformHeap PlatformHeapCreate(bool serialized, size_t initialSize) {
    return HeapCreate(serialized ? 0 : HEAP_NO_SERIALIZE, initialSize, 0);
}

void PlatformHeapDestroy(PlatformHeap heap) {
    if (heap)
        HeapDestroy(heap);
}

void* PlatformHeapAllocate(PlatformHeap heap, size_t size) {
    return HeapAlloc(heap, HEAP_ZERO_MEMORY, size ? size : 1);
}

void* PlatformHeapResize(PlatformHeap heap, void* block, size_t size) {
    if (!block)
        return PlatformHeapAllocate(heap, size);
    return HeapReAlloc(heap, HEAP_ZERO_MEMORY, block, size ? size : 1);
}

void PlatformHeapFree(PlatformHeap heap, void* block) {
    if (block)
        HeapFree(heap, 0, block);
}

size_t PlatformHeapBlockCount(PlatformHeap heap) {
    size_t count = 0;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            ++count;
    return count;
}

PlatformFile PlatformFileOpen(const char* path, PlatformOpenMode mode) {
    HANDLE file = INVALID_HANDLE_VALUE;
    switch (mode) {
    case PlatformOpenMode::Read:
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        break;
    case PlatformOpenMode::Create:
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        // A hidden or system file refuses CREATE_ALWAYS with normal attributes.
        if (file == INVALID_HANDLE_VALUE)
            file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, 0,
                               nullptr);
        break;
    case PlatformOpenMode::ReadWrite:
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        break;
    case PlatformOpenMode::Exclusive:
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        break;
    case PlatformOpenMode::CreateNew:
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        break;
    }
    return file == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<PlatformFile>(file);
}

long PlatformFileRead(PlatformFile file, void* buffer, size_t size) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(file), buffer, static_cast<DWORD>(size), &got, nullptr))
        return -1;
    return static_cast<long>(got);
}

bool PlatformFileWrite(PlatformFile file, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(reinterpret_cast<HANDLE>(file), bytes, chunk, &written, nullptr) ||
            written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool PlatformFileSeekBy(PlatformFile file, long offset) {
    return SetFilePointer(reinterpret_cast<HANDLE>(file), offset, nullptr, FILE_CURRENT) !=
           INVALID_SET_FILE_POINTER;
}

bool PlatformFileFlush(PlatformFile file) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(file)) != 0;
}

bool PlatformFileClose(PlatformFile file) {
    return CloseHandle(reinterpret_cast<HANDLE>(file)) != 0;
}

bool PlatformFileReplace(const char* from, const char* to) {
    constexpr DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    const DWORD before = GetFileAttributesA(to);
    if (!MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    if (before != INVALID_FILE_ATTRIBUTES && (before & Kept))
        SetFileAttributesA(to, (GetFileAttributesA(to) & ~Kept) | (before & Kept));
    return true;
}

bool PlatformFileDelete(const char* path) {
    return DeleteFileA(path) != 0;
}

std::string PlatformCurrentDirectory() {
    // The wide call, asked for its size first: the ANSI one fails beyond MAX_PATH.
    std::wstring wide;
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    for (;;) {
        if (needed == 0)
            return std::string();
        wide.assign(needed, L'\0');
        DWORD length = GetCurrentDirectoryW(needed, &wide[0]);
        if (length == 0)
            return std::string();
        if (length < needed) {
            wide.resize(length);
            break;
        }
        needed = length; // the directory changed in between and grew
    }
    UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    int size = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr,
                                   nullptr);
    if (size <= 0)
        return std::string();
    std::string path(size_t(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), &path[0], size, nullptr,
                        nullptr);
    return path;
}

std::string PlatformAnsiToUtf8(const std::string& ansi) {
    return NarrowText(CP_UTF8, WideText(CP_ACP, 0, ansi));
}

bool PlatformUtf8ToAnsi(const std::string& utf8, std::string& ansi) {
    const std::wstring wide = WideText(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (wide.empty() && !utf8.empty())
        return false;
    ansi = NarrowText(CP_ACP, wide);
    return true;
}
