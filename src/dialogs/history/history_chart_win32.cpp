#include "dialogs/history/history_chart_win32.h"

#include "dialogs/history/talk_list.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

constexpr COLORREF kChartBackground = RGB(255, 255, 255);
constexpr COLORREF kBarColor = RGB(96, 128, 176);
constexpr COLORREF kOverColor = RGB(192, 0, 0);
constexpr COLORREF kPlanColor = RGB(0, 0, 0);
// The room above the bars for an overtime label, in lines of the dialog's font.
constexpr int kLabelRoomLines = 1;
constexpr int kBarGapParts = 4;  // a gap is a quarter of a bar's slot
constexpr int kMaxBarWidthPixels = 64;

}  // namespace

bool HistoryChart::Create(HINSTANCE instance, HWND dialog, int id, HFONT font) {
    font_ = font;
    const WindowClassSpec windowClass{.className = kHistoryChartClassName,
                                      .style = CS_HREDRAW | CS_VREDRAW,
                                      .cursor = LoadCursorW(nullptr, IDC_ARROW)};
    return CreateChild(instance, windowClass, dialog, id, RECT{}, WS_BORDER, L"");
}

void HistoryChart::Show(std::vector<HistoryRow> runs) {
    runs_ = std::move(runs);
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT HistoryChart::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT HistoryChart::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    const UniqueBrush background(CreateSolidBrush(kChartBackground));
    FillRect(dc, &client, background.Get());
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int labelHeight = metrics.tmHeight * kLabelRoomLines;
    const int height = std::max(0, static_cast<int>(client.bottom) - labelHeight);
    std::vector<size_t> all(runs_.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    const int32_t scale = ChartScaleSeconds(runs_, all);
    if (!runs_.empty()) {
        const int slot =
            std::max(1, static_cast<int>(client.right / static_cast<LONG>(runs_.size())));
        const int gap = slot / kBarGapParts;
        const int barWidth = std::min(std::max(1, slot - gap), kMaxBarWidthPixels);
        const UniqueBrush bar(CreateSolidBrush(kBarColor));
        const UniqueBrush over(CreateHatchBrush(HS_BDIAGONAL, kOverColor));
        SetBkMode(dc, TRANSPARENT);
        for (size_t i = 0; i < runs_.size(); ++i) {
            const HistoryRow& run = runs_[i];
            const int left = static_cast<int>(i) * slot + gap / 2;
            const int top = client.bottom - ChartPixels(run.actualSeconds, scale, height);
            const RECT place{left, top, left + barWidth, client.bottom};
            const bool overPlan = SecondsOverPlan(run) > 0;
            FillRect(dc, &place, overPlan ? over.Get() : bar.Get());
            FrameRect(dc, &place, bar.Get());
            if (overPlan) {
                const std::wstring label = Utf8ToWide(OverUnderText(SecondsOverPlan(run)));
                const int middle = left + barWidth / 2;
                RECT labelPlace{middle - slot / 2, top - labelHeight, middle + slot / 2, top};
                SetTextColor(dc, kOverColor);
                DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &labelPlace,
                          DT_CENTER | DT_SINGLELINE | DT_BOTTOM | DT_NOCLIP);
            }
        }
        // The plan: the newest run's, across the whole chart.
        const int planY = client.bottom - ChartPixels(runs_.back().plannedSeconds, scale, height);
        const UniquePen pen(CreatePen(PS_DASH, 1, kPlanColor));
        const HGDIOBJ oldPen = SelectObject(dc, pen.Get());
        MoveToEx(dc, 0, planY, nullptr);
        LineTo(dc, client.right, planY);
        SelectObject(dc, oldPen);
    }
    SelectObject(dc, oldFont);
    EndPaint(Handle(), &paint);
    return 0;
}

}  // namespace quorrin
