// The timing dialogs on the desktop: the presentation list with its controls, its one
// instance and its working copy, the entry editor modal over it, and the time field on a
// real edit control.
#include "dialogs/timing/timing_entry_dialog_win32.h"
#include "dialogs/timing/timing_dialog_win32.h"
#include "dialogs/timing/timing_rows.h"

#include "controls/time_field/time_box_win32.h"
#include "settings/config_file.h"
#include "win32/message_box_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"
#include "held_file_save_win32.h"
#include "message_pump_win32.h"
#include "temp_folder.h"
#include "test_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorrin {
namespace {

using testing::PumpResult;
using testing::PumpUntil;
using testing::ReadBytes;

std::wstring Text(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListRow(HWND list, int row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR) return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// Runs `action` once from inside whatever message loop is running (the editor's own).
std::function<void()> pendingAction;
void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto action = std::move(pendingAction);
    pendingAction = nullptr;
    if (action) action();
}
void RunSoon(std::function<void()> action) {
    pendingAction = std::move(action);
    SetTimer(nullptr, 0, 50, &RunPending);
}

class TimingDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSettings(state_);
        state_.General.SameMode = true;
        state_.General.ResetTime = true;
        *state_.Presentations.At(0) = {600, 30, true, true, kAllPresentationsLabel, 0};
        state_.General.PresentationCount = 2;
        state_.Presentations.Store(1, {1200, 60, true, false, "年度总结", 300});
        state_.Presentations.Store(2, {300, 30, false, true, "Intro", 0});
    }
    void TearDown() override { dialog_.reset(); }
    HWND Open() {
        if (!dialog_) {
            dialog_ = std::make_unique<TimingDialog>(state_, config_, host_);
        }
        EXPECT_TRUE(dialog_->Open(GetModuleHandleW(nullptr)));
        return dialog_->Handle();
    }
    HWND Child(int id) const { return GetDlgItem(dialog_->Handle(), id); }
    void Press(int id) {
        PostMessageW(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Child(id)));
    }
    void Pump() {
        PumpUntil([](const PumpResult&) { return true; });
    }
    void ChooseMode(int id) {
        SendMessageW(Child(id), BM_CLICK, 0, 0);
        Pump();
    }
    int Rows() const {
        return static_cast<int>(SendMessageW(Child(kTimingDialogListId), LB_GETCOUNT, 0, 0));
    }

    testing::TempFolder folder_;
    std::string path_ = folder_.EmptyFile("Config.ini");
    AppState state_;
    IniStore store_{path_};
    ConfigFile config_{state_, store_, nullptr};
    testing::FakeDialogHost host_;
    std::unique_ptr<TimingDialog> dialog_;
};

TEST_F(TimingDialogsTest, ListDialogShowsTheStoredSharedTimingWithItsControls) {
    state_.Countdown.ShowActive = true;  // the clock stays up over this dialog
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog), L"设置播放时间");
    EXPECT_EQ(Text(Child(kDialogCaptionId)), L"设置播放时间");
    const std::wstring header = UiText(TextId::TimingHeader);
    const std::pair<int, const wchar_t*> captions[] = {
        {kTimingDialogSameModeId, L"同一计时设置"},
        {kTimingDialogIndividualId, L"个性化设置"},
        {kTimingDialogAddId, L"添加"},
        {kTimingDialogDeleteId, L"删除"},
        {kTimingDialogClearId, L"清空"},
        {kTimingDialogResumeCaptionId, L"中断后重计时按："},
        {kTimingDialogHeaderId, header.c_str()},
        {kDialogSaveId, L"保存"},
        {kDialogCancelId, L"取消"},
        {kDialogCloseId, L"×"}};
    for (const auto& [id, caption] : captions) EXPECT_EQ(Text(Child(id)), caption) << id;
    EXPECT_EQ(IsDlgButtonChecked(dialog, kTimingDialogSameModeId), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Child(kTimingDialogResumeId), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(Child(kTimingDialogResumeId), CB_GETCURSEL, 0, 0), 0);
    for (const int id : {kTimingDialogAddId, kTimingDialogDeleteId, kTimingDialogClearId}) {
        EXPECT_FALSE(IsWindowEnabled(Child(id))) << id;
    }
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(ListRow(Child(kTimingDialogListId), 0), L"00:10:00\t00:00:30\t是\t是\t所有演示文稿");
    // 7875 x 4620 twips; the list at 360, 2160, 7095 x 1530.
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 525);
    EXPECT_EQ(client.bottom, 308);
    RECT list{};
    GetWindowRect(Child(kTimingDialogListId), &list);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, 24);
    EXPECT_EQ(list.top, 144);
    EXPECT_EQ(list.right - list.left, 473);
    EXPECT_TRUE(host_.calls.empty());
}

// In each language and at every scale no two controls cover each other or leave the dialog,
// every caption shows whole, and the resume rule's list shows its longer choice whole; the
// same holds for the entry editor.
TEST_F(TimingDialogsTest, ListDialogAndEditorNeitherOverlapNorClipInAnyLanguageAtAnyScale) {
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        const HWND dialog = Open();
        ChooseMode(kTimingDialogIndividualId);
        for (const int dpi : testing::kDialogTestDpis) {
            testing::LayOutAtDpi(dialog, dpi);
            EXPECT_EQ(testing::LayoutFaults(dialog, dpi), std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
            EXPECT_EQ(testing::ClippedItems(Child(kTimingDialogResumeId)),
                      std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
        }
        testing::LayOutAtDpi(dialog, 96);
        std::vector<std::wstring> editorFaults;
        RunSoon([&] {
            const HWND editor = FindWindowW(kTimingEntryClassName, nullptr);
            ASSERT_NE(editor, nullptr);
            const HWND caption = GetDlgItem(editor, kTimingEntryWarningCaptionId);
            const HWND field = GetDlgItem(editor, kTimingEntryWarningId);
            // The warning caption lies behind its field by design ("剩余时间", the field,
            // "时提醒"): its start must end before the field does.
            const std::wstring behindField = L"overlap " + std::to_wstring(kTimingEntryWarningId) +
                                             L"/" + std::to_wstring(kTimingEntryWarningCaptionId);
            for (const int dpi : testing::kDialogTestDpis) {
                testing::LayOutAtDpi(editor, dpi);
                for (const std::wstring& fault : testing::LayoutFaults(editor, dpi)) {
                    if (fault != behindField)
                        editorFaults.push_back(std::to_wstring(dpi) + L" " + fault);
                }
                RECT label{};
                RECT box{};
                GetWindowRect(caption, &label);
                GetWindowRect(field, &box);
                const std::wstring start = UiText(TextId::EditWarningStart);
                WindowDcScope dc(caption);
                ScopedSelectObject font(
                    dc.Dc(), reinterpret_cast<HFONT>(SendMessageW(caption, WM_GETFONT, 0, 0)));
                SIZE size{};
                GetTextExtentPoint32W(dc.Dc(), start.c_str(), static_cast<int>(start.size()),
                                      &size);
                if (label.left + size.cx > box.left) {
                    editorFaults.push_back(std::to_wstring(dpi) +
                                           L" the caption's start runs under the field");
                }
            }
            PostMessageW(editor, WM_CLOSE, 0, 0);
        });
        Press(kTimingDialogAddId);
        Pump();
        EXPECT_EQ(editorFaults, std::vector<std::wstring>{}) << testing::LanguageName(language);
        dialog_->Close();
    }
}

TEST_F(TimingDialogsTest, OneInstanceAndModeSwitchRebuildsTheListFromTheTable) {
    const HWND first = Open();
    EXPECT_EQ(Open(), first);
    int dialogs = 0;
    for (HWND w = FindWindowW(kTimingDialogClassName, nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, kTimingDialogClassName, nullptr)) {
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) ++dialogs;
    }
    EXPECT_EQ(dialogs, 1);

    ChooseMode(kTimingDialogIndividualId);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(ListRow(Child(kTimingDialogListId), 0), L"00:20:00\t00:01:00\t是\t否\t年度总结");
    EXPECT_TRUE(IsWindowEnabled(Child(kTimingDialogAddId)));
    SendMessageW(Child(kTimingDialogListId), LB_SETCURSEL, 0, 0);
    Press(kTimingDialogDeleteId);
    Pump();
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(ListRow(Child(kTimingDialogListId), 0), L"00:05:00\t00:00:30\t否\t是\tIntro");

    ChooseMode(kTimingDialogSameModeId);
    ChooseMode(kTimingDialogIndividualId);
    EXPECT_EQ(Rows(), 2);  // the deletion was never saved

    Press(kDialogCancelId);
    EXPECT_TRUE(PumpUntil([&](const PumpResult&) { return !dialog_->IsOpen(); }).done);
    EXPECT_EQ(host_.closed, 1);
    EXPECT_EQ(ReadBytes(path_), "");  // nothing stored
}

// Config.ini held by another program: Save names the file, stays open with the user's
// choice and changes nothing; once the file is free, Save writes the whole file and closes.
TEST_F(TimingDialogsTest, SaveThatCannotWriteSaysSoAndStaysOpen) {
    Open();
    SendMessageW(Child(kTimingDialogResumeId), CB_SETCURSEL, 1, 0);  // 从上一断点计时
    const testing::SaveFailureSeen box =
        testing::SaveWhileHeld(path_, [&] { Press(kDialogSaveId); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.caption, kMessageBoxCaption);
    EXPECT_NE(box.text.find(Utf8ToWide(path_)), std::wstring::npos) << box.text;
    EXPECT_TRUE(dialog_->IsOpen());
    EXPECT_EQ(SendMessageW(Child(kTimingDialogResumeId), CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(state_.General.ResetTime);
    EXPECT_EQ(host_.closed, 0);
    EXPECT_EQ(ReadBytes(path_), "");

    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntil([&](const PumpResult&) { return !dialog_->IsOpen(); }).done);
    EXPECT_FALSE(state_.General.ResetTime);
    // The file was empty: the save writes every setting, not only its own keys.
    IniStore saved(path_);
    EXPECT_EQ(saved.Read("Normal", "ReSetTime", ""), "False");
    EXPECT_EQ(saved.Read("PPTFiles", "file1", ""), "年度总结");
    EXPECT_NE(saved.Read("Style", "Width", ""), "");
}

TEST_F(TimingDialogsTest, AHundredPresentationsDisableAdd) {
    state_.General.PresentationCount = kMaxPresentations;
    for (int n = 1; n <= kMaxPresentations; ++n) {
        std::string name = "P";  // (not "P" + ...: a false -Wrestrict in GCC 12)
        name += std::to_string(n);
        state_.Presentations.Store(n, {60, 10, false, false, name, 0});
    }
    Open();
    ChooseMode(kTimingDialogIndividualId);
    EXPECT_EQ(Rows(), 100);
    EXPECT_FALSE(IsWindowEnabled(Child(kTimingDialogAddId)));
    EXPECT_TRUE(IsWindowEnabled(Child(kTimingDialogDeleteId)));
    SendMessageW(Child(kTimingDialogListId), LB_SETCURSEL, 99, 0);
    Press(kTimingDialogDeleteId);
    Pump();
    EXPECT_EQ(Rows(), 99);
    EXPECT_TRUE(IsWindowEnabled(Child(kTimingDialogAddId)));
}

TEST_F(TimingDialogsTest, EditorIsModalOverTheListAndAppendsItsRow) {
    const HWND list = Open();
    ChooseMode(kTimingDialogIndividualId);
    bool ownerDisabled = false;
    HWND ownerSeen = nullptr;
    std::wstring caption, duration, warning, warningCaption;
    bool browseEnabled = false;
    RunSoon([&] {
        const HWND editor = FindWindowW(kTimingEntryClassName, nullptr);
        ASSERT_NE(editor, nullptr);
        ownerDisabled = !IsWindowEnabled(list);
        ownerSeen = GetWindow(editor, GW_OWNER);
        caption = Text(editor);
        duration = Text(GetDlgItem(editor, kTimingEntryDurationId));
        warning = Text(GetDlgItem(editor, kTimingEntryWarningId));
        warningCaption = Text(GetDlgItem(editor, kTimingEntryWarningCaptionId));
        browseEnabled = IsWindowEnabled(GetDlgItem(editor, kTimingEntryBrowseId)) != FALSE;
        SetWindowTextW(GetDlgItem(editor, kTimingEntryDurationId), L"00:42:00");
        SetWindowTextW(GetDlgItem(editor, kTimingEntryFileLabelId), L"Outro");
        CheckDlgButton(editor, kTimingEntryFlushId, BST_CHECKED);
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(kDialogSaveId, BN_CLICKED), 0);
    });
    Press(kTimingDialogAddId);
    Pump();
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(ownerSeen, list);
    EXPECT_EQ(caption, L"编辑时间");
    EXPECT_EQ(duration, L"00:00:00");
    EXPECT_EQ(warning, L"00:00:00");
    EXPECT_EQ(warningCaption.rfind(L"剩余时间                ", 0), 0u);
    EXPECT_TRUE(browseEnabled);
    EXPECT_TRUE(IsWindowEnabled(list));
    EXPECT_EQ(FindWindowW(kTimingEntryClassName, nullptr), nullptr);
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(ListRow(Child(kTimingDialogListId), 2), L"00:42:00\t00:00:00\t是\t否\tOutro");

    // An edit in the shared mode: no browsing, and the row is replaced in place.
    ChooseMode(kTimingDialogSameModeId);
    SendMessageW(Child(kTimingDialogListId), LB_SETCURSEL, 0, 0);
    RunSoon([&] {
        const HWND editor = FindWindowW(kTimingEntryClassName, nullptr);
        ASSERT_NE(editor, nullptr);
        browseEnabled = IsWindowEnabled(GetDlgItem(editor, kTimingEntryBrowseId)) != FALSE;
        duration = Text(GetDlgItem(editor, kTimingEntryDurationId));
        caption = Text(GetDlgItem(editor, kTimingEntryFileLabelId));
        SetWindowTextW(GetDlgItem(editor, kTimingEntryWarningId), L"00:01:00");
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(kDialogSaveId, BN_CLICKED), 0);
    });
    PostMessageW(list, WM_COMMAND, MAKEWPARAM(kTimingDialogListId, LBN_DBLCLK), 0);
    Pump();
    EXPECT_FALSE(browseEnabled);
    EXPECT_EQ(duration, L"00:10:00");
    EXPECT_EQ(caption, L"所有演示文稿");
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(ListRow(Child(kTimingDialogListId), 0), L"00:10:00\t00:01:00\t是\t是\t所有演示文稿");

    Press(kDialogSaveId);
    EXPECT_TRUE(PumpUntil([&](const PumpResult&) { return !dialog_->IsOpen(); }).done);
    EXPECT_EQ(state_.Presentations.At(0)->TimeWarning, 60);
    EXPECT_NE(ReadBytes(path_).find("timeWarning=00:01:00"), std::string::npos);
}

// A time field holding no valid time (text put there past the field's keys): Save says so
// and the editor stays open, rather than storing the time as 00:00:00.
TEST_F(TimingDialogsTest, EditorRefusesATimeThatIsNotValid) {
    constexpr int kMessageTextId = 0xFFFF;  // the static text of a message box
    Open();
    ChooseMode(kTimingDialogIndividualId);
    std::wstring told;
    bool stayedOpen = false;
    RunSoon([&] {
        const HWND editor = FindWindowW(kTimingEntryClassName, nullptr);
        ASSERT_NE(editor, nullptr);
        SetWindowTextW(GetDlgItem(editor, kTimingEntryDurationId), L"1:00");
        SetWindowTextW(GetDlgItem(editor, kTimingEntryFileLabelId), L"Outro");
        {
            testing::CommonDialogDriver box(kMessageTextId, [&](HWND window) {
                told = Text(GetDlgItem(window, kMessageTextId));
                PostMessageW(window, WM_COMMAND, IDOK, 0);
            });
            // Returns once the message box has been answered.
            SendMessageW(editor, WM_COMMAND, MAKEWPARAM(kDialogSaveId, BN_CLICKED), 0);
        }
        stayedOpen = IsWindow(editor) != FALSE;
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(kDialogCancelId, BN_CLICKED), 0);
    });
    Press(kTimingDialogAddId);
    Pump();
    EXPECT_EQ(told, UiText(TextId::EditBadTime));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Rows(), 2);
}

// The field on a real edit control: what typing, keys, the mouse and the clipboard do.
class TimeBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = testing::MakeTestWindow(L"time box", true);
        box_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 80, 25,
                               parent_.Get(), nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(timeBox_.Attach(box_, nullptr));
        SetFocus(box_);
    }
    void Key(UINT key, wchar_t typed = 0) {
        SendMessageW(box_, WM_KEYDOWN, key, 0);
        if (typed != 0) SendMessageW(box_, WM_CHAR, typed, 0);
        SendMessageW(box_, WM_KEYUP, key, 0);
    }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageW(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    UniqueWindow parent_;
    HWND box_ = nullptr;
    TimeBox timeBox_;
};

TEST_F(TimeBoxTest, AttachPreparesTheEditAndFocusSelectsTheFirstDigit) {
    EXPECT_EQ(Text(box_), L"00:00:00");
    EXPECT_NE(GetWindowLongPtrW(box_, GWL_STYLE) & WS_BORDER, 0);
    const HDC dc = GetDC(box_);
    timeBox_.ControlColor(dc);
    EXPECT_EQ(GetBkColor(dc), RGB(200, 230, 255));
    ReleaseDC(box_, dc);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 1}));
}

TEST_F(TimeBoxTest, TypingKeysAndClipboardKeepTheForm) {
    for (const wchar_t c : {L'1', L'2', L'3', L'4', L'5', L'6'}) Key(static_cast<UINT>(c), c);
    EXPECT_EQ(Text(box_), L"12:34:56");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 1}));
    Key('9', L'9');  // too much for the tens of hours
    Key('A', L'a');
    Key(VK_BACK, L'\b');
    Key(VK_DELETE);
    if (OpenClipboard(parent_.Get())) {
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 16);
        wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), L"99");
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    SendMessageW(box_, WM_PASTE, 0, 0);
    Key('V', 0x16);  // Ctrl+V as the edit sees it
    SendMessageW(box_, WM_CLEAR, 0, 0);
    SendMessageW(box_, WM_CUT, 0, 0);
    EXPECT_EQ(Text(box_), L"12:34:56");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 1}));
    Key(VK_RIGHT);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 2}));
    Key(VK_RIGHT);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{3, 4}));
    Key(VK_LEFT);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 2}));
    Key(VK_END);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 1}));
    Key('2', L'2');
    EXPECT_EQ(Text(box_), L"22:34:56");
    // A click behind the last digit selects it.
    const LRESULT end = SendMessageW(box_, EM_POSFROMCHAR, 7, 0);
    const LPARAM behind = MAKELPARAM(LOWORD(end) + 20, HIWORD(end) + 2);
    SendMessageW(box_, WM_LBUTTONDOWN, MK_LBUTTON, behind);
    SendMessageW(box_, WM_LBUTTONUP, 0, behind);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{7, 8}));
}

}  // namespace
}  // namespace quorrin
