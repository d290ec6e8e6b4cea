// Answers a system common dialog (open file, colour) that the code under test opens on this
// thread. The dialog runs a modal loop of its own, so the answer comes from a thread timer,
// which that loop dispatches: on each tick the driver looks for a visible "#32770" window of
// this thread holding the expected control and, once found, hands it to the test's action.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quorrin::testing {

// Controls of the open-file dialog and of the colour dialog.
inline constexpr int kFileNameControlId = 0x47C;  // cmb13, the file name
inline constexpr int kFileTypeControlId = 0x470;  // cmb1, the filter list
inline constexpr int kColorRedEditId = 706;
inline constexpr int kColorGreenEditId = 707;
inline constexpr int kColorBlueEditId = 708;
inline constexpr UINT kDriverTickMs = 30;

class CommonDialogDriver {
  public:
    using Action = std::function<void(HWND dialog)>;

    // Waits for a dialog that has the control `controlId`, then runs `action` on it once.
    CommonDialogDriver(int controlId, Action action) : controlId_(controlId), action_(action) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, kDriverTickMs, &CommonDialogDriver::OnTick);
    }
    ~CommonDialogDriver() {
        if (timer_ != 0) KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    CommonDialogDriver(const CommonDialogDriver&) = delete;
    CommonDialogDriver& operator=(const CommonDialogDriver&) = delete;

    bool Acted() const { return acted_; }

  private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
        CommonDialogDriver* self = current_;
        if (self == nullptr || self->acted_) return;
        const HWND dialog = self->FindDialog();
        if (dialog == nullptr) return;
        self->acted_ = true;
        KillTimer(nullptr, self->timer_);
        self->timer_ = 0;
        self->action_(dialog);
    }

    HWND FindDialog() const {
        struct Search {
            int controlId;
            HWND found;
        } search{controlId_, nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (std::wstring(name) == L"#32770" && IsWindowVisible(window) != FALSE &&
                    GetDlgItem(window, s->controlId) != nullptr) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static inline CommonDialogDriver* current_ = nullptr;
    int controlId_;
    Action action_;
    UINT_PTR timer_ = 0;
    bool acted_ = false;
};

inline std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// Types `path` into the open-file dialog and presses its OK button.
inline void ChooseFile(HWND dialog, const std::wstring& path) {
    SendDlgItemMessageW(dialog, kFileNameControlId, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

inline void CancelDialog(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace quorrin::testing
