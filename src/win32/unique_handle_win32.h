// Ownership of Win32 handles: a small move-only wrapper that frees its handle exactly once,
// with deleters for the handle kinds the program uses.
#pragma once

#include <windows.h>

#include <utility>

namespace quorrin {

template <typename T, typename Deleter>
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
    explicit operator bool() const { return handle_ != T{}; }

    // Gives up ownership without freeing (e.g. a window that Windows has already destroyed).
    T Release() { return std::exchange(handle_, T{}); }

    void Reset(T handle = T{}) {
        T old = std::exchange(handle_, handle);
        if (old != T{}) Deleter{}(old);
    }

  private:
    T handle_{};
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
struct LocalMemoryDeleter {
    void operator()(void* p) const { LocalFree(p); }
};

// CreateFile and friends report failure as INVALID_HANDLE_VALUE, not null: map it to null
// before handing the handle over.
inline HANDLE NullIfInvalid(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }

// Every handle type the program owns. Kernel objects and files (CreateFileW through
// NullIfInvalid), searches (FindFirstFileW through NullIfInvalid), windows, GDI objects,
// memory device contexts (CreateCompatibleDC), icons, menus, event hooks and registry keys
// (RegOpenKeyExW, RegCreateKeyExW).
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;
using UniqueFile = UniqueHandle<HANDLE, KernelHandleDeleter>;
using UniqueFind = UniqueHandle<HANDLE, FindDeleter>;
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

}  // namespace quorrin
