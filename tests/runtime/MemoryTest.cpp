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

// Texts built from pieces that lie in the buffer or in the variable's own block, while the
// buffer moves.
TEST(WorkBuffer, OffsetsSurviveGrowthAndPiecesMayComeFromTheBufferOrTheVariableItself) {
    const size_t outer = WorkBufferPosition();
    char* variable = nullptr;
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
        StringAssignFromBuffer(variable, scope.Start());
        EXPECT_EQ(WorkBufferPosition(), scope.Start());
        EXPECT_EQ(std::strlen(variable), text.size());
    }
    EXPECT_EQ(WorkBufferPosition(), outer);
    const size_t strings = MemoryBlockCount(Heap::String); // the variable's block among them
    StringAssign(variable, "hello");
    StringAssign(variable, variable + 2);
    EXPECT_STREQ(variable, "llo");
    StringFree(variable);
    EXPECT_EQ(variable, nullptr);
    EXPECT_EQ(MemoryBlockCount(Heap::String), strings - 1);
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
    const size_t strings = MemoryBlockCount(Heap::String), blocks = MemoryBlockCount(Heap::Main);
    for (int nested : {3, 0}) { // a nested array without elements must still end its layout
        // clang-format off
        const int layout[] = {int(offsetof(Entry, name)),
                              -2, nested, int(offsetof(Entry, items)), int(sizeof(Item)),
                                  int(offsetof(Item, text)), -1,
                              int(offsetof(Entry, note)), -1};
        // clang-format on
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
    EXPECT_EQ(MemoryBlockCount(Heap::Main), blocks);
}

} // namespace
