#include "runtime/Launcher.h"

#include "support/TestFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LaunchText, CommandLineQuotesOnceAndShellFolderComesFromTheProgram) {
    EXPECT_EQ(LaunchCommandLine("C:\\Program Files\\a.exe", nullptr),
              "\"C:\\Program Files\\a.exe\"");
    EXPECT_EQ(LaunchCommandLine("\"C:\\a b\\a.exe\"", ""), "\"C:\\a b\\a.exe\"");
    EXPECT_EQ(LaunchCommandLine("cmd", "/c echo hi"), "\"cmd\" /c echo hi");
    EXPECT_EQ(LaunchCommandLine(nullptr, nullptr), "\"\"");
    EXPECT_EQ(LaunchShellDirectory("C:\\docs\\a.txt", nullptr), "C:\\docs\\");
    EXPECT_EQ(LaunchShellDirectory("C:\\docs\\a.txt", "D:\\work"), "D:\\work");
    EXPECT_EQ(LaunchShellDirectory("\\a.txt", ""), ""); // only a leading backslash: no folder
    EXPECT_EQ(LaunchShellDirectory("https://example.org/x", nullptr), "");
    EXPECT_EQ(LaunchShellDirectory("\"C:\\a b\\c.txt\"", nullptr), "C:\\a b\\");
}

LaunchedProgram* Kept(intptr_t result) { return reinterpret_cast<LaunchedProgram*>(result); }

std::string PipeReadAll(void* pipe) {
    std::string text;
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

TEST(ProgramRun, KeptProgramsHandTheirOutputOn) {
    LauncherInit();
    LaunchedProgram* echo =
        Kept(ProgramRun("cmd", "/c echo hi", nullptr, LaunchKeep | LaunchReadOutput | LaunchWait));
    ASSERT_NE(echo, nullptr);
    EXPECT_GT(echo->processId, 0);
    EXPECT_EQ(echo->input, nullptr);
    EXPECT_EQ(PipeReadAll(echo->output), "hi\r\n");
    // A connected program reads the earlier one's output as its input.
    LaunchedProgram* first = Kept(
        ProgramRun("cmd", "/c echo passed", nullptr, LaunchKeep | LaunchReadOutput | LaunchWait));
    ASSERT_NE(first, nullptr);
    LaunchedProgram* second =
        Kept(ProgramRun("cmd", "/c set /p line= & call echo [%line%]", nullptr,
                        LaunchKeep | LaunchReadOutput | LaunchConnect, first));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(PipeReadAll(second->output).find("[passed]"), std::string::npos);
}

// A private address scheme whose "open" command leaves a marker file: the test sees
// whether the shell was asked without opening a browser.
TEST(ProgramRun, AddressesGoToTheShellUnlessPipesWereAskedFor) {
    LauncherInit();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TestFolder folder;
    const std::string marker = folder.Path("launch-marker.txt");
    HKEY scheme = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "kvlaunchtest", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &scheme, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(scheme, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    const std::string command = "cmd /c echo opened> \"" + marker + "\"";
    RegSetValueA(scheme, "shell\\open\\command", REG_SZ, command.c_str(), 0);
    RegCloseKey(scheme);

    // With LaunchWait a shell start would have written the marker before returning.
    for (int pipes : {LaunchReadOutput, LaunchWriteInput, LaunchReadError, LaunchConnect})
        EXPECT_EQ(ProgramRun("kvlaunchtest:probe", "", "", LaunchKeep | LaunchWait | pipes), 0);
    EXPECT_TRUE(folder.Names().empty());

    LaunchedProgram* opened =
        Kept(ProgramRun("kvlaunchtest:probe", "", "", LaunchKeep | LaunchWait));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->processId, -1);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"launch-marker.txt"});
    EXPECT_EQ(ProgramRun("kvlaunchtest:probe"), 1); // the application's form: no record
    EXPECT_EQ(ProgramRun("kvlaunchtest-unknown:probe"), 0);
    EXPECT_EQ(ProgramRun("C:\\no\\such\\program.exe"), 0);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "kvlaunchtest");
    CoUninitialize();
}

} // namespace
