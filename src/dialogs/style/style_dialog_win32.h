// The display style dialog "外观设置": the digits' font, size and colour, the background
// colour, the opacity and the screen position of the clock, edited in a live preview, and
// the screens that show it; applied to every clock window on Save. Modeless; one at a time.
#pragma once

#include "geometry/rect.h"
#include "win32/unique_handle_win32.h"
#include "controls/drawn_button/drawn_button_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "dialogs/style/style_choices.h"
#include "dialogs/style/style_preview_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <memory>
#include <string>
#include <vector>

namespace quorrin {

inline constexpr const wchar_t* kStyleDialogClassName = L"Quorrin.StyleDialog";

// Control ids, for WM_COMMAND (buttons, lists) and GetDlgItem.
inline constexpr int kStyleDialogFontCaptionId = 1103;  // "数字字体"
inline constexpr int kStyleDialogFontListId = 1104;
inline constexpr int kStyleDialogSizeCaptionId = 1105;  // "字号"
inline constexpr int kStyleDialogSizeListId = 1106;
inline constexpr int kStyleDialogTextColorId = 1107;     // image button, "颜色"
inline constexpr int kStyleDialogBackColorId = 1108;     // "自定义背景颜色"
inline constexpr int kStyleDialogAlphaCaptionId = 1109;  // "透明度"
inline constexpr int kStyleDialogAlphaListId = 1110;
inline constexpr int kStyleDialogPosCaptionId = 1111;  // "位  置"
inline constexpr int kStyleDialogPosListId = 1112;
inline constexpr int kStyleDialogPreviewId = 1113;  // "模拟显示"
inline constexpr int kStyleDialogBackgroundId = 1114;
inline constexpr int kStyleDialogDigitsId = 1115;
inline constexpr int kStyleDialogScreensCaptionId = 1116;  // "屏  幕"
inline constexpr int kStyleDialogScreensListId = 1117;
// What the style dialog needs of the clock windows besides hiding the main one: where the
// main clock is now, and laying both out again from the display style.
class ClockLayoutControl {
  public:
    virtual TwipRect MainClockRect() const = 0;
    // The copies first, then the main clock.
    virtual void LayOutClocks() = 0;

  protected:
    ~ClockLayoutControl() = default;
};

// Hides the main clock while it is open during a show.
class StyleDialog final : public SettingsDialog {
  public:
    StyleDialog(AppState& state, ConfigFile& config, DialogHost& host, ClockLayoutControl& layout);
    ~StyleDialog() override;

    const StylePreviewPane& Preview() const { return preview_; }

  private:
    DialogFrameSpec Frame() const override;
    void MakeControls() override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int id, int code) override;
    void OnDpiLayout() override;

    std::unique_ptr<DrawnButton> MakeDrawnButton(int id, const std::wstring& caption,
                                                 const TwipRect& place);
    void FillLists();
    void ShowStyle(const DisplayStyle& style);
    int Selected(int listId) const;
    void OnFontChosen();
    void OnSizeChosen();
    // The colour buttons: the preview takes a colour chosen in the colour dialog.
    void PickTextColor();
    void PickBackColor();

    AppState& state_;
    ConfigFile& config_;
    ClockLayoutControl& layout_;
    std::vector<std::string> fonts_;
    HFONT buttonFont_ = nullptr;  // 宋体 9 pt for the drawn buttons, owned by the frame
    std::unique_ptr<DrawnButton> textColorButton_;
    std::unique_ptr<DrawnButton> backColorButton_;
    StylePreviewPane preview_;
};

}  // namespace quorrin
