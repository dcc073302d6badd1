// Row images: a bitmap or icon shown in front of a row, from a small and a large image list
// whose first image is a transparent placeholder.
#include "toolkit/ListView.h"

#include <new>

// Black squares: the transparent placeholder and the mask of every added bitmap.
static HBITMAP BlackSquare(int side) {
    const WindowDc screen(nullptr);
    GdiObject<HBITMAP> bitmap = CompatibleBitmapCreate(screen.Get(), side, side);
    const MemoryDc dc(screen.Get());
    const ObjectSelection selected(dc.Get(), bitmap.Get());
    PatBlt(dc.Get(), 0, 0, side, side, BLACKNESS);
    return bitmap.Release();
}

static HBITMAP Placeholder(bool large) {
    static HBITMAP smallSquare = BlackSquare(16); // kept for the whole run
    static HBITMAP largeSquare = BlackSquare(32);
    return large ? largeSquare : smallSquare;
}

static void RowImagesPlaceholders(RowImageSet* set) {
    ImageList_AddMasked(set->small.Get(), Placeholder(false), RGB(0, 0, 0));
    ImageList_AddMasked(set->large.Get(), Placeholder(true), RGB(0, 0, 0));
}

static HIMAGELIST ImageListCreate(int width, int height) {
    return ImageList_Create(width, height, ILC_MASK | ILC_COLOR32, 1, 1);
}

// The control shows images only from lists it was given; it does not own them.
static RowImageSet* RowImagesNeed(WidgetRecord* widget) {
    std::unique_ptr<RowImageSet>& images = ListViewStateOf(widget).rowImages;
    if (images)
        return images.get();
    images.reset(new (std::nothrow) RowImageSet{
        ImageList(ImageListCreate(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))),
        ImageList(ImageListCreate(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))),
        {}});
    RowImageSet* set = images.get();
    if (!set)
        return nullptr;
    RowImagesPlaceholders(set);
    ListViewSend(widget, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(set->small.Get()));
    ListViewSend(widget, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(set->large.Get()));
    return set;
}

// A copy of `bitmap` at side x side unless it has that size already (then the bitmap itself).
static HBITMAP BitmapFitted(HBITMAP bitmap, int side, int height) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    if (info.bmWidth == side && info.bmHeight == height)
        return bitmap;
    const WindowDc screen(nullptr);
    GdiObject<HBITMAP> fitted = CompatibleBitmapCreate(screen.Get(), side, side);
    const MemoryDc from(screen.Get()), to(screen.Get());
    const ObjectSelection fromSelected(from.Get(), bitmap), toSelected(to.Get(), fitted.Get());
    StretchBlt(to.Get(), 0, 0, side, side, from.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    return fitted.Release();
}

static void ImageListAddBitmap(HIMAGELIST list, HBITMAP bitmap, bool large) {
    int side = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
    int height = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
    HBITMAP fitted = BitmapFitted(bitmap, side, height);
    // A copy made here goes once the list has its own; the caller's bitmap stays.
    const GdiObject<HBITMAP> copy(fitted != bitmap ? fitted : nullptr);
    ImageList_Add(list, fitted, Placeholder(large));
}

int RowImageIndex(WidgetRecord* widget, HANDLE image) {
    RowImageSet* set = RowImagesNeed(widget);
    if (!set)
        return -1;
    for (auto& entry : set->added)
        if (entry.first == image)
            return entry.second;
    int index;
    if (GetObjectType(image) == OBJ_BITMAP) {
        HBITMAP bitmap = static_cast<HBITMAP>(image);
        ImageListAddBitmap(set->large.Get(), bitmap, true);
        ImageListAddBitmap(set->small.Get(), bitmap, false);
        index = ImageList_GetImageCount(set->small.Get()) - 1;
    } else {
        HICON icon = static_cast<HICON>(image);
        ImageList_ReplaceIcon(set->large.Get(), -1, icon);
        index = ImageList_ReplaceIcon(set->small.Get(), -1, icon);
    }
    if (index < 0)
        return -1;
    set->added.emplace_back(image, index);
    return index;
}

void RowImagesReset(WidgetRecord* widget) {
    if (RowImageSet* set = ListViewStateOf(widget).rowImages.get()) {
        ImageList_RemoveAll(set->small.Get());
        ImageList_RemoveAll(set->large.Get());
        RowImagesPlaceholders(set);
        set->added.clear();
    }
}
