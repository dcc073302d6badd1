// The program launcher: a program's output through pipes, and addresses handed to the shell
// (which the program's Donate and website buttons do).
#include "runtime/Launcher.h"

#include "support/TestFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// More output than a pipe holds: waiting must not stop the child, and every byte arrives.
TEST(ProgramRun, WaitingForAProgramWithMuchOutputEndsWithAllOfIt) {
    LauncherInit();
    TestFolder folder;
    std::string big;
    for (int i = 0; big.size() < 1000000; ++i)
        big += "line " + std::to_string(i) + "\r\n";
    folder.Write("big.txt", big);
    const std::string parameters = "/c type \"" + folder.Path("big.txt") + "\"";
    auto* type = reinterpret_cast<LaunchedProgram*>(
        ProgramRun("cmd", parameters.c_str(), nullptr,
                   LaunchKeep | LaunchReadOutput | LaunchReadError | LaunchWait | LaunchHidden));
    ASSERT_NE(type, nullptr);
    std::string text;
    std::vector<char> buffer(1 << 16);
    DWORD got = 0;
    while (ReadFile(type->output, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got)
        text.append(buffer.data(), got);
    EXPECT_TRUE(text == big) << text.size() << " of " << big.size() << " bytes";
}

// A private address scheme whose "open" leaves a marker file shows whether the shell was asked.
TEST(ProgramRun, AddressesGoToTheShell) {
    LauncherInit(); // and no COM set up here: the launcher does that for the shell
    TestFolder folder;
    struct Removal { // the key with everything under it, passed or failed
        ~Removal() { RegDeleteTreeA(HKEY_CLASSES_ROOT, "kvlaunchtest"); }
    } removal;
    HKEY scheme = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "kvlaunchtest", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &scheme, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(scheme, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    const std::string command = "cmd /c echo opened> \"" + folder.Path("marker.txt") + "\"";
    RegSetValueA(scheme, "shell\\open\\command", REG_SZ, command.c_str(), 0);
    RegCloseKey(scheme);

    // With LaunchWait the shell has written the marker before the call returns.
    auto* opened = reinterpret_cast<LaunchedProgram*>(
        ProgramRun("kvlaunchtest:probe", "", "", LaunchKeep | LaunchWait));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->processId, -1);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"marker.txt"});
    EXPECT_EQ(ProgramRun("C:\\no\\such\\program.exe"), 0);
}

} // namespace
