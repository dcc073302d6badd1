#include "runtime/LineFile.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

class LineFile : public ::testing::Test {
  protected:
    void TearDown() override { FileCloseAll(); }
    std::string FileWith(const std::string& name, const std::string& bytes) {
        folder.Write(name, bytes);
        return folder.Path(name);
    }
    TestFolder folder;
};

// Each line comes with whether it is text: control bytes other than tab are not (NUL ends it).
TEST_F(LineFile, ReadsEveryKindOfLineEndAndTellsTextFromControlBytes) {
    const std::string x4095(4095, 'x'), y10000(10000, 'y');
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
        const char* text; // per line: t text, b not
    } cases[] = {
        {"crlf", "abc\r\ndef\r\n", {"abc", "def"}, "tt"},
        {"cr", "abc\rdef", {"abc", "def"}, "tt"},
        {"lf", "abc\ndef", {"abc", "def"}, "tt"},
        {"lf cr", "a\n\rb", {"a", "", "b"}, "ttt"},
        {"nul", std::string("ab\0cd\r\n", 7), {"ab", "cd"}, "bt"},
        {"controls", "a\x01\tb\x7f\r\n\x1f\n\t", {"a\x01\tb\x7f", "\x1f", "\t"}, "bbt"},
        {"long", y10000 + "\r\nz", {y10000, "z"}, "tt"},
        {"cr at buffer end", x4095 + "\r\nq", {x4095, "q"}, "tt"},
    };
    for (auto& c : cases) {
        std::string path = FileWith(std::string("case ") + c.name, c.bytes); // "nul" is a device
        ASSERT_NE(FileOpenRead(0, path.c_str()), 0) << c.name;
        Lines lines;
        std::string text;
        while (!FileAtEnd(0) && lines.size() < 100) {
            lines.emplace_back();
            text += FileReadTextLine(0, lines.back()) ? 't' : 'b';
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(FileReadLine(0), "") << c.name;
        EXPECT_TRUE(FileClose(0)) << c.name;
    }
}

// Files are written the way a save writes them: into a name nobody has yet.
TEST_F(LineFile, WritesCrLfLinesOnlyIntoNewFilesAndReportsAFailedWriteAtClose) {
    const std::string path = folder.Path("write");
    ASSERT_NE(FileCreateNew(1, path.c_str()), 0);
    const std::string big(5000, 'b'); // larger than the buffer
    for (const std::string& line : {std::string("x"), std::string(), big})
        EXPECT_EQ(FileWriteLine(1, line), int(line.size()) + 2);
    EXPECT_TRUE(FileClose(1));
    EXPECT_EQ(folder.Read("write"), "x\r\n\r\n" + big + "\r\n");
    EXPECT_EQ(FileCreateNew(2, path.c_str()), 0); // a user's file is never taken over

    ASSERT_NE(FileOpenRead(4, path.c_str()), 0);
    FileWriteLine(4, "lost");
    EXPECT_FALSE(FileClose(4));
    EXPECT_EQ(folder.Read("write"), "x\r\n\r\n" + big + "\r\n");
}

TEST_F(LineFile, NumbersReopenedAndNotOpen) {
    std::string first = folder.Path("first"), second = FileWith("second", "s\r\n");
    ASSERT_NE(FileCreateNew(1, first.c_str()), 0);
    FileWriteLine(1, "kept");
    ASSERT_NE(FileOpenRead(1, second.c_str()), 0);
    EXPECT_EQ(folder.Read("first"), "kept\r\n");
    EXPECT_EQ(FileReadLine(1), "s");
    ASSERT_EQ(FileOpenRead(1, "linefile-does-not-exist"), 0);
    EXPECT_EQ(FileReadLine(1), ""); // a number whose open failed is not open
}

} // namespace
