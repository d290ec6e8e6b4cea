// Measures how fast the running Quorrin.exe puts its clock up when a slide show appears and
// takes it down when the show ends, and how much memory it holds while the clock counts.
//
//   show-latency.exe [--trials N] [--appear title|map] [--notify] [--timeout-ms T]
//                    [--hold-ms H]
//
// Needs Quorrin.exe running with no show on the desktop. Each trial prepares a full-screen
// window that is not yet a show, waits a pause of varying length so that the trials fall on
// every phase of the detection timer, makes the window a show, polls about every millisecond
// until the clock window is visible, keeps the show a varying time again, then ends it and
// polls until the clock has hidden.
//   --appear title (default): the window is already on screen under a title without the
//       slide-show marker; the show starts by setting the slide-show title and ends by
//       setting the plain title back. This times the program alone.
//   --appear map: the window is hidden and untitled; the show starts by setting the title
//       and showing the window, and ends by destroying it. This adds the cost of mapping a
//       full-screen window, and the detection may see the show while that call still runs.
//
// With --notify the window raises, after each of its changes, the event Windows raises
// itself (NotifyWinEvent: name change, show, destroy), which Wine does not: that times the
// program's event path. Without it, under Wine, only the window's creation is reported.
//
// With --hold-ms it afterwards puts up one more show, keeps it H ms while the clock counts,
// and reads the memory counters of the clock's process.
//
// Output (stdout, tab-separated, times in ms):
//   trial  N  appeared_to_clock  start_to_clock  appear_call  end_call  ended_to_hidden
// where appeared_to_clock counts from the end of the call that made the show, start_to_clock
// from its start; then summary lines "name<TAB>value" (appeared_to_clock_p50, ..._p95, _min,
// _max, _mean, likewise for the others, peak_working_set_bytes, ...). Percentiles are
// nearest-rank. Exit code 0, or 2 usage, 3 no clock window, 4 a wait timed out, 5 a window
// could not be created.
#include "detection/slide_show_finder.h"
#include "app/app_controller_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"
#include "win32/window_base_win32.h"

#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kShowClassName = L"Quorrin.LatencyProbeShow";
constexpr const wchar_t* kPresentationName = L"PowerPoint";
constexpr const wchar_t* kFileName = L"- bench.pptx";
constexpr const wchar_t* kPlainSeparator = L" ";
constexpr int kDefaultTrials = 20;
constexpr int kMaxTrials = 10000;
constexpr DWORD kDefaultTimeoutMs = 5000;
constexpr DWORD kPollIntervalMs = 1;
constexpr UINT kTimerResolutionMs = 1;
// Pauses before a show starts and before it ends: a fixed part, and a random part spanning
// one detection interval.
constexpr DWORD kSettleMs = 200;
constexpr DWORD kJitterSpanMs = quorrin::kFallbackWatchIntervalMs;
constexpr unsigned kJitterSeed = 20261207;
constexpr double kMsPerSecond = 1000.0;
constexpr double kMedianPercent = 50.0;
constexpr double kTailPercent = 95.0;
constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitNoClock = 3;
constexpr int kExitTimeout = 4;
constexpr int kExitWindowFailed = 5;

enum class Appearance { Title, Map };

struct Options {
    Appearance appear = Appearance::Title;
    int trials = kDefaultTrials;
    DWORD timeoutMs = kDefaultTimeoutMs;
    DWORD holdMs = 0;
    bool notify = false;
};

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--notify") {
            options.notify = true;
            continue;
        }
        if (i + 1 >= argc) return std::nullopt;
        if (arg == L"--appear") {
            const std::wstring how = argv[++i];
            if (how != L"title" && how != L"map") return std::nullopt;
            options.appear = how == L"map" ? Appearance::Map : Appearance::Title;
            continue;
        }
        const long value = std::wcstol(argv[++i], nullptr, 10);
        if (value < 0) return std::nullopt;
        if (arg == L"--trials" && value >= 1 && value <= kMaxTrials) {
            options.trials = static_cast<int>(value);
        } else if (arg == L"--timeout-ms" && value >= 1) {
            options.timeoutMs = static_cast<DWORD>(value);
        } else if (arg == L"--hold-ms") {
            options.holdMs = static_cast<DWORD>(value);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// "PowerPoint 幻灯片放映 - bench.pptx"
std::wstring ShowTitle() {
    return kPresentationName + quorrin::Utf8ToWide(quorrin::kSlideShowMarker) + kFileName;
}

// "PowerPoint - bench.pptx": the same presentation while it is being edited.
std::wstring NeutralTitle() {
    return std::wstring(kPresentationName) + kPlainSeparator + kFileName;
}

// QueryPerformanceCounter readings and differences in milliseconds.
class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceFrequency(&frequency_); }
    static LONGLONG Now() {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    double Ms(LONGLONG from, LONGLONG to) const {
        return static_cast<double>(to - from) * kMsPerSecond /
               static_cast<double>(frequency_.QuadPart);
    }

  private:
    LARGE_INTEGER frequency_{};
};

// A 1 ms system timer resolution for the duration of the measurement, so that the polls and
// pauses are as fine on Windows as they are under Wine.
class TimerResolutionScope {
  public:
    TimerResolutionScope() : active_(timeBeginPeriod(kTimerResolutionMs) == TIMERR_NOERROR) {}
    ~TimerResolutionScope() {
        if (active_) timeEndPeriod(kTimerResolutionMs);
    }
    TimerResolutionScope(const TimerResolutionScope&) = delete;
    TimerResolutionScope& operator=(const TimerResolutionScope&) = delete;

  private:
    bool active_;
};

void PumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Keeps this thread's windows answering while it waits up to `waitMs`.
void WaitPumping(DWORD waitMs) {
    MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    PumpMessages();
}

void PauseFor(const Stopwatch& clock, DWORD pauseMs) {
    const LONGLONG start = Stopwatch::Now();
    for (;;) {
        const double elapsedMs = clock.Ms(start, Stopwatch::Now());
        if (elapsedMs >= pauseMs) return;
        WaitPumping(static_cast<DWORD>(pauseMs - elapsedMs) + 1);
    }
}

// Polls `condition` every kPollIntervalMs; the counter reading of the first poll that saw it
// true, or nothing after `timeoutMs`.
std::optional<LONGLONG> PollUntil(const Stopwatch& clock, DWORD timeoutMs,
                                  const std::function<bool()>& condition) {
    const LONGLONG start = Stopwatch::Now();
    for (;;) {
        const LONGLONG now = Stopwatch::Now();
        if (condition()) return now;
        if (clock.Ms(start, now) > timeoutMs) return std::nullopt;
        WaitPumping(kPollIntervalMs);
    }
}

// The stand-in show: full screen on the primary monitor, black. It becomes a show to anyone
// walking the desktop when it gets the slide-show title.
class ProbeShowWindow final : public quorrin::WindowBase {
  public:
    explicit ProbeShowWindow(bool notify) : notify_(notify) {}

    bool Create(HINSTANCE instance, bool visible, const wchar_t* title) {
        quorrin::WindowClassSpec windowClass;
        windowClass.className = kShowClassName;
        windowClass.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        quorrin::WindowPlacement placement;
        placement.style = WS_POPUP | (visible ? WS_VISIBLE : 0);
        placement.title = title;
        placement.width = GetSystemMetrics(SM_CXSCREEN);
        placement.height = GetSystemMetrics(SM_CYSCREEN);
        return CreateFromSpec(instance, windowClass, placement);
    }

    void Retitle(const std::wstring& title) {
        SetWindowTextW(Handle(), title.c_str());
        Notify(EVENT_OBJECT_NAMECHANGE);
    }

    void Present(const std::wstring& title) {
        Retitle(title);
        ShowWindow(Handle(), SW_SHOW);
        Notify(EVENT_OBJECT_SHOW);
        UpdateWindow(Handle());
    }

    void Destroy() { DestroyWindow(Handle()); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        // Windows raises the destroy event while the window is being destroyed.
        if (message == WM_DESTROY) Notify(EVENT_OBJECT_DESTROY);
        return DefaultHandling(message, wParam, lParam);
    }

    void Notify(DWORD event) const {
        if (notify_) NotifyWinEvent(event, Handle(), OBJID_WINDOW, CHILDID_SELF);
    }

    bool notify_;
};

struct Trial {
    double appearedToClockMs = 0;  // from the end of the call that made the show
    double startToClockMs = 0;     // from the start of that call
    double appearCallMs = 0;
    double endCallMs = 0;
    double endedToHiddenMs = 0;  // from the end of the call that ended the show
};

double Percentile(std::vector<double> values, double percent) {
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<size_t>(std::ceil(percent / 100.0 * static_cast<double>(values.size())));
    return values[std::max<size_t>(rank, 1) - 1];
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (const double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

void PrintSummary(const char* name, const std::vector<double>& values) {
    std::printf("%s_p50\t%.2f\n", name, Percentile(values, kMedianPercent));
    std::printf("%s_p95\t%.2f\n", name, Percentile(values, kTailPercent));
    std::printf("%s_min\t%.2f\n", name, *std::min_element(values.begin(), values.end()));
    std::printf("%s_max\t%.2f\n", name, *std::max_element(values.begin(), values.end()));
    std::printf("%s_mean\t%.2f\n", name, Mean(values));
}

class LatencyProbe {
  public:
    LatencyProbe(HINSTANCE instance, const Options& options, HWND clockWindow)
        : instance_(instance),
          options_(options),
          clock_(clockWindow),
          showTitle_(ShowTitle()),
          neutralTitle_(NeutralTitle()) {}

    int Run() {
        if (!WaitClockHidden()) return kExitTimeout;
        std::vector<Trial> trials;
        std::minstd_rand jitter(kJitterSeed);
        std::uniform_int_distribution<DWORD> jitterMs(0, kJitterSpanMs - 1);
        for (int n = 1; n <= options_.trials; ++n) {
            ProbeShowWindow show(options_.notify);
            if (!CreateQuiet(show)) return kExitWindowFailed;
            PauseFor(stopwatch_, kSettleMs + jitterMs(jitter));
            const std::optional<Trial> trial = RunTrial(show, kSettleMs + jitterMs(jitter));
            if (!trial) return kExitTimeout;
            std::printf("trial\t%d\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\n", n, trial->appearedToClockMs,
                        trial->startToClockMs, trial->appearCallMs, trial->endCallMs,
                        trial->endedToHiddenMs);
            trials.push_back(*trial);
        }
        PrintSummaries(trials);
        if (options_.holdMs > 0) return HoldAndReadMemory();
        return kExitOk;
    }

  private:
    bool ClockVisible() const { return IsWindowVisible(clock_) != FALSE; }

    bool WaitClockHidden() {
        return PollUntil(stopwatch_, options_.timeoutMs, [this] { return !ClockVisible(); })
            .has_value();
    }

    // The window before it is a show: on screen under a title without the marker, or (when
    // mapping is part of the trial) hidden and untitled.
    bool CreateQuiet(ProbeShowWindow& show) {
        if (options_.appear == Appearance::Map) return show.Create(instance_, false, L"");
        return show.Create(instance_, true, neutralTitle_.c_str());
    }

    void MakeShow(ProbeShowWindow& show) {
        if (options_.appear == Appearance::Map) {
            show.Present(showTitle_);
        } else {
            show.Retitle(showTitle_);
        }
    }

    void EndShow(ProbeShowWindow& show) {
        if (options_.appear == Appearance::Map) {
            show.Destroy();
        } else {
            show.Retitle(neutralTitle_);
        }
    }

    // The clock comes up just after a detection pass, so the show is kept `showMs` (random
    // again) before it ends: otherwise its end would always wait a whole detection interval.
    std::optional<Trial> RunTrial(ProbeShowWindow& show, DWORD showMs) {
        Trial trial;
        const LONGLONG starting = Stopwatch::Now();
        MakeShow(show);
        const LONGLONG appeared = Stopwatch::Now();
        const auto visible =
            PollUntil(stopwatch_, options_.timeoutMs, [this] { return ClockVisible(); });
        if (!visible) return std::nullopt;
        trial.appearCallMs = stopwatch_.Ms(starting, appeared);
        trial.appearedToClockMs = stopwatch_.Ms(appeared, *visible);
        trial.startToClockMs = stopwatch_.Ms(starting, *visible);
        PauseFor(stopwatch_, showMs);

        const LONGLONG ending = Stopwatch::Now();
        EndShow(show);
        const LONGLONG ended = Stopwatch::Now();
        const auto hidden =
            PollUntil(stopwatch_, options_.timeoutMs, [this] { return !ClockVisible(); });
        if (!hidden) return std::nullopt;
        trial.endCallMs = stopwatch_.Ms(ending, ended);
        trial.endedToHiddenMs = stopwatch_.Ms(ended, *hidden);
        return trial;
    }

    static void PrintSummaries(const std::vector<Trial>& trials) {
        std::vector<double> appeared, started, calls, hidden;
        for (const Trial& t : trials) {
            appeared.push_back(t.appearedToClockMs);
            started.push_back(t.startToClockMs);
            calls.push_back(t.appearCallMs);
            hidden.push_back(t.endedToHiddenMs);
        }
        std::printf("trials\t%zu\n", trials.size());
        PrintSummary("appeared_to_clock", appeared);
        PrintSummary("start_to_clock", started);
        PrintSummary("appear_call", calls);
        PrintSummary("ended_to_hidden", hidden);
    }

    int HoldAndReadMemory() {
        ProbeShowWindow show(options_.notify);
        if (!CreateQuiet(show)) return kExitWindowFailed;
        MakeShow(show);
        if (!PollUntil(stopwatch_, options_.timeoutMs, [this] { return ClockVisible(); })) {
            return kExitTimeout;
        }
        PauseFor(stopwatch_, options_.holdMs);
        const bool stillVisible = ClockVisible();
        PrintMemory();
        std::printf("clock_visible_after_hold\t%d\n", stillVisible ? 1 : 0);
        EndShow(show);
        return WaitClockHidden() ? kExitOk : kExitTimeout;
    }

    void PrintMemory() const {
        DWORD processId = 0;
        GetWindowThreadProcessId(clock_, &processId);
        std::printf("clock_process_id\t%lu\n", static_cast<unsigned long>(processId));
        const quorrin::UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (!process || GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters)) == FALSE) {
            std::printf("memory_error\t%lu\n", GetLastError());
            return;
        }
        std::printf("peak_working_set_bytes\t%zu\n",
                    static_cast<size_t>(counters.PeakWorkingSetSize));
        std::printf("working_set_bytes\t%zu\n", static_cast<size_t>(counters.WorkingSetSize));
    }

    HINSTANCE instance_;
    Options options_;
    HWND clock_;
    std::wstring showTitle_;
    std::wstring neutralTitle_;
    Stopwatch stopwatch_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::printf(
            "show-latency.exe [--trials N] [--appear title|map] [--notify] [--timeout-ms T] "
            "[--hold-ms H]\n");
        return kExitUsage;
    }
    const HWND clockWindow = FindWindowW(quorrin::kMainClockClassName, nullptr);
    if (clockWindow == nullptr) {
        std::printf("no window of class Quorrin.MainClock: is Quorrin.exe running?\n");
        return kExitNoClock;
    }
    const TimerResolutionScope resolution;
    LatencyProbe probe(GetModuleHandleW(nullptr), *options, clockWindow);
    const int result = probe.Run();
    if (result == kExitTimeout) std::printf("timed out waiting for the clock\n");
    std::fflush(stdout);
    return result;
}
