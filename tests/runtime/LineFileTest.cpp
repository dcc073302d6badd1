#include "runtime/LineFile.h"

#include "runtime/Registry.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Files live in a fresh folder per test.
class LineFile : public ::testing::Test {
protected:
    void TearDown() override { FileCloseAll(); }
    std::string Path(const std::string& name) { return folder.Path(name); }
    std::string FileWith(const std::string& name, const std::string& bytes) {
        folder.Write(name, bytes);
        return folder.Path(name);
    }
    static Lines ReadAll(int number) {
        Lines lines;
        while (!FileAtEnd(number) && lines.size() < 100)
            lines.push_back(FileReadLine(number));
        return lines;
    }
    TestFolder folder;
};

TEST_F(LineFile, ReadsEveryKindOfLineEnd) {
    const std::string x4095(4095, 'x'), x4096(4096, 'x'), y10000(10000, 'y');
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"crlf", "abc\r\ndef\r\n", {"abc", "def"}},
        {"cr", "abc\rdef", {"abc", "def"}},
        {"lf", "abc\ndef", {"abc", "def"}},
        {"lf cr", "a\n\rb", {"a", "", "b"}},
        {"empty", "", {}},
        {"blank lines", "\r\n\r\n\n", {"", "", ""}},
        {"trailing cr", "a\r", {"a"}},
        {"nul", std::string("ab\0cd\r\n", 7), {"ab", "cd"}},
        {"nul then lf", std::string("a\0\nb", 4), {"a", "", "b"}},
        {"long", y10000 + "\r\nz", {y10000, "z"}},
        // A line end split across the 4096-byte buffer boundary.
        {"cr at boundary", x4095 + "\r\nq", {x4095, "q"}},
        {"lf after boundary", x4096 + "\r\nq", {x4096, "q"}},
        {"cr last byte", x4095 + "\r", {x4095}},
    };
    for (auto& c : cases) {
        // Prefixed, since a file named "nul" is a device on Windows.
        std::string path = FileWith(std::string("case ") + c.name, c.bytes);
        ASSERT_NE(FileOpenRead(0, path.c_str()), 0) << c.name;
        EXPECT_EQ(ReadAll(0), c.lines) << c.name;
        EXPECT_EQ(FileAtEnd(0), 1) << c.name;
        EXPECT_EQ(FileReadLine(0), "") << c.name;
        EXPECT_TRUE(FileClose(0)) << c.name;
    }
}

TEST_F(LineFile, CreateEmptiesTheFileAndLinesComeBackInOrder) {
    std::string path = FileWith("write", "old contents\r\n");
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    EXPECT_EQ(folder.Read("write"), "");
    EXPECT_EQ(FileWriteLine(1, "x"), 3);
    EXPECT_EQ(FileWriteLine(1, ""), 2);
    EXPECT_EQ(FileWriteLine(1, nullptr), 2);
    EXPECT_EQ(FileWriteLine(1, "a\nb"), 5); // kept as it is
    // A block larger than the buffer goes straight to the file, after what is buffered.
    const std::string big(5000, 'b'), fill(4093, 'f'); // fill exactly fills the buffer
    EXPECT_EQ(FileWriteLine(1, big), 5002);
    FileWriteLine(1, fill);
    FileWriteLine(1, "end");
    EXPECT_TRUE(FileClose(1));
    EXPECT_EQ(folder.Read("write"), "x\r\n\r\n\r\na\nb\r\n" + big + "\r\n" + fill + "\r\nend\r\n");
    ASSERT_NE(FileOpenRead(1, path.c_str()), 0);
    EXPECT_EQ(ReadAll(1), (Lines{"x", "", "", "a", "b", big, fill, "end"}));
}

TEST_F(LineFile, NumbersReopenedAutomaticOrNotOpen) {
    std::string first = Path("first"), second = FileWith("second", "s\r\n");
    ASSERT_NE(FileCreate(1, first.c_str()), 0);
    FileWriteLine(1, "kept");
    // Reopening a number closes the first file with its data written.
    ASSERT_NE(FileOpenRead(1, second.c_str()), 0);
    EXPECT_EQ(folder.Read("first"), "kept\r\n");
    EXPECT_EQ(FileReadLine(1), "s");
    // A failed open leaves the number free, and the old file is closed all the same.
    ASSERT_EQ(FileOpenRead(1, "linefile-does-not-exist"), 0);
    EXPECT_EQ(FileReadLine(1), "");

    for (int number : {-5, -1, 0, 1, 100000, AutoNumberFirst}) {
        EXPECT_EQ(FileReadLine(number), "") << number;
        EXPECT_EQ(FileWriteLine(number, "x"), 0) << number;
        EXPECT_EQ(FileAtEnd(number), 0) << number;
        EXPECT_FALSE(FileSync(number)) << number;
        EXPECT_FALSE(FileClose(number)) << number;
    }
    EXPECT_EQ(FileCreate(-5, Path("refused").c_str()), 0);
    EXPECT_EQ(FileOpenRead(3, nullptr), 0);

    int a = FileCreate(AutoNumber, first.c_str()), b = FileCreate(AutoNumber, second.c_str());
    ASSERT_NE(a, 0);
    ASSERT_NE(b, 0);
    EXPECT_NE(a, b);
    EXPECT_GT(a, ObjectNumberMax);
    FileWriteLine(a, "one");
    FileWriteLine(b, "two");
    EXPECT_EQ(FileOpenRead(AutoNumber, "linefile-does-not-exist"), 0);
    FileCloseAll();
    EXPECT_EQ(folder.Read("first"), "one\r\n");
    EXPECT_EQ(folder.Read("second"), "two\r\n");
    EXPECT_EQ(FileWriteLine(a, "late"), 0);
}

TEST_F(LineFile, ReadWriteAndAFailedWriteReportedAtClose) {
    // A file opened for reading cannot be written; the loss must not pass as success.
    std::string path = FileWith("readwrite", "abc\r\ndef\r\n");
    ASSERT_NE(FileOpenRead(4, path.c_str()), 0);
    FileWriteLine(4, "lost");
    EXPECT_FALSE(FileSync(4));
    EXPECT_FALSE(FileClose(4));
    EXPECT_EQ(folder.Read("readwrite"), "abc\r\ndef\r\n");

    // Writing after reading continues after the last line read.
    ASSERT_NE(FileOpenReadWrite(5, path.c_str()), 0);
    EXPECT_EQ(FileReadLine(5), "abc");
    FileWriteLine(5, "X");
    EXPECT_TRUE(FileClose(5));
    EXPECT_EQ(folder.Read("readwrite"), "abc\r\nX\r\n\r\n");
    std::string created = Path("readwrite-new");
    ASSERT_NE(FileOpenReadWrite(5, created.c_str()), 0);
    EXPECT_EQ(FileAtEnd(5), 1);
    FileWriteLine(5, "n");
    EXPECT_TRUE(FileClose(5));
    EXPECT_EQ(folder.Read("readwrite-new"), "n\r\n");
}

} // namespace
