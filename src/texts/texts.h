// Every text the user reads, looked up by a named id in one compiled-in table per language
// (texts_zh_cn.cpp, texts_en_us.cpp). The language is held here, once for the program: a
// window takes its texts when it is built, so a change of language applies to every window
// built after it. Texts are UTF-8. Values stored in Config.ini are data and never come from
// here: the file is the same in every language.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorrin {

enum class Language { Chinese, English };

enum class TextId {
    // The notification-area icon, its balloons and its menu.
    AppName,
    BalloonRunning,
    BalloonKeysTaken,  // followed by the keys' names
    BalloonShowNotClosed,
    BalloonHistoryNotWritten,
    RemotePortUnavailable,
    KeyNameSeparator,
    MenuTimingSettings,
    MenuStyleSettings,
    MenuSoundSettings,
    MenuTalkSettings,
    MenuAutostart,
    MenuAutostartDisabledByTaskManager,
    MenuAutostartOnRemovableDrive,
    MenuAbout,
    MenuExit,
    MenuLanguage,
    MenuLanguageAuto,
    MenuLanguageChinese,
    MenuLanguageEnglish,

    AutostartFailed,  // followed by the reason
    AutostartYes,
    AutostartNo,
    AutostartNoBecause,  // {1} the reason
    AutostartDisabledByTaskManager,
    AutostartOnRemovableDrive,

    // Messages.
    SettingsReset,
    TimingsReset,
    SettingsNotReset,  // {1} the file, {2} the reason
    TimingsNotReset,   // {1} the file, {2} the reason
    SaveFailed,        // {1} the file, {2} the reason
    FileHasBadValue,
    FileReadOnly,

    // Every settings dialog.
    DialogSave,
    DialogCancel,
    DialogCloseTip,
    DialogClose,  // the one button of a dialog with nothing to save
    Browse,
    Copy,  // puts a text on the clipboard

    // Fixed values of Config.ini, shown in the user's language.
    DefaultSound,
    AllPresentations,

    // The sound settings dialog.
    SoundTitle,
    SoundWarningCaption,
    SoundEndWarning,
    SoundEndCaption,
    SoundFilesFilter,
    SoundPickerTitle,

    // The presentation timing dialog.
    TimingTitle,
    TimingSameMode,
    TimingIndividual,
    TimingAdd,
    TimingDelete,
    TimingClear,
    TimingResumeCaption,
    TimingResetChoice,
    TimingResumeChoice,
    TimingHeader,  // the column headings, placed by runs of spaces
    TimingListFull,
    RowYes,
    RowNo,

    // The entry editor.
    EditTitle,
    EditDuration,
    EditWarningStart,  // before the warning time field
    EditWarningEnd,    // after it
    EditFlush,
    EditCloseShow,
    EditFile,
    EditNoFile,
    EditBadTime,
    EditNameClash,        // {1} the new name, {2} the listed one
    EditNameNotStorable,  // {1} the file
    PresentationsFilter,
    PresentationPickerTitle,

    // 关于 Quorrin.
    AboutTitle,
    MenuTalkHistory,
    HistoryTitle,
    HistoryDate,
    HistoryPresentation,
    HistoryPlanned,
    HistoryActual,
    HistoryOverUnder,
    HistoryOpenFolder,
    HistoryClear,
    HistoryClearQuestion,
    AboutVersion,
    AboutFolder,
    AboutConfig,
    AboutShowConfig,
    AboutAutostart,

    // The display style dialog.
    StyleTitle,
    StyleFont,
    StyleSize,
    StyleTextColor,
    StyleBackColor,
    StyleAlpha,
    StylePosition,
    StylePreview,
    AlphaTransparent,
    AlphaOpaque,
    PositionTopLeft,
    PositionTopRight,
    PositionBottomLeft,
    PositionBottomRight,
    PositionCustom,
    StyleScreens,
    ScreensEvery,
    ScreensShow,
    ScreensOther,

    // The show controls dialog.
    TalkTitle,
    TalkOvertime,
    TalkColors,
    TalkKeys,
    TalkWarningColor,
    TalkOvertimeColor,
    TalkPickColor,
    TalkPauseKey,
    TalkMinuteMoreKey,
    TalkMinuteLessKey,
    TalkHideKey,
    TalkKeyTaken,
    TalkHistory,

    // The timekeeper dialog (the web server's links).
    MenuTimekeeper,
    RemoteTitle,
    RemoteEnabled,
    RemotePort,
    RemoteViewLink,
    RemoteControlLink,
    RemoteNewLinks,
    RemoteNote,
    RemoteBadPort,
    RemoteNotListening,  // {1} the reason

    Count  // not a text
};

inline constexpr size_t kTextCount = static_cast<size_t>(TextId::Count);

// One row of a language's table.
struct TextEntry {
    TextId id;
    const char* text;
};

// The language's own text of `id`, or null when its table lacks it.
const char* OwnText(Language language, TextId id);
// The text of `id` in `language`; English when that language lacks it.
std::string_view TextIn(Language language, TextId id);

// The language the program speaks; Chinese until set.
Language CurrentLanguage();
void SetCurrentLanguage(Language language);
// The text of `id` in the current language.
std::string_view Text(TextId id);
// The text with "{1}", "{2}", ... replaced by the arguments in order.
std::string FormatText(TextId id, std::initializer_list<std::string_view> arguments);

}  // namespace quorrin
