// Slide-show detection on the real desktop: the Win32 window walk feeding FindSlideShow, and
// closing a show that runs in another process.
#include "detection/close_slide_show_win32.h"
#include "detection/slide_show_finder.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"
#include "detection/window_walk_win32.h"
#include "log_capture_win32.h"
#include "temp_folder.h"
#include "test_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace quorrin {
namespace {

using testing::MakeTestWindow;
using testing::UniqueTag;

constexpr auto kProcessTimeout = std::chrono::seconds(15);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr int kListAttempts = 5;

// Walks the desktop and returns whether `target` was met, with the title the walk gave it.
bool WalkMeets(WindowWalk& walk, HWND target, std::string* title) {
    for (WindowId w = walk.First(); w != 0; w = walk.Next(w)) {
        if (ToHwnd(w) == target) {
            *title = walk.Title(w);
            return true;
        }
    }
    return false;
}

// The title one pass of `walk` gives `target`, or "(not listed)".
std::string TitleOnPass(WindowWalk& walk, HWND target) {
    std::string title;
    return WalkMeets(walk, target, &title) ? title : "(not listed)";
}

std::vector<HWND> ListOfOnePass(WindowWalk& walk) {
    std::vector<HWND> list;
    for (WindowId w = walk.First(); w != 0; w = walk.Next(w)) list.push_back(ToHwnd(w));
    return list;
}

std::vector<HWND> ListByGetWindow() {
    std::vector<HWND> list;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w != nullptr;
         w = GetWindow(w, GW_HWNDNEXT)) {
        list.push_back(w);
    }
    return list;
}

void RunPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Raise(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

PresentationSlot Timing(int32_t total, int32_t warning, bool flush, bool close,
                        std::string file = {}) {
    PresentationSlot row;
    row.TimeCnt = total;
    row.TimeWarning = warning;
    row.Flush = flush;
    row.Close = close;
    row.File = std::move(file);
    return row;
}

TEST(DesktopWindowWalk, MeetsWindowsOfThisProcessWithUtf8Titles) {
    const std::wstring title = L"PowerPoint 幻灯片放映 - " + UniqueTag(L"讲稿") + L".pptx";
    UniqueWindow window = MakeTestWindow(title);
    ASSERT_TRUE(window);
    DesktopWindowWalk walk;
    std::string seen;
    ASSERT_TRUE(WalkMeets(walk, window.Get(), &seen));
    EXPECT_EQ(seen, WideToUtf8(title));
}

TEST(DesktopWindowWalk, CutsTitlesAfter254Characters) {
    UniqueWindow window = MakeTestWindow(std::wstring(300, L'长'));
    ASSERT_TRUE(window);
    DesktopWindowWalk walk;
    std::string seen;
    ASSERT_TRUE(WalkMeets(walk, window.Get(), &seen));
    EXPECT_EQ(Utf8ToWide(seen), std::wstring(kTitleMaxChars, L'长'));
}

TEST(DesktopWindowWalk, GoneWindowHasNoTitleAndNoSuccessor) {
    UniqueWindow window = MakeTestWindow(L"short-lived");
    ASSERT_TRUE(window);
    const WindowId id = ToWindowId(window.Get());
    window.Reset();
    DesktopWindowWalk walk;
    EXPECT_EQ(walk.Title(id), "");
    EXPECT_EQ(walk.Next(id), 0u);
}

TEST(DesktopWindowWalk, ListsTheTopLevelWindowsInZOrderAsGetWindowDoes) {
    UniqueWindow bottom = MakeTestWindow(L"bottom");
    UniqueWindow middle = MakeTestWindow(L"middle");
    UniqueWindow top = MakeTestWindow(L"top");
    ASSERT_TRUE(bottom && middle && top);
    Raise(bottom.Get());
    DesktopWindowWalk walk;
    // Another program may change the desktop meanwhile: compare only when it held still.
    for (int attempt = 0; attempt < kListAttempts; ++attempt) {
        const std::vector<HWND> before = ListByGetWindow();
        const std::vector<HWND> walked = ListOfOnePass(walk);
        if (before != ListByGetWindow()) continue;
        ASSERT_GE(walked.size(), 3u);
        EXPECT_EQ(walked, before);
        EXPECT_EQ(walked.front(), bottom.Get());
        return;
    }
    FAIL() << "the desktop kept changing";
}

TEST(DesktopWindowWalk, LeavesMessageOnlyWindowsOut) {
    testing::RegisterTestWindowClass();
    const UniqueWindow messageOnly(
        CreateWindowExW(0, testing::kTestWindowClass, L"PowerPoint 幻灯片放映 - hidden.pptx", 0, 0,
                        0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(messageOnly);
    DesktopWindowWalk walk;
    EXPECT_EQ(TitleOnPass(walk, messageOnly.Get()), "(not listed)");
}

TEST(DesktopWindowWalk, WindowCreatedBetweenPassesIsReadOnItsFirstPass) {
    DesktopWindowWalk walk;
    ListOfOnePass(walk);
    const std::wstring title = L"PowerPoint 幻灯片放映 - " + UniqueTag(L"new") + L".pptx";
    UniqueWindow window = MakeTestWindow(title);
    ASSERT_TRUE(window);
    EXPECT_EQ(TitleOnPass(walk, window.Get()), WideToUtf8(title));
}

TEST(DesktopWindowWalk, TitleSetJustAfterAWindowAppearedIsSeenOnTheNextPass) {
    DesktopWindowWalk walk;
    ListOfOnePass(walk);
    UniqueWindow window = MakeTestWindow(L"");
    ASSERT_TRUE(window);
    EXPECT_EQ(TitleOnPass(walk, window.Get()), "");
    SetWindowTextW(window.Get(), L"PowerPoint 幻灯片放映 - titled.pptx");
    EXPECT_EQ(TitleOnPass(walk, window.Get()), "PowerPoint 幻灯片放映 - titled.pptx");
}

TEST(DesktopWindowWalk, RetitledWindowIsSeenWithinTheRefreshPasses) {
    UniqueWindow window = MakeTestWindow(L"PowerPoint - talk.pptx");
    ASSERT_TRUE(window);
    DesktopWindowWalk walk;
    ASSERT_EQ(TitleOnPass(walk, window.Get()), "PowerPoint - talk.pptx");
    SetWindowTextW(window.Get(), L"PowerPoint 幻灯片放映 - talk.pptx");
    uint64_t passes = 1;
    while (TitleOnPass(walk, window.Get()) != "PowerPoint 幻灯片放映 - talk.pptx") {
        ASSERT_LT(passes, TitleCache::kRefreshPasses) << "not seen after " << passes << " passes";
        ++passes;
    }
}

// Wine raises no name-change event when a title is set, so the event is raised here by hand.
TEST(DesktopWindowWalk, NameChangeEventHasTheTitleReadOnTheNextPass) {
    UniqueWindow window = MakeTestWindow(L"first");
    ASSERT_TRUE(window);
    DesktopWindowWalk walk;
    ASSERT_EQ(TitleOnPass(walk, window.Get()), "first");
    // Wait for the rotation to read the window: it is then the last the rotation would pick.
    SetWindowTextW(window.Get(), L"second");
    RunPendingMessages();
    for (uint64_t passes = 1; TitleOnPass(walk, window.Get()) != "second"; ++passes) {
        ASSERT_LT(passes, TitleCache::kRefreshPasses);
        RunPendingMessages();
    }

    SetWindowTextW(window.Get(), L"third");
    RunPendingMessages();
    ASSERT_EQ(TitleOnPass(walk, window.Get()), "second") << "read again without an event";
    SetWindowTextW(window.Get(), L"fourth");
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window.Get(), OBJID_WINDOW, CHILDID_SELF);
    RunPendingMessages();
    EXPECT_EQ(TitleOnPass(walk, window.Get()), "fourth");
}

// PowerPoint's show class, read from the real window; the creation event, which Wine raises
// itself; and the tracked show's destroy event (raised by hand while the window still exists,
// as Windows raises it during the destruction), which leaves the show out of the next pass.
TEST(DesktopWindowWalk, ReportsChangesAndLeavesADestroyedShowOut) {
    WNDCLASSEXW screenClass{};
    screenClass.cbSize = sizeof(screenClass);
    screenClass.lpfnWndProc = DefWindowProcW;
    screenClass.hInstance = GetModuleHandleW(nullptr);
    screenClass.lpszClassName = L"screenClass";
    RegisterClassExW(&screenClass);
    DesktopWindowWalk walk;
    int reports = 0;
    ASSERT_TRUE(walk.ReportChanges([&] { ++reports; }));
    RunPendingMessages();

    const std::wstring file = UniqueTag(L"talk");
    reports = 0;
    const UniqueWindow show(
        CreateWindowExW(0, L"screenClass", (L"PowerPoint Slide Show - " + file).c_str(), WS_POPUP,
                        0, 0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(show);
    RunPendingMessages();
    EXPECT_GE(reports, 1);

    AppState state;
    state.Presentations.Store(1, Timing(300, 30, false, false, WideToUtf8(file)));
    state.General.PresentationCount = 1;
    const WindowId id = ToWindowId(show.Get());
    ASSERT_EQ(FindSlideShow(state, walk), id);
    EXPECT_EQ(walk.ClassName(id), "screenClass");
    walk.Track(id);

    reports = 0;
    NotifyWinEvent(EVENT_OBJECT_DESTROY, show.Get(), OBJID_WINDOW, CHILDID_SELF);
    RunPendingMessages();
    EXPECT_GE(reports, 1);
    EXPECT_EQ(FindSlideShow(state, walk), 0u);
}

class SlideShowDetection : public ::testing::Test {
  protected:
    // Three listed presentations whose names no other window on the desktop carries.
    void SetUp() override {
        alpha_ = UniqueTag(L"alpha") + L".pptx";
        beta_ = UniqueTag(L"beta") + L".pptx";
        gamma_ = UniqueTag(L"伽马") + L".pptx";
        state_.Presentations.Store(0, Timing(900, 60, false, false, kAllPresentationsLabel));
        state_.Presentations.Store(1, Timing(300, 30, false, false, WideToUtf8(alpha_)));
        state_.Presentations.Store(2, Timing(1200, 120, true, true, WideToUtf8(beta_)));
        state_.Presentations.Store(3, Timing(600, 90, true, false, WideToUtf8(gamma_)));
        state_.General.PresentationCount = 3;
    }

    static std::wstring ShowTitle(const std::wstring& presentation) {
        return L"PowerPoint 幻灯片放映 - " + presentation;
    }

    AppState state_;
    DesktopWindowWalk walk_;
    std::wstring alpha_, beta_, gamma_;
};

TEST_F(SlideShowDetection, SharedTimingSelectsTheShowAndNotPlainWindows) {
    UniqueWindow plain = MakeTestWindow(L"talk.pptx - PowerPoint");
    UniqueWindow show = MakeTestWindow(ShowTitle(UniqueTag(L"shared") + L".pptx"));
    UniqueWindow plainAbove = MakeTestWindow(L"幻灯片放映 notes");
    ASSERT_TRUE(plain && show && plainAbove);
    state_.General.SameMode = true;

    EXPECT_EQ(FindSlideShow(state_, walk_), ToWindowId(show.Get()));
    const CountdownState& c = state_.Countdown;
    EXPECT_EQ(c.SlideShowWindow, ToWindowId(show.Get()));
    EXPECT_EQ(c.CurrentSlot, 0);
    EXPECT_EQ(c.TotalSeconds, 900);
    EXPECT_EQ(c.WarningSeconds, 60);
    EXPECT_EQ(c.LastShowTitle, WideToUtf8(ShowTitle(UniqueTag(L"shared") + L".pptx")));
}

TEST_F(SlideShowDetection, ListSelectsTheSlotNamedInTheTitle) {
    UniqueWindow plain = MakeTestWindow(beta_ + L" - PowerPoint");
    UniqueWindow show = MakeTestWindow(ShowTitle(beta_));
    ASSERT_TRUE(plain && show);

    EXPECT_EQ(FindSlideShow(state_, walk_), ToWindowId(show.Get()));
    const CountdownState& c = state_.Countdown;
    EXPECT_EQ(c.CurrentSlot, 2);
    EXPECT_EQ(c.TotalSeconds, 1200);
    EXPECT_EQ(c.WarningSeconds, 120);
    EXPECT_TRUE(c.FlashOnWarning);
    EXPECT_TRUE(c.CloseAtEnd);
}

TEST_F(SlideShowDetection, ListSelectsChineseNamedPresentation) {
    UniqueWindow show = MakeTestWindow(ShowTitle(gamma_));
    ASSERT_TRUE(show);
    EXPECT_EQ(FindSlideShow(state_, walk_), ToWindowId(show.Get()));
    EXPECT_EQ(state_.Countdown.CurrentSlot, 3);
    EXPECT_EQ(state_.Countdown.TotalSeconds, 600);
}

TEST_F(SlideShowDetection, UnlistedShowIsSeenButNotSelected) {
    const std::wstring title = ShowTitle(UniqueTag(L"unlisted") + L".pptx");
    UniqueWindow show = MakeTestWindow(title);
    ASSERT_TRUE(show);

    EXPECT_EQ(FindSlideShow(state_, walk_), 0u);
    EXPECT_EQ(state_.Countdown.LastShowTitle, WideToUtf8(title));
    EXPECT_TRUE(state_.Countdown.TitleChanged);
    EXPECT_EQ(state_.Countdown.SlideShowWindow, 0u);
}

TEST_F(SlideShowDetection, ListedShowBelowAnUnlistedOneIsFound) {
    UniqueWindow listed = MakeTestWindow(ShowTitle(alpha_));
    UniqueWindow unlisted = MakeTestWindow(ShowTitle(UniqueTag(L"other") + L".pptx"));
    ASSERT_TRUE(listed && unlisted);
    SetWindowPos(unlisted.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    EXPECT_EQ(FindSlideShow(state_, walk_), ToWindowId(listed.Get()));
    EXPECT_EQ(state_.Countdown.CurrentSlot, 1);
    EXPECT_EQ(state_.Countdown.LastShowTitle, WideToUtf8(ShowTitle(alpha_)));
}

TEST_F(SlideShowDetection, UpperOfTwoListedShowsWins) {
    UniqueWindow lower = MakeTestWindow(ShowTitle(alpha_));
    UniqueWindow upper = MakeTestWindow(ShowTitle(beta_));
    ASSERT_TRUE(lower && upper);
    SetWindowPos(upper.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(FindSlideShow(state_, walk_), ToWindowId(upper.Get()));
    EXPECT_EQ(state_.Countdown.CurrentSlot, 2);

    SetWindowPos(lower.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(FindSlideShow(state_, walk_), ToWindowId(lower.Get()));
    EXPECT_EQ(state_.Countdown.CurrentSlot, 1);
}

TEST_F(SlideShowDetection, MarkerNeedsBothSpaces) {
    UniqueWindow noLeadingSpace = MakeTestWindow(L"PowerPoint幻灯片放映 - " + alpha_);
    UniqueWindow noTrailingSpace = MakeTestWindow(L"PowerPoint 幻灯片放映- " + beta_);
    ASSERT_TRUE(noLeadingSpace && noTrailingSpace);
    EXPECT_EQ(FindSlideShow(state_, walk_), 0u);
}

TEST_F(SlideShowDetection, ClosedShowIsNoLongerFound) {
    UniqueWindow show = MakeTestWindow(ShowTitle(alpha_));
    ASSERT_TRUE(show);
    ASSERT_EQ(FindSlideShow(state_, walk_), ToWindowId(show.Get()));
    show.Reset();
    EXPECT_EQ(FindSlideShow(state_, walk_), 0u);
}

// The simulated show of tools/, in its own process.
class SimulatedShow {
  public:
    SimulatedShow(const std::wstring& title, const std::wstring& closedFlag) {
        const char* bin = std::getenv("QUORRIN_BIN");
        if (bin == nullptr) return;
        const std::wstring exe = Utf8ToWide(bin) + L"\\slideshow-sim.exe";
        std::wstring commandLine =
            L"\"" + exe + L"\" --windowed --closed-flag \"" + closedFlag + L"\" \"" + title + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info) == FALSE) {
            return;
        }
        process_.Reset(info.hProcess);
        CloseHandle(info.hThread);
    }
    ~SimulatedShow() {
        if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.Get(), 1);
        }
    }

    bool Started() const { return static_cast<bool>(process_); }
    // True when the process ended within the timeout; its exit code goes to `exitCode`.
    bool WaitForExit(DWORD* exitCode) const {
        const auto timeoutMs = std::chrono::milliseconds(kProcessTimeout).count();
        if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
            return false;
        }
        return GetExitCodeProcess(process_.Get(), exitCode) != FALSE;
    }

  private:
    UniqueKernelHandle process_;
};

// Polls the detection until it selects a window or the timeout passes.
WindowId FindWithin(AppState& state, WindowWalk& walk) {
    const auto deadline = std::chrono::steady_clock::now() + kProcessTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const WindowId found = FindSlideShow(state, walk)) return found;
        std::this_thread::sleep_for(kPollInterval);
    }
    return 0;
}

TEST(CloseSlideShow, EndsTheShowOfAnotherProcess) {
    const std::wstring presentation = UniqueTag(L"结束") + L".pptx";
    const testing::TempFolder folder;
    const std::string flag = folder.File("closed.flag");
    SimulatedShow sim(L"PowerPoint 幻灯片放映 - " + presentation, Utf8ToWide(flag));
    ASSERT_TRUE(sim.Started()) << "QUORRIN_BIN must name the folder of slideshow-sim.exe";

    AppState state;
    state.Presentations.Store(1, Timing(60, 10, false, true, WideToUtf8(presentation)));
    state.General.PresentationCount = 1;
    DesktopWindowWalk walk;
    const WindowId show = FindWithin(state, walk);
    ASSERT_NE(show, 0u) << "the simulated show was not detected";
    EXPECT_EQ(state.Countdown.CurrentSlot, 1);

    EXPECT_TRUE(CloseSlideShow(state));
    DWORD exitCode = 1;
    ASSERT_TRUE(sim.WaitForExit(&exitCode)) << "the show did not end after WM_CLOSE";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(testing::ReadBytes(flag), "WM_CLOSE\r\n");
    EXPECT_EQ(FindSlideShow(state, walk), 0u);
}

// A show closed by hand just before the end has nothing left to close: no failure, no
// balloon. (A refusal itself cannot be had under Wine: it has no integrity levels, and its
// queues take any number of posted messages.)
TEST(CloseSlideShow, AShowThatHasGoneIsNoFailure) {
    const testing::LogCapture log;
    AppState state;
    {
        const UniqueWindow gone = testing::MakeTestWindow(L"closed show");
        state.Countdown.SlideShowWindow = ToWindowId(gone.Get());
    }
    EXPECT_TRUE(CloseSlideShow(state));
    EXPECT_TRUE(log.Logged().empty());
}

}  // namespace
}  // namespace quorrin
