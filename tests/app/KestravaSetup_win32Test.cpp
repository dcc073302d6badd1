// The setup program as a trader meets it: a silent install into a folder of one's choosing, the
// program started from its Start-menu shortcut and by a list's file type, and an update and an
// uninstall that both leave what was saved where it was, byte for byte.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>

// KV_SETUP_EXE, KV_VERSION and KV_APP_DIR (the built program) come from the build.

namespace fs = std::filesystem;

namespace {

const char* const UninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestrava";
const char* const FileTypes[] = {".kvl", "Kestrava.List", ".kve", "Kestrava.Entry"};
const std::vector<std::string> InstalledFiles = {"Kestrava.exe",    "ReadMe.txt",    "Saved-Entrys",
                                                 "Saved-Lists",     "Uninstall.exe", "data",
                                                 "data/header.bmp", "data/help.txt"};

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

// Starts a command line in `folder` (the test's own when nullptr): its process, or nullptr.
HANDLE Launch(std::string command, const char* folder = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Runs a command line to its end: its exit code, or -1 when it did not start or end in time.
int CommandRun(const std::string& command) {
    HANDLE process = Launch(command);
    DWORD code = DWORD(-1);
    if (process && WaitForSingleObject(process, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    else if (process)
        TerminateProcess(process, code);
    CloseHandle(process);
    return int(code);
}

// A text value of a key of the current user's; "" when either is missing.
std::string RegText(const std::string& key, const char* value = nullptr) {
    char text[1024] = {};
    DWORD size = sizeof text;
    return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text,
                        &size) == ERROR_SUCCESS
               ? text
               : "";
}

bool RegHas(const std::string& key) {
    HKEY opened = nullptr;
    const bool has = RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) == 0;
    RegCloseKey(opened);
    return has;
}

std::string StartMenuShortcut() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
    return std::string(programs) + "\\Kestrava.lnk";
}

// The shortcut's target and working folder, read as the shell reads them.
std::pair<std::string, std::string> ShortcutRead(const std::string& shortcut) {
    std::pair<std::string, std::string> target;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return target;
    char path[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(std::wstring(shortcut.begin(), shortcut.end()).c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)))
        target = {path, folder};
    if (file)
        file->Release();
    link->Release();
    return target;
}

// Every file and folder under `folder`, sorted, with "/" between the names. The uninstaller's
// last step, removing the folder if it is empty, holds it for a moment, and it cannot be read
// then: the listing is made again.
std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    WaitUntil([&] {
        names.clear();
        std::error_code error;
        fs::recursive_directory_iterator entry(folder, error), end;
        for (; !error && entry != end; entry.increment(error))
            names.push_back(entry->path().lexically_relative(folder).generic_string());
        return !error || error == std::errc::no_such_file_or_directory;
    });
    std::sort(names.begin(), names.end());
    return names;
}

// Gone, and not only held for a moment by the uninstaller removing it.
bool Gone(const fs::path& path) {
    std::error_code error;
    return !fs::exists(path, error) && !error;
}

std::string FileRead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A list of two rows, as the program saves one.
std::string ListBytes() {
    Texts lines = {"2"};
    for (const char* ware : {"Salt", "Pepper"})
        lines.insert(lines.end(), {ware, "10", "100", "12", "2", "10", "120", "20", "20", "1"});
    lines.insert(lines.end(), {"20", "200", "12", "2", "40", "20", "20", "240"});
    return CrLfLines(lines);
}

// The install the test made, in a folder with a blank in its path; at the end whatever is
// still installed is uninstalled, so that the next test and the prefix start clean.
class Installation {
  public:
    Installation() : folder_(test_.Path("My Programs\\Kestrava")) {}
    ~Installation() {
        if (!Gone(Path("Uninstall.exe")))
            CommandRun(Quoted(Path("Uninstall.exe")) + " /S _?=" + folder_);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::string& Folder() const { return folder_; }
    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    std::string Outside(const char* name) const { return test_.Path(name); }
    // Silently, into the test's folder or, without `chosen`, where the setup finds fit.
    int Install(bool chosen = true) {
        return CommandRun(Quoted(KV_SETUP_EXE) + " /S" + (chosen ? " /D=" + folder_ : ""));
    }
    // As the list of programs does it: the uninstaller goes on in a copy of its own, so the
    // wait is for its last step.
    bool Uninstall() {
        const std::string command = RegText(UninstallKey, "QuietUninstallString");
        return CommandRun(command) == 0 &&
               WaitUntil([&] { return Gone(Path("Uninstall.exe")); }, 30000);
    }

  private:
    TestFolder test_;
    std::string folder_;
};

// A program started by the test or by the shell, ended at the latest with the test.
class Started {
  public:
    explicit Started(HANDLE process) : process_(process) { EXPECT_TRUE(process) << "not started"; }
    ~Started() {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_, 1), WaitForSingleObject(process_, 10000);
        CloseHandle(process_);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    // Waits until its window is built, answering ERROR boxes on the way: their texts.
    std::string Errors() {
        std::string errors;
        const DWORD id = GetProcessId(process_);
        EXPECT_TRUE(WaitUntil(
            [&] {
                if (HWND box = WindowOfProcess(id, "ERROR", "#32770")) {
                    errors += DialogStaticTexts(box);
                    DialogPress(box, IDOK);
                    WaitUntil([&] { return !IsWindow(box); });
                }
                main_ = WindowOfProcess(id, "Kestrava");
                return main_ && GetDlgItem(main_, TotalSellPriceField);
            },
            60000));
        return errors;
    }
    HWND Control(int number) const { return GetDlgItem(main_, number); }
    bool Closed() {
        PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return WaitForSingleObject(process_, 15000) == WAIT_OBJECT_0;
    }

  private:
    HANDLE process_;
    HWND main_ = nullptr;
};

// Wine's shell reads file types only from the machine's classes, where Windows merges in the
// user's own: under Wine they are copied there for as long as they are needed.
class UserFileTypesSeen {
  public:
    UserFileTypesSeen() {
        const auto ntdll = GetModuleHandleA("ntdll.dll");
        wine_ = ntdll && GetProcAddress(ntdll, "wine_get_version");
        for (const char* name : FileTypes) {
            HKEY from = nullptr, to = nullptr;
            const std::string key = std::string("Software\\Classes\\") + name;
            if (wine_ && RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &from) == 0 &&
                RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &to, nullptr) == 0)
                RegCopyTreeA(from, nullptr, to);
            RegCloseKey(from);
            RegCloseKey(to);
        }
    }
    ~UserFileTypesSeen() {
        for (const char* name : FileTypes)
            if (wine_)
                RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                               (std::string("Software\\Classes\\") + name).c_str());
    }
    UserFileTypesSeen(const UserFileTypesSeen&) = delete;
    UserFileTypesSeen& operator=(const UserFileTypesSeen&) = delete;

  private:
    bool wine_ = false;
};

// Everything lands in the chosen folder as built and is registered for the user alone; the
// shortcut starts the program in its folder, where it finds its help text; a running program
// is not uninstalled halfway; a list opens by its file type (its path with blanks).
TEST(KestravaSetup, InstallsForTheUserStartsFromTheShortcutAndOpensAListByItsType) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Installation setup;
    ASSERT_EQ(0, setup.Install());
    EXPECT_EQ(InstalledFiles, Listing(setup.Folder()));
    for (const char* name : {"Kestrava.exe", "data/help.txt", "data/header.bmp"})
        EXPECT_EQ(FileRead(fs::path(KV_APP_DIR) / name), FileRead(fs::path(setup.Folder()) / name))
            << name << " as built";
    const std::string exe = setup.Path("Kestrava.exe");
    uintmax_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(setup.Folder()))
        bytes += entry.is_regular_file() ? entry.file_size() : 0;
    for (auto [value, expected] :
         {std::pair<const char*, std::string>{"DisplayName", "Kestrava"},
          {"DisplayVersion", KV_VERSION},
          {"Publisher", "Kestrava"},
          {"DisplayIcon", exe + ",0"},
          {"InstallLocation", setup.Folder()},
          {"UninstallString", Quoted(setup.Path("Uninstall.exe"))},
          {"QuietUninstallString", Quoted(setup.Path("Uninstall.exe")) + " /S"}})
        EXPECT_EQ(expected, RegText(UninstallKey, value)) << value;
    DWORD kilobytes = 0, size = sizeof kilobytes;
    RegGetValueA(HKEY_CURRENT_USER, UninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                 &kilobytes, &size);
    EXPECT_NEAR(double(bytes) / 1024, kilobytes, double(bytes) / 1024 / 5);
    for (int type = 0; type < 4; type += 2) {
        const std::string progId = std::string("Software\\Classes\\") + FileTypes[type + 1];
        EXPECT_EQ(FileTypes[type + 1],
                  RegText(std::string("Software\\Classes\\") + FileTypes[type]));
        EXPECT_NE("", RegText(progId)) << "a description";
        EXPECT_EQ(exe + ",0", RegText(progId + "\\DefaultIcon"));
        EXPECT_EQ(Quoted(exe) + " \"%1\"", RegText(progId + "\\shell\\open\\command"));
    }

    const auto [target, folder] = ShortcutRead(StartMenuShortcut());
    EXPECT_EQ(exe, target);
    EXPECT_EQ(setup.Folder(), folder);
    {
        Started app(Launch(Quoted(target), folder.c_str()));
        EXPECT_EQ("", app.Errors()) << "it found its help text";

        EXPECT_EQ(2, CommandRun(Quoted(setup.Path("Uninstall.exe")) + " /S _?=" + setup.Folder()));
        EXPECT_EQ(InstalledFiles, Listing(setup.Folder()));
        EXPECT_TRUE(RegHas(UninstallKey));
        EXPECT_TRUE(app.Closed());
    }

    const std::string list = setup.Outside("trade list.kvl");
    std::ofstream(list, std::ios::binary) << ListBytes();
    {
        UserFileTypesSeen seen;
        SHELLEXECUTEINFOA open = {};
        open.cbSize = sizeof open;
        open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI; // no dialog to hang on
        open.lpVerb = "open";
        open.lpFile = list.c_str();
        open.nShow = SW_SHOWNORMAL;
        ASSERT_TRUE(ShellExecuteExA(&open) && open.hProcess);
        Started app(open.hProcess);
        // Started in another folder, the program still finds its data beside itself.
        EXPECT_EQ("", app.Errors());
        EXPECT_TRUE(
            WaitUntil([&] { return Send(app.Control(TradeList), LVM_GETITEMCOUNT, 0, 0) == 2; }));
        EXPECT_TRUE(app.Closed());
    }
}

// An update over an install with saved files, run without a folder, goes to the same folder
// and keeps them; the uninstaller leaves them and their folders; an install over them again
// keeps them too. With nothing saved, nothing at all is left.
TEST(KestravaSetup, AnUpdateAndAnUninstallKeepWhatWasSaved) {
    Installation setup;
    ASSERT_EQ(0, setup.Install());
    const std::string list = ListBytes(), entry = CrLfLines({"Salt", "10", "100", "10", "1"});
    std::ofstream(setup.Path("Saved-Lists\\trade list.kvl"), std::ios::binary) << list;
    std::ofstream(setup.Path("Saved-Entrys\\salt.kve"), std::ios::binary) << entry;
    std::vector<std::string> withSaved = InstalledFiles;
    withSaved.insert(withSaved.begin() + 3, "Saved-Entrys/salt.kve");
    withSaved.insert(withSaved.begin() + 5, "Saved-Lists/trade list.kvl");
    const auto savedKept = [&] {
        return FileRead(setup.Path("Saved-Lists\\trade list.kvl")) == list &&
               FileRead(setup.Path("Saved-Entrys\\salt.kve")) == entry;
    };

    ASSERT_EQ(0, setup.Install(false));
    EXPECT_EQ(withSaved, Listing(setup.Folder()));
    EXPECT_TRUE(savedKept());
    char local[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    EXPECT_FALSE(fs::exists(std::string(local) + "\\Programs\\Kestrava")) << "a second install";

    ASSERT_TRUE(setup.Uninstall());
    EXPECT_EQ((std::vector<std::string>{"Saved-Entrys", "Saved-Entrys/salt.kve", "Saved-Lists",
                                        "Saved-Lists/trade list.kvl"}),
              Listing(setup.Folder()));
    EXPECT_TRUE(savedKept());
    EXPECT_FALSE(fs::exists(StartMenuShortcut()));
    EXPECT_FALSE(RegHas(UninstallKey));
    for (const char* name : FileTypes)
        EXPECT_FALSE(RegHas(std::string("Software\\Classes\\") + name)) << name;

    ASSERT_EQ(0, setup.Install());
    EXPECT_EQ(withSaved, Listing(setup.Folder()));
    EXPECT_TRUE(savedKept());

    fs::remove(setup.Path("Saved-Lists\\trade list.kvl"));
    fs::remove(setup.Path("Saved-Entrys\\salt.kve"));
    ASSERT_TRUE(setup.Uninstall());
    EXPECT_TRUE(WaitUntil([&] { return Gone(setup.Folder()); }));
}

} // namespace
