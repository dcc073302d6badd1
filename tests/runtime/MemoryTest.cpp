#include "runtime/Memory.h"
#include "runtime/Array.h"
#include "runtime/WorkBuffer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace {

TEST(Heaps, BlocksAreZeroedAndKeepTheirContentsWhenResized) {
    for (Heap heap : {Heap::Main, Heap::String, Heap::Node}) {
        size_t before = MemoryBlockCount(heap);
        auto* block = static_cast<unsigned char*>(MemoryAllocate(heap, 100));
        ASSERT_TRUE(block);
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(block[i], 0);
        std::memset(block, 0xAB, 100);
        block = static_cast<unsigned char*>(MemoryResize(heap, block, 100000));
        ASSERT_TRUE(block);
        EXPECT_EQ(block[99], 0xAB);
        EXPECT_EQ(block[99999], 0);
        MemoryFree(heap, block);
        EXPECT_EQ(MemoryBlockCount(heap), before);
    }
}

TEST(WorkBuffer, OffsetsSurviveGrowthAndPiecesMayComeFromTheBufferItself) {
    size_t outer = WorkBufferPosition();
    {
        WorkBufferScope scope;
        TextConcat("Ware");
        TextConcat(std::string(": "));
        size_t at = WorkBufferReserve(32); // room for the longest result, the rest given back
        std::strcpy(WorkBufferAt(at), "12");
        WorkBufferGiveBack(32 - 2);
        EXPECT_EQ(scope.Text(), "Ware: 12");
        size_t big = WorkBufferReserve(100000); // the block moves
        std::memset(WorkBufferAt(big), 'x', 100000);
        TextConcat(WorkBufferAt(scope.Start())); // the whole text so far
        std::string text = scope.Text();
        ASSERT_EQ(text.size(), 2 * 100008u);
        EXPECT_EQ(text.substr(100008, 8), "Ware: 12");
    }
    EXPECT_EQ(WorkBufferPosition(), outer);
}

TEST(StringVariables, AssignCopyAndFree) {
    WorkBufferPosition();
    size_t before = MemoryBlockCount(Heap::String);
    char* variable = nullptr;
    StringAssign(variable, "hello");
    StringAssign(variable, variable + 2); // a text inside the variable's own block
    EXPECT_STREQ(variable, "llo");
    size_t start = WorkBufferPosition();
    TextConcat("from buffer");
    StringAssignFromBuffer(variable, start);
    EXPECT_STREQ(variable, "from buffer");
    EXPECT_EQ(WorkBufferPosition(), start);
    StringFree(variable);
    EXPECT_EQ(variable, nullptr);
    EXPECT_EQ(MemoryBlockCount(Heap::String), before);
}

struct Item {
    int number;
    char* text;
};

struct Entry {
    char* name;
    Item items[3];
    char* note;
};

TEST(Arrays, FreeEveryStringTheirLayoutNames) {
    WorkBufferPosition();
    size_t strings = MemoryBlockCount(Heap::String);
    size_t blocks = MemoryBlockCount(Heap::Main);
    // A nested array without elements must still end its layout.
    for (int nested : {3, 0}) {
        const int layout[] = {int(offsetof(Entry, name)),
                              -2,
                              nested,
                              int(offsetof(Entry, items)),
                              int(sizeof(Item)),
                              int(offsetof(Item, text)),
                              -1,
                              int(offsetof(Entry, note)),
                              -1};
        Entry* entries = nullptr;
        ASSERT_TRUE(ArrayRecreate(entries, 4, layout));
        for (int i = 0; i < 4; ++i) {
            StringAssign(entries[i].name, "name");
            StringAssign(entries[i].note, "note");
            for (int j = 0; j < nested; ++j)
                StringAssign(entries[i].items[j].text, "item");
        }
        EXPECT_EQ(MemoryBlockCount(Heap::String), strings + 4 * (2 + nested));
        ASSERT_TRUE(ArrayRecreate(entries, 2, layout)); // frees the old strings first
        EXPECT_EQ(MemoryBlockCount(Heap::String), strings);
        ArrayRelease(entries);
    }
    EXPECT_EQ(MemoryBlockCount(Heap::String), strings);
    EXPECT_EQ(MemoryBlockCount(Heap::Main), blocks);
}

} // namespace
