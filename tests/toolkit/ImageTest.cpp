#include "toolkit/Image.h"

#include "runtime/Registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void FileWrite(const std::string& name, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

template <typename T> void Append(std::vector<unsigned char>& bytes, const T& value) {
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

// A bottom-up "BM" file of the given depth (24, or 8 with a grey palette).
std::vector<unsigned char> BitmapBytes(int width, int height, int depth) {
    const int palette = depth <= 8 ? 1 << depth : 0;
    const int stride = ((width * depth + 31) / 32) * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info + palette * 4;
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(depth);
    info.biSizeImage = stride * height;
    std::vector<unsigned char> bytes;
    Append(bytes, file);
    Append(bytes, info);
    for (int i = 0; i < palette; ++i)
        Append(bytes, RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
    for (int i = 0; i < stride * height; ++i)
        bytes.push_back(static_cast<unsigned char>(i * 7));
    return bytes;
}

// An icon file with one 16 x 16 image of 32 bits per pixel.
std::vector<unsigned char> IconBytes(WORD reserved = 0) {
    const int size = 16;
    std::vector<unsigned char> image;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = size;
    info.biHeight = size * 2; // colour and mask
    info.biPlanes = 1;
    info.biBitCount = 32;
    Append(image, info);
    for (int i = 0; i < size * size; ++i)
        Append(image, 0xFF2080C0u);
    image.insert(image.end(), size * 4, 0); // mask rows of 32 bits each
    std::vector<unsigned char> bytes;
    const WORD header[3] = {reserved, 1, 1};
    Append(bytes, header);
    const unsigned char entry[8] = {size, size, 0, 0, 1, 0, 32, 0};
    Append(bytes, entry);
    Append(bytes, static_cast<DWORD>(image.size()));
    Append(bytes, static_cast<DWORD>(6 + 16));
    bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

const std::vector<unsigned char> kPngBytes = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05, 0x00, 0x01, 0xFF, 0x89, 0x99,
    0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

bool IsDibSection(HANDLE bitmap) {
    DIBSECTION section = {};
    return GetObjectA(bitmap, sizeof section, &section) == sizeof section;
}

int DisplayDepth() {
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return depth;
}

// How many more GDI objects the process could make: the change counts objects made or freed.
int GdiFreeSlots() {
    std::vector<HBITMAP> made;
    while (made.size() < 200000) {
        HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
        if (!bitmap)
            break;
        made.push_back(bitmap);
    }
    for (HBITMAP bitmap : made)
        DeleteObject(bitmap);
    return static_cast<int>(made.size());
}

class ImageTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ImagesInit();
        ImageDecodersReset();
        FileWrite("image-24.bmp", BitmapBytes(300, 40, 24));
        FileWrite("image-8.bmp", BitmapBytes(33, 20, 8));
        FileWrite("image.ico", IconBytes());
        // Broken bitmaps: a bare signature, and an icon file whose first word reads "BM".
        FileWrite("image-broken.bmp", {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8});
        FileWrite("image-bm-icon.ico", IconBytes(0x4D42));
        FileWrite("image.png", kPngBytes);
        FileWrite("image-empty.bmp", {});
        FileWrite("image-one.bmp", {'B'});
    }
    void TearDown() override { ImageFreeAll(); }
};

TEST_F(ImageTest, TrueColourBitmapStaysADibSection) {
    intptr_t handle = ImageLoad(2, "image-24.bmp");
    ASSERT_NE(handle, 0);
    EXPECT_EQ(reinterpret_cast<HANDLE>(handle), ImageHandle(2));
    EXPECT_TRUE(IsDibSection(ImageHandle(2)));
    EXPECT_EQ(ImageGetWidth(2), 300);
    EXPECT_EQ(ImageGetHeight(2), 40);
    EXPECT_EQ(ImageGetDepth(2), 24);
}

TEST_F(ImageTest, DeviceFlagAndPaletteBitmapsGiveDisplayBitmaps) {
    ASSERT_NE(ImageLoadEx(3, "image-24.bmp", ImageLoadDeviceBitmap), 0);
    ASSERT_NE(ImageLoad(4, "image-8.bmp"), 0);
    for (int number : {3, 4}) {
        EXPECT_EQ(GetObjectType(ImageHandle(number)), static_cast<DWORD>(OBJ_BITMAP)) << number;
        EXPECT_FALSE(IsDibSection(ImageHandle(number))) << number;
        EXPECT_EQ(ImageGetDepth(number), DisplayDepth()) << number;
    }
    EXPECT_EQ(ImageGetWidth(4), 33);
    EXPECT_EQ(ImageGetHeight(4), 20);
}

TEST_F(ImageTest, IconFileLoadsAtItsOwnSize) {
    ASSERT_NE(ImageLoad(5, "image.ico"), 0);
    EXPECT_EQ(GetObjectType(ImageHandle(5)), 0u); // an icon, not a GDI object
    EXPECT_EQ(ImageGetWidth(5), 16);
    EXPECT_EQ(ImageGetHeight(5), 16);
    EXPECT_EQ(ImageGetDepth(5), 32);
    ImageFree(5);
    EXPECT_EQ(ImageHandle(5), nullptr);
}

TEST_F(ImageTest, UnreadableFilesFailAndLeaveNoImage) {
    HANDLE held = CreateFileA("image-24.bmp", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const char* files[] = {"image-broken.bmp", "image-bm-icon.ico", "image.png",
                           "image-empty.bmp",  "image-one.bmp",     "no-such-file.bmp",
                           "image-24.bmp" /* held open without sharing */, nullptr};
    for (const char* file : files) {
        EXPECT_EQ(ImageLoad(6, file), 0) << (file ? file : "(absent)");
        EXPECT_EQ(ImageHandle(6), nullptr);
        EXPECT_EQ(ImageGetWidth(6), 0);
        EXPECT_EQ(ImageLoad(AutoNumber, file), 0) << (file ? file : "(absent)");
    }
    CloseHandle(held);
}

TEST_F(ImageTest, LoadingANumberAgainFreesTheOldImage) {
    struct Case {
        const char* second;
        int objectsFreed; // GDI objects fewer than with the first image alone
    } cases[] = {
        {"image-24.bmp", 0},
        {"image-8.bmp", 0}, // its first, true-colour load must not stay behind
        {"image-broken.bmp", 1},
        {"no-such-file.bmp", 1},
    };
    for (const Case& c : cases) {
        ASSERT_NE(ImageLoad(2, "image-24.bmp"), 0);
        HANDLE first = ImageHandle(2);
        const int slotsBefore = GdiFreeSlots();
        ImageLoad(2, c.second);
        EXPECT_EQ(GdiFreeSlots() - slotsBefore, c.objectsFreed) << c.second;
        if (ImageHandle(2) != first) {
            EXPECT_EQ(GetObjectType(first), 0u) << c.second;
        }
        ImageFree(2);
    }
}

TEST_F(ImageTest, AutomaticNumbersAndFreeAll) {
    intptr_t number = ImageLoad(AutoNumber, "image-24.bmp");
    ASSERT_GE(number, AutoNumberFirst);
    HANDLE automatic = ImageHandle(static_cast<int>(number));
    ASSERT_NE(ImageLoad(7, "image.ico"), 0);
    HANDLE icon = ImageHandle(7);
    EXPECT_EQ(ImageGetDepth(static_cast<int>(number)), 24);
    ImageFreeAll();
    EXPECT_EQ(GetObjectType(automatic), 0u);
    EXPECT_FALSE(DestroyIcon(static_cast<HICON>(icon))); // already destroyed
    EXPECT_EQ(ImageHandle(static_cast<int>(number)), nullptr);
    EXPECT_EQ(ImageHandle(7), nullptr);
    ImageFree(-1);
    ImageFree(12345);
    EXPECT_EQ(ImageGetDepth(12345), 0);
}

} // namespace
