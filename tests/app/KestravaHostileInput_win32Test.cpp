// Input no trader means to give: very long texts, control characters, numbers out of range.
// The program must take it all, stay responsive and end cleanly.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Puts `text` on the clipboard for as long as it lives.
class ClipboardText {
  public:
    explicit ClipboardText(const std::string& text)
        : owner_(
              CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (!block || !OpenClipboard(owner_))
            return;
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, block);
        CloseClipboard();
    }
    ~ClipboardText() { DestroyWindow(owner_); }
    ClipboardText(const ClipboardText&) = delete;
    ClipboardText& operator=(const ClipboardText&) = delete;

  private:
    HWND owner_;
};

TEST(KestravaHostileInput, LongTextsControlCharactersAndOddNumbersNeitherCrashNorHang) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.TextSet(3, "\x01\x02\x1b\t\x7f"
                   "a\r\nb\nc");
    // A number far past a double's range. Blanks break the digits into runs: Wine's own edit
    // control needs seconds for every repaint of one run of 100,000 digits.
    std::string digits;
    while (digits.size() < 100000)
        digits += std::string(4999, '7') + ' ';
    app.TextSet(4, digits);
    ASSERT_TRUE(app.Responsive(60000));
    app.Type(5, "1e999");
    app.Type(6, "-0");
    app.Type(9, "nan");
    app.Click(3);
    app.Keys({VK_END, 'B', 'G', 'H', 'Z'}, false, true); // control characters typed
    app.Click(14);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(5) != "1e999"; }));
    app.Click(15);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }, 120000));
    EXPECT_TRUE(app.Responsive(120000));
    for (int field : {10, 11, 12, 13, 32, 36, 37, 43})
        EXPECT_LT(app.Text(field).size(), 400u) << field; // a number's text, however odd

    {
        std::string pasted;
        while (pasted.size() < 100000)
            pasted += "12.5e3 nan\x01,";
        ClipboardText clipboard(pasted);
        app.Click(9);
        app.Keys({VK_HOME});
        app.Keys({VK_END}, true);
        app.Keys({'V'}, false, true);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(9).size() >= 1000; }));
    }
    app.Click(14);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(9).size() < 1000; }));
    app.Click(15);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }, 120000));
    EXPECT_TRUE(app.Responsive(120000));

    app.Menu(7);
    DWORD code = 1;
    EXPECT_TRUE(app.Ended(&code));
    EXPECT_EQ(0u, code);
}

TEST(KestravaHostileInput, AHundredThousandCharacterWareSurvivesTheEntryFile) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    const std::string ware = std::string(100000, 'W') + "end";
    app.TextSet(3, ware);
    app.Compute("10", "100", "10", "2");
    app.Menu(3);
    ASSERT_TRUE(app.DialogAnswer("Save Entry", "long"));
    ASSERT_TRUE(WaitUntil([&] { return app.FileRead("Saved-Entrys/long.kve").size() > 100000; }));
    EXPECT_EQ(ware + "\r\n10\r\n", app.FileRead("Saved-Entrys/long.kve").substr(0, 100009));
    app.Menu(1);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Ware"; }));
    app.Menu(2);
    ASSERT_TRUE(app.DialogAnswer("Load Entry", "long.kve"));
    EXPECT_TRUE(WaitUntil([&] { return app.Text(3) == ware; }));
    EXPECT_EQ("12.0000000000", app.Text(10));
    EXPECT_TRUE(app.Responsive());
}

} // namespace
