// Owners for GDI resources: every device context, GDI object, selection and image list the
// code makes is held by one of these and given back when it goes out of scope. None can be
// copied; the objects can be moved and handed on with Release.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

// A pen, brush, bitmap, font or region; deleted at the end unless handed on.
template <typename Handle> class GdiObject {
  public:
    explicit GdiObject(Handle object = nullptr) : object_(object) {}
    ~GdiObject() {
        if (object_)
            DeleteObject(object_);
    }
    GdiObject(GdiObject&& other) noexcept : object_(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    Handle Release() { return std::exchange(object_, nullptr); }

  private:
    Handle object_;
};

inline GdiObject<HPEN> PenCreate(COLORREF color) {
    return GdiObject<HPEN>(CreatePen(PS_SOLID, 0, color));
}

inline GdiObject<HBRUSH> SolidBrushCreate(COLORREF color) {
    return GdiObject<HBRUSH>(CreateSolidBrush(color));
}

// A bitmap the size given, in the format of `dc`.
inline GdiObject<HBITMAP> CompatibleBitmapCreate(HDC dc, int width, int height) {
    return GdiObject<HBITMAP>(CreateCompatibleBitmap(dc, width, height));
}

// The device context of a window's client area (nullptr: the screen), released at the end.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A memory device context like `reference`, deleted at the end.
class MemoryDc {
  public:
    explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    ~MemoryDc() {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() {
        if (dc_)
            EndPaint(window_, &paint_);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back at the end.
class ObjectSelection {
  public:
    ObjectSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ObjectSelection() {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// An image list, destroyed at the end.
class ImageList {
  public:
    explicit ImageList(HIMAGELIST list = nullptr) : list_(list) {}
    ~ImageList() {
        if (list_)
            ImageList_Destroy(list_);
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    HIMAGELIST Get() const { return list_; }

  private:
    HIMAGELIST list_;
};
