#include "runtime/LineFile.h"

#include "runtime/Registry.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

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

TEST_F(LineFile, ReadsEveryKindOfLineEnd) {
    const std::string x4095(4095, 'x'), y10000(10000, 'y');
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"crlf", "abc\r\ndef\r\n", {"abc", "def"}},
        {"cr", "abc\rdef", {"abc", "def"}},
        {"lf", "abc\ndef", {"abc", "def"}},
        {"lf cr", "a\n\rb", {"a", "", "b"}},
        {"nul", std::string("ab\0cd\r\n", 7), {"ab", "cd"}},
        {"long", y10000 + "\r\nz", {y10000, "z"}},
        {"cr at buffer end", x4095 + "\r\nq", {x4095, "q"}},
    };
    for (auto& c : cases) {
        std::string path = FileWith(std::string("case ") + c.name, c.bytes); // "nul" is a device
        ASSERT_NE(FileOpenRead(0, path.c_str()), 0) << c.name;
        Lines lines;
        while (!FileAtEnd(0) && lines.size() < 100)
            lines.push_back(FileReadLine(0));
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(FileReadLine(0), "") << c.name;
        EXPECT_TRUE(FileClose(0)) << c.name;
    }
}

TEST_F(LineFile, WritesCrLfLinesInPlaceAndReportsAFailedWriteAtClose) {
    std::string path = FileWith("write", "old contents\r\n");
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    EXPECT_EQ(folder.Read("write"), "");
    const std::string big(5000, 'b'); // larger than the buffer
    for (const std::string& line : {std::string("x"), std::string(), big})
        EXPECT_EQ(FileWriteLine(1, line), int(line.size()) + 2);
    EXPECT_TRUE(FileClose(1));
    EXPECT_EQ(folder.Read("write"), "x\r\n\r\n" + big + "\r\n");

    path = FileWith("readwrite", "abc\r\ndef\r\n");
    ASSERT_NE(FileOpenRead(4, path.c_str()), 0);
    FileWriteLine(4, "lost");
    EXPECT_FALSE(FileClose(4));
    ASSERT_NE(FileOpenReadWrite(5, path.c_str()), 0);
    EXPECT_EQ(FileReadLine(5), "abc");
    FileWriteLine(5, "X");
    EXPECT_TRUE(FileClose(5));
    EXPECT_EQ(folder.Read("readwrite"), "abc\r\nX\r\n\r\n");
}

TEST_F(LineFile, NumbersReopenedAutomaticOrNotOpen) {
    std::string first = folder.Path("first"), second = FileWith("second", "s\r\n");
    ASSERT_NE(FileCreate(1, first.c_str()), 0);
    FileWriteLine(1, "kept");
    ASSERT_NE(FileOpenRead(1, second.c_str()), 0);
    EXPECT_EQ(folder.Read("first"), "kept\r\n");
    EXPECT_EQ(FileReadLine(1), "s");
    ASSERT_EQ(FileOpenRead(1, "linefile-does-not-exist"), 0);
    EXPECT_EQ(FileReadLine(1), "");

    EXPECT_EQ(FileWriteLine(100000, "x"), 0);
    EXPECT_FALSE(FileClose(-1));
    int a = FileCreate(AutoNumber, first.c_str()), b = FileCreate(AutoNumber, second.c_str());
    ASSERT_TRUE(a && b && a != b);
    FileWriteLine(a, "one");
    FileWriteLine(b, "two");
    FileCloseAll();
    EXPECT_EQ(folder.Read("first") + folder.Read("second"), "one\r\ntwo\r\n");
}

#ifdef _WIN32
// The sharing rules of the open modes, which only the Windows build enforces.
TEST_F(LineFile, ReadersShareExclusiveKeepsOutHeldOpenRefusesHiddenIsReplaced) {
    const std::string path = FileWith("f.txt", "keep\r\n");
    ASSERT_NE(FileOpenRead(0, path.c_str()), 0);
    EXPECT_NE(FileOpenRead(1, path.c_str()), 0);
    EXPECT_EQ(FileOpenReadWrite(3, path.c_str()), 0);
    FileCloseAll();
    ASSERT_NE(FileOpenExclusive(0, path.c_str()), 0);
    EXPECT_EQ(FileOpenRead(1, path.c_str()), 0);
    ASSERT_TRUE(FileClose(0));

    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileCreate(1, path.c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(folder.Read("f.txt"), "keep\r\n");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    EXPECT_TRUE(FileClose(1));
    EXPECT_EQ(folder.Read("f.txt"), "");
}
#endif

} // namespace
