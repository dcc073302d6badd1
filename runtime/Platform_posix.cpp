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
