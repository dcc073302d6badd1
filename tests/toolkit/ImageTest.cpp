// Images loaded from files: which kind of handle each gets, and what frees them.
#include "toolkit/Image.h"

#include "toolkit/Gdi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

template <typename T> void Append(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A "BM" file of 24 bits, or of 8 with a grey palette.
std::string BitmapBytes(int width, int height, int depth) {
    const int palette = depth == 8 ? 256 : 0, stride = ((width * depth + 31) / 32) * 4;
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + palette * 4;
    const BITMAPFILEHEADER file = {0x4D42, offset + stride * height, 0, 0, offset};
    std::string bytes;
    Append(bytes, file);
    Append(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(depth), 0, 0, 0,
                                   0, 0, 0});
    for (int i = 0; i < palette; ++i)
        Append(bytes, RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0});
    bytes.resize(file.bfSize, 0x5A);
    return bytes;
}

// An icon file with one 16 x 16 image of 32 bits; `reserved` is its first word.
std::string IconBytes(WORD reserved) {
    const WORD header[3] = {reserved, 1, 1};
    const unsigned char entry[16] = {16, 16, 0, 0, 1, 0, 32, 0, 0x68, 4, 0, 0, 22, 0, 0, 0};
    std::string bytes;
    Append(bytes, header);
    Append(bytes, entry);
    Append(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 16, 32, 1, 32, 0, 0, 0, 0, 0, 0});
    bytes.resize(22 + 0x468, '\x80'); // colour pixels, then the mask below them
    return bytes;
}

bool IsDibSection(HANDLE bitmap) {
    DIBSECTION section = {};
    return GetObjectA(bitmap, sizeof section, &section) == sizeof section;
}

TEST(ImageTest, DepthDecidesTheBitmapKindALoadFreesTheNumbersImageAndFreeAllTakesAll) {
    ImagesInit();
    const std::pair<const char*, std::string> files[] = {
        {"image-24.bmp", BitmapBytes(300, 40, 24)},
        {"image-8.bmp", BitmapBytes(33, 20, 8)},
        {"image.ico", IconBytes(0)},
        {"image-broken.bmp", "BM\1\2\3\4\5\6"},
        {"image-bm-icon.ico", IconBytes(0x4D42)}, // a good icon, apart from "BM"
        {"image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIH", 14)},
    };
    for (const auto& [name, bytes] : files)
        std::ofstream(name, std::ios::binary) << bytes;
    const int display = GetDeviceCaps(WindowDc(nullptr).Get(), BITSPIXEL);
    const intptr_t loaded = ImageLoad(2, "image-24.bmp");
    ASSERT_EQ(reinterpret_cast<HANDLE>(loaded), ImageHandle(2));
    EXPECT_TRUE(IsDibSection(ImageHandle(2)));
    EXPECT_EQ(ImageGetDepth(2), 24);
    ASSERT_NE(ImageLoad(4, "image-8.bmp"), 0);
    EXPECT_FALSE(IsDibSection(ImageHandle(4)));
    EXPECT_EQ(ImageGetDepth(4), display);
    EXPECT_EQ(ImageGetWidth(4), 33);
    ASSERT_NE(ImageLoad(5, "image.ico"), 0);
    EXPECT_EQ(GetObjectType(ImageHandle(5)), 0u); // an icon, not a GDI object
    EXPECT_EQ(ImageGetDepth(5), 32);

    // Loading into a number frees the image it holds, whether or not the new one loads.
    HANDLE old = ImageHandle(2);
    for (const char* bad : {"image-broken.bmp", "image-bm-icon.ico", "image.png", "none.bmp"}) {
        EXPECT_EQ(ImageLoad(2, bad), 0) << bad;
        EXPECT_EQ(ImageHandle(2), nullptr) << bad;
    }
    EXPECT_EQ(GetObjectType(old), 0u);

    HANDLE bitmap = ImageHandle(4), icon = ImageHandle(5);
    ImageFreeAll();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_FALSE(DestroyIcon(static_cast<HICON>(icon))); // already destroyed
}

} // namespace
