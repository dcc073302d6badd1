#include "runtime/Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Heaps, BlocksAreZeroedAndKeepTheirContentsWhenResized) {
    for (Heap heap : {Heap::Main, Heap::String, Heap::Node}) {
        size_t before = MemoryBlockCount(heap);
        auto* block = static_cast<unsigned char*>(MemoryAllocate(heap, 100));
        ASSERT_TRUE(block);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 100), std::string(100, '\0'));
        std::memset(block, 0xAB, 100);
        block = static_cast<unsigned char*>(MemoryResize(heap, block, 100000));
        ASSERT_TRUE(block);
        EXPECT_EQ(block[99], 0xAB);
        EXPECT_EQ(block[99999], 0);
        MemoryFree(heap, block);
        EXPECT_EQ(MemoryBlockCount(heap), before);
    }
}

} // namespace
