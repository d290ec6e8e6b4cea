#include "win32/clipboard_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/unique_handle_win32.h"

#include <cstring>

namespace quorrin {

namespace {

// The clipboard open for the lifetime of the object.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {
        if (!open_) LogLastError(L"OpenClipboard");
    }
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

}  // namespace

bool PutTextOnClipboard(HWND owner, std::wstring_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        LogLastError(L"GlobalAlloc for the clipboard's text");
        return false;
    }
    void* locked = GlobalLock(memory.Get());
    if (locked == nullptr) {
        LogLastError(L"GlobalLock for the clipboard's text");
        return false;
    }
    std::memcpy(locked, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(locked)[text.size()] = L'\0';
    GlobalUnlock(memory.Get());

    const OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    if (EmptyClipboard() == FALSE) {
        LogLastError(L"EmptyClipboard");
        return false;
    }
    if (SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) {
        LogLastError(L"SetClipboardData CF_UNICODETEXT");
        return false;
    }
    // The clipboard owns the memory now.
    static_cast<void>(memory.Release());
    return true;
}

}  // namespace quorrin
