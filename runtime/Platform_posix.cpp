#include "runtime/Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The host heap keeps its blocks in a list so that destroying it frees them all, as a
// private heap does, and so that leak checkers see them as reachable while it lives.
struct BlockHeader {
    BlockHeader* previous;
    BlockHeader* next;
    size_t size;
    size_t padding; // keeps the block itself 16-byte aligned
};

struct HostHeap {
    BlockHeader* blocks;
};

BlockHeader* HeaderOf(void* block) {
    return static_cast<BlockHeader*>(block) - 1;
}

void BlockLink(HostHeap* heap, BlockHeader* header) {
    header->previous = nullptr;
    header->next = heap->blocks;
    if (heap->blocks)
        heap->blocks->previous = header;
    heap->blocks = header;
}

void BlockUnlink(HostHeap* heap, BlockHeader* header) {
    if (header->previous)
        header->previous->next = header->next;
    else
        heap->blocks = header->next;
    if (header->next)
        header->next->previous = header->previous;
}

int FileDescriptor(PlatformFile file) {
    return static_cast<int>(file - 1);
}

// The host's ANSI code page is Windows-1252: these are its characters for bytes 0x80 to 0x9F
// (five of them unassigned, kept as the control characters of the same number), the bytes
// above are Latin-1.
const char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char AnsiOfCharacter(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c < 0x100))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

PlatformHeap PlatformHeapCreate(bool, size_t) {
    return std::calloc(1, sizeof(HostHeap));
}

void PlatformHeapDestroy(PlatformHeap heap) {
    if (!heap)
        return;
    auto* host = static_cast<HostHeap*>(heap);
    while (host->blocks) {
        BlockHeader* next = host->blocks->next;
        std::free(host->blocks);
        host->blocks = next;
    }
    std::free(host);
}

void* PlatformHeapAllocate(PlatformHeap heap, size_t size) {
    auto* header = static_cast<BlockHeader*>(std::calloc(1, sizeof(BlockHeader) + size));
    if (!header)
        return nullptr;
    header->size = size;
    BlockLink(static_cast<HostHeap*>(heap), header);
    return header + 1;
}

void* PlatformHeapResize(PlatformHeap heap, void* block, size_t size) {
    if (!block)
        return PlatformHeapAllocate(heap, size);
    auto* host = static_cast<HostHeap*>(heap);
    BlockHeader* header = HeaderOf(block);
    size_t oldSize = header->size;
    BlockUnlink(host, header);
    auto* moved = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + size));
    if (!moved) {
        BlockLink(host, header);
        return nullptr;
    }
    if (size > oldSize)
        std::memset(reinterpret_cast<char*>(moved + 1) + oldSize, 0, size - oldSize);
    moved->size = size;
    BlockLink(host, moved);
    return moved + 1;
}

void PlatformHeapFree(PlatformHeap heap, void* block) {
    if (!block)
        return;
    BlockHeader* header = HeaderOf(block);
    BlockUnlink(static_cast<HostHeap*>(heap), header);
    std::free(header);
}

size_t PlatformHeapBlockCount(PlatformHeap heap) {
    size_t count = 0;
    for (BlockHeader* b = static_cast<HostHeap*>(heap)->blocks; b; b = b->next)
        ++count;
    return count;
}

// Descriptors are stored plus one so that 0 stays "no file".
PlatformFile PlatformFileOpen(const char* path, PlatformOpenMode mode) {
    if (!path)
        return 0;
    int flags = O_RDONLY;
    switch (mode) {
    case PlatformOpenMode::Read: flags = O_RDONLY; break;
    case PlatformOpenMode::Create: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    case PlatformOpenMode::ReadWrite: flags = O_RDWR | O_CREAT; break;
    case PlatformOpenMode::Exclusive: flags = O_RDWR; break;
    case PlatformOpenMode::CreateNew: flags = O_RDWR | O_CREAT | O_EXCL; break;
    }
    int fd = open(path, flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
        (mode == PlatformOpenMode::Exclusive && flock(fd, LOCK_EX | LOCK_NB) != 0)) {
        close(fd);
        return 0;
    }
    return static_cast<PlatformFile>(fd) + 1;
}

long PlatformFileRead(PlatformFile file, void* buffer, size_t size) {
    ssize_t got;
    do
        got = read(FileDescriptor(file), buffer, size);
    while (got < 0 && errno == EINTR);
    return static_cast<long>(got);
}

bool PlatformFileWrite(PlatformFile file, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t written = write(FileDescriptor(file), bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool PlatformFileSeekBy(PlatformFile file, long offset) {
    return lseek(FileDescriptor(file), offset, SEEK_CUR) >= 0;
}

bool PlatformFileFlush(PlatformFile file) {
    return fsync(FileDescriptor(file)) == 0;
}

bool PlatformFileClose(PlatformFile file) {
    return close(FileDescriptor(file)) == 0;
}

bool PlatformFileReplace(const char* from, const char* to) {
    return from && to && std::rename(from, to) == 0;
}

bool PlatformFileDelete(const char* path) {
    return path && unlink(path) == 0;
}

std::string PlatformCurrentDirectory() {
    std::string path(256, '\0');
    for (;;) {
        if (getcwd(&path[0], path.size())) {
            path.resize(std::strlen(path.c_str()));
            return path;
        }
        if (errno != ERANGE)
            return std::string();
        path.resize(path.size() * 2);
    }
}

std::string PlatformAnsiToUtf8(const std::string& ansi) {
    std::string utf8;
    for (const unsigned char byte : ansi) {
        const char32_t c = byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : byte;
        if (c < 0x80) {
            utf8 += char(c);
        } else if (c < 0x800) {
            utf8 += char(0xC0 | c >> 6);
            utf8 += char(0x80 | (c & 0x3F));
        } else {
            utf8 += char(0xE0 | c >> 12);
            utf8 += char(0x80 | (c >> 6 & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

bool PlatformUtf8ToAnsi(const std::string& utf8, std::string& ansi) {
    static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000}; // by sequence length
    std::string converted;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80   ? 1
                              : lead < 0xC0 ? 0
                              : lead < 0xE0 ? 2
                              : lead < 0xF0 ? 3
                              : lead < 0xF8 ? 4
                                            : 0;
        if (length == 0 || utf8.size() - i < length)
            return false;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = c << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and numbers past the last character are no UTF-8.
        if (c < least[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF)
            return false;
        converted += AnsiOfCharacter(c);
        i += length;
    }
    ansi = std::move(converted);
    return true;
}
