// Kestrava among the trader's other programs: files handed to it on the command line (as the
// shell does for a double click) or dropped on its window, the title and the recent lists, and
// the last session kept however the program ends.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <shlobj.h>

namespace fs = std::filesystem;

namespace {

const Texts Salt = {"Salt",         "10", "100.0000000000", "12.0000000000",
                    "2.0000000000", "10", "120.0000000000", "20.0000000000",
                    "20.0000000000"};

std::string ListBytes() {
    Texts lines = {"1"};
    lines.insert(lines.end(), Salt.begin(), Salt.end());
    for (const char* line : {"1", "10", "100.0000000000", "12.0000000000", "2.0000000000",
                             "20.0000000000", "20.0000000000", "10", "120.0000000000"})
        lines.push_back(line);
    return CrLfLines(lines);
}

// A list, an entry and a CSV file open as the menu opens them, quoted paths with blanks too;
// a missing file and a file of another kind each give their message and change nothing.
TEST(KestravaDesktop, OpensTheFileGivenOnTheCommandLine) {
    const struct {
        const char* arguments; // in the program's folder
        const char* error;     // nullptr: opens
        bool list;
    } cases[] = {
        {"\"Saved-Lists\\My lists\\trade list.kvl\"", nullptr, true},
        {"Saved-Lists\\My lists\\trade list.kvl", nullptr, true},
        {"\"Saved-Entrys\\salt.KVE\"", nullptr, false},
        {"\"Saved-Lists\\My lists\\salt.csv\"", nullptr, true},
        {"Saved-Lists\\missing.kvl", "Can't load this file!\n", true},
        {"Saved-Lists\\notes.txt", "Can't open this kind of file!\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        Kestrava app(
            [](const fs::path& folder) {
                fs::create_directories(folder / "Saved-Lists/My lists");
                std::ofstream(folder / "Saved-Lists/My lists/trade list.kvl", std::ios::binary)
                    << ListBytes();
                std::ofstream(folder / "Saved-Lists/notes.txt", std::ios::binary) << ListBytes();
                std::ofstream(folder / "Saved-Lists/My lists/salt.csv", std::ios::binary)
                    << "Ware,Buyunits,Buyprice,Sellunits,Unityield [$]\r\nSalt,10,100,10,2\r\n";
                std::ofstream(folder / "Saved-Entrys/salt.KVE", std::ios::binary) << CrLfLines(
                    {"Salt", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
                     "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"});
            },
            false, c.arguments);
        EXPECT_EQ(c.error ? c.error : "", c.error ? app.ErrorConfirm() : "");
        ASSERT_TRUE(app.Ready());
        const Texts shown = app.Rows() ? app.Row(0) : Texts{app.Text(WareField)};
        EXPECT_EQ(c.error ? Texts{"Ware"} : c.list ? Salt : Texts{"Salt"}, shown);
    }
}

// The file names of the recent lists as the program keeps them for the File menu. (Wine shows
// no program the menus of another, so the menu itself is looked at in a screenshot.)
Texts RecentLists() {
    Texts names;
    for (int i = 1; i <= 8; ++i) {
        char path[MAX_PATH * 2] = {};
        DWORD size = sizeof path;
        if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Kestrava\\Recent Lists",
                         std::to_string(i).c_str(), RRF_RT_REG_SZ, nullptr, path,
                         &size) == ERROR_SUCCESS)
            names.push_back(fs::path(path).filename().string());
    }
    return names;
}

// Files dropped on the window as the desktop drops them: a DROPFILES block with the names,
// in the program's own memory, and WM_DROPFILES posted to the window.
void Drop(Kestrava& app, const Texts& names) {
    DROPFILES header = {};
    header.pFiles = sizeof header;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::string& name : names)
        block += (app.Folder() / name).string() + '\0';
    block += '\0';
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, app.Id());
    void* at = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, at, block.data(), block.size(), nullptr);
    CloseHandle(process);
    PostMessageA(app.Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(at), 0);
}

std::string Title(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A dropped list or entry opens as from the menu; of several files the first; other kinds of
// file are refused.
TEST(KestravaDesktop, FilesDroppedOnTheWindowOpenLikeFromTheMenu) {
    Kestrava app([](const fs::path& folder) {
        std::ofstream(folder / "Saved-Lists/dropped.kvl", std::ios::binary) << ListBytes();
        std::ofstream(folder / "Saved-Lists/notes.txt", std::ios::binary) << "notes";
    });
    ASSERT_TRUE(app.Ready());
    Drop(app, {"Saved-Lists/notes.txt", "Saved-Lists/dropped.kvl"});
    EXPECT_EQ("Can't open this kind of file!\n", app.ErrorConfirm());
    EXPECT_EQ(0, app.Rows());
    Drop(app, {"Saved-Lists/dropped.kvl", "Saved-Lists/notes.txt"});
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 1 && app.Row(0) == Salt; }));
    EXPECT_EQ("Kestrava - dropped.kvl", Title(app.Main()));
    EXPECT_TRUE(app.Responsive());
    EXPECT_FALSE(app.Window("ERROR", "#32770"));
}

// The title follows the list's file and its changes; the File menu offers the last lists,
// also after a restart, and forgets one that is gone.
TEST(KestravaDesktop, TitleAndRecentListsFollowTheFilesOpenedAndSaved) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrava\\Recent Lists");
    const auto lists = [](const fs::path& folder) {
        for (const char* name : {"a.kvl", "b.kvl"})
            std::ofstream(folder / "Saved-Lists" / name, std::ios::binary) << ListBytes();
    };
    Kestrava first(lists);
    ASSERT_TRUE(first.Ready());
    EXPECT_EQ("Kestrava", Title(first.Main()));
    EXPECT_EQ(Texts{}, RecentLists());
    const struct {
        int item;
        const char* name;
        const char* title;
    } steps[] = {
        {MenuOpenList, "a.kvl", "Kestrava - a.kvl"},
        {TransferButton, nullptr, "Kestrava - a.kvl*"},
        {MenuSaveList, "c", "Kestrava - c.kvl"},
        {MenuOpenList, "b.kvl", "Kestrava - b.kvl"},
        {MenuClearList, nullptr, "Kestrava - b.kvl*"},
        {MenuSaveList, "d", "Kestrava - d.kvl"},
        {MenuSaveList, "e", "Kestrava - e.kvl"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.title);
        if (step.item == TransferButton)
            first.Click(TransferButton);
        else if (!step.name)
            first.Menu(step.item);
        else
            ASSERT_TRUE(first.FileDialog(
                step.item, step.item == MenuOpenList ? "Load List" : "Save List", step.name));
        EXPECT_TRUE(WaitUntil([&] { return Title(first.Main()) == step.title; }))
            << Title(first.Main());
    }
    const Texts recent = {"e.kvl", "d.kvl", "b.kvl", "c.kvl", "a.kvl"};
    EXPECT_EQ(recent, RecentLists());
    first.Menu(MenuQuit);
    EXPECT_EQ(0u, first.ExitCode());

    // After a restart the menu still offers them; one deleted meanwhile says so and goes.
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.Menu(MenuRecentFirst + 2);
    EXPECT_TRUE(WaitUntil([&] { return Title(app.Main()) == "Kestrava - b.kvl"; }));
    EXPECT_EQ((Texts{"b.kvl", "e.kvl", "d.kvl", "c.kvl", "a.kvl"}), RecentLists());
    fs::remove(first.Folder() / "Saved-Lists/d.kvl");
    app.Menu(MenuRecentFirst + 2);
    EXPECT_EQ("Can't load this file!\n", app.ErrorConfirm());
    EXPECT_TRUE(WaitUntil([&] {
        return RecentLists() == Texts{"b.kvl", "e.kvl", "c.kvl", "a.kvl"};
    }));
    EXPECT_EQ("Kestrava - b.kvl", Title(app.Main()));
}

// However the program ends, a changed list is kept in "Last session.kvl", and the next start
// opens it on request; an unchanged list leaves that file as it was.
TEST(KestravaDesktop, NothingLostAtQuitAndTheLastSessionComesBack) {
    const auto quit = [](Kestrava& app, int way) {
        switch (way) {
        case 0: app.Menu(MenuQuit); break;
        case 1: PostMessageA(app.Main(), WM_CLOSE, 0, 0); break;
        case 2: // Windows shutting down: everyone agrees first, then it ends
            EXPECT_TRUE(Send(app.Main(), WM_QUERYENDSESSION, 0, 0));
            Send(app.Main(), WM_ENDSESSION, TRUE, 0);
            break;
        }
        return app.ExitCode();
    };
    const std::string session = "Saved-Lists/Last session.kvl";
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        std::string kept;
        {
            Kestrava app;
            ASSERT_TRUE(app.Ready());
            app.RowAdd("Salt", "10", "100", "10", "2");
            EXPECT_EQ(0u, quit(app, way));
            kept = app.FileRead(session);
        }
        EXPECT_EQ(ListBytes(), kept);
        Kestrava app([&](const fs::path& folder) {
            std::ofstream(folder / session, std::ios::binary) << kept;
        });
        ASSERT_TRUE(app.Ready());
        app.Menu(MenuReopenSession);
        EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 1 && app.Row(0) == Salt; }));
        EXPECT_EQ(0u, quit(app, way)); // unchanged: the file stays as it was
        EXPECT_EQ(kept, app.FileRead(session));
    }
}

} // namespace
