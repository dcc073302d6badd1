#include "runtime/Array.h"

#include "runtime/Memory.h"
#include "runtime/WorkBuffer.h"

#include <cstddef>
#include <cstring>

namespace {

struct ArrayHeader {
    int elementSize;
    int count;
    int typeCode;
    const int* layout; // not owned; layouts are constants of the caller
};

// Keeps the elements as aligned as the heap block.
constexpr size_t HeaderSize = (sizeof(ArrayHeader) + 15) / 16 * 16;

ArrayHeader* HeaderOf(const void* elements) {
    return reinterpret_cast<ArrayHeader*>(const_cast<char*>(static_cast<const char*>(elements)) -
                                          HeaderSize);
}

// Frees the strings of `count` elements at `base` as `layout` says; returns the entry
// after the layout's closing -1.
const int* StringsFree(char* base, int count, int elementSize, const int* layout) {
    const int* entry = layout;
    for (int i = 0; i < count; ++i) {
        char* element = base + size_t(i) * size_t(elementSize);
        entry = layout;
        while (*entry != -1) {
            if (*entry >= 0) {
                char* variable;
                std::memcpy(&variable, element + *entry, sizeof variable);
                StringFree(variable);
                std::memcpy(element + *entry, &variable, sizeof variable);
                ++entry;
            } else { // -2: nested array
                entry = StringsFree(element + entry[2], entry[1], entry[3], entry + 4);
            }
        }
    }
    if (count == 0) // still find where this layout ends
        while (*entry != -1)
            entry = *entry >= 0 ? entry + 1 : StringsFree(nullptr, 0, 0, entry + 4);
    return entry + 1;
}

} // namespace

void* ArrayCreate(int count, int elementSize, const int* layout, int typeCode) {
    if (count < 0 || elementSize <= 0)
        return nullptr;
    size_t size = HeaderSize + (size_t(count) + 1) * size_t(elementSize);
    auto* block = static_cast<char*>(MemoryAllocate(Heap::Main, size));
    if (!block)
        return nullptr;
    auto* header = reinterpret_cast<ArrayHeader*>(block);
    header->elementSize = elementSize;
    header->count = count;
    header->typeCode = typeCode;
    header->layout = layout;
    return block + HeaderSize;
}

void ArrayFree(void* elements) {
    if (!elements)
        return;
    ArrayHeader* header = HeaderOf(elements);
    if (header->layout)
        StringsFree(static_cast<char*>(elements), header->count + 1, header->elementSize,
                    header->layout);
    MemoryFree(Heap::Main, header);
}

int ArrayCount(const void* elements) {
    return elements ? HeaderOf(elements)->count : 0;
}

int ArrayTypeCode(const void* elements) {
    return elements ? HeaderOf(elements)->typeCode : 0;
}
