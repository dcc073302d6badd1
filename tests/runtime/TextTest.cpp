#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
    for (int i = 0; i < depth; ++i) {
        fs::current_path("..");
        fs::remove(name);
    }
    fs::current_path(start.root_path()); // the root has a single separator
    EXPECT_EQ(CurrentDirectory(), start.root_path().string());
    fs::current_path(start);
    if (depth < 14)
        GTEST_SKIP() << "this system stops deep directories at level " << depth;
}

} // namespace
