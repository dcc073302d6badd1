#include "runtime/Array.h"
#include "runtime/Memory.h"
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
        EXPECT_EQ(block[100], 0);
        EXPECT_EQ(block[99999], 0);
        MemoryFree(heap, block);
        MemoryFree(heap, nullptr);
        EXPECT_EQ(MemoryBlockCount(heap), before);
    }
}

TEST(WorkBuffer, OffsetsSurviveGrowthAndPiecesMayComeFromTheBufferItself) {
    size_t outer = WorkBufferPosition();
    {
        WorkBufferScope scope;
        TextConcat("Ware");
        TextConcat(nullptr);
        TextConcat(std::string(": "));
        // A producer reserves room for its longest result and gives back the rest.
        size_t at = WorkBufferReserve(32);
        std::strcpy(WorkBufferAt(at), "12");
        WorkBufferGiveBack(32 - 2);
        EXPECT_EQ(scope.Text(), "Ware: 12");
        // Far beyond the capacity: the block moves, the offset of the text stays right.
        size_t big = WorkBufferReserve(100000);
        std::memset(WorkBufferAt(big), 'x', 100000);
        TextConcat(WorkBufferAt(scope.Start())); // the whole text so far
        std::string text = scope.Text();
        ASSERT_EQ(text.size(), 2 * 100008u);
        EXPECT_EQ(text.substr(100008, 8), "Ware: 12");
        EXPECT_EQ(text.back(), 'x');
        for (int i = 0; i < 5000; ++i) // small pieces of itself, growing step by step
            TextConcat(WorkBufferAt(WorkBufferPosition() - 4));
        EXPECT_EQ(WorkBufferText(WorkBufferPosition() - 4), "xxxx");
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
    StringAssign(variable, nullptr);
    EXPECT_EQ(variable, nullptr);

    size_t start = WorkBufferPosition();
    TextConcat("from ");
    TextConcat("buffer");
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

    char** lines = nullptr; // like the help lines: one string per element
    const int lineLayout[] = {0, -1};
    ASSERT_TRUE(ArrayRecreate(lines, 100, lineLayout));
    for (int i = 0; i <= 100; i += 5)
        StringAssign(lines[i], "line");

    // Nested arrays, one of them without elements, must still end their layout.
    for (int nested : {3, 0}) {
        const int layout[] = {int(offsetof(Entry, name)), -2, nested, int(offsetof(Entry, items)),
                              int(sizeof(Item)), int(offsetof(Item, text)), -1,
                              int(offsetof(Entry, note)), -1};
        Entry* entries = nullptr;
        ASSERT_TRUE(ArrayRecreate(entries, 4, layout));
        for (int i = 0; i < 4; ++i) {
            StringAssign(entries[i].name, "name");
            StringAssign(entries[i].note, "note");
            for (int j = 0; j < nested; ++j)
                StringAssign(entries[i].items[j].text, "item");
        }
        EXPECT_EQ(MemoryBlockCount(Heap::String), strings + 21 + 4 * (2 + nested));
        // Re-creating frees the old array and its strings first.
        ASSERT_TRUE(ArrayRecreate(entries, 2, layout));
        EXPECT_EQ(MemoryBlockCount(Heap::String), strings + 21);
        EXPECT_EQ(entries[0].name, nullptr);
        ArrayRelease(entries);
    }
    ArrayRelease(lines);
    EXPECT_EQ(ArrayCreate(-1, 4, nullptr, 0), nullptr);
    EXPECT_EQ(MemoryBlockCount(Heap::String), strings);
    EXPECT_EQ(MemoryBlockCount(Heap::Main), blocks);
}

} // namespace
