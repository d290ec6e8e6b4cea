// The program-wide state: presentation table, general settings, countdown state, display
// style and the monitor work areas. One AppState lives for the whole run and is handed by
// reference to every window, timer and dialog.
#pragma once

#include "texts/language_choice.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace quorrin {

// The literal sound setting that stands for the system beep instead of a file.
inline constexpr const char* kDefaultSound = "默认声音";
// Label of the shared timing (slot 0).
inline constexpr const char* kAllPresentationsLabel = "所有演示文稿";

inline constexpr int kMaxPresentations = 100;
inline constexpr int kSlotCount = kMaxPresentations + 1;  // slot 0 is the shared timing

struct PresentationSlot {
    int32_t TimeCnt = 0;      // seconds, total duration
    int32_t TimeWarning = 0;  // seconds left when the warning is given
    bool Flush = false;       // flash at the warning time
    bool Close = false;       // close the show at the end
    std::string File;         // text looked for in the show's title (slot 0: a label)
    int32_t TimeFree = 0;     // seconds left when the show last stopped
};

// Fixed table of 101 slots; every access checks the slot number, so a slot above 100 can
// never be read or stored.
class PresentationTable {
  public:
    // The slot's row, or nullptr when the slot number is outside 0..100.
    const PresentationSlot* At(int slot) const;
    PresentationSlot* At(int slot);
    // Stores a whole row; false (and nothing changed) for a slot outside 0..100.
    bool Store(int slot, const PresentationSlot& row);

  private:
    std::array<PresentationSlot, kSlotCount> slots_{};
};

struct GeneralSettings {
    uint8_t TimeMode = 0;  // 0: count down by itself; otherwise hold the starting time
    bool EndWarning = false;
    bool ResetTime = false;
    bool SameMode = false;
    std::string WarningSound;
    std::string EndSound;
    int32_t PresentationCount = 0;  // 0..100
    std::string ConfigPath;         // UTF-8
};

// How slide shows are recognised beyond the built-in rules (Config.ini [Detection]).
struct DetectionSettings {
    // Further title markers (UTF-8), none empty or only spaces.
    std::vector<std::string> ExtraMarkers;
};

// Opaque window handle value as the detection sees it (0 = none).
using WindowId = std::uintptr_t;

struct CountdownState {
    bool ShowActive = false;
    WindowId SlideShowWindow = 0;
    std::string LastShowTitle;  // UTF-8
    bool TitleChanged = false;
    int32_t CurrentSlot = 0;
    int32_t TotalSeconds = 0;
    int32_t WarningSeconds = 0;
    bool FlashOnWarning = false;
    bool CloseAtEnd = false;
    int32_t RemainingSeconds = 0;
};

// Which monitors show the clock during a show, as DisplayStyle::Screens stores it. The show's
// screen is the monitor that holds the show window; with one monitor every choice shows the
// clock there.
enum class ClockScreens : uint8_t {
    Every = 0,         // every monitor
    ShowScreen = 1,    // only the show's screen, for the audience
    OtherScreens = 2,  // every monitor but the show's, for the presenter alone
};

// Look of the countdown window. Sizes in twips, colours 0x00BBGGRR.
struct DisplayStyle {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Left = 0;
    int32_t Top = 0;
    uint8_t showPos = 0;  // 0..3 corners of the work area, 4 at Left/Top
    uint8_t Alpha = 0;    // percent
    int32_t BackColor = 0;
    int16_t numFontSize = 0;  // points
    int32_t numForeColor = 0;
    std::string numFontName;
    int32_t numWidth = 0;
    int32_t numHeight = 0;
    int32_t numLeft = 0;
    int32_t numTop = 0;
    int32_t bgWidth = 0;
    int32_t bgHeight = 0;
    int32_t bgLeft = 0;
    int32_t bgTop = 0;
    int32_t bgBackColor = 0;
    uint8_t Screens = 0;  // a ClockScreens; an unknown value counts as Every

    bool operator==(const DisplayStyle&) const = default;
};

// Pixels of the virtual screen.
struct WorkArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const WorkArea&) const = default;
};

// What the presenter may ask of the clock during a show: counting on past zero, the warning
// and overtime colours, and the global keys. Colours 0x00BBGGRR; a key is the RegisterHotKey
// modifiers (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4) times 256 plus the virtual-key code, 0
// for none. A new record holds each key's default (settings_schema.cpp).
struct TalkSettings {
    TalkSettings();

    bool Overtime = false;
    bool Colors = false;
    bool Keys = false;
    int32_t WarningColor = 0;
    int32_t OvertimeColor = 0;
    int32_t PauseKey = 0;
    int32_t MinuteMoreKey = 0;
    int32_t MinuteLessKey = 0;
    int32_t HideKey = 0;
    bool History = false;  // a row in History.csv for every talk

    bool operator==(const TalkSettings&) const = default;
};

// The timekeeper's web server ([Remote] in Config.ini): off until the presenter turns it on,
// the port it listens on and the keys of its two links (view and control). A key that is
// missing or too weak to use is replaced by a new one before the server starts.
struct RemoteSettings {
    RemoteSettings();

    bool Enabled = false;
    int32_t Port = 0;  // 1..65535; anything else reads as the default
    std::string ViewKey;
    std::string ControlKey;

    bool operator==(const RemoteSettings&) const = default;
};

// The language of the user interface ([UI] in Config.ini).
struct UiSettings {
    LanguageSetting Language = LanguageSetting::Auto;  // a missing key is Auto
    // The user's preferred UI languages, most preferred first, as the system tells them at
    // start-up; never stored.
    std::vector<std::string> SystemLanguages;
};

// The presenter's global keys during a show, each named once: its id in WM_HOTKEY, the field
// of TalkSettings that holds it, and its caption in the show controls dialog, in the order
// the dialog lists them.
enum class ShowKey : int { Pause = 1, MinuteMore = 2, MinuteLess = 3, Hide = 4 };
struct ShowKeyRow {
    ShowKey key;
    int32_t TalkSettings::*field;
    TextId caption;
};
inline constexpr ShowKeyRow kShowKeys[] = {
    {ShowKey::Pause, &TalkSettings::PauseKey, TextId::TalkPauseKey},
    {ShowKey::MinuteMore, &TalkSettings::MinuteMoreKey, TextId::TalkMinuteMoreKey},
    {ShowKey::MinuteLess, &TalkSettings::MinuteLessKey, TextId::TalkMinuteLessKey},
    {ShowKey::Hide, &TalkSettings::HideKey, TextId::TalkHideKey},
};
inline constexpr size_t kShowKeyCount = std::size(kShowKeys);

struct AppState {
    PresentationTable Presentations;
    GeneralSettings General;
    TalkSettings Talk;
    CountdownState Countdown;
    DisplayStyle Style;
    DetectionSettings Detection;
    UiSettings Ui;
    RemoteSettings Remote;
    WorkArea PrimaryWorkArea;
    WorkArea SecondWorkArea;
};

// The records as a new Config.ini holds them: each field its key's default, stated in the
// key's row of settings_schema.cpp. Until the file is loaded, the general settings, the
// slots and the style hold zeros.
DisplayStyle DefaultStyle();
PresentationSlot DefaultSharedTiming();
// Every general setting but the count of presentations, which the reset leaves alone.
void TakeGeneralDefaults(GeneralSettings& general);

// Makes the language `ui` chooses the one the program speaks.
void ApplyUiLanguage(const UiSettings& ui);

// The general settings, slot 0 and the display style back to their defaults, in memory only.
// PresentationCount and slots 1..100 are left alone.
void ResetSettings(AppState& state);

}  // namespace quorrin
