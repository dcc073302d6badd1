#include "runtime/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Record {
    void* handle;
    int value;
};

// Releases live records, as an owning library's close would.
ObjectTable* table;
std::vector<int> hookCalls, hookClosed;
void ReleaseHook(int number) {
    hookCalls.push_back(number);
    if (auto* record = static_cast<Record*>(ObjectLookup(table, number))) {
        hookClosed.push_back(record->value);
        ObjectRelease(table, number);
    }
}

Record* Claim(int number, int value, int* assigned = nullptr) {
    auto* record = static_cast<Record*>(ObjectAcquire(table, number, assigned));
    return record ? &(*record = {reinterpret_cast<void*>(intptr_t(value) + 1), value}) : nullptr;
}

int ValueOf(int number) {
    auto* record = static_cast<Record*>(ObjectLookup(table, number));
    return record ? record->value : -1;
}

class Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        table = ObjectTableCreate(sizeof(Record), 50, ReleaseHook);
        hookCalls.clear();
        hookClosed.clear();
    }
    void TearDown() override { ObjectTableDestroy(table); }
};

TEST_F(Registry, GrowsToNumberPlusStepAndRecordsNeitherMoveNorChange) {
    std::vector<Record*> records;
    for (int n = 0; n < 50; ++n)
        records.push_back(Claim(n, n * 10));
    EXPECT_EQ(ObjectTableCapacity(table), 50);
    ASSERT_TRUE(Claim(50, 500));
    ASSERT_TRUE(Claim(201, 2010));
    EXPECT_EQ(ObjectTableCapacity(table), 251);
    for (int n = 0; n < 50; ++n)
        EXPECT_TRUE(ObjectLookup(table, n) == records[size_t(n)] && ValueOf(n) == n * 10) << n;
    ObjectTable* bare = ObjectTableCreate(sizeof(Record), 50, nullptr);
    static_cast<Record*>(ObjectAcquire(bare, 7))->value = 7;
    EXPECT_EQ(static_cast<Record*>(ObjectAcquire(bare, 7))->value, 0); // zeroed without a hook
    ObjectTableDestroy(bare);
}

TEST_F(Registry, ReclaimingReleasesFirstAndUnfilledOrRefusedNumbersAreInvisible) {
    Claim(3, 111);
    ASSERT_TRUE(Claim(3, 222));
    EXPECT_EQ(hookCalls, (std::vector<int>{3, 3}));
    EXPECT_EQ(hookClosed, std::vector<int>{111});
    EXPECT_EQ(ValueOf(3), 222);
    ASSERT_TRUE(ObjectAcquire(table, 4)); // claimed, never filled
    EXPECT_EQ(ObjectLookup(table, 4), nullptr);
    hookCalls.clear();
    for (int number : {-5, ObjectNumberMax + 1, 2147483647}) {
        EXPECT_EQ(ObjectAcquire(table, number), nullptr) << number;
        ObjectRelease(table, number); // must not touch anything
    }
    EXPECT_EQ(ObjectTableCapacity(table), 50);
    EXPECT_TRUE(hookCalls.empty());
}

TEST_F(Registry, EnumerationVisitsArrayThenAutomaticOldestFirstAndAllowsRelease) {
    int older = 0, newer = 0, newest = 0;
    Claim(AutoNumber, 100, &older);
    Claim(30, 30);
    Claim(AutoNumber, 200, &newer);
    Claim(2, 2);
    Claim(ObjectNumberMax, 75); // grows the table; automatic numbers stay valid
    Claim(AutoNumber, 300, &newest);
    EXPECT_EQ(hookCalls, (std::vector<int>{30, 2, ObjectNumberMax})); // not for automatic ones

    std::vector<int> numbers, values;
    int number = 0;
    ObjectEnumStart(table);
    while (auto* record = static_cast<Record*>(ObjectEnumNext(table, &number))) {
        numbers.push_back(number);
        values.push_back(record->value);
        ObjectRelease(table, number);
        if (values.back() == 100)
            ObjectRelease(table, newer); // closing one object closes another
    }
    EXPECT_EQ(numbers, (std::vector<int>{2, 30, ObjectNumberMax, older, newest}));
    EXPECT_EQ(values, (std::vector<int>{2, 30, 75, 100, 300}));
    ObjectEnumStart(table);
    EXPECT_EQ(ObjectEnumNext(table, &number), nullptr);
}

} // namespace
