// The texts in Chinese (zh-CN), the program's first language.
#include "texts/texts.h"

#include <span>

namespace quorrin {

namespace {

using enum TextId;

constexpr TextEntry kChinese[] = {
    {AppName, "Quorrin"},
    {BalloonRunning, "程序已经运行！"},
    {BalloonKeysTaken, "快捷键已被其他程序占用，本次放映中不可用："},
    {BalloonShowNotClosed, "倒计时已结束，但无法关闭幻灯片放映，请手动关闭。"},
    {BalloonHistoryNotWritten, "无法将本次演讲写入 Config.ini 旁的 History.csv。"},
    {RemotePortUnavailable, "远程计时无法使用端口 "},
    {KeyNameSeparator, "、"},
    {MenuTimingSettings, "计时设置"},
    {MenuStyleSettings, "外观设置"},
    {MenuSoundSettings, "声音设置"},
    {MenuTalkSettings, "放映控制"},
    {MenuAutostart, "开机时自动运行"},
    {MenuAutostartDisabledByTaskManager, "开机时自动运行（已在任务管理器中禁用）"},
    {MenuAutostartOnRemovableDrive, "开机时自动运行（程序在可移动磁盘上）"},
    {MenuAbout, "关于 Quorrin"},
    {MenuExit, "退出程序"},
    {MenuLanguage, "语言 / Language"},
    {MenuLanguageAuto, "自动"},
    {MenuLanguageChinese, "中文"},
    {MenuLanguageEnglish, "English"},
    {AutostartFailed, "无法更改开机时自动运行："},
    {AutostartYes, "是"},
    {AutostartNo, "否"},
    {AutostartNoBecause, "否（{1}）"},
    {AutostartDisabledByTaskManager, "已在任务管理器中禁用"},
    {AutostartOnRemovableDrive, "程序在可移动磁盘上"},

    {SettingsReset, "倒计时配置已被 初始化！"},
    {TimingsReset, "倒计时计时配置已被初始化！"},
    {SettingsNotReset, "倒计时配置无法读取，且默认设置未能写入 {1}：{2}"},
    {TimingsNotReset, "倒计时计时配置无法读取，且未能从 {1} 中清除：{2}"},
    {SaveFailed, "设置未能保存到文件：\n{1}\n\n{2}"},
    {FileHasBadValue, "设置中含有无法写入文件的字符。"},
    {FileReadOnly, "文件被设为只读。"},

    {DialogSave, "保存"},
    {DialogCancel, "取消"},
    {DialogCloseTip, "关闭"},
    {DialogClose, "关闭"},
    {Browse, "浏览"},

    {DefaultSound, "默认声音"},
    {AllPresentations, "所有演示文稿"},

    {SoundTitle, "声音设置"},
    {SoundWarningCaption, "提示音乐："},
    {SoundEndWarning, "结束提醒"},
    {SoundEndCaption, "结束音乐："},
    {SoundFilesFilter, "声音文件(*.wav;*.mp3,*.wma)"},
    {SoundPickerTitle, "选择声音文件"},

    {TimingTitle, "设置播放时间"},
    {TimingSameMode, "同一计时设置"},
    {TimingIndividual, "个性化设置"},
    {TimingAdd, "添加"},
    {TimingDelete, "删除"},
    {TimingClear, "清空"},
    {TimingResumeCaption, "中断后重计时按："},
    {TimingResetChoice, "重新计时"},
    {TimingResumeChoice, "从上一断点计时"},
    {TimingHeader, "演示时长         提醒时间      闪屏提醒   结束放映           PPT文件名"},
    {TimingListFull, "最多100个演示文稿：请先删除一个"},
    {RowYes, "是"},
    {RowNo, "否"},

    {EditTitle, "编辑时间"},
    {EditDuration, "时间总长"},
    {EditWarningStart, "剩余时间"},
    {EditWarningEnd, "时提醒"},
    {EditFlush, "到达指定剩余时间时闪屏提醒"},
    {EditCloseShow, "倒计时结束后，关闭正在放映的幻灯片"},
    {EditFile, "PPT文件"},
    {EditNoFile, "请选择需要倒计时的PPT文件!"},
    {EditBadTime, "请输入有效的时间（时:分:秒，00:00:00 至 23:59:59）!"},
    {EditNameClash,
     "对不起，该文件名[{1}]与列表中已存在的文件名[{2}]存在名称上的匹配关系，"
     "会引起误判断，请重新命名该文件名"},
    {EditNameNotStorable,
     "文件名[{1}]无法保存到设置文件中（含有不支持的字符、首尾空白或引号，"
     "或过长），请重新命名该文件"},
    {PresentationsFilter, "PPT文件(*.ppt;*.pptx;*.pps;*.ppsx;*.dps)"},
    {PresentationPickerTitle, "选择PPT文件"},

    {AboutTitle, "关于 Quorrin"},
    {MenuTalkHistory, "演讲记录"},
    {HistoryTitle, "演讲记录"},
    {HistoryDate, "日期"},
    {HistoryPresentation, "演示文稿"},
    {HistoryPlanned, "计划"},
    {HistoryActual, "实际"},
    {HistoryOverUnder, "超时/提前"},
    {HistoryOpenFolder, "打开所在文件夹"},
    {HistoryClear, "清除记录"},
    {HistoryClearQuestion, "确定要删除所有演讲记录吗？"},
    {AboutVersion, "版本："},
    {AboutFolder, "程序所在文件夹："},
    {AboutConfig, "配置文件："},
    {AboutShowConfig, "打开所在文件夹"},
    {AboutAutostart, "开机时自动运行："},

    {StyleTitle, "外观设置"},
    {StyleFont, "数字字体"},
    {StyleSize, "字号"},
    {StyleTextColor, "颜色"},
    {StyleBackColor, "自定义背景颜色"},
    {StyleAlpha, "透明度"},
    {StylePosition, "位  置"},
    {StylePreview, "模拟显示"},
    {AlphaTransparent, "完全透明"},
    {AlphaOpaque, "不透明"},
    {PositionTopLeft, "屏幕左上角"},
    {PositionTopRight, "屏幕右上角"},
    {PositionBottomLeft, "屏幕左下角"},
    {PositionBottomRight, "屏幕右下角"},
    {PositionCustom, "自定义位置"},
    {StyleScreens, "屏  幕"},
    {ScreensEvery, "所有屏幕"},
    {ScreensShow, "放映屏幕"},
    {ScreensOther, "其他屏幕"},

    {TalkTitle, "放映控制"},
    {TalkOvertime, "超时后继续计时（-MM:SS）"},
    {TalkColors, "提醒后和超时后变换背景颜色"},
    {TalkKeys, "放映时启用快捷键"},
    {TalkWarningColor, "提醒颜色："},
    {TalkOvertimeColor, "超时颜色："},
    {TalkPickColor, "选择颜色"},
    {TalkPauseKey, "暂停/继续："},
    {TalkMinuteMoreKey, "加一分钟："},
    {TalkMinuteLessKey, "减一分钟："},
    {TalkHideKey, "隐藏/显示："},
    {TalkKeyTaken, "已被占用"},
    {TalkHistory, "记录每次演讲（History.csv）"},
};

}  // namespace

std::span<const TextEntry> ChineseTexts() { return kChinese; }

}  // namespace quorrin
