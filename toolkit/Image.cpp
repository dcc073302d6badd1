#include "toolkit/Image.h"

#include "runtime/Registry.h"
#include "toolkit/Gdi.h"

namespace {

struct ImageRecord {
    HANDLE Handle; // HBITMAP or HICON; owned by the record
    int Width;
    int Height;
    int Depth; // bits per pixel
};

ObjectTable* imageTable = nullptr;

ImageRecord* ImageFind(int number) {
    return imageTable ? static_cast<ImageRecord*>(ObjectLookup(imageTable, number)) : nullptr;
}

// The file's first two bytes; false when it can't be opened.
bool FileReadSignature(const char* fileName, char signature[2]) {
    HANDLE file = CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD got = 0;
    if (!ReadFile(file, signature, 2, &got, nullptr) || got < 2)
        signature[0] = signature[1] = 0;
    CloseHandle(file);
    return true;
}

bool BitmapLoad(const char* fileName, int flags, ImageRecord* image) {
    UINT load = LR_LOADFROMFILE;
    if (!(flags & ImageLoadDeviceBitmap))
        load |= LR_CREATEDIBSECTION;
    GdiObject<HGDIOBJ> bitmap(LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, load));
    BITMAP description = {};
    if (!bitmap.Get() || !GetObjectA(bitmap.Get(), sizeof description, &description))
        return false;
    if (description.bmBitsPixel <= 8) {
        // Palette pictures draw right only in the display's own format; the first load goes.
        GdiObject<HGDIOBJ> display(
            LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        if (!display.Get() || !GetObjectA(display.Get(), sizeof description, &description))
            return false;
        image->Handle = display.Release();
    } else {
        image->Handle = bitmap.Release();
    }
    image->Width = description.bmWidth;
    image->Height = description.bmHeight;
    image->Depth = description.bmBitsPixel;
    return true;
}

bool IconLoad(const char* fileName, ImageRecord* image) {
    HICON icon =
        static_cast<HICON>(LoadImageA(nullptr, fileName, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    if (!icon)
        return false;
    ICONINFO info = {};
    BITMAP description = {};
    if (GetIconInfo(icon, &info)) {
        GdiObject<HBITMAP> mask(info.hbmMask);
        GdiObject<HBITMAP> color(info.hbmColor);
        if (color.Get()) {
            GetObjectA(color.Get(), sizeof description, &description);
        } else if (mask.Get()) {
            // A monochrome icon keeps its picture and mask one above the other in the mask.
            GetObjectA(mask.Get(), sizeof description, &description);
            description.bmHeight /= 2;
        }
    }
    image->Handle = icon;
    image->Width = description.bmWidth;
    image->Height = description.bmHeight;
    image->Depth = description.bmBitsPixel;
    return true;
}

} // namespace

// Only bitmaps and icons are read; the list of further decoders stays empty.
void ImageDecodersReset() {}

void ImagesInit() {
    if (!imageTable)
        imageTable = ObjectTableCreate(sizeof(ImageRecord), 16, ImageFree);
}

intptr_t ImageLoad(int number, const char* fileName) {
    return ImageLoadEx(number, fileName, 0);
}

intptr_t ImageLoadEx(int number, const char* fileName, int flags) {
    if (!imageTable)
        return 0;
    int assigned = number;
    ImageRecord* image = static_cast<ImageRecord*>(ObjectAcquire(imageTable, number, &assigned));
    if (!image)
        return 0;
    char signature[2] = {};
    bool loaded = false;
    if (fileName && FileReadSignature(fileName, signature)) {
        if (signature[0] == 'B' && signature[1] == 'M')
            loaded = BitmapLoad(fileName, flags, image); // a broken bitmap is not an icon
        else
            loaded = IconLoad(fileName, image);
    }
    if (!loaded) {
        if (number == AutoNumber)
            ObjectRelease(imageTable, assigned); // nobody could ever free that number
        return 0;
    }
    return number == AutoNumber ? assigned : reinterpret_cast<intptr_t>(image->Handle);
}

void ImageFree(int number) {
    ImageRecord* image = ImageFind(number);
    if (!image)
        return;
    if (GetObjectType(image->Handle) == OBJ_BITMAP)
        DeleteObject(image->Handle);
    else
        DestroyIcon(static_cast<HICON>(image->Handle));
    ObjectRelease(imageTable, number);
}

void ImageFreeAll() {
    ObjectCloseAll(imageTable, ImageFree);
}

HANDLE ImageHandle(int number) {
    ImageRecord* image = ImageFind(number);
    return image ? image->Handle : nullptr;
}

int ImageGetWidth(int number) {
    ImageRecord* image = ImageFind(number);
    return image ? image->Width : 0;
}

int ImageGetHeight(int number) {
    ImageRecord* image = ImageFind(number);
    return image ? image->Height : 0;
}

int ImageGetDepth(int number) {
    ImageRecord* image = ImageFind(number);
    return image ? image->Depth : 0;
}
