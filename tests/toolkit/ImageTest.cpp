#include "toolkit/Image.h"

#include "toolkit/Gdi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

template <typename T> void Append(Bytes& bytes, const T& value) {
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

void FileWrite(const char* name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A "BM" file of 24 bits, or of 8 with a grey palette.
Bytes BitmapBytes(int width, int height, int depth) {
    const int palette = depth == 8 ? 256 : 0;
    const int stride = ((width * depth + 31) / 32) * 4;
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + palette * 4;
    const BITMAPFILEHEADER file = {0x4D42, offset + stride * height, 0, 0, offset};
    Bytes bytes;
    Append(bytes, file);
    Append(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(depth), 0, 0, 0,
                                   0, 0, 0});
    for (int i = 0; i < palette; ++i)
        Append(bytes, RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0});
    bytes.resize(file.bfSize, 0x5A);
    return bytes;
}

// An icon file with one 16 x 16 image of 32 bits; `reserved` is its first word.
Bytes IconBytes(WORD reserved) {
    const WORD header[3] = {reserved, 1, 1};
    const unsigned char entry[16] = {16, 16, 0, 0, 1, 0, 32, 0, 0x68, 4, 0, 0, 22, 0, 0, 0};
    Bytes bytes;
    Append(bytes, header);
    Append(bytes, entry);
    Append(bytes, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 16, 32, 1, 32, 0, 0, 0, 0, 0, 0});
    bytes.resize(22 + 0x468, 0x80); // colour pixels, then the mask below them
    return bytes;
}

// How many more GDI objects the process could make: its change counts objects made or freed.
int GdiFreeSlots() {
    std::vector<GdiObject<HBITMAP>> made;
    made.reserve(200000);
    while (made.size() < 200000) {
        GdiObject<HBITMAP> bitmap(CreateBitmap(1, 1, 1, 1, nullptr));
        if (!bitmap)
            break;
        made.push_back(std::move(bitmap));
    }
    return static_cast<int>(made.size());
}

bool IsDibSection(HANDLE bitmap) {
    DIBSECTION section = {};
    return GetObjectA(bitmap, sizeof section, &section) == sizeof section;
}

class ImageTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ImagesInit();
        FileWrite("image-24.bmp", BitmapBytes(300, 40, 24));
        FileWrite("image-8.bmp", BitmapBytes(33, 20, 8));
        FileWrite("image.ico", IconBytes(0));
        FileWrite("image-broken.bmp", {'B', 'M', 1, 2, 3, 4, 5, 6});
        FileWrite("image-bm-icon.ico", IconBytes(0x4D42)); // a good icon, apart from "BM"
        FileWrite("image.png", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H'});
    }
    void TearDown() override { ImageFreeAll(); }
};

TEST_F(ImageTest, DepthDecidesTheBitmapKindAndFreeAllTakesEveryImage) {
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

    HANDLE bitmap = ImageHandle(2), icon = ImageHandle(5);
    ImageFreeAll();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_FALSE(DestroyIcon(static_cast<HICON>(icon))); // already destroyed
}

TEST_F(ImageTest, UnreadableFilesFailAndLeaveNoImage) {
    for (const char* file : {"image-broken.bmp", "image-bm-icon.ico", "image.png", "none.bmp"}) {
        EXPECT_EQ(ImageLoad(6, file), 0) << file;
        EXPECT_EQ(ImageHandle(6), nullptr) << file;
    }
}

TEST_F(ImageTest, LoadingANumberAgainFreesTheOldImage) {
    struct Case {
        const char* second;
        int objectsFreed; // GDI objects fewer than with the first image alone
    } cases[] = {{"image-8.bmp", 0}, {"image-broken.bmp", 1}};
    for (const Case& c : cases) {
        ASSERT_NE(ImageLoad(2, "image-24.bmp"), 0);
        const int slotsBefore = GdiFreeSlots();
        ImageLoad(2, c.second);
        EXPECT_EQ(GdiFreeSlots() - slotsBefore, c.objectsFreed) << c.second;
    }
}

} // namespace
