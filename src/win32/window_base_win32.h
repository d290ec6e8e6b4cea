// Base of every window class of the program. It registers the window class, creates the
// window with `this` as its creation parameter, and routes every message through a static
// thunk to the object's HandleMessage. The object owns its HWND.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

namespace quorrin {

struct WindowClassSpec {
    const wchar_t* className = nullptr;
    UINT style = 0;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

struct WindowPlacement {
    DWORD exStyle = 0;
    DWORD style = WS_POPUP;
    const wchar_t* title = L"";
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    HWND owner = nullptr;
};

class WindowBase {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return window_.Get(); }
    // Destroys the window now, if it exists; the object stays and may create it again.
    void Destroy() {
        if (window_) DestroyWindow(window_.Get());
    }

  protected:
    WindowBase() = default;
    // Destroys the window if it still exists. The derived part is gone by then, so the
    // window is first detached and its last messages get the default handling.
    virtual ~WindowBase();

    // Registers the class (once per process and class name) and creates the window.
    // False when either fails, or when the object still owns a window; the failure is logged.
    bool CreateFromSpec(HINSTANCE instance, const WindowClassSpec& windowClass,
                        const WindowPlacement& placement);
    // A visible child control at `placePixels` (the parent's client coordinates) with the
    // control id of its notifications; `style` comes on top of WS_CHILD | WS_VISIBLE.
    bool CreateChild(HINSTANCE instance, const WindowClassSpec& windowClass, HWND parent,
                     int controlId, const RECT& placePixels, DWORD style, const wchar_t* title);

    // One switch over the messages the window cares about, each case handing off to a
    // named handler; everything else goes to DefaultHandling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // Called when HandleMessage let an exception out (already stopped and logged): puts the
    // window in a known state and gives the message's result. By default the message gets
    // the default handling, as if the window had not cared about it.
    virtual LRESULT OnUnhandledException(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
};

}  // namespace quorrin
