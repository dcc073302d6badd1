#include "runtime/Registry.h"

#include "runtime/Memory.h"

#include <climits>
#include <cstring>

namespace {

// An automatic record: links to its neighbours in age, its number, then the record.
struct AutoNode {
    AutoNode* older;
    AutoNode* newer;
    int number;
};

// Keeps the record part as aligned as a heap block.
constexpr size_t AutoNodeHeaderSize = (sizeof(AutoNode) + 15) / 16 * 16;

char* NodeRecord(AutoNode* node) {
    return reinterpret_cast<char*>(node) + AutoNodeHeaderSize;
}

bool RecordLive(const void* record) {
    void* handle;
    std::memcpy(&handle, record, sizeof handle);
    return handle != nullptr;
}

// Shared by all tables so that a number handed out by one kind is never reused soon by
// another, which makes a mixed-up number fail instead of naming the wrong object.
int nextAutoNumber = AutoNumberFirst;

} // namespace

struct ObjectTable {
    int recordSize;
    int step;
    int capacity;
    AutoNode* newest;
    ObjectReleaseHook releaseHook;
    int enumIndex;
    AutoNode* enumNode;
    char** slots; // capacity pointers to records (nullptr: never claimed), main heap
};

namespace {

AutoNode* AutoNodeFind(const ObjectTable* table, int number) {
    if (number < AutoNumberFirst)
        return nullptr;
    for (AutoNode* node = table->newest; node; node = node->older)
        if (node->number == number)
            return node;
    return nullptr;
}

int AutoNumberTake(const ObjectTable* table) {
    // Over two thousand million claims pass before the counter comes round; then numbers
    // still held in this table are skipped.
    for (;;) {
        int number = nextAutoNumber;
        nextAutoNumber = number == INT_MAX ? AutoNumberFirst : number + 1;
        if (!AutoNodeFind(table, number))
            return number;
    }
}

void* AutoAcquire(ObjectTable* table, int* assignedNumber) {
    auto* node = static_cast<AutoNode*>(
        MemoryAllocate(Heap::Node, AutoNodeHeaderSize + size_t(table->recordSize)));
    if (!node)
        return nullptr;
    node->number = AutoNumberTake(table);
    node->older = table->newest;
    if (table->newest)
        table->newest->newer = node;
    table->newest = node;
    if (assignedNumber)
        *assignedNumber = node->number;
    return NodeRecord(node);
}

// Only the slots move; the records they point to stay where they are.
bool TableGrow(ObjectTable* table, int number) {
    int capacity = number + table->step; // no overflow: both are at most ObjectNumberMax + 1
    void* grown = MemoryResize(Heap::Main, table->slots, size_t(capacity) * sizeof(char*));
    if (!grown)
        return false;
    table->slots = static_cast<char**>(grown);
    table->capacity = capacity;
    return true;
}

// The record of an array number below the capacity; nullptr if it was never claimed.
char* ArrayRecord(const ObjectTable* table, int number) {
    return table->slots[number];
}

bool ArrayRecordLive(const ObjectTable* table, int number) {
    const char* record = ArrayRecord(table, number);
    return record && RecordLive(record);
}

} // namespace

ObjectTable* ObjectTableCreate(int recordSize, int step, ObjectReleaseHook hook) {
    if (recordSize < int(sizeof(void*)) || recordSize > 65536 || step < 1 ||
        step > ObjectNumberMax + 1)
        return nullptr;
    auto* table = static_cast<ObjectTable*>(MemoryAllocate(Heap::Main, sizeof(ObjectTable)));
    if (!table)
        return nullptr;
    table->slots = static_cast<char**>(MemoryAllocate(Heap::Main, size_t(step) * sizeof(char*)));
    if (!table->slots) {
        MemoryFree(Heap::Main, table);
        return nullptr;
    }
    table->recordSize = recordSize;
    table->step = step;
    table->capacity = step;
    table->releaseHook = hook;
    return table;
}

void ObjectTableDestroy(ObjectTable* table) {
    if (!table)
        return;
    while (table->newest) {
        AutoNode* older = table->newest->older;
        MemoryFree(Heap::Node, table->newest);
        table->newest = older;
    }
    for (int number = 0; number < table->capacity; ++number)
        if (char* record = ArrayRecord(table, number))
            MemoryFree(Heap::Main, record);
    MemoryFree(Heap::Main, table->slots);
    MemoryFree(Heap::Main, table);
}

void* ObjectAcquire(ObjectTable* table, int number, int* assignedNumber) {
    if (!table)
        return nullptr;
    if (number == AutoNumber)
        return AutoAcquire(table, assignedNumber);
    if (number < 0 || number > ObjectNumberMax)
        return nullptr;
    // A number's record is made before the table grows for it, so that running out of
    // memory leaves the table as it was.
    if (number >= table->capacity || !ArrayRecord(table, number)) {
        char* made = static_cast<char*>(MemoryAllocate(Heap::Main, size_t(table->recordSize)));
        if (!made)
            return nullptr;
        if (number >= table->capacity && !TableGrow(table, number)) {
            MemoryFree(Heap::Main, made);
            return nullptr;
        }
        table->slots[number] = made;
    }
    if (table->releaseHook)
        table->releaseHook(number);
    char* record = ArrayRecord(table, number);
    // A hook that left the record filled must not hand stale contents to the new owner.
    std::memset(record, 0, size_t(table->recordSize));
    if (assignedNumber)
        *assignedNumber = number;
    return record;
}

void* ObjectLookup(ObjectTable* table, int number) {
    if (!table || number < 0)
        return nullptr;
    if (number < table->capacity)
        return ArrayRecordLive(table, number) ? ArrayRecord(table, number) : nullptr;
    AutoNode* node = AutoNodeFind(table, number);
    return node && RecordLive(NodeRecord(node)) ? NodeRecord(node) : nullptr;
}

void ObjectRelease(ObjectTable* table, int number) {
    if (!table || number < 0)
        return;
    if (number < table->capacity) {
        if (char* record = ArrayRecord(table, number))
            std::memset(record, 0, size_t(table->recordSize));
        return;
    }
    AutoNode* node = AutoNodeFind(table, number);
    if (!node)
        return;
    if (table->enumNode == node)
        table->enumNode = node->newer;
    if (node->newer)
        node->newer->older = node->older;
    else
        table->newest = node->older;
    if (node->older)
        node->older->newer = node->newer;
    MemoryFree(Heap::Node, node);
}

int ObjectTableCapacity(const ObjectTable* table) {
    return table ? table->capacity : 0;
}

void ObjectEnumStart(ObjectTable* table) {
    if (!table)
        return;
    table->enumIndex = 0;
    AutoNode* oldest = table->newest;
    while (oldest && oldest->older)
        oldest = oldest->older;
    table->enumNode = oldest;
}

void* ObjectEnumNext(ObjectTable* table, int* number) {
    if (!table)
        return nullptr;
    while (table->enumIndex < table->capacity) {
        int index = table->enumIndex++;
        if (ArrayRecordLive(table, index)) {
            if (number)
                *number = index;
            return ArrayRecord(table, index);
        }
    }
    while (AutoNode* node = table->enumNode) {
        table->enumNode = node->newer;
        if (RecordLive(NodeRecord(node))) {
            if (number)
                *number = node->number;
            return NodeRecord(node);
        }
    }
    return nullptr;
}

void* LibraryStateCreate(size_t size, void (*initialiser)(void*)) {
    void* state = MemoryAllocate(Heap::Main, size);
    if (state && initialiser)
        initialiser(state);
    return state;
}

void ObjectCloseAll(ObjectTable* table, void (*close)(int number)) {
    if (!table)
        return;
    ObjectEnumStart(table);
    int number = 0;
    while (ObjectEnumNext(table, &number))
        close(number);
}
