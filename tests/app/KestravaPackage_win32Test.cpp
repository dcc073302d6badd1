// The ZIP a user downloads, unpacked into an empty folder by a setup step and started from
// there: everything the program needs is in it, and it starts without an error (without its
// help text it would say so before its window is built). Working with the data files and the
// save folders is tested on the build's own copy.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#ifndef KV_PACKAGE_DIR
#define KV_PACKAGE_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

TEST(KestravaPackage, HoldsTheProgramItsDataAndEmptySaveFoldersAndStartsCleanly) {
    const fs::path unpacked = KV_PACKAGE_DIR;
    for (const char* name : {"Kestrava.exe", "ReadMe.txt", "data/help.txt", "data/header.bmp"})
        EXPECT_TRUE(fs::is_regular_file(unpacked / name)) << name;
    for (const char* name : {"Saved-Entrys", "Saved-Lists"})
        EXPECT_TRUE(fs::is_directory(unpacked / name) && fs::is_empty(unpacked / name)) << name;
    Kestrava app([&](const fs::path& folder) {
        fs::remove_all(folder);
        fs::copy(unpacked, folder, fs::copy_options::recursive);
    });
    ASSERT_TRUE(app.Ready()) << (app.Window("ERROR", "#32770") ? "an ERROR box showed" : "");
}

} // namespace
