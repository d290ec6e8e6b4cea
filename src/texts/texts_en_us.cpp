// The texts in English (en-US), also the fallback for a text another language lacks.
#include "texts/texts.h"

#include <span>

namespace quorrin {

namespace {

using enum TextId;

constexpr TextEntry kEnglish[] = {
    {AppName, "Quorrin"},
    {BalloonRunning, "Quorrin is running."},
    {BalloonKeysTaken, "Shortcut keys held by another program, not available during this show: "},
    {BalloonShowNotClosed,
     "Time is up, but the slide show could not be closed. Please close it yourself."},
    {BalloonHistoryNotWritten, "The talk could not be recorded in History.csv beside Config.ini."},
    {RemotePortUnavailable, "The timekeeper's links cannot be served on port "},
    {KeyNameSeparator, ", "},
    {MenuTimingSettings, "Timing settings"},
    {MenuStyleSettings, "Appearance settings"},
    {MenuSoundSettings, "Sound settings"},
    {MenuTalkSettings, "Show controls"},
    {MenuAutostart, "Run at startup"},
    {MenuAutostartDisabledByTaskManager, "Run at startup (disabled in Task Manager)"},
    {MenuAutostartOnRemovableDrive, "Run at startup (the program is on a removable drive)"},
    {MenuAbout, "About Quorrin"},
    {MenuExit, "Exit"},
    {MenuLanguage, "语言 / Language"},
    {MenuLanguageAuto, "Automatic"},
    {MenuLanguageChinese, "中文"},
    {MenuLanguageEnglish, "English"},
    {AutostartFailed, "Cannot change Run at startup: "},
    {AutostartYes, "Yes"},
    {AutostartNo, "No"},
    {AutostartNoBecause, "No ({1})"},
    {AutostartDisabledByTaskManager, "disabled in Task Manager"},
    {AutostartOnRemovableDrive, "the program is on a removable drive"},

    {SettingsReset, "The countdown settings could not be read and have been reset."},
    {TimingsReset, "The presentation timings could not be read and have been reset."},
    {SettingsNotReset,
     "The countdown settings could not be read, and the defaults could not be written to {1}: "
     "{2}"},
    {TimingsNotReset,
     "The presentation timings could not be read, and could not be removed from {1}: {2}"},
    {SaveFailed, "The settings could not be saved to the file:\n{1}\n\n{2}"},
    {FileHasBadValue, "The settings hold characters that cannot be written to the file."},
    {FileReadOnly, "The file is read-only."},

    {DialogSave, "Save"},
    {DialogCancel, "Cancel"},
    {DialogCloseTip, "Close"},
    {DialogClose, "Close"},
    {Browse, "Browse"},
    {Copy, "Copy"},

    {DefaultSound, "Default sound"},
    {AllPresentations, "All presentations"},

    {SoundTitle, "Sound settings"},
    {SoundWarningCaption, "Warning:"},
    {SoundEndWarning, "End signal"},
    {SoundEndCaption, "End:"},
    {SoundFilesFilter, "Sound files (*.wav;*.mp3;*.wma)"},
    {SoundPickerTitle, "Choose a sound file"},

    {TimingTitle, "Presentation timing"},
    {TimingSameMode, "Same for all"},
    {TimingIndividual, "Individual"},
    {TimingAdd, "Add"},
    {TimingDelete, "Delete"},
    {TimingClear, "Clear"},
    {TimingResumeCaption, "If interrupted:"},
    {TimingResetChoice, "Start over"},
    {TimingResumeChoice, "Resume"},
    {TimingHeader, "Duration          Warning         Flash       Close         Presentation"},
    {TimingListFull, "At most 100 presentations: delete one first"},
    {RowYes, "Yes"},
    {RowNo, "No"},

    {EditTitle, "Edit timing"},
    {EditDuration, "Duration"},
    {EditWarningStart, "Warn at"},
    {EditWarningEnd, "remaining"},
    {EditFlush, "Flash at the warning time"},
    {EditCloseShow, "Close the slide show when time is up"},
    {EditFile, "File"},
    {EditNoFile, "Please choose the presentation file to time!"},
    {EditBadTime, "Please enter a valid time (hours:minutes:seconds, 00:00:00 to 23:59:59)!"},
    {EditNameClash,
     "Sorry, the file name [{1}] and the listed name [{2}] contain one another, so one show "
     "could be taken for the other. Please rename the file."},
    {EditNameNotStorable,
     "The file name [{1}] cannot be saved in the settings file (unsupported characters, spaces "
     "or quotes at either end, or too long). Please rename the file."},
    {PresentationsFilter, "Presentations (*.ppt;*.pptx;*.pps;*.ppsx;*.dps)"},
    {PresentationPickerTitle, "Choose a presentation"},

    {AboutTitle, "About Quorrin"},
    {MenuTalkHistory, "Talk history"},
    {HistoryTitle, "Talk history"},
    {HistoryDate, "Date"},
    {HistoryPresentation, "Presentation"},
    {HistoryPlanned, "Planned"},
    {HistoryActual, "Actual"},
    {HistoryOverUnder, "Over/under"},
    {HistoryOpenFolder, "Open folder"},
    {HistoryClear, "Clear record"},
    {HistoryClearQuestion, "Delete the record of every talk?"},
    {AboutVersion, "Version:"},
    {AboutFolder, "Program folder:"},
    {AboutConfig, "Settings file:"},
    {AboutShowConfig, "Show in folder"},
    {AboutAutostart, "Run at startup:"},

    {StyleTitle, "Appearance settings"},
    {StyleFont, "Digits font"},
    {StyleSize, "Size"},
    {StyleTextColor, "Color"},
    {StyleBackColor, "Background color"},
    {StyleAlpha, "Opacity"},
    {StylePosition, "Place"},
    {StylePreview, "Preview"},
    {AlphaTransparent, "Transparent"},
    {AlphaOpaque, "Opaque"},
    {PositionTopLeft, "Top left"},
    {PositionTopRight, "Top right"},
    {PositionBottomLeft, "Bottom left"},
    {PositionBottomRight, "Bottom right"},
    {PositionCustom, "Custom"},
    {StyleScreens, "Screens"},
    {ScreensEvery, "All screens"},
    {ScreensShow, "Show only"},
    {ScreensOther, "Others only"},

    {TalkTitle, "Show controls"},
    {TalkOvertime, "Count on past zero (-MM:SS)"},
    {TalkColors, "Change the background at the warning and past zero"},
    {TalkKeys, "Use shortcut keys during the show"},
    {TalkWarningColor, "Warning:"},
    {TalkOvertimeColor, "Overtime:"},
    {TalkPickColor, "Choose"},
    {TalkPauseKey, "Pause/resume:"},
    {TalkMinuteMoreKey, "Minute more:"},
    {TalkMinuteLessKey, "Minute less:"},
    {TalkHideKey, "Hide/show:"},
    {TalkKeyTaken, "In use"},
    {TalkHistory, "Keep a record of every talk (History.csv)"},

    {MenuTimekeeper, "Timekeeper…"},
    {RemoteTitle, "Timekeeper"},
    {RemoteEnabled, "Let a timekeeper see and control the clock"},
    {RemotePort, "Port:"},
    {RemoteViewLink, "View:"},
    {RemoteControlLink, "Control:"},
    {RemoteNewLinks, "New links"},
    {RemoteNote,
     "The first time this is turned on, Windows may ask whether to let Quorrin use the "
     "network. The links work only on the same network. Anyone with the control link can "
     "control the clock: give it only to the timekeeper."},
    {RemoteBadPort, "The port must be a number from 1 to 65535."},
    {RemoteNotListening, "The settings are saved, but the links cannot work now: {1}"},
};

}  // namespace

std::span<const TextEntry> EnglishTexts() { return kEnglish; }

}  // namespace quorrin
