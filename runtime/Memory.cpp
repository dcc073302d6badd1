#include "runtime/Memory.h"

#include "runtime/Platform.h"

namespace {

PlatformHeap heaps[3];

PlatformHeap HeapHandle(Heap heap) {
    PlatformHeap& handle = heaps[static_cast<int>(heap)];
    if (!handle) {
        switch (heap) {
        case Heap::Main: handle = PlatformHeapCreate(true, 4096); break;
        // Only the event-loop thread builds texts, so the string heap takes no lock.
        case Heap::String: handle = PlatformHeapCreate(false, 4096); break;
        case Heap::Node: handle = PlatformHeapCreate(true, 1024); break;
        }
    }
    return handle;
}

} // namespace

void MemoryInit() {
    HeapHandle(Heap::Main);
    HeapHandle(Heap::String);
    HeapHandle(Heap::Node);
}

void MemoryShutdown() {
    PlatformHeap& main = heaps[static_cast<int>(Heap::Main)];
    PlatformHeapDestroy(main);
    main = nullptr;
}

void* MemoryAllocate(Heap heap, size_t size) {
    PlatformHeap handle = HeapHandle(heap);
    return handle ? PlatformHeapAllocate(handle, size) : nullptr;
}

void* MemoryResize(Heap heap, void* block, size_t size) {
    PlatformHeap handle = HeapHandle(heap);
    return handle ? PlatformHeapResize(handle, block, size) : nullptr;
}

void MemoryFree(Heap heap, void* block) {
    if (block)
        PlatformHeapFree(HeapHandle(heap), block);
}

size_t MemoryBlockCount(Heap heap) {
    return PlatformHeapBlockCount(HeapHandle(heap));
}
