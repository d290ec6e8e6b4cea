#include "win32/window_base_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/frame_guard_win32.h"

#include <string>

namespace quorrin {

WindowBase::~WindowBase() {
    if (window_) {
        SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
        window_.Reset();
    }
}

bool WindowBase::CreateChild(HINSTANCE instance, const WindowClassSpec& windowClass, HWND parent,
                             int controlId, const RECT& placePixels, DWORD style,
                             const wchar_t* title) {
    WindowPlacement placement;
    placement.style = WS_CHILD | WS_VISIBLE | style;
    placement.title = title;
    placement.left = placePixels.left;
    placement.top = placePixels.top;
    placement.width = placePixels.right - placePixels.left;
    placement.height = placePixels.bottom - placePixels.top;
    placement.owner = parent;
    if (!CreateFromSpec(instance, windowClass, placement)) return false;
    SetWindowLongPtrW(Handle(), GWLP_ID, controlId);
    return true;
}

bool WindowBase::CreateFromSpec(HINSTANCE instance, const WindowClassSpec& windowClass,
                                const WindowPlacement& placement) {
    // One object, one window: creating a second would hand the object to it at WM_NCCREATE,
    // and the first window's WM_NCDESTROY would later cut the object off from the second.
    if (window_) {
        LogDebug(L"WindowBase", L"refused to create a second window for one object");
        return false;
    }
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, windowClass.className, &existing) == FALSE) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = windowClass.style;
        wc.lpfnWndProc = &WindowBase::WindowProc;
        wc.hInstance = instance;
        wc.hIcon = windowClass.icon;
        wc.hIconSm = windowClass.icon;
        wc.hCursor =
            windowClass.cursor != nullptr ? windowClass.cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = windowClass.background;
        wc.lpszClassName = windowClass.className;
        if (RegisterClassExW(&wc) == 0) {
            LogLastError(std::wstring(L"RegisterClassExW for ") + windowClass.className);
            return false;
        }
    }
    // The handle is stored by the thunk at WM_NCCREATE, so that messages sent during
    // creation already reach the object.
    const HWND created = CreateWindowExW(
        placement.exStyle, windowClass.className, placement.title, placement.style, placement.left,
        placement.top, placement.width, placement.height, placement.owner, nullptr, instance, this);
    if (created == nullptr) {
        LogLastError(std::wstring(L"CreateWindowExW for ") + windowClass.className);
        return false;
    }
    return true;
}

LRESULT WindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT WindowBase::OnUnhandledException(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<WindowBase*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.Reset(window);
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    // The boundary for every window of the program: an exception stops here, and the
    // window's own recovery gives the result; the detaching below happens either way.
    constexpr LRESULT kNothingDone = 0;
    const LRESULT result = GuardFrameOr(
        L"window procedure", [&] { return self->HandleMessage(message, wParam, lParam); },
        [&] { return self->OnUnhandledException(message, wParam, lParam); }, kNothingDone);
    if (message == WM_NCDESTROY) {
        // The window is gone: the object must neither destroy it again nor hear from it.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self->window_.Get() == window) self->window_.Release();
    }
    return result;
}

}  // namespace quorrin
