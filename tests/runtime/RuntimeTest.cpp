// The runtime's basics: texts and numbers as texts, the ANSI code page and UTF-8, the current
// directory, the heaps and the registry of numbered objects.
#include "runtime/Memory.h"
#include "runtime/NumberText.h"
#include "runtime/Platform.h"
#include "runtime/Registry.h"
#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(Text, FindAndFileNamePartTakeAbsentTextsAndAnyStart) {
    const struct {
        const char *text, *find;
        int start, position;
    } finds[] = {
        {"abcabc", "c", 4, 6},       {"abc", "abcd", 1, 0}, {"abc", "", 1, 0},
        {nullptr, "a", 1, 0},        {"abc", "a", -100, 1}, {"abc", "a", 2147483647, 0},
        {"trade.KVE", ".kve", 1, 0},
    };
    for (auto& c : finds)
        EXPECT_EQ(TextFind(c.text, c.find, c.start), c.position)
            << (c.text ? c.text : "(absent)") << " / " << c.find << " @" << c.start;
    const char* parts[][2] = {
        {"C:\\a\\New.kve", "New.kve"},    {"dir/", ""}, {"a/b\\c.kvl", "c.kvl"},
        {"\"C:\\x\\y.kve\" -z", "y.kve"}, {"", ""},
    };
    for (auto& c : parts)
        EXPECT_EQ(FileNamePart(c[0]), c[1]) << c[0];
}

TEST(CurrentDirectory, EndsWithOneSeparatorAndIsNeverCutShort) {
    namespace fs = std::filesystem;
    const char separator = char(fs::path::preferred_separator);
    const fs::path start = fs::current_path();
    std::string expected = start.string() + separator;
    EXPECT_EQ(CurrentDirectory(), expected);
    // Deeper than 260 characters, one short step at a time.
    const std::string name = "kv-current-directory-deep";
    std::error_code failed;
    int depth = 0;
    for (; depth < 14 && fs::create_directory(name, failed); ++depth) {
        fs::current_path(name);
        expected += name + separator;
    }
    EXPECT_EQ(CurrentDirectory(), expected);
    for (int i = 0; i < depth; ++i, fs::remove(name))
        fs::current_path("..");
    fs::current_path(start.root_path()); // the root has a single separator
    EXPECT_EQ(CurrentDirectory(), start.root_path().string());
    fs::current_path(start);
    if (depth < 14)
        GTEST_SKIP() << "this system stops deep directories at level " << depth;
}

const int IntMin = -2147483647 - 1;
const double Inf = std::numeric_limits<double>::infinity();

TEST(NumberText, IntegersReadLenientlyWrapAroundAndWritePlainly) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},     {"abc", 0},   {" \t42xyz", 42},       {"-7.9", -7},
        {"1e3", 1},  {"- 5", 0},   {"2147483648", IntMin}, {"3000000000", -1294967296},
        {"+12", 12}, {nullptr, 0}, {"4294967297", 1},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(TextToNumber(text), value) << (text ? text : "(absent)");
    EXPECT_EQ(NumberToText(IntMin), "-2147483648");
}

TEST(NumberText, FloatsReadTheLongestNumberPrefix) {
    const std::pair<const char*, double> cases[] = {
        {"", 0.0},       {"12,5", 12.0}, {"  3.5e2x", 350.0}, {".5", 0.5},
        {"0x10", 0.0},   {"inf", 0.0},   {"nan", 0.0},        {"1e+", 1.0},
        {"-.25", -0.25}, {"1..2", 1.0},  {"1e999", Inf},      {"1e-999", 0.0},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(TextToFloat(text), value) << '"' << text << '"';
    EXPECT_EQ(TextToFloat("0.1000000000000000000000000000001"), 0.1); // correctly rounded
    EXPECT_EQ(TextToFloat(std::string(5000, '9')), Inf);
}

TEST(NumberText, FloatsWriteFixedWithTenDecimalsByDefaultOrAFixedText) {
    EXPECT_EQ(FloatToText(100.0 / 3), "33.3333333333");
    EXPECT_EQ(FloatToText(1e20), "100000000000000000000.0000000000");
    EXPECT_EQ(FloatToText(-Inf) + FloatToText(std::nan("")), "-infnan");
    EXPECT_EQ(FloatToText(2.5, 0), "2");
    EXPECT_EQ(FloatToText(1.0 / 3, 600), FloatToText(1.0 / 3, 512));
    // The largest double has 309 integer digits; it must fit, not be cut.
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::max(), 512).size(), 309u + 1 + 512);
}

// The quick ways for everyday numbers give exactly what the general conversions of the standard
// library give: random bits, halves at the last decimal, both sides of 2^19 and of 1e9.
TEST(NumberText, QuickPathsAgreeWithTheGeneralConversionsOnManyValues) {
    uint64_t seed = 88172645463325252u;
    const auto next = [&] { return seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17; };
    for (int i = 0; i < 200000; ++i) {
        const uint64_t bits = next();
        double random;
        std::memcpy(&random, &bits, sizeof random);
        const double values[] = {random,
                                 std::ldexp(double(next() % 4000000001) - 2e9, -int(next() % 44)),
                                 double(next() % 100000000) / 1e4 * (i % 2 ? 1 : -1),
                                 std::ldexp(1.0 + double(next() % 1000) / 1e3, 19 - i % 3),
                                 std::nextafter(1e9, 0.0) - i};
        for (double value : values)
            for (int decimals : {10, 0, 3}) {
                char general[1100];
                const auto end = std::to_chars(general, general + sizeof general, value,
                                               std::chars_format::fixed, decimals);
                const std::string text = FloatToText(value, decimals);
                ASSERT_EQ(text, std::string(general, end.ptr)) << bits;
                double read = 0;
                const char* start = text.c_str() + (text[0] == '-');
                std::from_chars(start, text.c_str() + text.size(), read);
                if (std::isfinite(value)) {
                    ASSERT_EQ(TextToFloat(text), text[0] == '-' ? -read : read) << text;
                }
                if (decimals == 10) {
                    ASSERT_EQ(FloatShown(value), TextToFloat(text)) << text;
                }
            }
    }
}

TEST(NumberText, FloatToIntegerRoundsHalvesToEvenAndGivesTheSmallestIntegerOutOfRange) {
    const std::pair<double, int> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.6, 3}, {2147483647.4, 2147483647},
    };
    for (auto [value, result] : cases)
        EXPECT_EQ(FloatToInteger(value), result) << value;
    for (double outOfRange : {1e10, 2147483647.5, -2147483648.5, std::nan(""), Inf})
        EXPECT_EQ(FloatToInteger(outOfRange), IntMin) << outOfRange;
}

// The ANSI code page is Windows-1252 on every build the tests run on.
TEST(Platform, AnsiAndUtf8ConvertBothWaysAndBrokenUtf8IsRefused) {
    const char* pairs[][2] = {{"Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC"},
                              {"\x81\x9F\xFF", "\xC2\x81\xC5\xB8\xC3\xBF"},
                              {"", ""}};
    for (const auto& c : pairs) {
        std::string ansi = "x";
        EXPECT_EQ(PlatformAnsiToUtf8(c[0]), c[1]);
        EXPECT_TRUE(PlatformUtf8ToAnsi(c[1], ansi));
        EXPECT_EQ(ansi, c[0]);
    }
    // Characters the code page lacks, a full-width semicolon among them, are no look-alikes.
    std::string ansi;
    EXPECT_TRUE(PlatformUtf8ToAnsi("\xE4\xB8\xAD\xEF\xBC\x9B\xF0\x9F\x98\x80", ansi));
    EXPECT_EQ(ansi.find_first_not_of('?'), std::string::npos) << ansi;
    for (const char* broken : {"\xE9t\xE9", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                               "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80"}) {
        ansi = "kept";
        EXPECT_FALSE(PlatformUtf8ToAnsi(broken, ansi)) << broken;
        EXPECT_EQ(ansi, "kept");
    }
}

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

TEST_F(Registry, RecordsNeitherMoveNorChangeWhenTheTableGrows) {
    std::vector<Record*> records;
    for (int n = 0; n < 50; ++n)
        records.push_back(Claim(n, n * 10));
    ASSERT_TRUE(Claim(50, 500)); // both grow the table
    ASSERT_TRUE(Claim(201, 2010));
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
