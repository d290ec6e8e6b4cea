// Ownership of Win32 handles: a small move-only wrapper that frees its handle exactly once,
// with deleters for the handle kinds the program uses.
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

struct KernelHandleDeleter {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct WindowDeleter {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct FindDeleter {
    void operator()(HANDLE h) const { FindClose(h); }
};
struct WinEventHookDeleter {
    void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};
struct IconDeleter {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct MenuDeleter {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct RegistryKeyDeleter {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct GlobalMemoryDeleter {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct LocalMemoryDeleter {
    void operator()(void* p) const { LocalFree(p); }
};

// Every handle type the program owns. Kernel objects, files (CreateFileW) and searches
// (FindFirstFileW), windows, GDI objects, memory device contexts (CreateCompatibleDC), icons,
// menus, event hooks and registry keys (RegOpenKeyExW, RegCreateKeyExW). A file or search
// handle is taken straight from the call: a failure's INVALID_HANDLE_VALUE makes it empty.
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;
using UniqueFile = UniqueHandle<HANDLE, KernelHandleDeleter, InvalidHandleValueTraits>;
using UniqueFind = UniqueHandle<HANDLE, FindDeleter, InvalidHandleValueTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectDeleter>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniquePen = UniqueHandle<HPEN, GdiObjectDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, WinEventHookDeleter>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyDeleter>;
// Memory from GlobalAlloc, until a call that takes it over (SetClipboardData).
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryDeleter>;

}  // namespace quorrin
