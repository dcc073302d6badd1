#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

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

#ifdef _WIN32
bool DirectoryChange(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }
bool DirectoryMake(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
void DirectoryRemove(const std::string& path) { RemoveDirectoryA(path.c_str()); }
const char separator = '\\';
const char* const root = "C:\\";
#else
bool DirectoryChange(const std::string& path) { return chdir(path.c_str()) == 0; }
bool DirectoryMake(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }
void DirectoryRemove(const std::string& path) { rmdir(path.c_str()); }
const char separator = '/';
const char* const root = "/";
#endif

TEST(CurrentDirectory, EndsWithOneSeparatorAndIsNeverCutShort) {
    std::string start = CurrentDirectory();
    ASSERT_FALSE(start.empty());
    EXPECT_EQ(start.back(), separator);
    EXPECT_NE(start[start.size() - 2], separator);

    // Deeper than the classic 260-character limit, one short step at a time.
    const std::string name = "kv-current-directory-deep";
    int depth = 0;
    while (depth < 14 && DirectoryMake(name) && DirectoryChange(name))
        ++depth;
    std::string deep = CurrentDirectory();
    for (int i = 0; i < depth; ++i) {
        DirectoryChange("..");
        DirectoryRemove(name);
    }
    EXPECT_EQ(CurrentDirectory(), start);
    ASSERT_TRUE(DirectoryChange(root)); // the root has a single separator
    EXPECT_EQ(CurrentDirectory(), root);
    ASSERT_TRUE(DirectoryChange(start));
    if (depth < 14)
        GTEST_SKIP() << "this system stops deep directories at level " << depth;
    EXPECT_EQ(deep.size(), start.size() + 14 * (name.size() + 1));
    EXPECT_EQ(deep.substr(0, start.size()), start);
    EXPECT_EQ(deep.back(), separator);
}

}  // namespace
