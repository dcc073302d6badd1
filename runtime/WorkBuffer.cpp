#include "runtime/WorkBuffer.h"

#include "runtime/Memory.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t Slack = 5; // the NUL and four bytes for word-wise copies

struct WorkBuffer {
    char* block; // owned, capacity + Slack bytes in the string heap
    size_t capacity = 16;
    size_t position = 0;
};

WorkBuffer buffer;

[[noreturn]] void TextMemoryExhausted() {
    std::fputs("out of memory for texts\n", stderr);
    std::abort();
}

char* Block() {
    if (!buffer.block) {
        buffer.block = static_cast<char*>(MemoryAllocate(Heap::String, buffer.capacity + Slack));
        if (!buffer.block)
            TextMemoryExhausted();
    }
    return buffer.block;
}

bool InsideBlock(const char* text) {
    // Compared as integers: the language leaves ordering of unrelated pointers open.
    auto address = reinterpret_cast<uintptr_t>(text);
    auto start = reinterpret_cast<uintptr_t>(buffer.block);
    return buffer.block && address >= start && address < start + buffer.capacity + Slack;
}

char* StringBlock(const char* text, size_t length) {
    auto* block = static_cast<char*>(MemoryAllocate(Heap::String, length + Slack));
    if (!block)
        TextMemoryExhausted();
    std::memcpy(block, text, length);
    block[length] = '\0';
    return block;
}

} // namespace

size_t WorkBufferPosition() {
    return buffer.position;
}

size_t WorkBufferReserve(size_t length) {
    char* block = Block();
    size_t start = buffer.position;
    if (length > (size_t(-1) >> 2) - start)
        TextMemoryExhausted();
    size_t end = start + length;
    if (end >= buffer.capacity - 4) {
        size_t capacity = end + 16384;
        block = static_cast<char*>(MemoryResize(Heap::String, block, capacity + Slack));
        if (!block)
            TextMemoryExhausted();
        buffer.block = block;
        buffer.capacity = capacity;
    }
    buffer.position = end;
    block[end] = '\0';
    return start;
}

void WorkBufferGiveBack(size_t length) {
    buffer.position = length > buffer.position ? 0 : buffer.position - length;
    Block()[buffer.position] = '\0';
}

char* WorkBufferAt(size_t offset) {
    return Block() + (offset > buffer.position ? buffer.position : offset);
}

void TextConcat(const char* text) {
    if (!text)
        text = "";
    size_t length = std::strlen(text);
    if (InsideBlock(text)) {
        // The block may move while reserving; keep the text as an offset meanwhile.
        size_t offset = size_t(text - buffer.block);
        size_t at = WorkBufferReserve(length);
        std::memmove(buffer.block + at, buffer.block + offset, length);
    } else {
        size_t at = WorkBufferReserve(length);
        std::memcpy(buffer.block + at, text, length);
    }
    buffer.block[buffer.position] = '\0';
}

std::string WorkBufferText(size_t start) {
    if (start >= buffer.position)
        return std::string();
    return std::string(Block() + start, buffer.position - start);
}

WorkBufferScope::~WorkBufferScope() {
    if (buffer.position > start_)
        WorkBufferGiveBack(buffer.position - start_);
}

void StringAssign(char*& variable, const char* text) {
    if (!text) {
        StringFree(variable);
        return;
    }
    // A fresh block first: the text may be part of the old one.
    char* block = StringBlock(text, std::strlen(text));
    MemoryFree(Heap::String, variable);
    variable = block;
}

void StringAssignFromBuffer(char*& variable, size_t start) {
    size_t end = buffer.position;
    if (start > end)
        start = end;
    char* block = StringBlock(Block() + start, end - start);
    MemoryFree(Heap::String, variable);
    variable = block;
    WorkBufferGiveBack(end - start);
}

void StringFree(char*& variable) {
    MemoryFree(Heap::String, variable);
    variable = nullptr;
}
