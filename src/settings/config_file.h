// Config.ini: loading every persisted setting with self-repair, and the writers. Which key
// holds what is described once, in settings_schema.h.
#pragma once

#include "settings/app_state.h"
#include "settings/ini_store.h"
#include "settings/settings_schema.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// The loader's self-repair says what it did: the repair was written (TextId::SettingsReset,
// TextId::TimingsReset), or it could not be, with the file and the reason.
std::string SettingsNotResetMessage(std::string_view path, std::string_view reason);
std::string TimingsNotResetMessage(std::string_view path, std::string_view reason);

// Shows a message to the user (a message box on Windows).
using Notifier = std::function<void(const std::string& messageUtf8)>;

// Joins the program's folder and "Config.ini" ("\" between them unless the folder ends in one).
std::string MakeConfigPath(std::string_view programFolder);

// What the timing settings store: the resume rule, the mode, and the timings of that mode.
struct TimingSettings {
    bool resetTime = false;
    bool sameMode = false;
    // With the shared timing: its one row (slot 0; an empty list leaves the stored one as
    // it is). Otherwise the presentations of slots 1..n, at most 100 (any more are dropped).
    std::vector<PresentationSlot> timings;
};

class ConfigFile {
  public:
    ConfigFile(AppState& state, IniStore& store, Notifier notify);

    // Reads the whole file once, repairing unreadable sections (see the messages above).
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
    // "SameMode" and "ReSetTime", then the shared timing's keys, or [PPTFiles] written anew
    // with the presentations. Once written, the settings take the new values.
    FileStatus SaveTimings(const TimingSettings& settings);
    // [Talk] written anew with `talk`; once written, the settings take it.
    FileStatus SaveTalkSettings(const TalkSettings& talk);
    // [Remote] written anew with `remote`; once written, the settings take it.
    FileStatus SaveRemoteSettings(const RemoteSettings& remote);
    // [UI] "Language"; once written, the settings take it and the program speaks the
    // language it chooses from then on.
    FileStatus SaveLanguage(LanguageSetting language);

    // The file the writers write, and a one-line reason for a failed write, for the user.
    const std::string& Path() const { return store_.Path(); }
    std::string DescribeFailure(const FileStatus& status) const;

  private:
    void LoadNormal(const IniSnapshot& file);
    void LoadStyle(const IniSnapshot& file);
    void LoadPresentations(const IniSnapshot& file);
    void Notify(const std::string& message) const;
    // Every section from memory, in the loader's key order.
    std::vector<IniEdit> AllSettingsEdits() const;
    // A batch of keys in one replacement of the file.
    FileStatus Commit(const std::vector<IniEdit>& edits);
    // The section `append` makes of `record`, written anew; once written, `held` takes it.
    template <typename Record>
    FileStatus SaveSection(void (*append)(std::vector<IniEdit>&, const Record&),
                           const Record& record, Record& held);

    AppState& state_;
    IniStore& store_;
    Notifier notify_;
    bool failed_ = false;
};

}  // namespace quorrin
