// The sound settings dialog: the warning sound, the end sound and whether the end signal
// is given. Modeless; one at a time.
#pragma once

#include "win32/window_base_win32.h"
#include "dialogs/kit/dialog_frame_win32.h"
#include "dialogs/common/main_clock_control.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <functional>
#include <memory>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kNormalSetClassName = L"Quorrin.FrmNormalSet";
inline constexpr const wchar_t* kNormalSetCaption = L"声音设置";

// Control ids, for WM_COMMAND (buttons) and GetDlgItem (labels, check box).
inline constexpr int kNormalSetTitleLabelId = 1001;       // Lab_FormTitle
inline constexpr int kNormalSetCloseId = 1002;            // yButton_Close, "×"
inline constexpr int kNormalSetSoundCaptionId = 1003;     // Label2, "提示音乐："
inline constexpr int kNormalSetSoundLabelId = 1004;       // Lab_Sound
inline constexpr int kNormalSetBrowseSoundId = 1005;      // Cmd_SelSound, "浏览"
inline constexpr int kNormalSetEndWarningId = 1006;       // Chk_Warning2, "结束提醒"
inline constexpr int kNormalSetEndSoundCaptionId = 1007;  // Label4, "结束音乐："
inline constexpr int kNormalSetEndSoundLabelId = 1008;    // Lab_Sound2
inline constexpr int kNormalSetBrowseEndSoundId = 1009;   // Cmd_SelSound2, "浏览"
inline constexpr int kNormalSetSaveId = 1010;             // Cmd_Save, "保存"
inline constexpr int kNormalSetCancelId = 1011;           // Cmd_Cancel, "取消"

class NormalSetDialog final : public DialogFrame {
  public:
    // `onClosed` runs once the dialog's window has been destroyed (Save, Cancel, "×", or
    // WM_CLOSE); the owner may then delete the object outside of its window procedure.
    NormalSetDialog(AppState& state, ConfigFile& config, MainClockControl& clock,
                    std::function<void()> onClosed);
    ~NormalSetDialog() override;

    // Creates and shows the dialog (centred on the screen), or brings the open one forward.
    bool Open(HINSTANCE instance);
    using DialogFrame::IsOpen;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnCommand(int id, int code);
    LRESULT OnDestroy();
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);

    void MakeControls();
    void LoadValues();
    // "浏览": chooses a file for the label `labelId`.
    void Browse(int labelId);
    void Save();
    void Close();

    AppState& state_;
    ConfigFile& config_;
    MainClockControl& clock_;
    std::function<void()> onClosed_;
    // Expires with the object: a call that waited in a nested message loop (the file
    // dialog) checks it before touching the object again.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace quorrin
