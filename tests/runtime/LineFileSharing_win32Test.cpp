// The sharing rules of the open modes, which only the Windows build enforces.
#include "runtime/LineFile.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(LineFileSharing, ReadersShareExclusiveKeepsOutHeldOpenRefusesHiddenIsReplaced) {
    TestFolder folder;
    folder.Write("f.txt", "keep\r\n");
    const std::string path = folder.Path("f.txt");
    ASSERT_NE(FileOpenRead(0, path.c_str()), 0);
    EXPECT_NE(FileOpenRead(1, path.c_str()), 0);
    EXPECT_EQ(FileOpenReadWrite(3, path.c_str()), 0);
    FileCloseAll();

    ASSERT_NE(FileOpenExclusive(0, path.c_str()), 0);
    EXPECT_EQ(FileOpenRead(1, path.c_str()), 0);
    ASSERT_TRUE(FileClose(0));

    // A file held open by another program cannot be created over.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileCreate(1, path.c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(folder.Read("f.txt"), "keep\r\n");
    // Creating over a hidden file replaces it.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    EXPECT_TRUE(FileClose(1));
    EXPECT_EQ(folder.Read("f.txt"), "");
}

} // namespace
