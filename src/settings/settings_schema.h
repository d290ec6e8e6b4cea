// Config.ini's keys, each described once: its section and name, the field of the settings it
// holds, how the value is written as text, and its default. The default is what a new file
// holds, what the reset puts back, and what a key missing from an existing file reads as.
// The loader, its self-repair and every writer go by these tables; a table's order is the
// order its keys are written in.
//
// [Normal] holds the general settings before and after the shared timing's keys (the keys
// of slot 0, bare); [PPTFiles] holds the count and the numbered keys of slots 1..100;
// [Style] holds the display style; [Talk], which older files lack, the controls during a show.
#pragma once

#include "settings/app_state.h"
#include "settings/ini_store.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
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
inline constexpr const char* kSectionTalk = "Talk";
// [Remote]: the timekeeper's web server, written once it has been set up.
inline constexpr const char* kSectionRemote = "Remote";
// [UI]: the language of the user interface, written only once the user has chosen one.
inline constexpr const char* kSectionUi = "UI";

// Largest value the settings reader accepts, in the unit of the file's encoding (GBK bytes,
// or UTF-16 code units once the file is UTF-16; see StoredLength): one less than its
// 256-unit buffer, which must keep room for the terminating NUL.
inline constexpr size_t kMaxSettingLength = 254;

// Whether a value (UTF-8) reads back from Config.ini whole and unchanged, whatever encoding
// the file has or takes: no NUL, and not longer than kMaxSettingLength.
bool ValueFitsSettings(std::string_view utf8);

// How a value is written as text (and read back).
enum class ValueFormat {
    Time,      // HH:MM:SS; seconds in memory
    Bool,      // True / False; numbers and any case are read too
    Byte,      // 0..255
    Int32,     // a decimal number
    Text,      // the text itself
    Key,       // a global key as its name ("Ctrl+Alt+Shift+P"); modifiers * 256 + key in memory
    Language,  // auto / zh-CN / en-US
};

// The field of a settings record a key holds.
template <typename Record>
using FieldOf = std::variant<int32_t Record::*, int16_t Record::*, uint8_t Record::*,
                             bool Record::*, std::string Record::*, LanguageSetting Record::*>;

// A key's default as its field holds it: a number (seconds, a key, a colour), a truth value,
// a text or a language.
struct SettingDefault {
    constexpr SettingDefault(int value) : number(value) {}
    constexpr SettingDefault(bool value) : number(value ? 1 : 0) {}
    constexpr SettingDefault(const char* value) : text(value) {}
    constexpr SettingDefault(LanguageSetting value) : number(static_cast<int>(value)) {}

    int64_t number = 0;
    const char* text = "";
};

template <typename Record>
struct SettingKey {
    const char* name;
    FieldOf<Record> field;
    ValueFormat format;
    SettingDefault byDefault;
};

// The tables, in the order the keys are written.
std::span<const SettingKey<GeneralSettings>> NormalKeysBeforeTiming();
std::span<const SettingKey<PresentationSlot>> TimingKeys();  // one slot's keys
std::span<const SettingKey<GeneralSettings>> NormalKeysAfterTiming();
const SettingKey<GeneralSettings>& PresentationCountKey();
std::span<const SettingKey<DisplayStyle>> StyleKeys();
std::span<const SettingKey<TalkSettings>> TalkKeys();
std::span<const SettingKey<RemoteSettings>> RemoteKeys();
std::span<const SettingKey<UiSettings>> UiKeys();

// A slot's keys live in [Normal] for the shared timing (slot 0) and in [PPTFiles] for the
// presentations, where their names carry the slot number ("timeCnt3").
const char* TimingSection(int32_t slot);
std::string TimingKeyName(const SettingKey<PresentationSlot>& key, int32_t slot);

// Value formats of the file.
std::string BoolToText(bool value);
std::optional<bool> TextToBool(std::string_view text);
std::optional<uint8_t> TextToByte(std::string_view text);
std::optional<int32_t> TextToInt32(std::string_view text);
// A global key and its name: "Ctrl+", "Alt+", "Shift+" before the key's name (a letter, a
// digit, F1..F24, PageUp, Up, ... or 0xNN); "" for no key.
std::string HotKeyToText(int32_t hotKey);
std::optional<int32_t> TextToHotKey(std::string_view text);

// One key as text (UTF-8), or nothing when the value does not fit the reader's buffer.
std::optional<std::string> ReadSetting(const IniSnapshot& file, std::string_view section,
                                       std::string_view key, std::string_view defaultValue);

// Edits that write keys from memory, in the tables' order.
// Every [Normal] key.
void AppendNormalEdits(std::vector<IniEdit>& edits, const AppState& state);
// The [Normal] keys of the given general settings, in the table's order.
void AppendGeneralEdits(std::vector<IniEdit>& edits, const GeneralSettings& general,
                        std::initializer_list<FieldOf<GeneralSettings>> fields);
// The key of one field of a slot.
IniEdit TimingEdit(const FieldOf<PresentationSlot>& field, const PresentationSlot& timing,
                   int32_t slot);
// The keys of one slot.
void AppendTimingEdits(std::vector<IniEdit>& edits, const PresentationSlot& timing, int32_t slot);
// [PPTFiles]: the count, then the keys of slots 1..count.
void AppendPresentationEdits(std::vector<IniEdit>& edits, int32_t count,
                             const PresentationTable& table);
// [Style]: the section removed, then every key (a stray key goes with the old section).
void AppendStyleEdits(std::vector<IniEdit>& edits, const DisplayStyle& style);
// [Talk]: the section removed, then every key.
void AppendTalkEdits(std::vector<IniEdit>& edits, const TalkSettings& talk);
// [Remote]: the section removed, then every key.
void AppendRemoteEdits(std::vector<IniEdit>& edits, const RemoteSettings& remote);
// [UI]: its keys, leaving any other key of the section as it is.
void AppendUiEdits(std::vector<IniEdit>& edits, const UiSettings& ui);

// Reads keys into memory; false when a key cannot be read or converted. A field whose key
// fails keeps its value; the others are still read.
bool ReadNormal(const IniSnapshot& file, AppState& state);
bool ReadStyle(const IniSnapshot& file, DisplayStyle& style);
bool ReadPresentationCount(const IniSnapshot& file, GeneralSettings& general);
bool ReadTiming(const IniSnapshot& file, int32_t slot, PresentationSlot& timing);

// The markers of an ExtraMarkers value (UTF-8), without the empty and space-only ones, which
// would match every window.
std::vector<std::string> SplitMarkers(std::string_view value);
// [Detection] as read from `file`; nothing in it is ever invalid, reset or written.
DetectionSettings ReadDetectionSettings(const IniSnapshot& file);
// [Talk]: each key that is missing or cannot be read takes its default alone. Never fails, so
// nothing is repaired for it.
void ReadTalk(const IniSnapshot& file, TalkSettings& talk);
// [Remote]: like [Talk], and a port outside 1..65535 takes the default. The keys are read as
// they are; whether they are strong enough is the server's concern.
void ReadRemote(const IniSnapshot& file, RemoteSettings& remote);
// [UI]: a key that is missing or names nothing known takes its default. Never fails.
void ReadUi(const IniSnapshot& file, UiSettings& ui);

}  // namespace quorrin
