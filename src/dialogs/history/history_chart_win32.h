// The talk history dialog's chart: one presentation's runs as bars, oldest on the left,
// against a dashed line at the planned time. A run over its plan is hatched and carries a
// "+MM:SS" label above its bar, so it stands out without its colour.
#pragma once

#include "history/history_row.h"
#include "win32/window_base_win32.h"

#include <vector>

namespace quorrin {

inline constexpr const wchar_t* kHistoryChartClassName = L"Quorrin.HistoryChart";

class HistoryChart final : public WindowBase {
  public:
    bool Create(HINSTANCE instance, HWND dialog, int id, HFONT font);
    // The runs to draw, oldest first.
    void Show(std::vector<HistoryRow> runs);
    const std::vector<HistoryRow>& Runs() const { return runs_; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();

    std::vector<HistoryRow> runs_;
    HFONT font_ = nullptr;
};

}  // namespace quorrin
