#include "settings/settings_schema.h"

#include "settings/text_codec.h"
#include "settings/time_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace quorrin {

namespace {

using G = GeneralSettings;
using P = PresentationSlot;
using S = DisplayStyle;
using T = TalkSettings;
using U = UiSettings;
using R = RemoteSettings;
using F = ValueFormat;

// The general settings [Normal] holds before the shared timing's keys, and after them.
constexpr SettingKey<G> kNormalBefore[] = {
    {"timeMode", &G::TimeMode, F::Byte, 0},
    {"EndWarning", &G::EndWarning, F::Bool, true},
    {"ReSetTime", &G::ResetTime, F::Bool, true},
    {"SameMode", &G::SameMode, F::Bool, true},
};
constexpr SettingKey<G> kNormalAfter[] = {
    {"SoundFile", &G::WarningSound, F::Text, kDefaultSound},
    {"endSoundFile", &G::EndSound, F::Text, kDefaultSound},
};

// One slot's keys; numbered after the slot in [PPTFiles]. The defaults are the shared
// timing's: a presentation's keys have none (see ReadTiming).
constexpr SettingKey<P> kTiming[] = {
    {"timeCnt", &P::TimeCnt, F::Time, 600},
    {"timeWarning", &P::TimeWarning, F::Time, 30},
    {"flush", &P::Flush, F::Bool, true},
    {"close", &P::Close, F::Bool, true},
    {"file", &P::File, F::Text, kAllPresentationsLabel},
    {"timeFree", &P::TimeFree, F::Time, 0},
};

// [PPTFiles]' count of presentations (0..100, stored like a byte).
constexpr SettingKey<G> kPresentationCount = {"pptFiles", &G::PresentationCount, F::Byte, 0};

// [Style]: the clock in the top-right corner, green digits' backdrop on light yellow.
constexpr SettingKey<S> kStyle[] = {
    {"Width", &S::Width, F::Int32, 3000},
    {"Height", &S::Height, F::Int32, 1200},
    {"BackColor", &S::BackColor, F::Int32, 0xC0FFFF},
    {"Alpha", &S::Alpha, F::Byte, 100},
    {"Top", &S::Top, F::Int32, 0},
    {"Left", &S::Left, F::Int32, 0},
    {"showPos", &S::showPos, F::Byte, 1},
    {"numFontName", &S::numFontName, F::Text, "Arial"},
    // A 16-bit number is stored like an 8-bit one and widened.
    {"numFontSize", &S::numFontSize, F::Byte, 36},
    {"numForeColor", &S::numForeColor, F::Int32, 0xFFFFFF},
    {"numHeight", &S::numHeight, F::Int32, 840},
    {"numWidth", &S::numWidth, F::Int32, 1995},
    {"numLeft", &S::numLeft, F::Int32, 480},
    {"numTop", &S::numTop, F::Int32, 200},
    {"bgHeight", &S::bgHeight, F::Int32, 1200},
    {"bgWidth", &S::bgWidth, F::Int32, 3000},
    {"bgLeft", &S::bgLeft, F::Int32, 0},
    {"bgTop", &S::bgTop, F::Int32, 0},
    {"bgBackColor", &S::bgBackColor, F::Int32, 0x33CC00},
    {"Screens", &S::Screens, F::Byte, 0},
};

// [Talk]: every control off, the colours and keys ready for when they are turned on. A key is
// the RegisterHotKey modifiers times 256 plus the virtual-key code.
constexpr SettingKey<T> kTalk[] = {
    {"Overtime", &T::Overtime, F::Bool, false},
    {"Colors", &T::Colors, F::Bool, false},
    {"HotKeys", &T::Keys, F::Bool, false},
    {"WarningColor", &T::WarningColor, F::Int32, 0x004DA6},    // dark amber
    {"OvertimeColor", &T::OvertimeColor, F::Int32, 0x0000C0},  // dark red
    {"PauseKey", &T::PauseKey, F::Key, 0x0750},                // Ctrl+Alt+Shift+P
    {"MinuteMoreKey", &T::MinuteMoreKey, F::Key, 0x0721},      // Ctrl+Alt+Shift+PageUp
    {"MinuteLessKey", &T::MinuteLessKey, F::Key, 0x0722},      // Ctrl+Alt+Shift+PageDown
    {"HideKey", &T::HideKey, F::Key, 0x0748},                  // Ctrl+Alt+Shift+H
    {"History", &T::History, F::Bool, true},
};

// [Remote]: off. The keys have no default: the first start of the server makes them.
constexpr int32_t kDefaultRemotePort = 8217;  // unassigned by IANA
constexpr int32_t kHighestPort = 65535;
constexpr SettingKey<R> kRemote[] = {
    {"Enabled", &R::Enabled, F::Bool, false},
    {"Port", &R::Port, F::Int32, kDefaultRemotePort},
    {"ViewKey", &R::ViewKey, F::Text, ""},
    {"ControlKey", &R::ControlKey, F::Text, ""},
};

// [UI]: the language is left to the program.
constexpr SettingKey<U> kUi[] = {
    {"Language", &U::Language, F::Language, LanguageSetting::Auto},
};

// RegisterHotKey's modifier bits, and the names of the keys that are not a letter or digit.
constexpr int32_t kModAlt = 1;
constexpr int32_t kModControl = 2;
constexpr int32_t kModShift = 4;
constexpr int32_t kKeyF1 = 0x70;
constexpr int32_t kFunctionKeys = 24;
struct KeyName {
    int32_t key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, "Backspace"}, {0x09, "Tab"},      {0x0D, "Enter"}, {0x13, "Pause"},  {0x20, "Space"},
    {0x21, "PageUp"},    {0x22, "PageDown"}, {0x23, "End"},   {0x24, "Home"},   {0x25, "Left"},
    {0x26, "Up"},        {0x27, "Right"},    {0x28, "Down"},  {0x2D, "Insert"}, {0x2E, "Delete"},
};
struct ModifierName {
    int32_t bit;
    std::string_view prefix;
};
constexpr ModifierName kModifierNames[] = {
    {kModControl, "Ctrl+"}, {kModAlt, "Alt+"}, {kModShift, "Shift+"}};

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

// A text as the file holds it. The reader trims white space at the ends of a value and
// removes a pair of quotes around it, so a text with such ends (a file marker " - 演讲"
// typed with its space, or '"x"' from a hand-edited file) goes inside quotes, which the
// reader removes again.
std::string TextForFile(const std::string& text) {
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    if (!quoted && TrimIniSpace(text).size() == text.size()) return text;
    return '"' + text + '"';
}

// The field's value as the file holds it.
template <typename Record>
std::string ValueText(const Record& record, const SettingKey<Record>& key) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = record.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return TextForFile(value);
            } else if constexpr (std::is_same_v<T, LanguageSetting>) {
                return std::string(LanguageSettingText(value));
            } else if constexpr (std::is_same_v<T, bool>) {
                return BoolToText(value);
            } else {
                if (key.format == ValueFormat::Time) return SecondsToFileTimeText(value);
                if (key.format == ValueFormat::Key) return HotKeyToText(value);
                return std::to_string(static_cast<int64_t>(value));
            }
        },
        key.field);
}

// Converts the text into the field; false (and the field as it was) when it does not convert.
template <typename Record>
bool TakeValue(const std::string& text, const SettingKey<Record>& key, Record& record) {
    return std::visit(
        [&](auto member) {
            auto& target = record.*member;
            using T = std::decay_t<decltype(target)>;
            if constexpr (std::is_same_v<T, std::string>) {
                target = text;
                return true;
            } else if constexpr (std::is_same_v<T, LanguageSetting>) {
                const std::optional<LanguageSetting> value = TextToLanguageSetting(text);
                if (value) target = *value;
                return value.has_value();
            } else if constexpr (std::is_same_v<T, bool>) {
                const std::optional<bool> value = TextToBool(text);
                if (value) target = *value;
                return value.has_value();
            } else {
                std::optional<int64_t> number;
                switch (key.format) {
                    case ValueFormat::Time:
                        number = TimeTextToSeconds(text);
                        break;
                    case ValueFormat::Byte:
                        number = TextToByte(text);
                        break;
                    case ValueFormat::Key:
                        number = TextToHotKey(text);
                        break;
                    default:
                        number = TextToInt32(text);
                        break;
                }
                if (number) target = static_cast<T>(*number);
                return number.has_value();
            }
        },
        key.field);
}

// Puts the key's default into its field.
template <typename Record>
void TakeDefault(const SettingKey<Record>& key, Record& record) {
    std::visit(
        [&](auto member) {
            auto& target = record.*member;
            using V = std::decay_t<decltype(target)>;
            if constexpr (std::is_same_v<V, std::string>) {
                target = key.byDefault.text;
            } else if constexpr (std::is_same_v<V, bool>) {
                target = key.byDefault.number != 0;
            } else {
                target = static_cast<V>(key.byDefault.number);
            }
        },
        key.field);
}

template <typename Record>
void TakeDefaults(std::span<const SettingKey<Record>> keys, Record& record) {
    for (const SettingKey<Record>& key : keys) TakeDefault(key, record);
}

// The key's default as the file holds it: what the reader takes when the key is missing.
template <typename Record>
std::string DefaultText(const SettingKey<Record>& key) {
    Record record{};
    TakeDefault(key, record);
    return ValueText(record, key);
}

template <typename Record>
bool ReadKey(const IniSnapshot& file, const char* section, const std::string& name,
             const SettingKey<Record>& key, Record& record, std::string_view missing) {
    const std::optional<std::string> text = ReadSetting(file, section, name, missing);
    return text && TakeValue(*text, key, record);
}

template <typename Record>
bool ReadKey(const IniSnapshot& file, const char* section, const std::string& name,
             const SettingKey<Record>& key, Record& record) {
    return ReadKey(file, section, name, key, record, DefaultText(key));
}

template <typename Record>
void AppendKeys(std::vector<IniEdit>& edits, const char* section,
                std::span<const SettingKey<Record>> keys, const Record& record) {
    for (const SettingKey<Record>& key : keys) {
        edits.push_back({section, key.name, ValueText(record, key)});
    }
}

template <typename Record>
bool ReadKeys(const IniSnapshot& file, const char* section,
              std::span<const SettingKey<Record>> keys, Record& record) {
    bool ok = true;
    for (const SettingKey<Record>& key : keys) {
        ok = ReadKey(file, section, key.name, key, record) && ok;
    }
    return ok;
}

const SettingKey<G>* NormalKeyOf(const FieldOf<G>& field) {
    for (const auto keys : {NormalKeysBeforeTiming(), NormalKeysAfterTiming()}) {
        for (const SettingKey<G>& key : keys) {
            if (key.field == field) return &key;
        }
    }
    return nullptr;
}

}  // namespace

TalkSettings::TalkSettings() { TakeDefaults<T>(kTalk, *this); }
RemoteSettings::RemoteSettings() { TakeDefaults<R>(kRemote, *this); }

void TakeGeneralDefaults(GeneralSettings& general) {
    TakeDefaults<G>(kNormalBefore, general);
    TakeDefaults<G>(kNormalAfter, general);
}

PresentationSlot DefaultSharedTiming() {
    PresentationSlot timing;
    TakeDefaults<P>(kTiming, timing);
    return timing;
}

DisplayStyle DefaultStyle() {
    DisplayStyle style;
    TakeDefaults<S>(kStyle, style);
    return style;
}

std::span<const SettingKey<G>> NormalKeysBeforeTiming() { return kNormalBefore; }
std::span<const SettingKey<P>> TimingKeys() { return kTiming; }
std::span<const SettingKey<G>> NormalKeysAfterTiming() { return kNormalAfter; }
const SettingKey<G>& PresentationCountKey() { return kPresentationCount; }
std::span<const SettingKey<S>> StyleKeys() { return kStyle; }
std::span<const SettingKey<T>> TalkKeys() { return kTalk; }
std::span<const SettingKey<U>> UiKeys() { return kUi; }
std::span<const SettingKey<R>> RemoteKeys() { return kRemote; }

const char* TimingSection(int32_t slot) {
    return slot == 0 ? kSectionNormal : kSectionPresentations;
}

std::string TimingKeyName(const SettingKey<P>& key, int32_t slot) {
    return slot == 0 ? std::string(key.name) : key.name + std::to_string(slot);
}

IniEdit TimingEdit(const FieldOf<P>& field, const PresentationSlot& timing, int32_t slot) {
    // Every field of a slot has its key.
    const SettingKey<P>& key =
        *std::find_if(std::begin(kTiming), std::end(kTiming),
                      [&](const SettingKey<P>& k) { return k.field == field; });
    return {TimingSection(slot), TimingKeyName(key, slot), ValueText(timing, key)};
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

std::string HotKeyToText(int32_t hotKey) {
    const int32_t key = hotKey & 0xFF;
    if (key == 0) return {};
    std::string text;
    for (const ModifierName& modifier : kModifierNames) {
        if ((hotKey >> 8) & modifier.bit) text += modifier.prefix;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + char(key);
    if (key >= kKeyF1 && key < kKeyF1 + kFunctionKeys) {
        return text + "F" + std::to_string(key - kKeyF1 + 1);
    }
    for (const KeyName& name : kKeyNames) {
        if (name.key == key) return text + name.name;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(key));
    return text + hex;
}

std::optional<int32_t> TextToHotKey(std::string_view text) {
    text = TrimSpaces(text);
    if (text.empty()) return 0;
    int32_t modifiers = 0;
    for (bool more = true; more;) {
        more = false;
        for (const ModifierName& modifier : kModifierNames) {
            if (text.size() > modifier.prefix.size() &&
                EqualsNoCase(text.substr(0, modifier.prefix.size()), modifier.prefix)) {
                modifiers |= modifier.bit;
                text.remove_prefix(modifier.prefix.size());
                more = true;
            }
        }
    }
    int32_t key = 0;
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
        key = std::toupper(static_cast<unsigned char>(text[0]));
    } else if (text.size() > 2 && EqualsNoCase(text.substr(0, 2), "0x")) {
        const std::string hex(text.substr(2));
        char* end = nullptr;
        const long value = std::strtol(hex.c_str(), &end, 16);
        if (end != hex.c_str() + hex.size() || value <= 0 || value > 0xFF) return std::nullopt;
        key = static_cast<int32_t>(value);
    } else if (text.size() >= 2 && (text[0] == 'F' || text[0] == 'f')) {
        const auto number = ParseDecimal(text.substr(1));
        if (!number || *number < 1 || *number > kFunctionKeys) return std::nullopt;
        key = kKeyF1 + static_cast<int32_t>(*number) - 1;
    } else {
        for (const KeyName& name : kKeyNames) {
            if (EqualsNoCase(text, name.name)) key = name.key;
        }
    }
    if (key == 0) return std::nullopt;
    return modifiers << 8 | key;
}

bool ValueFitsSettings(std::string_view utf8) {
    // Measured as in a GBK file: a value that fits GBK is no longer in UTF-16 code units
    // than in GBK bytes, so it also fits when the file is (or becomes) UTF-16.
    return utf8.find('\0') == std::string_view::npos &&
           StoredLength(utf8, FileEncoding::Gbk) <= kMaxSettingLength;
}

std::optional<std::string> ReadSetting(const IniSnapshot& file, std::string_view section,
                                       std::string_view key, std::string_view defaultValue) {
    // The reader's 256-unit buffer keeps one unit for the NUL: a longer value is cut off,
    // and a cut value is never taken for the real one.
    std::string value;
    if (file.Encoding() == FileEncoding::Gbk) {
        // Measured as it is on disk, before any conversion.
        value = file.ReadRaw(section, key, Utf8ToGbk(defaultValue));
        if (value.size() > kMaxSettingLength) return std::nullopt;
        value = GbkToUtf8(value.substr(0, value.find('\0')));
    } else {
        value = file.Read(section, key, defaultValue);
        if (StoredLength(value, file.Encoding()) > kMaxSettingLength) return std::nullopt;
        value.resize(std::min(value.size(), value.find('\0')));
    }
    return value;
}

void AppendNormalEdits(std::vector<IniEdit>& edits, const AppState& state) {
    AppendKeys(edits, kSectionNormal, NormalKeysBeforeTiming(), state.General);
    AppendTimingEdits(edits, *state.Presentations.At(0), 0);
    AppendKeys(edits, kSectionNormal, NormalKeysAfterTiming(), state.General);
}

void AppendGeneralEdits(std::vector<IniEdit>& edits, const GeneralSettings& general,
                        std::initializer_list<FieldOf<GeneralSettings>> fields) {
    for (const FieldOf<G>& field : fields) {
        if (const SettingKey<G>* key = NormalKeyOf(field)) {
            edits.push_back({kSectionNormal, key->name, ValueText(general, *key)});
        }
    }
}

void AppendTimingEdits(std::vector<IniEdit>& edits, const PresentationSlot& timing, int32_t slot) {
    for (const SettingKey<P>& key : TimingKeys()) {
        edits.push_back({TimingSection(slot), TimingKeyName(key, slot), ValueText(timing, key)});
    }
}

void AppendPresentationEdits(std::vector<IniEdit>& edits, int32_t count,
                             const PresentationTable& table) {
    GeneralSettings counted;
    counted.PresentationCount = count;
    edits.push_back(
        {kSectionPresentations, kPresentationCount.name, ValueText(counted, kPresentationCount)});
    for (int32_t n = 1; n <= count; ++n) {
        const PresentationSlot* slot = table.At(n);
        if (slot == nullptr) break;
        AppendTimingEdits(edits, *slot, n);
    }
}

void AppendStyleEdits(std::vector<IniEdit>& edits, const DisplayStyle& style) {
    edits.push_back({kSectionStyle, {}, std::nullopt});
    AppendKeys(edits, kSectionStyle, StyleKeys(), style);
}

void AppendTalkEdits(std::vector<IniEdit>& edits, const TalkSettings& talk) {
    edits.push_back({kSectionTalk, {}, std::nullopt});
    AppendKeys(edits, kSectionTalk, TalkKeys(), talk);
}

void AppendRemoteEdits(std::vector<IniEdit>& edits, const RemoteSettings& remote) {
    edits.push_back({kSectionRemote, {}, std::nullopt});
    AppendKeys(edits, kSectionRemote, RemoteKeys(), remote);
}

void AppendUiEdits(std::vector<IniEdit>& edits, const UiSettings& ui) {
    AppendKeys(edits, kSectionUi, UiKeys(), ui);
}

void ReadUi(const IniSnapshot& file, UiSettings& ui) {
    ui.Language = LanguageSetting::Auto;
    ReadKeys(file, kSectionUi, UiKeys(), ui);
}

void ReadTalk(const IniSnapshot& file, TalkSettings& talk) {
    talk = TalkSettings{};
    // A key that does not read leaves the default in its field.
    ReadKeys(file, kSectionTalk, TalkKeys(), talk);
}

void ReadRemote(const IniSnapshot& file, RemoteSettings& remote) {
    remote = RemoteSettings{};
    ReadKeys(file, kSectionRemote, RemoteKeys(), remote);
    if (remote.Port < 1 || remote.Port > kHighestPort) remote.Port = RemoteSettings{}.Port;
}

bool ReadNormal(const IniSnapshot& file, AppState& state) {
    bool ok = ReadKeys(file, kSectionNormal, NormalKeysBeforeTiming(), state.General);
    ok = ReadTiming(file, 0, *state.Presentations.At(0)) && ok;
    return ReadKeys(file, kSectionNormal, NormalKeysAfterTiming(), state.General) && ok;
}

bool ReadStyle(const IniSnapshot& file, DisplayStyle& style) {
    return ReadKeys(file, kSectionStyle, StyleKeys(), style);
}

bool ReadPresentationCount(const IniSnapshot& file, GeneralSettings& general) {
    return ReadKey(file, kSectionPresentations, kPresentationCount.name, kPresentationCount,
                   general);
}

bool ReadTiming(const IniSnapshot& file, int32_t slot, PresentationSlot& timing) {
    bool ok = true;
    for (const SettingKey<P>& key : TimingKeys()) {
        const std::string name = TimingKeyName(key, slot);
        // The shared timing's missing key reads as its default. A presentation's reads as
        // the empty text, which only its file name takes: a slot without one of its numbers
        // or switches is a broken list, which the loader discards.
        ok = (slot == 0 ? ReadKey(file, TimingSection(slot), name, key, timing)
                        : ReadKey(file, TimingSection(slot), name, key, timing, "")) &&
             ok;
    }
    return ok;
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

}  // namespace quorrin
