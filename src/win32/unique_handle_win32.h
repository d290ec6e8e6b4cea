// Ownership of Win32 handles: a small move-only wrapper that frees its handle exactly once,
// with the call that frees its kind.
#pragma once

#include <windows.h>

#include <utility>

namespace quorrin {

// The value a handle type uses for "no handle": null for most, INVALID_HANDLE_VALUE for the
// handles of CreateFileW and FindFirstFileW, which report failure so.
template <typename T>
struct NullHandleTraits {
    static T Invalid() { return T{}; }
};
struct InvalidHandleValueTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};

template <typename T, typename Deleter, typename Traits = NullHandleTraits<T>>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    // Gives up ownership without freeing (e.g. a window that Windows has already destroyed).
    T Release() { return std::exchange(handle_, Traits::Invalid()); }

    void Reset(T handle = Traits::Invalid()) {
        T old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Deleter{}(old);
    }

  private:
    T handle_ = Traits::Invalid();
};

// Frees a handle with the call its kind is freed with (CloseHandle, DestroyWindow, ...).
template <auto Free>
struct FreeWith {
    template <typename T>
    void operator()(T handle) const {
        Free(handle);
    }
};
// LocalAlloc's memory, as FormatMessageW and CommandLineToArgvW return it.
using LocalMemoryDeleter = FreeWith<&LocalFree>;

// Every handle type the program owns. Kernel objects, files (CreateFileW) and searches
// (FindFirstFileW), windows, GDI objects, memory device contexts (CreateCompatibleDC), icons,
// menus, event hooks and registry keys (RegOpenKeyExW, RegCreateKeyExW). A file or search
// handle is taken straight from the call: a failure's INVALID_HANDLE_VALUE makes it empty.
using UniqueKernelHandle = UniqueHandle<HANDLE, FreeWith<&CloseHandle>>;
using UniqueFile = UniqueHandle<HANDLE, FreeWith<&CloseHandle>, InvalidHandleValueTraits>;
using UniqueFind = UniqueHandle<HANDLE, FreeWith<&FindClose>, InvalidHandleValueTraits>;
using UniqueWindow = UniqueHandle<HWND, FreeWith<&DestroyWindow>>;
using UniqueFont = UniqueHandle<HFONT, FreeWith<&DeleteObject>>;
using UniqueBrush = UniqueHandle<HBRUSH, FreeWith<&DeleteObject>>;
using UniqueRegion = UniqueHandle<HRGN, FreeWith<&DeleteObject>>;
using UniqueBitmap = UniqueHandle<HBITMAP, FreeWith<&DeleteObject>>;
using UniquePen = UniqueHandle<HPEN, FreeWith<&DeleteObject>>;
using UniqueMemoryDc = UniqueHandle<HDC, FreeWith<&DeleteDC>>;
using UniqueIcon = UniqueHandle<HICON, FreeWith<&DestroyIcon>>;
using UniqueMenu = UniqueHandle<HMENU, FreeWith<&DestroyMenu>>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, FreeWith<&UnhookWinEvent>>;
using UniqueRegistryKey = UniqueHandle<HKEY, FreeWith<&RegCloseKey>>;
// Memory from GlobalAlloc, until a call that takes it over (SetClipboardData).
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, FreeWith<&GlobalFree>>;

}  // namespace quorrin
