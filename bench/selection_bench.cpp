// One detection tick's selection work: 300 top-level window titles, 100 configured
// presentations, the slide show at the bottom of the Z order matching the last slot.
#include "detection/slide_show_finder.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using quorrin::AppState;
using quorrin::WindowId;

class TitleList : public quorrin::WindowWalk {
  public:
    explicit TitleList(std::vector<std::string> titles) : titles_(std::move(titles)) {}
    WindowId First() override { return 1; }
    WindowId Next(WindowId w) override { return w < titles_.size() ? w + 1 : 0; }
    std::string Title(WindowId w) override { return titles_[w - 1]; }
    std::string ClassName(WindowId) override { return "Notepad"; }
    std::string ProgramName(WindowId) override { return "notepad.exe"; }
    std::optional<quorrin::WindowScreen> Screen(WindowId) override { return std::nullopt; }

  private:
    std::vector<std::string> titles_;
};

void BM_FindSlideShow(benchmark::State& bench) {
    AppState state;
    state.General.SameMode = false;
    state.General.PresentationCount = 100;
    for (int n = 1; n <= 100; ++n) {
        quorrin::PresentationSlot row;
        row.TimeCnt = 1200;
        row.File = "第" + std::to_string(n) + "讲 课程材料 lecture-" + std::to_string(n);
        state.Presentations.Store(n, row);
    }
    std::vector<std::string> titles;
    for (int i = 0; i < 299; ++i) {
        titles.push_back("文档 " + std::to_string(i) +
                         " - 某个编辑器 Some Application Window Title");
    }
    // Two marker windows: one for an unconfigured file (checked against all 100 slots),
    // and the configured show last.
    titles.insert(titles.begin() + 150, "PowerPoint 幻灯片放映 - [未配置的文件.pptx]");
    titles.back() = "PowerPoint 幻灯片放映 - [第100讲 课程材料 lecture-100.pptx]";
    TitleList walk(titles);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(quorrin::FindSlideShow(state, walk));
    }
    if (state.Countdown.CurrentSlot != 100) bench.SkipWithError("wrong slot selected");
}
BENCHMARK(BM_FindSlideShow)->Unit(benchmark::kMicrosecond);

}  // namespace
