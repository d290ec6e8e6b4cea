// The title cache of the detection passes: which titles a pass reads, and how old a title
// it can report.
#include "detection/title_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr uint64_t kRefresh = TitleCache::kRefreshPasses;
constexpr uint64_t kFresh = TitleCache::kFreshPasses;

// The window system as the cache sees it: current titles, and a log of the titles read.
class FakeDesktop {
  public:
    void Title(WindowId window, std::string title) { titles_[window] = std::move(title); }

    // One pass over `windows` that asks for the titles of the first `asked` of them (all by
    // default, as a pass that finds no show does); returns how many titles it read.
    size_t Pass(TitleCache& cache, const std::vector<WindowId>& windows, bool rotate = true,
                size_t asked = SIZE_MAX) {
        ++pass_;
        const size_t before = reads_.size();
        cache.Update(windows, rotate);
        const auto read = [this](WindowId w) {
            reads_.push_back({pass_, w});
            return titles_[w];
        };
        for (size_t i = 0; i < std::min(asked, cache.Size()); ++i) cache.TitleAt(i, read);
        for (size_t i = before; i < reads_.size(); ++i) lastRead_[reads_[i].window] = pass_;
        return reads_.size() - before;
    }

    // Reads of `window` during pass `pass`.
    size_t ReadsOf(WindowId window, uint64_t pass) const {
        return static_cast<size_t>(std::count_if(reads_.begin(), reads_.end(), [&](const Read& r) {
            return r.window == window && r.pass == pass;
        }));
    }
    // The last pass that read `window`, 0 for none.
    uint64_t LastRead(WindowId window) const {
        const auto it = lastRead_.find(window);
        return it == lastRead_.end() ? 0 : it->second;
    }
    uint64_t CurrentPass() const { return pass_; }

  private:
    struct Read {
        uint64_t pass;
        WindowId window;
    };
    std::map<WindowId, std::string> titles_;
    std::vector<Read> reads_;
    std::map<WindowId, uint64_t> lastRead_;
    uint64_t pass_ = 0;
};

std::vector<WindowId> Windows(WindowId first, size_t count) {
    std::vector<WindowId> windows;
    for (size_t i = 0; i < count; ++i) windows.push_back(first + i);
    return windows;
}

std::string TitleIn(const TitleCache& cache, WindowId window) {
    for (size_t i = 0; i < cache.Size(); ++i) {
        if (cache.At(i).window == window) return cache.At(i).title;
    }
    return "(not listed)";
}

std::vector<WindowId> Listed(const TitleCache& cache) {
    std::vector<WindowId> windows;
    for (size_t i = 0; i < cache.Size(); ++i) windows.push_back(cache.At(i).window);
    return windows;
}

TEST(TitleCache, FirstPassReadsEveryTitleOnceInListOrder) {
    FakeDesktop desk;
    desk.Title(30, "Mail");
    desk.Title(10, "");
    desk.Title(20, "PowerPoint 幻灯片放映 - a.pptx");
    TitleCache cache;
    EXPECT_EQ(desk.Pass(cache, {30, 10, 20}), 3u);
    ASSERT_EQ(cache.Size(), 3u);
    EXPECT_EQ(cache.At(0).window, 30u);
    EXPECT_EQ(cache.At(0).title, "Mail");
    EXPECT_EQ(cache.At(1).window, 10u);
    EXPECT_EQ(cache.At(1).title, "");
    EXPECT_EQ(cache.At(2).window, 20u);
    EXPECT_EQ(cache.At(2).title, "PowerPoint 幻灯片放映 - a.pptx");
}

TEST(TitleCache, TitlesFollowTheirWindowsWhenTheZOrderChanges) {
    FakeDesktop desk;
    desk.Title(1, "one");
    desk.Title(2, "two");
    desk.Title(3, "three");
    TitleCache cache;
    desk.Pass(cache, {1, 2, 3});
    desk.Pass(cache, {3, 1, 2});
    EXPECT_EQ(Listed(cache), (std::vector<WindowId>{3, 1, 2}));
    EXPECT_EQ(cache.At(0).title, "three");
    EXPECT_EQ(cache.At(1).title, "one");
    EXPECT_EQ(cache.At(2).title, "two");
}

TEST(TitleCache, WindowAppearingLaterIsReadOnItsFirstPass) {
    FakeDesktop desk;
    const std::vector<WindowId> crowd = Windows(100, 50);
    TitleCache cache;
    desk.Pass(cache, crowd);
    desk.Pass(cache, crowd);
    std::vector<WindowId> withShow = crowd;
    withShow.insert(withShow.begin(), 7);
    desk.Title(7, "show");
    desk.Pass(cache, withShow);
    EXPECT_EQ(desk.ReadsOf(7, desk.CurrentPass()), 1u);
    EXPECT_EQ(cache.At(0).title, "show");
}

TEST(TitleCache, EachTitleIsReadAgainWithinTheRefreshPasses) {
    FakeDesktop desk;
    const std::vector<WindowId> windows = Windows(1, 95);
    TitleCache cache;
    desk.Pass(cache, windows);
    for (uint64_t pass = 2; pass <= 4 * kRefresh; ++pass) {
        desk.Pass(cache, windows);
        for (const WindowId w : windows) {
            ASSERT_LT(pass - desk.LastRead(w), kRefresh) << "window " << w << " at pass " << pass;
        }
    }
}

TEST(TitleCache, RetitledWindowIsSeenWithinTheRefreshPasses) {
    const std::vector<WindowId> windows = Windows(1, 300);
    for (const WindowId retitled : {WindowId{1}, WindowId{150}, WindowId{300}}) {
        FakeDesktop desk;
        desk.Title(retitled, "PowerPoint - talk.pptx");
        TitleCache cache;
        desk.Pass(cache, windows);
        desk.Title(retitled, "PowerPoint 幻灯片放映 - talk.pptx");
        uint64_t passes = 0;
        while (TitleIn(cache, retitled) != "PowerPoint 幻灯片放映 - talk.pptx" && passes < 50) {
            desk.Pass(cache, windows);
            ++passes;
        }
        EXPECT_LE(passes, kRefresh) << "window " << retitled;
    }
}

TEST(TitleCache, SteadyDesktopReadsATenthOfTheTitlesPerPass) {
    FakeDesktop desk;
    const std::vector<WindowId> windows = Windows(1, 300);
    TitleCache cache;
    EXPECT_EQ(desk.Pass(cache, windows), 300u);
    for (int pass = 2; pass <= 40; ++pass) {
        EXPECT_EQ(desk.Pass(cache, windows), 30u) << "pass " << pass;
    }
}

TEST(TitleCache, GoneWindowsAreDropped) {
    FakeDesktop desk;
    TitleCache cache;
    desk.Pass(cache, {1, 2, 3, 4});
    desk.Pass(cache, {4, 2});
    EXPECT_EQ(Listed(cache), (std::vector<WindowId>{4, 2}));
    EXPECT_EQ(desk.Pass(cache, {}), 0u);
    EXPECT_EQ(cache.Size(), 0u);
}

TEST(TitleCache, RepeatedIdInOneListKeepsItsTitleAtBothPlaces) {
    FakeDesktop desk;
    desk.Title(1, "one");
    desk.Title(2, "two");
    TitleCache cache;
    desk.Pass(cache, {1, 2});
    desk.Pass(cache, {1, 2, 1});
    EXPECT_EQ(Listed(cache), (std::vector<WindowId>{1, 2, 1}));
    EXPECT_EQ(cache.At(0).title, "one");
    EXPECT_EQ(cache.At(2).title, "one");
}

TEST(TitleCache, IdListedAgainAfterAGapIsReadAsANewWindow) {
    FakeDesktop desk;
    const std::vector<WindowId> crowd = Windows(100, 40);
    std::vector<WindowId> withFive = crowd;
    withFive.push_back(5);
    desk.Title(5, "old window");
    TitleCache cache;
    desk.Pass(cache, withFive);
    desk.Pass(cache, crowd);
    desk.Title(5, "PowerPoint 幻灯片放映 - reused.pptx");
    desk.Pass(cache, withFive);
    EXPECT_EQ(desk.ReadsOf(5, desk.CurrentPass()), 1u);
    EXPECT_EQ(TitleIn(cache, 5), "PowerPoint 幻灯片放映 - reused.pptx");
}

TEST(TitleCache, WindowThatAppearsLaterIsReadOnEveryPassWhileFresh) {
    FakeDesktop desk;
    const std::vector<WindowId> crowd = Windows(100, 200);
    std::vector<WindowId> withNew = crowd;
    withNew.push_back(9);
    TitleCache cache;
    desk.Pass(cache, crowd);
    desk.Pass(cache, crowd);
    const uint64_t appeared = desk.CurrentPass() + 1;
    for (uint64_t pass = appeared; pass < appeared + kFresh; ++pass) {
        desk.Title(9, "title " + std::to_string(pass));
        desk.Pass(cache, withNew);
        EXPECT_EQ(desk.ReadsOf(9, pass), 1u) << "pass " << pass;
        EXPECT_EQ(TitleIn(cache, 9), "title " + std::to_string(pass));
    }
    // Then it joins the rotation: at most twice in the next kRefresh passes.
    size_t later = 0;
    for (uint64_t i = 0; i < kRefresh; ++i) {
        desk.Pass(cache, withNew);
        later += desk.ReadsOf(9, desk.CurrentPass());
    }
    EXPECT_GE(later, 1u);
    EXPECT_LE(later, 2u);
}

TEST(TitleCache, WindowsOfTheFirstPassAreNotReadOnEveryPass) {
    FakeDesktop desk;
    const std::vector<WindowId> windows = Windows(1, 300);
    TitleCache cache;
    desk.Pass(cache, windows);
    size_t reads = 0;
    for (uint64_t i = 0; i < kRefresh; ++i) {
        desk.Pass(cache, windows);
        reads += desk.ReadsOf(1, desk.CurrentPass());
    }
    EXPECT_EQ(reads, 1u);
}

TEST(TitleCache, InvalidatedTitleIsReadOnTheNextPass) {
    FakeDesktop desk;
    const std::vector<WindowId> windows = Windows(1, 300);
    TitleCache cache;
    desk.Pass(cache, windows);
    desk.Pass(cache, windows);
    // Pick a window the rotation has just read, so that only Invalidate brings it back soon.
    const WindowId target = [&] {
        for (const WindowId w : windows) {
            if (desk.LastRead(w) == desk.CurrentPass()) return w;
        }
        return WindowId{0};
    }();
    ASSERT_NE(target, 0u);
    desk.Title(target, "renamed");
    cache.Invalidate(target);
    desk.Pass(cache, windows);
    EXPECT_EQ(desk.ReadsOf(target, desk.CurrentPass()), 1u);
    EXPECT_EQ(TitleIn(cache, target), "renamed");
    desk.Pass(cache, windows);
    EXPECT_EQ(desk.ReadsOf(target, desk.CurrentPass()), 0u) << "invalidation is for one pass";
}

TEST(TitleCache, InvalidatingAnUnlistedWindowReadsNothingMore) {
    FakeDesktop desk;
    const std::vector<WindowId> windows = Windows(1, 300);
    TitleCache cache;
    desk.Pass(cache, windows);
    cache.Invalidate(999);
    EXPECT_EQ(desk.Pass(cache, windows), 30u);
    EXPECT_EQ(cache.Size(), 300u);
}

// Windows come and go (some of them just after the rotation read them, which shrinks the
// rotation's share); every listed title must still be at most kRefresh passes old.
TEST(TitleCache, TitlesStayFreshWhileWindowsComeAndGo) {
    FakeDesktop desk;
    std::mt19937 random(20261207);
    std::vector<WindowId> windows = Windows(1, 400);
    WindowId nextId = 1000;
    TitleCache cache;
    desk.Pass(cache, windows);
    for (int pass = 2; pass <= 300; ++pass) {
        // Drop windows the last pass read, then add a few new ones at random places.
        const uint64_t last = desk.CurrentPass();
        std::erase_if(windows, [&](WindowId w) {
            return desk.LastRead(w) == last && random() % 3 != 0 && windows.size() > 40;
        });
        const size_t added = random() % 4;
        for (size_t i = 0; i < added; ++i) {
            windows.insert(
                windows.begin() + static_cast<std::ptrdiff_t>(random() % (windows.size() + 1)),
                nextId++);
        }
        desk.Pass(cache, windows);
        ASSERT_EQ(Listed(cache), windows) << "pass " << pass;
        for (const WindowId w : windows) {
            ASSERT_LT(desk.CurrentPass() - desk.LastRead(w), kRefresh)
                << "window " << w << " at pass " << pass;
        }
    }
}

// A pass that stops at a show near the top asks for few titles: the ones below are not read,
// but each one a later pass asks for is as fresh as if every due title had been read.
TEST(TitleCache, TitlesBelowWhereThePassStopsAreReadOnlyWhenAskedFor) {
    FakeDesktop desk;
    const std::vector<WindowId> windows = Windows(1, 300);
    TitleCache cache;
    desk.Pass(cache, windows);
    cache.Track(2);
    desk.Title(200, "before");
    cache.Invalidate(200);
    for (int pass = 0; pass < 3 * static_cast<int>(kRefresh); ++pass) {
        EXPECT_LE(desk.Pass(cache, windows, true, 3), 3u) << "pass " << pass;
        EXPECT_EQ(desk.ReadsOf(2, desk.CurrentPass()), 1u) << "the show, pass " << pass;
    }
    EXPECT_EQ(desk.LastRead(200), 1u);
    // The show has gone: the next pass asks for every title.
    desk.Title(200, "PowerPoint 幻灯片放映 - after.pptx");
    desk.Pass(cache, windows);
    EXPECT_EQ(TitleIn(cache, 200), "PowerPoint 幻灯片放映 - after.pptx");
    for (const WindowId w : windows) {
        ASSERT_LT(desk.CurrentPass() - desk.LastRead(w), kRefresh) << "window " << w;
    }
}

// Passes stopping at random depths, rotating or not, with windows retitled and invalidated:
// every title a pass asks for has been read on this pass or within the last kRefresh rotating
// passes, and an invalidated one after its invalidation.
TEST(TitleCache, AskedTitlesAreFreshWhereverThePassesStop) {
    FakeDesktop desk;
    std::mt19937 random(20261208);
    const std::vector<WindowId> windows = Windows(1, 120);
    TitleCache cache;
    desk.Pass(cache, windows);
    std::map<WindowId, std::string> current;
    std::vector<uint64_t> rotatingPasses{1};  // the passes that rotated
    for (int pass = 2; pass <= 400; ++pass) {
        const WindowId retitled = 1 + random() % windows.size();
        current[retitled] = "title " + std::to_string(pass);
        desk.Title(retitled, current[retitled]);
        cache.Invalidate(retitled);
        const bool rotate = random() % 3 == 0;
        if (rotate) rotatingPasses.push_back(desk.CurrentPass() + 1);
        const size_t asked = random() % 4 == 0 ? windows.size() : random() % 10;
        desk.Pass(cache, windows, rotate, asked);
        for (size_t i = 0; i < asked && i < windows.size(); ++i) {
            const WindowId w = cache.At(i).window;
            if (current.contains(w)) {
                ASSERT_EQ(cache.At(i).title, current[w]) << "pass " << pass;
            }
            const auto readAt =
                std::lower_bound(rotatingPasses.begin(), rotatingPasses.end(), desk.LastRead(w));
            ASSERT_LE(rotatingPasses.end() - readAt, static_cast<std::ptrdiff_t>(kRefresh))
                << "window " << w << " at pass " << pass;
        }
    }
}

// Passes caused by window events read only what is due; the tracked show's title is read on
// every pass, rotating or not; a class name is read once.
TEST(TitleCache, PassesWithoutRotationReadOnlyNewStaleAndTrackedTitles) {
    FakeDesktop desktop;
    TitleCache cache;
    const std::vector<WindowId> windows = Windows(1, 50);
    desktop.Pass(cache, windows);
    cache.Track(7);
    cache.Invalidate(9);
    EXPECT_EQ(desktop.Pass(cache, windows, false), 2u);
    EXPECT_EQ(desktop.ReadsOf(9, desktop.CurrentPass()), 1u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(desktop.Pass(cache, windows, false), 1u);
        EXPECT_EQ(desktop.ReadsOf(7, desktop.CurrentPass()), 1u);
    }
    // Every title is still re-read within kRefreshPasses rotating passes.
    for (uint64_t i = 0; i < kRefresh; ++i) {
        desktop.Pass(cache, windows, true);
        desktop.Pass(cache, windows, false);
    }
    for (const WindowId w : windows) EXPECT_GT(desktop.LastRead(w), 5u) << w;  // after pass 5

    int classReads = 0;
    const auto readClass = [&](WindowId) {
        ++classReads;
        return std::string("screenClass");
    };
    EXPECT_EQ(cache.ClassAt(4, readClass), "screenClass");
    EXPECT_EQ(cache.ClassAt(4, readClass), "screenClass");
    EXPECT_EQ(classReads, 1);
}

}  // namespace
}  // namespace quorrin
