// The presentation entry editor: total duration and warning time in two time fields, the
// flash and close switches, and the presentation's name, taken from a chosen file. Modal
// over the timing list dialog; on Save it hands the finished row back, and refuses while a
// time field holds no valid time.
#pragma once

#include "controls/time_field/time_box_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"

#include <optional>
#include <string>
#include <vector>

namespace quorrin {

inline constexpr const wchar_t* kTimingEntryClassName = L"Quorrin.TimingEntryDialog";

// Control ids.
inline constexpr int kTimingEntryDurationCaptionId = 1203;  // "时间总长"
inline constexpr int kTimingEntryDurationId = 1204;
inline constexpr int kTimingEntryWarningCaptionId = 1205;  // "剩余时间 … 时提醒"
inline constexpr int kTimingEntryWarningId = 1206;
inline constexpr int kTimingEntryFlushId = 1207;
inline constexpr int kTimingEntryCloseShowId = 1208;
inline constexpr int kTimingEntryFileCaptionId = 1209;  // "PPT文件"
inline constexpr int kTimingEntryFileLabelId = 1210;
inline constexpr int kTimingEntryBrowseId = 1211;  // image button, "浏览"

struct EditTimeRequest {
    PresentationSlot row;  // the row to edit; a new row starts empty, at 00:00:00
    bool individual = false;
    std::vector<std::string> names;  // every name of the list, for the clash check
};

class TimingEntryDialog final : public SettingsDialog {
  public:
    TimingEntryDialog() : SettingsDialog(nullptr, nullptr) {}
    ~TimingEntryDialog() override;

    // Shows the editor over `owner`, which stays disabled until it closes, and waits. The
    // finished row (with no remaining time), or nothing when the editor was cancelled or
    // closed.
    static std::optional<PresentationSlot> Run(HINSTANCE instance, HWND owner,
                                               const EditTimeRequest& request);

  private:
    bool Open(HINSTANCE instance, HWND owner, const EditTimeRequest& request);
    DialogFrameSpec Frame() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnControl(int id, int code) override;
    LRESULT OnEditColor(HDC dc, HWND box);

    void MakeControls() override;
    void FitWarningCaption();
    void OnDpiLayout() override { FitWarningCaption(); }
    void LoadValues() override { LoadRow(); }
    void LoadRow();
    void Browse();
    bool Save() override;
    void OnClosing() override;
    void Tell(std::string_view messageUtf8);

    HWND owner_ = nullptr;
    EditTimeRequest request_;
    std::optional<PresentationSlot> result_;
    TimeBox duration_;
    TimeBox warning_;
};

}  // namespace quorrin
