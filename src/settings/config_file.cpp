#include "settings/config_file.h"

#include "texts/texts.h"

#include <algorithm>
#include <utility>

namespace quorrin {
namespace {

// Deletes every section of the name from the file: after the first, the next one of the name
// would be read in its place at the next start. Each pass removes one header the snapshot
// still finds, so the passes end.
FileStatus DeleteEverySection(IniStore& store, const char* section) {
    for (;;) {
        const FileStatus deleted = store.DeleteSection(section);
        if (!deleted || !store.Snapshot().HasSection(section)) return deleted;
    }
}

}  // namespace

std::string SettingsNotResetMessage(std::string_view path, std::string_view reason) {
    return FormatText(TextId::SettingsNotReset, {path, reason});
}

std::string TimingsNotResetMessage(std::string_view path, std::string_view reason) {
    return FormatText(TextId::TimingsNotReset, {path, reason});
}

std::string MakeConfigPath(std::string_view programFolder) {
    std::string path(programFolder);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + "Config.ini";
}

ConfigFile::ConfigFile(AppState& state, IniStore& store, Notifier notify)
    : state_(state), store_(store), notify_(std::move(notify)) {}

void ConfigFile::LoadNormal(const IniSnapshot& file) {
    // A file without [Normal] is a first run (or lost what matters): it is written whole.
    if (!file.HasSection(kSectionNormal)) failed_ = true;
    if (!ReadNormal(file, state_)) failed_ = true;
}

void ConfigFile::LoadStyle(const IniSnapshot& file) {
    // A missing key, or the whole section, reads as the default look; the file keeps its
    // content until the style is saved.
    if (!ReadStyle(file, state_.Style)) failed_ = true;
}

void ConfigFile::LoadPresentations(const IniSnapshot& file) {
    if (!ReadPresentationCount(file, state_.General)) failed_ = true;
    for (int n = 1; n <= state_.General.PresentationCount; ++n) {
        // Each slot is read whole first, then stored; a slot above the table cannot be
        // stored and counts as a failure.
        PresentationSlot row;
        if (!ReadTiming(file, n, row) || !state_.Presentations.Store(n, row)) failed_ = true;
    }
}

void ConfigFile::Notify(const std::string& message) const {
    if (notify_) notify_(message);
}

void ConfigFile::LoadSettings() {
    failed_ = false;
    // The file is read and parsed once; only the repair below, which writes it, reads again.
    IniSnapshot file = store_.Snapshot();
    // The language first: the repair's messages below are in it.
    ReadUi(file, state_.Ui);
    ApplyUiLanguage(state_.Ui);
    // Read whatever the rest holds; the repair below never touches [Detection] or [UI].
    state_.Detection = ReadDetectionSettings(file);
    // Each missing key reads as its default, which repairs nothing. The two repairs are for
    // what cannot be read:
    // - [Normal] and [Style] written anew with their defaults: no [Normal] section (the first
    //   run), or a value there that does not convert (timeMode, EndWarning, ReSetTime,
    //   SameMode, timeCnt, timeWarning, flush, close, timeFree, every [Style] number) or is
    //   longer than the reader takes (any key, the texts too);
    // - [PPTFiles] deleted: a pptFiles that does not convert or is above 100, or a slot whose
    //   value does not convert, is too long, or is missing (timeCnt<n>, timeWarning<n>,
    //   flush<n>, close<n>, timeFree<n>: a presentation's keys have no default).
    LoadNormal(file);
    LoadStyle(file);
    if (failed_) {
        // The program goes on with the defaults either way; the message says whether they
        // are in the file now.
        ResetSettings(state_);
        const FileStatus written = SaveAllSettings();
        Notify(written ? std::string(Text(TextId::SettingsReset))
                       : SettingsNotResetMessage(Path(), DescribeFailure(written)));
        failed_ = false;
        file = store_.Snapshot();
    }
    LoadPresentations(file);
    ReadTalk(file, state_.Talk);
    ReadRemote(file, state_.Remote);
    if (failed_) {
        const FileStatus deleted = DeleteEverySection(store_, kSectionPresentations);
        Notify(deleted ? std::string(Text(TextId::TimingsReset))
                       : TimingsNotResetMessage(Path(), DescribeFailure(deleted)));
        state_.General.PresentationCount = 0;
        failed_ = false;
    }
}

FileStatus ConfigFile::SaveAllSettings() {
    std::vector<IniEdit> edits;
    AppendNormalEdits(edits, state_);
    AppendStyleEdits(edits, state_.Style);
    return Commit(edits);
}

std::vector<IniEdit> ConfigFile::AllSettingsEdits() const {
    std::vector<IniEdit> edits;
    AppendNormalEdits(edits, state_);
    AppendStyleEdits(edits, state_.Style);
    // Nothing without presentations, as a missing section means none.
    if (state_.General.PresentationCount > 0) {
        AppendPresentationEdits(edits, state_.General.PresentationCount, state_.Presentations);
    }
    // Nor with every control during a show off and as it comes, so that a file without
    // the section is written back as it was.
    if (state_.Talk != TalkSettings{}) AppendTalkEdits(edits, state_.Talk);
    // Nor before the timekeeper's server has been set up.
    if (state_.Remote != RemoteSettings{}) AppendRemoteEdits(edits, state_.Remote);
    // Nor without a language the user chose.
    if (state_.Ui.Language != LanguageSetting::Auto) AppendUiEdits(edits, state_.Ui);
    return edits;
}

FileStatus ConfigFile::Commit(const std::vector<IniEdit>& edits) {
    // Everything is in memory: a file deleted or moved while the program runs comes back
    // whole at the next save instead of holding only the key being saved.
    return store_.Apply(edits, [this] { return AllSettingsEdits(); });
}

FileStatus ConfigFile::SaveSoundSettings() {
    std::vector<IniEdit> edits;
    AppendGeneralEdits(
        edits, state_.General,
        {&GeneralSettings::EndWarning, &GeneralSettings::WarningSound, &GeneralSettings::EndSound});
    return Commit(edits);
}

FileStatus ConfigFile::SaveStyle(const DisplayStyle& style) {
    std::vector<IniEdit> edits;
    AppendStyleEdits(edits, style);
    return Commit(edits);
}

std::string ConfigFile::DescribeFailure(const FileStatus& status) const {
    return DescribeFileError(store_.Platform(), status.Error());
}

FileStatus ConfigFile::SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) {
    PresentationSlot timing;
    timing.TimeFree = seconds;
    return Commit({TimingEdit(&PresentationSlot::TimeFree, timing, sameMode ? 0 : slot)});
}

FileStatus ConfigFile::SaveTimings(const TimingSettings& settings) {
    GeneralSettings general = state_.General;
    general.ResetTime = settings.resetTime;
    general.SameMode = settings.sameMode;
    PresentationTable table = state_.Presentations;
    std::vector<IniEdit> edits;
    AppendGeneralEdits(edits, general, {&GeneralSettings::SameMode, &GeneralSettings::ResetTime});
    if (settings.sameMode) {
        // The individual table stays as it is.
        if (!settings.timings.empty()) {
            table.Store(0, settings.timings.front());
            AppendTimingEdits(edits, settings.timings.front(), 0);
        }
    } else {
        general.PresentationCount = static_cast<int32_t>(
            std::min(settings.timings.size(), static_cast<size_t>(kMaxPresentations)));
        for (int32_t n = 1; n <= general.PresentationCount; ++n) {
            table.Store(n, settings.timings[static_cast<size_t>(n - 1)]);
        }
        // Keys of slots no longer listed go with the old section.
        edits.push_back({kSectionPresentations, {}, std::nullopt});
        AppendPresentationEdits(edits, general.PresentationCount, table);
    }
    if (FileStatus written = Commit(edits); !written) return written;
    state_.General = general;
    state_.Presentations = table;
    return FileStatus();
}

template <typename Record>
FileStatus ConfigFile::SaveSection(void (*append)(std::vector<IniEdit>&, const Record&),
                                   const Record& record, Record& held) {
    std::vector<IniEdit> edits;
    append(edits, record);
    if (FileStatus written = Commit(edits); !written) return written;
    held = record;
    return FileStatus();
}

FileStatus ConfigFile::SaveLanguage(LanguageSetting language) {
    UiSettings ui = state_.Ui;
    ui.Language = language;
    FileStatus written = SaveSection(&AppendUiEdits, ui, state_.Ui);
    if (written) ApplyUiLanguage(state_.Ui);
    return written;
}

FileStatus ConfigFile::SaveTalkSettings(const TalkSettings& talk) {
    return SaveSection(&AppendTalkEdits, talk, state_.Talk);
}

FileStatus ConfigFile::SaveRemoteSettings(const RemoteSettings& remote) {
    return SaveSection(&AppendRemoteEdits, remote, state_.Remote);
}

}  // namespace quorrin
