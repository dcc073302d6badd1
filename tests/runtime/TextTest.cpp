#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <string>

#include <filesystem>

namespace {

TEST(Text, FindCountsFromOneAndComparesWithCase) {
    const struct {
        const char* text;
        const char* find;
        int start;
        int position;
    } cases[] = {
        {"abcabc", "c", 4, 6}, {"abc", "abcd", 1, 0},  {"abc", "b", 0, 2},
        {"abc", "", 1, 0},     {"", "a", 1, 0},        {nullptr, "a", 1, 0},
        {"abc", nullptr, 1, 0}, {"abc", "c", 3, 3},    {"abc", "c", 4, 0},
        {"abc", "a", -100, 1}, {"abc", "a", 2147483647, 0},
        {"trade.KVE", ".kve", 1, 0}, {"a.kve.kve", ".kve", 3, 6},
    };
    for (auto& c : cases)
        EXPECT_EQ(TextFind(c.text, c.find, c.start), c.position)
            << (c.text ? c.text : "(absent)") << " / " << (c.find ? c.find : "(absent)") << " @"
            << c.start;
}

TEST(Text, FileNamePartTakesTheLastComponent) {
    const struct {
        const char* path;
        const char* part;
    } cases[] = {
        {"C:\\a\\New.kve", "New.kve"}, {"New.kve", "New.kve"}, {"dir/", ""},
        {"a/b\\c.kvl", "c.kvl"},       {"\"quoted.kve\"", "quoted.kve"},
        {"\"C:\\x\\y.kve\" -z", "y.kve"}, {"", ""},              {nullptr, ""},
    };
    for (auto& c : cases)
        EXPECT_EQ(FileNamePart(c.path), c.part) << (c.path ? c.path : "(absent)");
}

TEST(Text, EqualTreatsAbsentAsEmptyAndColorRgbPacksRedGreenBlue) {
    EXPECT_TRUE(TextEqual(nullptr, ""));
    EXPECT_TRUE(TextEqual("abc", "abc"));
    EXPECT_FALSE(TextEqual("a", "A"));
    EXPECT_FALSE(TextEqual("ab", "abc"));
    EXPECT_FALSE(TextEqual(nullptr, "x"));
    EXPECT_EQ(ColorRgb(255, 244, 244), 16053503);
    EXPECT_EQ(ColorRgb(1, 2, 3), 0x030201);
    EXPECT_EQ(ColorRgb(0, 0, 256), 0x01000000);  // not masked
}

TEST(CurrentDirectory, EndsWithOneSeparatorAndIsNeverCutShort) {
    namespace fs = std::filesystem;
    const char separator = char(fs::path::preferred_separator);
    const fs::path start = fs::current_path();
    const std::string before = CurrentDirectory();
    EXPECT_EQ(before, start.string() + separator);

    // Deeper than the classic 260-character limit, one short step at a time.
    const std::string name = "kv-current-directory-deep";
    std::string expected = before;
    std::error_code failed;
    int depth = 0;
    for (; depth < 14 && fs::create_directory(name, failed); ++depth) {
        fs::current_path(name);
        expected += name + separator;
    }
    EXPECT_EQ(CurrentDirectory(), expected);
    for (int i = 0; i < depth; ++i) {
        fs::current_path("..");
        fs::remove(name);
    }
    EXPECT_EQ(CurrentDirectory(), before);
    fs::current_path(start.root_path()); // the root has a single separator
    EXPECT_EQ(CurrentDirectory(), start.root_path().string());
    fs::current_path(start);
    if (depth < 14)
        GTEST_SKIP() << "this system stops deep directories at level " << depth;
}

}  // namespace
