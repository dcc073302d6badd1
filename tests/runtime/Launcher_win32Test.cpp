#include "runtime/Launcher.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LaunchCommandLine, QuotesTheProgramOnceAndAppendsParameters) {
    struct Case {
        const char* program;
        const char* parameters;
        const char* line;
    } cases[] = {
        {"C:\\Program Files\\App\\app.exe", nullptr, "\"C:\\Program Files\\App\\app.exe\""},
        {"\"C:\\Program Files\\App\\app.exe\"", "", "\"C:\\Program Files\\App\\app.exe\""},
        {"\"C:\\a b\\app.exe\" -x", "y", "\"C:\\a b\\app.exe\" -x y"},
        {"cmd", "/c echo hi", "\"cmd\" /c echo hi"},
        {"https://example.org/", nullptr, "\"https://example.org/\""},
        {nullptr, nullptr, "\"\""},
        {nullptr, "-v", "\"\" -v"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LaunchCommandLine(c.program, c.parameters), c.line)
            << (c.program ? c.program : "(absent)");
}

TEST(LaunchShellDirectory, GivenFolderOrTheProgramsOwn) {
    struct Case {
        const char* program;
        const char* directory;
        const char* folder;
    } cases[] = {
        {"C:\\docs\\a.txt", nullptr, "C:\\docs\\"},
        {"C:\\docs\\a.txt", "D:\\work", "D:\\work"},
        {"C:\\docs\\sub\\a.txt", "", "C:\\docs\\sub\\"},
        {"\\a.txt", nullptr, ""}, // a backslash only in first place is no folder
        {"a.txt", nullptr, ""},
        {"https://example.org/x", nullptr, ""},
        {"\"C:\\a b\\c.txt\"", nullptr, "C:\\a b\\"},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LaunchShellDirectory(c.program, c.directory), c.folder)
            << (c.program ? c.program : "(absent)");
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

DWORD ExitCodeAfterEnd(const LaunchedProgram* program) {
    WaitForSingleObject(program->process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(program->process, &code);
    return code;
}

std::string FolderCurrent() {
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string text = folder;
    if (text.back() != '\\')
        text += '\\';
    return text;
}

class ProgramRunTest : public testing::Test {
  protected:
    void SetUp() override { LauncherInit(); }
};

TEST_F(ProgramRunTest, KeptConsoleProgramDeliversItsOutputThroughThePipe) {
    LaunchedProgram* echo = Kept(ProgramRun("cmd", "/c echo hi", nullptr,
                                            LaunchKeep | LaunchReadOutput | LaunchHidden));
    ASSERT_NE(echo, nullptr);
    EXPECT_GT(echo->processId, 0);
    EXPECT_EQ(echo->input, nullptr);
    EXPECT_EQ(echo->error, nullptr);
    ASSERT_NE(echo->output, nullptr);
    EXPECT_EQ(PipeReadAll(echo->output), "hi\r\n");
    EXPECT_EQ(ExitCodeAfterEnd(echo), 0u);
}

TEST_F(ProgramRunTest, InputAndErrorPipesReachTheChild) {
    LaunchedProgram* child =
        Kept(ProgramRun("cmd", "/c set /p line= & call echo got %line% 1>&2", nullptr,
                        LaunchKeep | LaunchWriteInput | LaunchReadOutput | LaunchReadError));
    ASSERT_NE(child, nullptr);
    ASSERT_NE(child->input, nullptr);
    ASSERT_NE(child->error, nullptr);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(child->input, "abc\r\n", 5, &written, nullptr));
    CloseHandle(child->input);
    EXPECT_NE(PipeReadAll(child->error).find("got abc"), std::string::npos);
    EXPECT_EQ(PipeReadAll(child->output).find("got"), std::string::npos);
}

TEST_F(ProgramRunTest, ConnectedProgramReadsTheEarlierOutput) {
    LaunchedProgram* first = Kept(ProgramRun("cmd", "/c echo passed along", nullptr,
                                             LaunchKeep | LaunchReadOutput | LaunchWait));
    ASSERT_NE(first, nullptr);
    LaunchedProgram* second =
        Kept(ProgramRun("cmd", "/c set /p line= & call echo [%line%]", nullptr,
                        LaunchKeep | LaunchReadOutput | LaunchConnect, first));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->input, nullptr);
    EXPECT_NE(PipeReadAll(second->output).find("[passed along]"), std::string::npos);
}

TEST_F(ProgramRunTest, PathWithBlanksStartsDirectlyQuotedOrNot) {
    std::string folder = FolderCurrent() + "launch with blanks\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string program = folder + "cmd.exe";
    ASSERT_TRUE(CopyFileA((std::string(system) + "\\cmd.exe").c_str(), program.c_str(), FALSE));
    for (const std::string& text : {program, "\"" + program + "\""}) {
        LaunchedProgram* run = Kept(ProgramRun(text.c_str(), "/c exit 7", nullptr,
                                               LaunchKeep | LaunchWait | LaunchHidden));
        ASSERT_NE(run, nullptr) << text;
        EXPECT_GT(run->processId, 0) << text; // a direct start, not the shell
        EXPECT_EQ(ExitCodeAfterEnd(run), 7u) << text;
    }
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

// A private address scheme whose "open" command leaves a marker file, so a test can see
// whether the shell was asked without opening a browser.
class ShellFallbackTest : public ProgramRunTest {
  protected:
    std::string marker = FolderCurrent() + "launch-marker.txt";
    void SetUp() override {
        ProgramRunTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        DeleteFileA(marker.c_str());
        HKEY scheme = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "kvlaunchtest", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &scheme, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(scheme, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        std::string command = "cmd /c echo opened> \"" + marker + "\"";
        RegSetValueA(scheme, "shell\\open\\command", REG_SZ, command.c_str(),
                     static_cast<DWORD>(command.size()));
        RegCloseKey(scheme);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "kvlaunchtest");
        DeleteFileA(marker.c_str());
        CoUninitialize();
    }
    bool MarkerExists() const { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

TEST_F(ShellFallbackTest, FailedStartWithPipesNeverAsksTheShell) {
    // LaunchWait would have held us until a shell-started program wrote the marker.
    for (int pipes : {LaunchReadOutput, LaunchWriteInput, LaunchReadError, LaunchConnect})
        EXPECT_EQ(ProgramRun("kvlaunchtest:probe", nullptr, nullptr,
                             LaunchKeep | LaunchWait | pipes, nullptr),
                  0)
            << pipes;
    EXPECT_FALSE(MarkerExists());
}

TEST_F(ShellFallbackTest, AddressIsOpenedThroughTheShell) {
    LaunchedProgram* opened = Kept(
        ProgramRun("kvlaunchtest:probe", nullptr, nullptr, LaunchKeep | LaunchWait, nullptr));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->processId, -1);
    EXPECT_EQ(opened->output, nullptr);
    EXPECT_TRUE(MarkerExists());
}

TEST_F(ShellFallbackTest, AddressWithoutFlagsReturnsOne) {
    // The application's form: no waiting, no record.
    EXPECT_EQ(ProgramRun("kvlaunchtest:probe"), 1);
    EXPECT_EQ(ProgramRun("kvlaunchtest-unknown-scheme:probe"), 0);
    EXPECT_EQ(ProgramRun("C:\\no\\such\\program.exe"), 0);
}

} // namespace
