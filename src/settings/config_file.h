// Config.ini: loading every persisted setting with self-repair, and the writers.
#pragma once

#include "settings/app_state.h"
#include "settings/ini_store.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

inline constexpr const char* kSectionNormal = "Normal";
inline constexpr const char* kSectionStyle = "Style";
inline constexpr const char* kSectionPresentations = "PPTFiles";

// Optional, never written by the program: further slide-show title markers, for presentation
// programs other than PowerPoint, e.g. "ExtraMarkers=| 放映 - |". The markers are separated by
// "|", which no file name can hold (presentation programs title their show window with the
// file's name and their own); it is split after decoding, so a GBK character whose second
// byte is 0x7C stays whole. Spaces inside a marker count; surrounding "|" keep those at its
// ends, which the reader would otherwise trim from the value.
inline constexpr const char* kSectionDetection = "Detection";
inline constexpr const char* kKeyExtraMarkers = "ExtraMarkers";
inline constexpr char kMarkerSeparator = '|';

// The two messages of the loader's self-repair.
inline constexpr const char* kSettingsResetMessage = "倒计时配置已被 初始化！";
inline constexpr const char* kTimingsResetMessage = "倒计时计时配置已被初始化！";

// Largest value (in bytes on disk) the settings reader accepts: one byte less than its
// 256-byte buffer, which must keep room for the terminating NUL.
inline constexpr size_t kMaxSettingBytes = 254;

// Shows a message to the user (a message box on Windows).
using Notifier = std::function<void(const std::string& messageUtf8)>;

// Joins the program's folder and "Config.ini" ("\" between them unless the folder ends in one).
std::string MakeConfigPath(std::string_view programFolder);

// One key as text (UTF-8), or nothing when the value does not fit the reader's buffer.
std::optional<std::string> ReadSetting(const IniSnapshot& file, std::string_view section,
                                       std::string_view key, std::string_view defaultValue);

// The markers of an ExtraMarkers value (UTF-8), without the empty and space-only ones, which
// would match every window.
std::vector<std::string> SplitMarkers(std::string_view value);

// [Detection] as read from `file`; nothing in it is ever invalid, reset or written.
DetectionSettings ReadDetectionSettings(const IniSnapshot& file);

// Value formats of the file.
std::string BoolToText(bool value);
std::optional<bool> TextToBool(std::string_view text);
std::optional<uint8_t> TextToByte(std::string_view text);
std::optional<int32_t> TextToInt32(std::string_view text);

class ConfigFile {
  public:
    ConfigFile(AppState& state, IniStore& store, Notifier notify);

    // Reads the whole file once, repairing unreadable sections (see the two messages).
    void LoadSettings();

    // The writers report whether the file was written; on failure the file is as it was.
    // Every [Normal] key, then the style.
    FileStatus SaveAllSettings();
    // Each writer below, and SaveAllSettings, writes the whole of the settings in memory
    // (every section, in the loader's key order) before its own keys when Config.ini is
    // missing or blank at the time of the save.
    // "EndWarning", "SoundFile", "endSoundFile".
    FileStatus SaveSoundSettings();
    // Replaces [Style] with the 19 keys of `style`.
    FileStatus SaveStyle(const DisplayStyle& style);
    // The per-second resume point of the running countdown: [Normal] "timeFree" with the
    // shared timing, otherwise [PPTFiles] "timeFree<slot>".
    FileStatus SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds);

    // The file the writers write, and a one-line reason for a failed write, for the user.
    const std::string& Path() const { return store_.Path(); }
    std::string DescribeFailure(const FileStatus& status) const;

    // A batch of keys a dialog stores itself, in one replacement of the file.
    FileStatus Commit(const std::vector<IniEdit>& edits);

  private:
    void LoadNormal(const IniSnapshot& file);
    void LoadStyle(const IniSnapshot& file);
    void LoadPresentations(const IniSnapshot& file);
    // Every section from memory, in the loader's key order.
    std::vector<IniEdit> AllSettingsEdits() const;

    AppState& state_;
    IniStore& store_;
    Notifier notify_;
    bool failed_ = false;
};

}  // namespace quorrin
