// The display style dialog "外观设置": the digits' font, size and colour, the background
// colour, the opacity and the screen position of the clock, edited in a live preview and
// applied to both clock windows on Save. Modeless; one at a time.
#pragma once

#include "geometry/rect.h"
#include "win32/unique_handle_win32.h"
#include "controls/drawn_button/xp_button_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "dialogs/style/style_choices.h"
#include "dialogs/style/style_preview_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <memory>
#include <string>
#include <vector>

namespace quorrin {

inline constexpr const wchar_t* kSetStyleClassName = L"Quorrin.FrmSetStyle";

// Control ids, for WM_COMMAND (buttons, lists) and GetDlgItem.
inline constexpr int kSetStyleFontCaptionId = 1103;   // Label1, "数字字体"
inline constexpr int kSetStyleFontListId = 1104;      // Cmb_FontList
inline constexpr int kSetStyleSizeCaptionId = 1105;   // Label2, "字号"
inline constexpr int kSetStyleSizeListId = 1106;      // Cmb_FontSize
inline constexpr int kSetStyleTextColorId = 1107;     // MyButton1, "颜色"
inline constexpr int kSetStyleBackColorId = 1108;     // Cmd_Bg, "自定义背景颜色"
inline constexpr int kSetStyleAlphaCaptionId = 1109;  // Label4, "透明度"
inline constexpr int kSetStyleAlphaListId = 1110;     // Cmb_Alpha
inline constexpr int kSetStylePosCaptionId = 1111;    // Label5, "位  置"
inline constexpr int kSetStylePosListId = 1112;       // Cmb_pos
inline constexpr int kSetStylePreviewId = 1113;       // Frame1, "模拟显示"
inline constexpr int kSetStyleBackgroundId = 1114;    // Demo_bg
inline constexpr int kSetStyleDigitsId = 1115;        // Demo_Time

// What the style dialog needs of the clock windows besides hiding the main one: where the
// main clock is now, and laying both out again from the display style.
class ClockLayoutControl {
  public:
    virtual TwipRect MainClockRect() const = 0;
    // The copy first, then the main clock.
    virtual void LayOutClocks() = 0;

  protected:
    ~ClockLayoutControl() = default;
};

// Hides the main clock while it is open during a show.
class SetStyleDialog final : public SettingsDialog {
  public:
    SetStyleDialog(AppState& state, ConfigFile& config, DialogHost& host,
                   ClockLayoutControl& layout);
    ~SetStyleDialog() override;

    const StylePreviewPane& Preview() const { return preview_; }

  private:
    DialogFrameSpec Frame() const override;
    void MakeControls() override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int id, int code) override;
    void OnDpiLayout() override;

    std::unique_ptr<XPButton> MakeXPButton(int id, const std::wstring& caption,
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
    std::unique_ptr<XPButton> textColorButton_;
    std::unique_ptr<XPButton> backColorButton_;
    StylePreviewPane preview_;
};

}  // namespace quorrin
