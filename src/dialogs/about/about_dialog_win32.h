// 关于 Quorrin: the version, the program's folder, Config.ini's full path with a button that
// shows it in Explorer, and whether this copy starts with Windows. Nothing to save: one 关闭
// button, which Enter and Esc press too. Modeless; one at a time.
#pragma once

#include "dialogs/kit/dialog_rows_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"

namespace quorrin {

inline constexpr const wchar_t* kAboutClassName = L"Quorrin.AboutDialog";

// Control ids, as the rows number them from the first; the frame's caption, × and 关闭 are
// the kit's.
inline constexpr int kAboutFirstId = 1303;
inline constexpr int kAboutVersionCaptionId = 1303;    // "版本："
inline constexpr int kAboutVersionId = 1304;           // the version, e.g. "1.0.0"
inline constexpr int kAboutFolderCaptionId = 1305;     // "程序所在文件夹："
inline constexpr int kAboutFolderId = 1306;            // the .exe's folder
inline constexpr int kAboutConfigCaptionId = 1307;     // "配置文件："
inline constexpr int kAboutConfigId = 1308;            // Config.ini's full path
inline constexpr int kAboutShowConfigId = 1309;        // "打开所在文件夹"
inline constexpr int kAboutAutostartCaptionId = 1310;  // "开机时自动运行："
inline constexpr int kAboutAutostartId = 1311;         // "是", "否" or "否（reason）"

class AboutDialog final : public SettingsDialog {
  public:
    AboutDialog(const AppState& state, DialogHost& host);
    ~AboutDialog() override;

    // Shows again whether this copy starts with Windows (after the menu changed it).
    void ShowAutostart();

  private:
    DialogFrameSpec Frame() const override;
    void LoadValues() override;
    void OnControl(int id, int code) override;
    // Opens an Explorer window on Config.ini's folder with the file selected.
    void ShowConfigInExplorer() const;

    const AppState& state_;
    RowSet rows_;
};

}  // namespace quorrin
