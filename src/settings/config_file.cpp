#include "settings/config_file.h"

#include "settings/text_codec.h"
#include "settings/time_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quorrin {

namespace {

constexpr const char* kKeyPresentationCount = "pptFiles";
constexpr const char* kKeyTimeFree = "timeFree";
constexpr const char* kTrue = "True";
constexpr const char* kFalse = "False";

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

std::string Decimal(int64_t value) { return std::to_string(value); }

// A row of one presentation slot as it is read key by key.
struct SlotKeys {
    std::string timeCnt, timeWarning, flush, close, file, timeFree;
};

SlotKeys KeysOfSlot(int slot) {
    const std::string n = slot == 0 ? std::string() : std::to_string(slot);
    return {"timeCnt" + n, "timeWarning" + n, "flush" + n,
            "close" + n,   "file" + n,        kKeyTimeFree + n};
}

using Edit = IniEdit;

void AppendStyle(std::vector<Edit>& edits, const DisplayStyle& s) {
    const std::string section = kSectionStyle;
    edits.push_back({section, {}, std::nullopt});
    const std::pair<const char*, std::string> keys[] = {
        {"Width", Decimal(s.Width)},
        {"Height", Decimal(s.Height)},
        {"BackColor", Decimal(s.BackColor)},
        {"Alpha", Decimal(s.Alpha)},
        {"Top", Decimal(s.Top)},
        {"Left", Decimal(s.Left)},
        {"showPos", Decimal(s.showPos)},
        {"numFontName", s.numFontName},
        {"numFontSize", Decimal(s.numFontSize)},
        {"numForeColor", Decimal(s.numForeColor)},
        {"numHeight", Decimal(s.numHeight)},
        {"numWidth", Decimal(s.numWidth)},
        {"numLeft", Decimal(s.numLeft)},
        {"numTop", Decimal(s.numTop)},
        {"bgHeight", Decimal(s.bgHeight)},
        {"bgWidth", Decimal(s.bgWidth)},
        {"bgLeft", Decimal(s.bgLeft)},
        {"bgTop", Decimal(s.bgTop)},
        {"bgBackColor", Decimal(s.bgBackColor)},
    };
    for (const auto& [key, value] : keys) edits.push_back({section, key, value});
}

void AppendNormal(std::vector<Edit>& edits, const AppState& state) {
    const GeneralSettings& g = state.General;
    const PresentationSlot& shared = *state.Presentations.At(0);
    const SlotKeys k = KeysOfSlot(0);
    const std::string s = kSectionNormal;
    edits.insert(edits.end(), {
                                  {s, "timeMode", Decimal(g.TimeMode)},
                                  {s, "EndWarning", BoolToText(g.EndWarning)},
                                  {s, "ReSetTime", BoolToText(g.ResetTime)},
                                  {s, "SameMode", BoolToText(g.SameMode)},
                                  {s, k.timeCnt, SecondsToTimeText(shared.TimeCnt)},
                                  {s, k.timeWarning, SecondsToTimeText(shared.TimeWarning)},
                                  {s, k.flush, BoolToText(shared.Flush)},
                                  {s, k.close, BoolToText(shared.Close)},
                                  {s, k.file, shared.File},
                                  {s, k.timeFree, SecondsToTimeText(shared.TimeFree)},
                                  {s, "SoundFile", g.WarningSound},
                                  {s, "endSoundFile", g.EndSound},
                              });
}

// "pptFiles" and the six keys of every configured slot; nothing without presentations, as
// a missing section means none.
void AppendPresentations(std::vector<Edit>& edits, const AppState& state) {
    const int count = state.General.PresentationCount;
    if (count <= 0) return;
    const std::string s = kSectionPresentations;
    edits.push_back({s, kKeyPresentationCount, Decimal(count)});
    for (int n = 1; n <= count; ++n) {
        const PresentationSlot* slot = state.Presentations.At(n);
        if (slot == nullptr) break;
        const SlotKeys k = KeysOfSlot(n);
        edits.insert(edits.end(), {
                                      {s, k.timeCnt, SecondsToTimeText(slot->TimeCnt)},
                                      {s, k.timeWarning, SecondsToTimeText(slot->TimeWarning)},
                                      {s, k.flush, BoolToText(slot->Flush)},
                                      {s, k.close, BoolToText(slot->Close)},
                                      {s, k.file, slot->File},
                                      {s, k.timeFree, SecondsToTimeText(slot->TimeFree)},
                                  });
    }
}

}  // namespace

std::string MakeConfigPath(std::string_view programFolder) {
    std::string path(programFolder);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + "Config.ini";
}

std::optional<std::string> ReadSetting(const IniSnapshot& file, std::string_view section,
                                       std::string_view key, std::string_view defaultValue) {
    const std::string raw = file.ReadRaw(section, key, Utf8ToGbk(defaultValue));
    // The reader's 256-byte buffer keeps one byte for the NUL: a longer value is cut off,
    // and a cut value is never taken for the real one.
    if (raw.size() > kMaxSettingBytes) return std::nullopt;
    const size_t nul = raw.find('\0');
    return GbkToUtf8(nul == std::string::npos ? std::string_view(raw)
                                              : std::string_view(raw).substr(0, nul));
}

std::vector<std::string> SplitMarkers(std::string_view value) {
    std::vector<std::string> markers;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(kMarkerSeparator, start);
        if (end == std::string_view::npos) end = value.size();
        const std::string_view marker = value.substr(start, end - start);
        if (!TrimSpaces(marker).empty()) markers.emplace_back(marker);
        start = end + 1;
    }
    return markers;
}

DetectionSettings ReadDetectionSettings(const IniSnapshot& file) {
    DetectionSettings detection;
    detection.ExtraMarkers = SplitMarkers(file.Read(kSectionDetection, kKeyExtraMarkers, ""));
    return detection;
}

std::string BoolToText(bool value) { return value ? kTrue : kFalse; }

std::optional<bool> TextToBool(std::string_view text) {
    text = TrimSpaces(text);
    if (EqualsNoCase(text, kTrue)) return true;
    if (EqualsNoCase(text, kFalse)) return false;
    if (const auto number = ParseDecimal(text)) return *number != 0;
    // Numbers with a fraction count too ("0.0" is false).
    if (text.empty()) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) return std::nullopt;
    return value != 0.0;
}

std::optional<uint8_t> TextToByte(std::string_view text) {
    const auto number = ParseDecimal(text);
    if (!number || *number < 0 || *number > 255) return std::nullopt;
    return static_cast<uint8_t>(*number);
}

std::optional<int32_t> TextToInt32(std::string_view text) {
    const auto number = ParseDecimal(text);
    if (!number || *number < INT32_MIN || *number > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(*number);
}

ConfigFile::ConfigFile(AppState& state, IniStore& store, Notifier notify)
    : state_(state), store_(store), notify_(std::move(notify)) {}

namespace {

// Reads one key and converts it; on any failure the target keeps its value and the
// failure is remembered.
template <typename T, typename Convert>
void ReadInto(const IniSnapshot& store, std::string_view section, std::string_view key,
              std::string_view defaultValue, T& target, Convert convert, bool& failed) {
    const auto text = ReadSetting(store, section, key, defaultValue);
    if (!text) {
        failed = true;
        return;
    }
    const auto value = convert(*text);
    if (!value) {
        failed = true;
        return;
    }
    target = static_cast<T>(*value);
}

const auto kAsText = [](const std::string& t) { return std::optional<std::string>(t); };
const auto kAsBool = [](const std::string& t) { return TextToBool(t); };
const auto kAsByte = [](const std::string& t) { return TextToByte(t); };
const auto kAsInt32 = [](const std::string& t) { return TextToInt32(t); };
const auto kAsTime = [](const std::string& t) { return TimeTextToSeconds(t); };

}  // namespace

void ConfigFile::LoadNormal(const IniSnapshot& file) {
    const char* s = kSectionNormal;
    GeneralSettings& g = state_.General;
    ReadInto(file, s, "timeMode", "", g.TimeMode, kAsByte, failed_);
    ReadInto(file, s, "EndWarning", "", g.EndWarning, kAsBool, failed_);
    ReadInto(file, s, "ReSetTime", "", g.ResetTime, kAsBool, failed_);
    ReadInto(file, s, "SameMode", "", g.SameMode, kAsBool, failed_);
    PresentationSlot& shared = *state_.Presentations.At(0);
    const SlotKeys k = KeysOfSlot(0);
    ReadInto(file, s, k.timeCnt, "", shared.TimeCnt, kAsTime, failed_);
    ReadInto(file, s, k.timeWarning, "", shared.TimeWarning, kAsTime, failed_);
    ReadInto(file, s, k.flush, "", shared.Flush, kAsBool, failed_);
    ReadInto(file, s, k.close, "", shared.Close, kAsBool, failed_);
    ReadInto(file, s, k.file, "", shared.File, kAsText, failed_);
    ReadInto(file, s, k.timeFree, "", shared.TimeFree, kAsTime, failed_);
    ReadInto(file, s, "SoundFile", "", g.WarningSound, kAsText, failed_);
    ReadInto(file, s, "endSoundFile", "", g.EndSound, kAsText, failed_);
}

void ConfigFile::LoadStyle(const IniSnapshot& file) {
    const char* s = kSectionStyle;
    DisplayStyle& d = state_.Style;
    // Without the section every number would read as 0: a clock of no size and no opacity.
    // The default look is shown instead; the file keeps its content until the style is saved.
    if (!file.HasSection(s)) {
        d = DefaultStyle();
        return;
    }
    ReadInto(file, s, "Width", "0", d.Width, kAsInt32, failed_);
    ReadInto(file, s, "Height", "0", d.Height, kAsInt32, failed_);
    ReadInto(file, s, "BackColor", "0", d.BackColor, kAsInt32, failed_);
    ReadInto(file, s, "Alpha", "0", d.Alpha, kAsByte, failed_);
    ReadInto(file, s, "Top", "0", d.Top, kAsInt32, failed_);
    ReadInto(file, s, "Left", "0", d.Left, kAsInt32, failed_);
    ReadInto(file, s, "showPos", "0", d.showPos, kAsByte, failed_);
    ReadInto(file, s, "numFontName", "0", d.numFontName, kAsText, failed_);
    // A 16-bit number is stored like an 8-bit one and widened.
    ReadInto(file, s, "numFontSize", "0", d.numFontSize, kAsByte, failed_);
    ReadInto(file, s, "numForeColor", "0", d.numForeColor, kAsInt32, failed_);
    ReadInto(file, s, "numHeight", "0", d.numHeight, kAsInt32, failed_);
    ReadInto(file, s, "numWidth", "0", d.numWidth, kAsInt32, failed_);
    ReadInto(file, s, "numLeft", "0", d.numLeft, kAsInt32, failed_);
    ReadInto(file, s, "numTop", "0", d.numTop, kAsInt32, failed_);
    ReadInto(file, s, "bgHeight", "0", d.bgHeight, kAsInt32, failed_);
    ReadInto(file, s, "bgWidth", "0", d.bgWidth, kAsInt32, failed_);
    ReadInto(file, s, "bgLeft", "0", d.bgLeft, kAsInt32, failed_);
    ReadInto(file, s, "bgTop", "0", d.bgTop, kAsInt32, failed_);
    ReadInto(file, s, "bgBackColor", "0", d.bgBackColor, kAsInt32, failed_);
}

void ConfigFile::LoadPresentations(const IniSnapshot& file) {
    const char* s = kSectionPresentations;
    ReadInto(file, s, kKeyPresentationCount, "0", state_.General.PresentationCount, kAsByte,
             failed_);
    for (int n = 1; n <= state_.General.PresentationCount; ++n) {
        const SlotKeys k = KeysOfSlot(n);
        // Each cell is read and converted first, then stored; a slot above the table
        // cannot be stored and counts as a failure.
        PresentationSlot row;
        bool cellFailed = false;
        auto readCell = [&](const std::string& key, auto& field, auto convert) {
            bool failed = false;
            ReadInto(file, s, key, "", field, convert, failed);
            if (failed) cellFailed = true;
        };
        readCell(k.timeCnt, row.TimeCnt, kAsTime);
        readCell(k.timeWarning, row.TimeWarning, kAsTime);
        readCell(k.flush, row.Flush, kAsBool);
        readCell(k.close, row.Close, kAsBool);
        readCell(k.file, row.File, kAsText);
        readCell(k.timeFree, row.TimeFree, kAsTime);
        if (cellFailed || !state_.Presentations.Store(n, row)) failed_ = true;
    }
}

void ConfigFile::LoadSettings() {
    failed_ = false;
    // The file is read and parsed once; only the repair below, which writes it, reads again.
    IniSnapshot file = store_.Snapshot();
    // Read whatever the rest holds; the repair below never touches [Detection].
    state_.Detection = ReadDetectionSettings(file);
    LoadNormal(file);
    LoadStyle(file);
    if (failed_) {
        ResetSettings(state_);
        SaveAllSettings();
        if (notify_) notify_(kSettingsResetMessage);
        failed_ = false;
        file = store_.Snapshot();
    }
    LoadPresentations(file);
    if (failed_) {
        store_.DeleteSection(kSectionPresentations);
        if (notify_) notify_(kTimingsResetMessage);
        state_.General.PresentationCount = 0;
        failed_ = false;
    }
}

FileStatus ConfigFile::SaveAllSettings() {
    std::vector<Edit> edits;
    AppendNormal(edits, state_);
    AppendStyle(edits, state_.Style);
    return Commit(edits);
}

std::vector<IniEdit> ConfigFile::AllSettingsEdits() const {
    std::vector<Edit> edits;
    AppendNormal(edits, state_);
    AppendStyle(edits, state_.Style);
    AppendPresentations(edits, state_);
    return edits;
}

FileStatus ConfigFile::Commit(const std::vector<IniEdit>& edits) {
    // Everything is in memory: a file deleted or moved while the program runs comes back
    // whole at the next save instead of holding only the key being saved.
    return store_.Apply(edits, [this] { return AllSettingsEdits(); });
}

FileStatus ConfigFile::SaveSoundSettings() {
    const GeneralSettings& g = state_.General;
    const std::string s = kSectionNormal;
    return Commit({{s, "EndWarning", BoolToText(g.EndWarning)},
                   {s, "SoundFile", g.WarningSound},
                   {s, "endSoundFile", g.EndSound}});
}

FileStatus ConfigFile::SaveStyle(const DisplayStyle& style) {
    std::vector<Edit> edits;
    AppendStyle(edits, style);
    return Commit(edits);
}

std::string ConfigFile::DescribeFailure(const FileStatus& status) const {
    return DescribeFileError(store_.Platform(), status.Error());
}

FileStatus ConfigFile::SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) {
    const std::string text = SecondsToTimeText(seconds);
    if (sameMode) return Commit({{kSectionNormal, kKeyTimeFree, text}});
    return Commit({{kSectionPresentations, kKeyTimeFree + std::to_string(slot), text}});
}

}  // namespace quorrin
