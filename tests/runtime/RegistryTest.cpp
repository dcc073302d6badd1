#include "runtime/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

struct Record {
    void* handle;
    int value;
};

struct TableDeleter {
    void operator()(ObjectTable* table) const { ObjectTableDestroy(table); }
};
using TablePtr = std::unique_ptr<ObjectTable, TableDeleter>;

// Releases live records, as an owning library's close would.
ObjectTable* hookTable;
std::vector<int> hookCalls;
std::vector<int> hookClosed;

void ReleaseHook(int number) {
    hookCalls.push_back(number);
    if (auto* record = static_cast<Record*>(ObjectLookup(hookTable, number))) {
        hookClosed.push_back(record->value);
        ObjectRelease(hookTable, number);
    }
}

Record* Claim(ObjectTable* table, int number, int value, int* assigned = nullptr) {
    auto* record = static_cast<Record*>(ObjectAcquire(table, number, assigned));
    if (record) {
        record->handle = reinterpret_cast<void*>(intptr_t(value) + 1);
        record->value = value;
    }
    return record;
}

int ValueOf(ObjectTable* table, int number) {
    auto* record = static_cast<Record*>(ObjectLookup(table, number));
    return record ? record->value : -1;
}

class Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        table.reset(ObjectTableCreate(sizeof(Record), 50, ReleaseHook));
        hookTable = table.get();
        hookCalls.clear();
        hookClosed.clear();
    }
    TablePtr table;
};

TEST_F(Registry, GrowsToNumberPlusStepAndKeepsRecords) {
    for (int n = 0; n < 50; ++n)
        ASSERT_TRUE(Claim(table.get(), n, n * 10));
    EXPECT_EQ(ObjectTableCapacity(table.get()), 50);
    ASSERT_TRUE(Claim(table.get(), 50, 500));
    EXPECT_EQ(ObjectTableCapacity(table.get()), 100);
    for (int n = 0; n <= 50; ++n)
        EXPECT_EQ(ValueOf(table.get(), n), n * 10);

    TablePtr widgets(ObjectTableCreate(sizeof(Record), 50, nullptr));
    ASSERT_TRUE(Claim(widgets.get(), 201, 1));
    EXPECT_EQ(ObjectTableCapacity(widgets.get()), 251);
    auto* again = static_cast<Record*>(ObjectAcquire(widgets.get(), 201));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->value, 0); // zeroed even without a hook
}

TEST_F(Registry, ReclaimingReleasesFirstAndUnfilledOrRefusedNumbersAreInvisible) {
    Claim(table.get(), 3, 111);
    ASSERT_TRUE(Claim(table.get(), 3, 222));
    EXPECT_EQ(hookCalls, (std::vector<int>{3, 3}));
    EXPECT_EQ(hookClosed, std::vector<int>{111});
    EXPECT_EQ(ValueOf(table.get(), 3), 222);
    ASSERT_TRUE(ObjectAcquire(table.get(), 4)); // claimed, never filled
    EXPECT_EQ(ObjectLookup(table.get(), 4), nullptr);
    hookCalls.clear();
    for (int number : {-5, ObjectNumberMax + 1, 2147483647}) {
        EXPECT_EQ(ObjectAcquire(table.get(), number), nullptr) << number;
        ObjectRelease(table.get(), number); // must not touch anything
    }
    EXPECT_EQ(ObjectTableCapacity(table.get()), 50);
    EXPECT_TRUE(hookCalls.empty());
}

TEST_F(Registry, EnumerationVisitsArrayThenAutomaticOldestFirstAndAllowsRelease) {
    int older = 0, newer = 0, newest = 0;
    Claim(table.get(), AutoNumber, 100, &older);
    Claim(table.get(), 30, 30);
    Claim(table.get(), AutoNumber, 200, &newer);
    Claim(table.get(), 2, 2);
    Claim(table.get(), ObjectNumberMax, 75); // grows the table; automatic numbers stay valid
    Claim(table.get(), AutoNumber, 300, &newest);
    EXPECT_EQ(hookCalls, (std::vector<int>{30, 2, ObjectNumberMax})); // not for automatic ones

    std::vector<int> numbers, values;
    ObjectEnumStart(table.get());
    int number = 0;
    while (auto* record = static_cast<Record*>(ObjectEnumNext(table.get(), &number))) {
        numbers.push_back(number);
        values.push_back(record->value);
        ObjectRelease(table.get(), number);
        if (values.back() == 100)
            ObjectRelease(table.get(), newer); // closing one object closes another
    }
    EXPECT_EQ(numbers, (std::vector<int>{2, 30, ObjectNumberMax, older, newest}));
    EXPECT_EQ(values, (std::vector<int>{2, 30, 75, 100, 300}));
    ObjectEnumStart(table.get());
    EXPECT_EQ(ObjectEnumNext(table.get(), &number), nullptr);
}

} // namespace
