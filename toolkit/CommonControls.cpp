// Common-control set-up and the detection of the common-controls version and visual styles.
#include "toolkit/WidgetFramework.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstring>

namespace {

int commonControlsVersion = 0; // major << 16 | minor; 0 until read, 1 without a version function
bool visualStylesActive = false;

// Owns a library loaded for one look-up.
class LibraryHold {
  public:
    explicit LibraryHold(const char* name) : module_(LoadLibraryA(name)) {}
    ~LibraryHold() {
        if (module_)
            FreeLibrary(module_);
    }
    LibraryHold(const LibraryHold&) = delete;
    LibraryHold& operator=(const LibraryHold&) = delete;
    FARPROC Find(const char* name) const {
        return module_ ? GetProcAddress(module_, name) : nullptr;
    }
    explicit operator bool() const { return module_ != nullptr; }

  private:
    HMODULE module_;
};

template <typename Function> Function FunctionCast(FARPROC address) {
    Function function;
    static_assert(sizeof function == sizeof address, "function pointer sizes differ");
    std::memcpy(&function, &address, sizeof function);
    return function;
}

} // namespace

// COM comes with the first command that needs it (SystemComInit).
void CommonControlsInit() {
    InitCommonControls();
}

int ThemeDetect() {
    if (commonControlsVersion != 0)
        return commonControlsVersion;
    {
        LibraryHold comctl("COMCTL32.DLL");
        if (comctl) {
            if (FARPROC address = comctl.Find("DllGetVersion")) {
                DLLVERSIONINFO info = {};
                info.cbSize = sizeof info;
                if (FunctionCast<DLLGETVERSIONPROC>(address)(&info) >= 0)
                    commonControlsVersion = static_cast<int>((info.dwMajorVersion & 0xFFFF) << 16 |
                                                             (info.dwMinorVersion & 0xFFFF));
            } else {
                commonControlsVersion = 1;
            }
        }
    }
    LibraryHold uxtheme("uxtheme.dll");
    if (FARPROC address = uxtheme.Find("IsAppThemed"))
        visualStylesActive =
            FunctionCast<BOOL(WINAPI*)()>(address)() && commonControlsVersion >= (6 << 16);
    return commonControlsVersion;
}

bool ThemeVisualStylesActive() {
    return visualStylesActive;
}
