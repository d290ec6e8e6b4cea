#include "detection/title_cache.h"

#include <algorithm>

namespace quorrin {

namespace {

// Windows listed on the first pass were there before the program looked: they are not fresh.
constexpr uint64_t kFirstPass = 1;

}  // namespace

void TitleCache::Update(std::span<const WindowId> windows, bool rotate) {
    ++pass_;
    if (rotate) ++rotations_;
    previous_.swap(entries_);  // index_ now refers to previous_
    entries_.clear();
    for (const WindowId window : windows) {
        const size_t old = Find(window);
        if (old < previous_.size() && previous_[old].listed.window == window) {
            entries_.push_back(std::move(previous_[old]));
            previous_[old].listed.window = 0;  // taken: a repeated id counts as a new window
        } else {
            Entry fresh;
            fresh.listed.window = window;
            fresh.firstPass = pass_;
            entries_.push_back(std::move(fresh));
        }
    }
    previous_.clear();

    // The rotation chooses among the titles no rule makes due on this pass. A title never read,
    // or due from an earlier pass and not asked for since, stays due and is one of those: it
    // keeps the age of its last read, so the rotation's share falls on the titles the passes
    // ask for no more often than if every due title had been read.
    rotation_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        if (entry.readPass == 0) entry.due = true;
        if (MustRead(entry)) {
            entry.due = true;
        } else {
            rotation_.push_back(i);
        }
    }
    if (rotate) RefreshOldest();
    RebuildIndex();
}

const std::string& TitleCache::TitleAt(size_t position, const TitleReader& read) {
    Entry& entry = entries_[position];
    if (entry.due) Read(entry, read);
    return entry.listed.title;
}

bool TitleCache::Invalidate(WindowId window) {
    const size_t position = Find(window);
    if (position >= entries_.size()) return false;
    entries_[position].stale = true;
    return true;
}

size_t TitleCache::Find(WindowId window) const {
    const auto it = std::lower_bound(
        index_.begin(), index_.end(), window,
        [](const std::pair<WindowId, size_t>& item, WindowId id) { return item.first < id; });
    if (it == index_.end() || it->first != window) return SIZE_MAX;
    return it->second;
}

bool TitleCache::MustRead(const Entry& entry) const {
    if (entry.stale) return true;
    if (tracked_ != 0 && entry.listed.window == tracked_) return true;
    return entry.firstPass > kFirstPass && pass_ - entry.firstPass < kFreshPasses;
}

void TitleCache::RefreshOldest() {
    size_t overdue = 0;
    for (const size_t i : rotation_) {
        if (rotations_ - entries_[i].readRotation >= kRefreshPasses) ++overdue;
    }
    // A tenth of the titles spreads the reads evenly; the overdue ones keep the promise when
    // windows come and go.
    const size_t share = (rotation_.size() + kRefreshPasses - 1) / kRefreshPasses;
    const size_t count = std::min(rotation_.size(), std::max(share, overdue));
    if (count == 0) return;
    const auto longestAgo = [this](size_t a, size_t b) {
        const uint64_t readA = entries_[a].readPass;
        const uint64_t readB = entries_[b].readPass;
        return readA != readB ? readA < readB : a < b;
    };
    std::nth_element(rotation_.begin(), rotation_.begin() + static_cast<std::ptrdiff_t>(count - 1),
                     rotation_.end(), longestAgo);
    for (size_t i = 0; i < count; ++i) entries_[rotation_[i]].due = true;
}

void TitleCache::Read(Entry& entry, const TitleReader& read) {
    entry.listed.title = read(entry.listed.window);
    entry.readPass = pass_;
    entry.readRotation = rotations_;
    entry.stale = false;
    entry.due = false;
}

const std::string& TitleCache::ClassAt(size_t position, const TitleReader& read) {
    Entry& entry = entries_[position];
    if (!entry.className) entry.className = read(entry.listed.window);
    return *entry.className;
}

const std::string& TitleCache::ProgramAt(size_t position, const TitleReader& read) {
    Entry& entry = entries_[position];
    if (!entry.program) entry.program = read(entry.listed.window);
    return *entry.program;
}

void TitleCache::RebuildIndex() {
    index_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) index_.emplace_back(entries_[i].listed.window, i);
    std::sort(index_.begin(), index_.end());
}

}  // namespace quorrin
