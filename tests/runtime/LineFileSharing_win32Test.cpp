// The sharing rules of the open modes, which only the Windows build enforces.
#include "runtime/LineFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class LineFileSharing : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(path, std::ios::binary) << "keep\r\n"; }
    void TearDown() override {
        FileCloseAll();
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        std::remove(path);
    }
    std::string Bytes() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const char* path = "linefile-sharing.txt";
};

TEST_F(LineFileSharing, ReadersShareButKeepWritersOut) {
    ASSERT_NE(FileOpenRead(0, path), 0);
    EXPECT_NE(FileOpenRead(1, path), 0);
    EXPECT_EQ(FileCreate(2, path), 0);
    EXPECT_EQ(FileOpenReadWrite(3, path), 0);
    EXPECT_EQ(FileOpenExclusive(4, path), 0);
    EXPECT_EQ(FileReadLine(1), "keep");
    FileCloseAll();
    EXPECT_EQ(Bytes(), "keep\r\n");
}

TEST_F(LineFileSharing, ExclusiveKeepsEveryoneOut) {
    ASSERT_NE(FileOpenExclusive(0, path), 0);
    EXPECT_EQ(FileOpenRead(1, path), 0);
    EXPECT_EQ(FileCreate(2, path), 0);
    ASSERT_TRUE(FileClose(0));
    EXPECT_NE(FileOpenRead(1, path), 0);
}

TEST_F(LineFileSharing, AFileHeldOpenByAnotherProgramCannotBeCreated) {
    HANDLE held = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileCreate(1, path), 0);
    CloseHandle(held);
    EXPECT_EQ(Bytes(), "keep\r\n");
}

TEST_F(LineFileSharing, CreateReplacesAHiddenFile) {
    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_NE(FileCreate(1, path), 0);
    FileWriteLine(1, "new");
    EXPECT_TRUE(FileClose(1));
    EXPECT_EQ(Bytes(), "new\r\n");
}

}  // namespace
