// The ZIP a user downloads, unpacked into an empty folder by a setup step and started from
// there: the program finds its help text and saves into its own folder.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#ifndef KV_PACKAGE_DIR
#define KV_PACKAGE_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

TEST(KestravaPackage, StartedFromTheUnpackedZipItShowsItsHelpAndSavesAnEntry) {
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
    HWND help = app.HelpOpen();
    ASSERT_TRUE(help);
    EXPECT_NE("", app.Text(GetDlgItem(help, 101)));
    ASSERT_TRUE(app.HelpOk(help));
    app.TextSet(3, "Pepper");
    ASSERT_TRUE(app.FileDialog(3, "Save Entry", "pepper"));
    EXPECT_TRUE(WaitUntil(
        [&] { return app.FileRead("Saved-Entrys/pepper.kve").rfind("Pepper\r\n", 0) == 0; }));
    EXPECT_FALSE(app.Window("ERROR", "#32770"));
}

} // namespace
