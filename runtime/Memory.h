// The program's three heaps. The main heap holds object tables, arrays, file buffers and
// the toolkit's blocks; the string heap holds the work buffer and string variables; the
// node heap holds automatically numbered records. Each heap is created on first use (or
// by MemoryInit at start-up); only the main heap is destroyed, at program end.
#pragma once

#include <cstddef>

enum class Heap { Main, String, Node };

// Creates the three heaps in their fixed order; harmless when they exist already.
void MemoryInit();
// Destroys the main heap and every block in it. Blocks of the main heap, object tables
// included, must not be used afterwards.
void MemoryShutdown();

// Zero-filled block; nullptr when the heap is exhausted.
void* MemoryAllocate(Heap heap, size_t size);
// Keeps the contents and zero-fills added bytes; nullptr (and the old block untouched)
// on failure. A null block is allocated.
void* MemoryResize(Heap heap, void* block, size_t size);
// A null block is ignored.
void MemoryFree(Heap heap, void* block);
// Blocks in use in the heap, for tests.
size_t MemoryBlockCount(Heap heap);
