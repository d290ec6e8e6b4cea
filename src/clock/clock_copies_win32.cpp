#include "clock/clock_copies_win32.h"

#include "win32/debug_log_win32.h"

namespace quorrin {

bool ClockCopies::Create(HINSTANCE instance, const DisplayStyle& style, int32_t dpi) {
    instance_ = instance;
    return Add(style, dpi);
}

bool ClockCopies::Add(const DisplayStyle& style, int32_t dpi) {
    auto copy = std::make_unique<ClockCopy>();
    if (!copy->window.Create(instance_, kClockCopyClassName, nullptr, style, dpi)) return false;
    if (relayout_) copy->window.OnDisplayChange(relayout_);
    copies_.push_back(std::move(copy));
    return true;
}

void ClockCopies::OnDisplayChange(std::function<void()> relayout) {
    relayout_ = std::move(relayout);
    for (const auto& copy : copies_) copy->window.OnDisplayChange(relayout_);
}

void ClockCopies::Reserve(size_t count, const DisplayStyle& style) {
    while (copies_.size() < count) {
        if (!Add(style, kDefaultDpi)) {
            LogDebug(L"clock copy", L"not created; a monitor stays without its clock");
            return;
        }
    }
}

void ClockCopies::Destroy() {
    for (const auto& copy : copies_) copy->window.Destroy();
}

}  // namespace quorrin
