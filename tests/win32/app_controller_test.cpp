// The controller and the main clock window: hidden, no task-bar button, a slide-show watch on
// its timer, the clock shown over a show and hidden after it, dragging, the tray icon, and
// the ways the program is ended.
#include "app/app_controller_win32.h"
#include "tray/tray_menu_win32.h"

#include "clock/monitors_win32.h"
#include "win32/wide_text_win32.h"
#include "settings/ini_store.h"

#include "message_pump_win32.h"
#include "temp_folder.h"
#include "test_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorrin {
namespace {

using testing::PumpResult;
using testing::PumpUntil;

constexpr WindowId kShowId = 0x5150;
constexpr WindowId kPlainId = 0x5160;

// A scripted desktop: the windows the test puts there, and a count of detection passes.
class ScriptedWalk final : public WindowWalk {
  public:
    std::vector<std::pair<WindowId, std::string>> windows;
    int passes = 0;

    WindowId First() override {
        ++passes;
        if (reportDuringNextPass) {
            reportDuringNextPass = false;
            changed();
        }
        return windows.empty() ? 0 : windows.front().first;
    }
    WindowId Next(WindowId window) override {
        for (size_t i = 0; i + 1 < windows.size(); ++i) {
            if (windows[i].first == window) return windows[i + 1].first;
        }
        return 0;
    }
    std::string Title(WindowId window) override {
        for (const auto& [id, title] : windows) {
            if (id == window) return title;
        }
        return {};
    }
    std::string ClassName(WindowId) override { return "Notepad"; }
    std::string ProgramName(WindowId) override { return "notepad.exe"; }
    std::optional<WindowScreen> Screen(WindowId) override { return std::nullopt; }
    bool ReportChanges(std::function<void()> onChange) override {
        changed = std::move(onChange);
        return reportsChanges;
    }

    bool reportsChanges = false;
    bool reportDuringNextPass = false;
    std::function<void()> changed;
};

// Runs the messages posted to this thread so far, but no timer.
void RunPostedMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) != FALSE ||
           PeekMessageW(&message, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class AppControllerTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(); }
    void Start() {
        state_.General.ConfigPath = configPath_;
        state_.General.SameMode = true;
        state_.Style = DefaultStyle();
        state_.Style.showPos = 4;
        PresentationSlot shared;
        shared.TimeCnt = 600;
        state_.Presentations.Store(0, shared);
        RecordMonitorWorkAreas(state_);
        ASSERT_TRUE(controller_.Start(GetModuleHandleW(nullptr)));
    }

    // Puts a show on the scripted desktop and lets the watch find it.
    void StartShow() {
        walk_.windows.insert(walk_.windows.begin(), {kShowId, "PowerPoint 幻灯片放映 - a.pptx"});
        ASSERT_TRUE(RunPasses(1).done);
        ASSERT_TRUE(state_.Countdown.ShowActive);
    }

    std::wstring LabelText(HWND clock) const {
        const HWND label = FindWindowExW(clock, nullptr, kTimeLabelClassName, nullptr);
        wchar_t text[32] = {};
        GetWindowTextW(label, text, 32);
        return text;
    }

    RECT WindowRect(HWND window) const {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }

    std::string StoredStyle(const char* key) {
        return IniStore(configPath_).Read("Style", key, "");
    }

    // Lets the timer run `count` more detection passes.
    PumpResult RunPasses(int count) {
        const int target = walk_.passes + count;
        return PumpUntil([&](const PumpResult&) { return walk_.passes >= target; });
    }

    testing::TempFolder folder_;
    std::string configPath_ = folder_.EmptyFile("Config.ini");
    AppState state_;
    IniStore store_{configPath_};
    ConfigFile config_{state_, store_, [](const std::string&) {}};
    ScriptedWalk walk_;
    AppController controller_{state_, walk_, config_};
    const MainClockWindow& form_ = controller_.Clock();
};

TEST_F(AppControllerTest, BothClocksAreHiddenLayeredTopmostToolWindows) {
    for (const HWND window : {form_.Handle(), form_.Copies().At(0).window.Handle()}) {
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(IsWindowVisible(window));
        const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
        EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
        EXPECT_NE(exStyle & WS_EX_LAYERED, 0);
        EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
    }
    wchar_t className[64] = {};
    GetClassNameW(form_.Handle(), className, 64);
    EXPECT_STREQ(className, kMainClockClassName);
    GetClassNameW(form_.Copies().At(0).window.Handle(), className, 64);
    EXPECT_STREQ(className, kClockCopyClassName);
}

TEST_F(AppControllerTest, FollowsAShowAppearingAndGoing) {
    walk_.windows = {{kPlainId, "notes.txt - Editor"}};
    ASSERT_TRUE(RunPasses(2).done);
    EXPECT_FALSE(state_.Countdown.ShowActive);

    StartShow();
    EXPECT_EQ(state_.Countdown.SlideShowWindow, kShowId);
    EXPECT_EQ(state_.Countdown.TotalSeconds, 600);
    EXPECT_TRUE(controller_.Engine().Counting());
    for (const HWND window : {form_.Handle(), form_.Copies().At(0).window.Handle()}) {
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(LabelText(window), L"10:00");
    }

    ASSERT_TRUE(RunPasses(2).done);
    EXPECT_TRUE(state_.Countdown.ShowActive);

    walk_.windows.erase(walk_.windows.begin());
    ASSERT_TRUE(RunPasses(1).done);
    EXPECT_FALSE(state_.Countdown.ShowActive);
    EXPECT_FALSE(controller_.Engine().Counting());
    EXPECT_FALSE(IsWindowVisible(form_.Handle()));
    EXPECT_FALSE(IsWindowVisible(form_.Copies().At(0).window.Handle()));
}

TEST_F(AppControllerTest, CountsDownOnceASecond) {
    StartShow();
    ASSERT_TRUE(
        PumpUntil([&](const PumpResult&) { return LabelText(form_.Handle()) == L"09:58"; }).done);
    EXPECT_EQ(LabelText(form_.Copies().At(0).window.Handle()), L"09:58");
    EXPECT_EQ(IniStore(configPath_).Read("Normal", "timeFree", ""), "00:09:58");
}

TEST_F(AppControllerTest, LeftDragMovesBothClocksAndSavesThePlace) {
    StartShow();
    const HWND window = form_.Handle();
    const RECT before = WindowRect(window);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 25));
    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left, before.left + 20);
    EXPECT_EQ(after.top, before.top + 15);
    // One monitor: the copy follows onto the same place.
    const RECT copy = WindowRect(form_.Copies().At(0).window.Handle());
    EXPECT_EQ(copy.left, after.left);
    EXPECT_EQ(copy.top, after.top);
    EXPECT_EQ(StoredStyle("Left"), "") << "saved on release, not while moving";

    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 25));
    EXPECT_EQ(state_.Style.Left, after.left * 15);
    EXPECT_EQ(state_.Style.Top, after.top * 15);
    EXPECT_EQ(StoredStyle("Left"), std::to_string(after.left * 15));
    EXPECT_EQ(StoredStyle("Top"), std::to_string(after.top * 15));
    EXPECT_EQ(state_.Style.showPos, 4);
}

// Set by the timer that closes the popup menu: whether a menu was open at that moment.
bool gMenuWasOpen = false;

void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const HWND menu = FindWindowW(L"#32768", nullptr);
    gMenuWasOpen = menu != nullptr && IsWindowVisible(menu);
    EndMenu();
}

TEST_F(AppControllerTest, OnlyTheLeftButtonAloneDragsAndARightClickOpensTheMenu) {
    StartShow();
    const HWND window = form_.Handle();
    const RECT before = WindowRect(window);
    // Moving without a press, with the right button, and with both buttons held.
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 40));
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(40, 40));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(40, 40));
    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);

    // The release opens the tray menu, which runs until the timer closes it.
    gMenuWasOpen = false;
    SetTimer(nullptr, 0, 300, CloseOpenMenu);
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(40, 40));
    EXPECT_TRUE(gMenuWasOpen);
    // The click saved the unchanged style on its release.
    EXPECT_EQ(StoredStyle("Left"), std::to_string(state_.Style.Left));
    EXPECT_EQ(state_.Style.Left, before.left * 15);
}

// What the open tray menu held, read by a timer while it runs, which then dismisses it.
struct SeenMenu {
    std::vector<std::wstring> captions;  // "-" for a separator
    std::wstring checked, grayed;        // the captions, each followed by ";"
    std::vector<std::wstring> submenu;
    std::wstring submenuChecked;
};
SeenMenu gSeen;

std::wstring ItemCaption(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    gSeen = {};
    const HWND window = FindWindowW(L"#32768", nullptr);
    const auto menu =
        window ? reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            gSeen.captions.push_back(L"-");  // shown greyed by some systems
            continue;
        }
        const std::wstring caption = ItemCaption(menu, i);
        gSeen.captions.push_back(caption);
        if (state & MF_CHECKED) gSeen.checked += caption + L";";
        if (state & MF_GRAYED) gSeen.grayed += caption + L";";
        const HMENU sub = GetSubMenu(menu, i);
        for (int j = 0; sub != nullptr && j < GetMenuItemCount(sub); ++j) {
            gSeen.submenu.push_back(ItemCaption(sub, j));
            if (GetMenuState(sub, static_cast<UINT>(j), MF_BYPOSITION) & MF_CHECKED) {
                gSeen.submenuChecked += ItemCaption(sub, j) + L";";
            }
        }
    }
    EndMenu();
}

// Commands that only count, with a blocked start-with-Windows and English in force.
class CountingCommands final : public TrayCommands {
  public:
    void OpenTimingSettings() override { ++runs; }
    void OpenStyleSettings() override { ++runs; }
    void OpenSoundSettings() override { ++runs; }
    void OpenTalkSettings() override { ++runs; }
    void OpenTalkHistory() override { ++runs; }
    void OpenTimekeeper() override { ++runs; }
    void OpenAbout() override { ++runs; }
    void ToggleAutostart() override { ++runs; }
    void ChooseLanguage(LanguageSetting) override { ++runs; }
    void Exit() override { ++runs; }
    TrayMenuItemLook AutostartLook() const override {
        return {.captionUtf8 = "开机时自动运行（已阻止）", .checked = true, .grayed = true};
    }
    LanguageSetting Language() const override { return LanguageSetting::English; }
    int runs = 0;
};

TEST(TrayMenuWindow, BuiltFromTheRowsWithTheirLooksAndTheLanguagesInTheirSubmenu) {
    const UniqueWindow owner = testing::MakeTestWindow(L"tray menu owner");
    CountingCommands commands;
    SetTimer(nullptr, 0, 300, ReadOpenMenu);
    ASSERT_TRUE(OpenTrayMenu(owner.Get(), {100, 100}, commands));
    const std::vector<std::wstring> expected = {L"计时设置",
                                                L"外观设置",
                                                L"声音设置",
                                                L"放映控制",
                                                L"演讲记录",
                                                L"远程计时…",
                                                L"-",
                                                L"开机时自动运行（已阻止）",
                                                L"关于 Quorrin",
                                                L"语言 / Language",
                                                L"-",
                                                L"退出程序"};
    EXPECT_EQ(gSeen.captions, expected);
    EXPECT_EQ(gSeen.checked, L"开机时自动运行（已阻止）;");
    EXPECT_EQ(gSeen.grayed, L"开机时自动运行（已阻止）;");
    EXPECT_EQ(gSeen.submenu, (std::vector<std::wstring>{L"自动", L"中文", L"English"}));
    EXPECT_EQ(gSeen.submenuChecked, L"English;");
    EXPECT_EQ(commands.runs, 0) << "a dismissed menu runs nothing";
}

// Whether the notification area holds the form's icon: only an existing icon can be changed.
bool TrayIconPresent(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    lstrcpyW(data.szTip, L"Quorrin");
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST_F(AppControllerTest, TrayIconComesBackWhenTheShellRestartsAndGoesWithTheForm) {
    const HWND window = form_.Handle();
    ASSERT_TRUE(TrayIconPresent(window));
    // A restarted shell has lost every icon and announces itself to all top-level windows.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(TrayIconPresent(window));
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconPresent(window));

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(TrayIconPresent(window));
}

// Windows sends TaskbarCreated also on display changes, while the icon is still there, where
// adding it again fails: the icon is kept, and it is still removed while its window lives.
TEST(TrayIcon, RestoredWhileStillThereItStaysAndIsRemovedAtTheEnd) {
    const UniqueWindow owner = testing::MakeTestWindow(L"tray icon owner");
    TrayIcon icon;
    ASSERT_TRUE(icon.Add(owner.Get(), GetModuleHandleW(nullptr), 1, L"Quorrin"));
    EXPECT_TRUE(icon.Restore());
    EXPECT_TRUE(icon.Added());
    EXPECT_TRUE(TrayIconPresent(owner.Get()));
    icon.Remove();
    EXPECT_FALSE(TrayIconPresent(owner.Get()));
}

TEST_F(AppControllerTest, ClosingDuringAShowStopsTheCountdownAndRemovesBothClocks) {
    StartShow();
    const HWND copy = form_.Copies().At(0).window.Handle();
    ASSERT_TRUE(IsWindowVisible(copy));
    PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([](const PumpResult& r) { return r.quit; }).done);
    EXPECT_FALSE(controller_.Engine().Counting());
    EXPECT_FALSE(IsWindow(copy));
}

// A walk that reports changes: passes come from its reports, not from a short timer.
class ReportedChangesTest : public AppControllerTest {
  protected:
    void SetUp() override {
        walk_.reportsChanges = true;
        walk_.windows = {{kShowId, "PowerPoint 幻灯片放映 - a.pptx"}};
        Start();
    }
};

// The passes come within 0.2 s here, well before the one-second fallback pass.
TEST_F(ReportedChangesTest, ShowUpAtStartIsFoundAndABurstOfChangesGivesOnePass) {
    RunPostedMessages();
    EXPECT_EQ(walk_.passes, 1);
    EXPECT_TRUE(state_.Countdown.ShowActive);

    walk_.windows.clear();
    for (int i = 0; i < 5; ++i) walk_.changed();
    ASSERT_TRUE(RunPasses(1).done);
    RunPostedMessages();
    EXPECT_EQ(walk_.passes, 2);
    EXPECT_FALSE(state_.Countdown.ShowActive);

    // A change reported while a pass runs is one more pass, after it.
    walk_.reportDuringNextPass = true;
    walk_.changed();
    ASSERT_TRUE(RunPasses(2).done);
    RunPostedMessages();
    EXPECT_EQ(walk_.passes, 4);
}

TEST_F(AppControllerTest, CloseEndsTheMessageLoop) {
    PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
    const PumpResult result = PumpUntil([](const PumpResult& r) { return r.quit; });
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.quitCode, 0u);
    EXPECT_EQ(form_.Handle(), nullptr);
}

TEST_F(AppControllerTest, EndOfSessionEndsIt) {
    const HWND window = form_.Handle();
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(window)) << "a cancelled end of session must not end the program";

    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(PumpUntil([](const PumpResult& r) { return r.quit; }).done);
}

}  // namespace
}  // namespace quorrin
