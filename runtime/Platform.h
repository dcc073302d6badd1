// The few operating-system services the runtime needs: private heaps, file handles and
// the current directory. One backend per system (Platform_win32.cpp, Platform_posix.cpp);
// everything above this file is the same on every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

using PlatformHeap = void*;

// serialized = false: the heap is used by one thread only and takes no lock.
PlatformHeap PlatformHeapCreate(bool serialized, size_t initialSize);
// Frees every block of the heap at once.
void PlatformHeapDestroy(PlatformHeap heap);
// Zero-filled block; nullptr when the heap is exhausted.
void* PlatformHeapAllocate(PlatformHeap heap, size_t size);
// Keeps the contents, zero-fills bytes added at the end; nullptr (block unchanged) on failure.
void* PlatformHeapResize(PlatformHeap heap, void* block, size_t size);
void PlatformHeapFree(PlatformHeap heap, void* block);
// Blocks in use, for tests that check nothing leaks or is freed twice.
size_t PlatformHeapBlockCount(PlatformHeap heap);

// A native file handle as an integer; 0 is never a valid one.
using PlatformFile = intptr_t;

enum class PlatformOpenMode {
    Read,      // existing file, others may read too
    Create,    // new or emptied file, read and write, others may read
    ReadWrite, // created when missing, read and write, others may read
    Exclusive, // existing file, read and write, no sharing
    CreateNew, // a file that does not exist yet, read and write, others may read
};

PlatformFile PlatformFileOpen(const char* path, PlatformOpenMode mode);
// Bytes read, 0 at the end; -1 on a failed read.
long PlatformFileRead(PlatformFile file, void* buffer, size_t size);
// True when every byte was written.
bool PlatformFileWrite(PlatformFile file, const void* data, size_t size);
// Moves the file position by `offset` bytes from where it is.
bool PlatformFileSeekBy(PlatformFile file, long offset);
// Asks the system to put the written data on the disk; true on success.
bool PlatformFileFlush(PlatformFile file);
bool PlatformFileClose(PlatformFile file);
// Puts `from` in the place of `to` in one step, replacing `to` when it exists; a replaced
// file's attributes (hidden, system, archive) carry over.
bool PlatformFileReplace(const char* from, const char* to);
bool PlatformFileDelete(const char* path);

// Texts between the system's ANSI code page and UTF-8; characters the code page lacks become
// "?". PlatformUtf8ToAnsi is false, and leaves `ansi` alone, when `utf8` is not valid UTF-8.
std::string PlatformAnsiToUtf8(const std::string& ansi);
bool PlatformUtf8ToAnsi(const std::string& utf8, std::string& ansi);

// Whole path of the working directory without a trailing separator added; empty on failure.
std::string PlatformCurrentDirectory();
// The separator a directory path ends with on this system.
constexpr char PlatformPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif
