// The style dialog's preview, the frame "模拟显示": a pane standing for the clock window, with
// the background shape and the digits ("12:34", bold, sized to their text)
// as child windows placed in twips from the clock's top-left corner, which lies inside the
// pane's frame and below its caption. The pane draws the whole picture (the dialog's backdrop,
// the frame, the shape, the digits); each child shows the part of it under itself, so the
// digits lie transparently on the shape and everything is drawn off screen first.
//
// A release on the digits fits the background around them again (the pane tells its owner
// through `onReleased`).
#pragma once

#include "geometry/units.h"
#include "win32/unique_handle_win32.h"
#include "win32/window_base_win32.h"
#include "dialogs/style/style_choices.h"

#include <functional>
#include <memory>
#include <string>

namespace quorrin {

inline constexpr const wchar_t* kStylePreviewClassName = L"Quorrin.StylePreview";
inline constexpr const wchar_t* kStylePreviewPartClassName = L"Quorrin.StylePreviewPart";
inline constexpr const wchar_t* kPreviewDigits = L"12:34";

struct StylePreviewIds {
    int pane = 0;
    int background = 0;
    int digits = 0;
};

class StylePreviewPane final : public WindowBase {
  public:
    StylePreviewPane();
    ~StylePreviewPane() override;

    bool Create(HINSTANCE instance, HWND dialog, const RECT& placePixels,
                const StylePreviewIds& ids, const std::wstring& caption, HFONT captionFont,
                int32_t dpi);

    // The dialog moved to a monitor of another DPI: a new place and caption font, the parts
    // measured and placed again.
    void SetDpi(int32_t dpi, const RECT& placePixels, HFONT captionFont);
    // Everything at once, as stored (the digits keep the given size, whatever their text
    // measures).
    void Show(const StylePreview& preview);
    const StylePreview& Preview() const { return preview_; }
    // A new font for the digits: they size themselves to their text.
    void SetDigitsFont(const std::string& fontName, int32_t points);
    void SetTextColor(int32_t color);
    void SetBackColor(int32_t color);
    // FitPreviewBackground with the digits' measured text.
    void Fit();
    // Called after a release on the digits.
    void SetOnReleased(std::function<void()> onReleased) { onReleased_ = std::move(onReleased); }

  private:
    class Part;
    friend class Part;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();

    // The whole preview as seen through `area` (pane pixels), drawn into `dc` at (0, 0).
    void PaintArea(HDC dc, const RECT& area) const;
    void PaintFrame(HDC dc) const;
    // Where the clock's top-left corner lies in the pane: inside the frame, below its caption.
    void PlaceClockOrigin();
    void MeasureDigits();
    void PlaceParts();
    void Redraw();
    void PartReleased(const Part& part);
    // A place in twips from the clock's top-left corner, in pane pixels.
    RECT PixelsOf(const TwipRect& place) const;

    HWND dialog_ = nullptr;
    int32_t dpi_ = kDefaultDpi;
    std::wstring caption_;
    HFONT captionFont_ = nullptr;
    StylePreview preview_;
    UniqueFont digitsFont_;
    SIZE digitsText_{};    // "12:34" in the digits' font, pixels
    POINT clockOrigin_{};  // the clock's top-left corner, pane pixels
    std::unique_ptr<Part> background_;
    std::unique_ptr<Part> digits_;
    std::function<void()> onReleased_;
};

}  // namespace quorrin
