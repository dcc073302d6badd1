// Numbered images loaded from files: Windows bitmaps ("BM" files) and icon or cursor files,
// held as native GDI bitmaps or icons with their size and colour depth.
#pragma once

#include <windows.h>

#include <cstdint>

// ImageLoadEx flag: keep a bitmap device-dependent instead of as a DIB section.
constexpr int ImageLoadDeviceBitmap = 128;

// No extra decoders are ever registered; kept so start-up can reset the list.
void ImageDecodersReset();
// Once at start-up, before any image is loaded.
void ImagesInit();

// Loads `fileName` as image `number` (AutoNumber: a new number). An image already loaded
// under that number is freed first, even when the new load fails.
// Result: the native handle (HBITMAP or HICON), or for AutoNumber the new number; 0 on failure.
intptr_t ImageLoad(int number, const char* fileName);
intptr_t ImageLoadEx(int number, const char* fileName, int flags);

// Deletes the bitmap or destroys the icon; unknown numbers (and -1) do nothing.
void ImageFree(int number);
void ImageFreeAll();

// The image's fields; nullptr or 0 for an unknown number.
HANDLE ImageHandle(int number);
int ImageGetWidth(int number);
int ImageGetHeight(int number);
int ImageGetDepth(int number);
