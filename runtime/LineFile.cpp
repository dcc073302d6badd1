#include "runtime/LineFile.h"

#include "runtime/Memory.h"
#include "runtime/Platform.h"
#include "runtime/Registry.h"

#include <climits>
#include <cstring>

namespace {

constexpr int BufferSize = 4096;

struct FileRecord {
    PlatformFile handle; // owned; closed by FileClose
    char* buffer;        // owned, BufferSize bytes from the main heap
    int room;            // writing: free bytes left in the buffer; reading: bytes not yet consumed
    int fill;            // reading: valid bytes in the buffer
    bool reading;        // the buffer holds read data (or nothing)
    bool failed;         // a write of this file went wrong
};

ObjectTable* fileTable;

void FileReleaseHook(int number) {
    FileClose(number);
}

FileRecord* FileFind(int number) {
    return static_cast<FileRecord*>(ObjectLookup(fileTable, number));
}

// Hands buffered output to the system; the buffer is empty afterwards.
void BufferFlush(FileRecord* file) {
    if (file->reading)
        return;
    int used = BufferSize - file->room;
    if (used > 0 && !PlatformFileWrite(file->handle, file->buffer, size_t(used)))
        file->failed = true;
    file->room = BufferSize;
}

void BytesWrite(FileRecord* file, const char* data, size_t size) {
    if (file->reading) {
        // Bytes read ahead but not consumed would otherwise make the write land past them.
        if (file->room > 0 && !PlatformFileSeekBy(file->handle, -long(file->room)))
            file->failed = true;
        file->reading = false;
        file->room = BufferSize;
    }
    if (size_t(file->room) > size) {
        std::memcpy(file->buffer + (BufferSize - file->room), data, size);
        file->room -= int(size);
        return;
    }
    BufferFlush(file);
    if (size >= size_t(BufferSize)) {
        if (!PlatformFileWrite(file->handle, data, size))
            file->failed = true;
        return;
    }
    std::memcpy(file->buffer, data, size);
    file->room -= int(size);
}

// Makes sure unread bytes are in the buffer; false at the end of the file (or when the
// read fails, which counts as the end).
bool BufferFillForReading(FileRecord* file) {
    if (!file->reading) {
        BufferFlush(file);
        file->reading = true;
        file->room = 0;
        file->fill = 0;
    }
    if (file->room > 0)
        return true;
    long got = PlatformFileRead(file->handle, file->buffer, BufferSize);
    if (got <= 0) {
        file->fill = 0;
        return false;
    }
    file->fill = int(got);
    file->room = int(got);
    return true;
}

const char* UnreadBytes(const FileRecord* file) {
    return file->buffer + (file->fill - file->room);
}

int FileOpen(int number, const char* path, PlatformOpenMode mode) {
    FilesInit();
    int assigned = number;
    auto* file = static_cast<FileRecord*>(ObjectAcquire(fileTable, number, &assigned));
    if (!file)
        return 0;
    PlatformFile handle = path ? PlatformFileOpen(path, mode) : 0;
    char* buffer = handle ? static_cast<char*>(MemoryAllocate(Heap::Main, BufferSize)) : nullptr;
    if (!buffer) {
        if (handle)
            PlatformFileClose(handle);
        ObjectRelease(fileTable, assigned);
        return 0;
    }
    file->handle = handle;
    file->buffer = buffer;
    file->reading = true;
    return number == AutoNumber ? assigned : 1;
}

} // namespace

void FilesInit() {
    if (!fileTable)
        fileTable = ObjectTableCreate(sizeof(FileRecord), 16, FileReleaseHook);
}

int FileCreate(int number, const char* path) {
    return FileOpen(number, path, PlatformOpenMode::Create);
}

int FileCreateNew(int number, const char* path) {
    return FileOpen(number, path, PlatformOpenMode::CreateNew);
}

int FileOpenRead(int number, const char* path) {
    return FileOpen(number, path, PlatformOpenMode::Read);
}

int FileOpenReadWrite(int number, const char* path) {
    return FileOpen(number, path, PlatformOpenMode::ReadWrite);
}

int FileOpenExclusive(int number, const char* path) {
    return FileOpen(number, path, PlatformOpenMode::Exclusive);
}

std::string FileReadLine(int number) {
    std::string line;
    FileReadTextLine(number, line);
    return line;
}

bool FileReadTextLine(int number, std::string& line) {
    line.clear();
    FileRecord* file = FileFind(number);
    if (!file)
        return true;
    bool text = true;
    // Scan the buffer for the line end instead of taking one byte at a time.
    while (BufferFillForReading(file)) {
        const char* start = UnreadBytes(file);
        const char* end = start + file->room;
        const char* stop = start;
        while (stop < end && (static_cast<unsigned char>(*stop) >= 0x20 || *stop == '\t'))
            ++stop;
        line.append(start, stop);
        file->room -= int(stop - start);
        if (stop == end)
            continue;
        char ended = *stop;
        --file->room;
        if (ended != '\r' && ended != '\n') {
            text = false;
            if (ended == '\0')
                break;
            line += ended; // any other control byte stays in the line
            continue;
        }
        // "\r\n" is one line end; any other byte after "\r" starts the next line.
        if (ended == '\r' && BufferFillForReading(file) && *UnreadBytes(file) == '\n')
            --file->room;
        break;
    }
    return text;
}

int FileWriteLine(int number, const char* text) {
    FileRecord* file = FileFind(number);
    if (!file)
        return 0;
    size_t length = text ? std::strlen(text) : 0;
    if (length > 0)
        BytesWrite(file, text, length);
    BytesWrite(file, "\r\n", 2);
    return length > size_t(INT_MAX - 2) ? INT_MAX : int(length + 2);
}

int FileAtEnd(int number) {
    FileRecord* file = FileFind(number);
    if (!file)
        return 0;
    return BufferFillForReading(file) ? 0 : 1;
}

bool FileSync(int number) {
    FileRecord* file = FileFind(number);
    if (!file)
        return false;
    BufferFlush(file);
    if (!PlatformFileFlush(file->handle))
        file->failed = true;
    return !file->failed;
}

bool FileClose(int number) {
    FileRecord* file = FileFind(number);
    if (!file)
        return false;
    BufferFlush(file);
    bool closed = PlatformFileClose(file->handle);
    bool sound = closed && !file->failed;
    MemoryFree(Heap::Main, file->buffer);
    ObjectRelease(fileTable, number);
    return sound;
}

void FileCloseAll() {
    ObjectCloseAll(fileTable, [](int number) { FileClose(number); });
}

bool FileReplace(const char* from, const char* to) {
    return from && to && PlatformFileReplace(from, to);
}

bool FileDelete(const char* path) {
    return path && PlatformFileDelete(path);
}
