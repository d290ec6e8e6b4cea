// The drawn push button as a real child window: its faces by state read back from the
// pixels it paints, its mouse click rule, its caption placement, and its balloon tooltip.
#include "controls/drawn_button/drawn_button_win32.h"

#include "win32/gdi_scope_win32.h"
#include "win32/unique_handle_win32.h"

#include "button_parent_win32.h"
#include "client_snapshot_win32.h"
#include "message_pump_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

namespace quorrin {
namespace {

using testing::Notice;
using testing::PumpUntil;

constexpr int kButtonId = 42;
constexpr RECT kPlace{10, 10, 115, 35};  // 105 x 25 pixels = 1575 x 375 twips
// The faces' frame colours (tools/make_button_pictures.sh) and the cut corner.
constexpr COLORREF kDisabledFrame = RGB(0xc9, 0xbf, 0xa4);
constexpr COLORREF kNormalFrame = RGB(0x5f, 0x78, 0x96);
constexpr COLORREF kHoverFrame = RGB(0xe8, 0xa2, 0x1a);
constexpr COLORREF kCornerColor = RGB(0xee, 0xf1, 0xf6);

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The button's client area as it shows it, with the places its faces are told by.
struct Snapshot : testing::ClientSnapshot {
    using ClientSnapshot::ClientSnapshot;
    // The left edge, halfway down: the face's frame.
    COLORREF Frame() const { return Pixel(0, height / 2); }
    // A pixel of the face's inside, left of any caption and right of the focus mark.
    COLORREF Inside() const { return Pixel(3, height / 2); }
};

class DrawnButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(parent_.Create());
        ASSERT_TRUE(button_.Create(GetModuleHandleW(nullptr), parent_.Handle(), kButtonId, kPlace));
    }

    HWND Button() const { return button_.Handle(); }
    Snapshot Shot() const { return Snapshot(Button()); }

    // Posts the messages to the button and handles them and everything they cause.
    void Post(std::initializer_list<Notice> messages) {
        ASSERT_TRUE(parent_.Deliver(Button(), messages));
    }
    static Notice Msg(UINT message, WPARAM wParam, LPARAM lParam) {
        return {message, wParam, lParam};
    }

    testing::ButtonParent parent_;
    DrawnButton button_;
};

TEST_F(DrawnButtonTest, StartsWithTheDocumentedDefaults) {
    EXPECT_EQ(button_.Caption(), L"0");
    EXPECT_FALSE(button_.Enabled());
    EXPECT_FALSE(IsWindowEnabled(Button()));
    EXPECT_EQ(button_.ToolTipWindow(), nullptr);
    const Snapshot shot = Shot();
    EXPECT_EQ(shot.Frame(), kDisabledFrame);  // disabled: face 0
    // The caption "0" in the system's button-text colour, in the middle.
    EXPECT_GT(shot.Count(GetSysColor(COLOR_BTNTEXT)), 5);
    wchar_t name[32] = {};
    GetClassNameW(Button(), name, 32);
    EXPECT_STREQ(name, kDrawnButtonClassName);
}

TEST_F(DrawnButtonTest, FacesFollowTheMouseAndKeepTheirCorners) {
    button_.SetEnabled(true);
    const Snapshot normal = Shot();
    EXPECT_EQ(normal.Frame(), kNormalFrame);
    // 3 x 3 corners as stored, whatever the size: the cut pixel, then the frame.
    for (const auto& [x, y] : {std::pair{0, 0}, {104, 0}, {0, 24}, {104, 24}}) {
        EXPECT_EQ(normal.Pixel(x, y), kCornerColor) << x << "," << y;
    }
    EXPECT_EQ(normal.Pixel(1, 1), kNormalFrame);
    EXPECT_EQ(normal.Pixel(103, 23), kNormalFrame);
    EXPECT_EQ(normal.Pixel(52, 0), kNormalFrame);  // the top edge, stretched

    Post({Msg(WM_MOUSEMOVE, 0, At(20, 10))});
    EXPECT_EQ(Shot().Frame(), kHoverFrame);
    EXPECT_EQ(GetCapture(), Button()) << "held, to see the move that leaves";

    Post({Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10))});
    const Snapshot pressed = Shot();
    EXPECT_EQ(pressed.Frame(), kNormalFrame);
    EXPECT_LT(GetRValue(pressed.Inside()), 0xE0) << "grey-shaded";
    EXPECT_LT(GetRValue(pressed.Inside()), GetRValue(normal.Inside()) - 16);

    Post({Msg(WM_LBUTTONUP, 0, At(20, 10))});
    EXPECT_EQ(Shot().Frame(), kNormalFrame) << "resting after the release";
    Post({Msg(WM_MOUSEMOVE, 0, At(21, 10))});
    EXPECT_EQ(Shot().Frame(), kHoverFrame) << "hover again with the next move inside";
    // The first move outside: resting face, capture given back.
    Post({Msg(WM_MOUSEMOVE, 0, At(105, 10))});
    EXPECT_EQ(Shot().Frame(), kNormalFrame);
    EXPECT_NE(GetCapture(), Button());

    button_.SetEnabled(false);
    EXPECT_EQ(Shot().Frame(), kDisabledFrame);
}

TEST_F(DrawnButtonTest, OnlyALeftPressReleasedOverItClicks) {
    button_.SetEnabled(true);
    Post({Msg(WM_RBUTTONDOWN, MK_RBUTTON, At(20, 10)), Msg(WM_RBUTTONUP, 0, At(20, 10)),
          Msg(WM_MBUTTONDOWN, MK_MBUTTON, At(20, 10)), Msg(WM_MBUTTONUP, 0, At(20, 10))});
    EXPECT_EQ(parent_.Clicks(kButtonId), 0);
    EXPECT_EQ(GetFocus(), Button()) << "though any press takes the focus";
    // A left press released outside: no click.
    Post({Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10)), Msg(WM_LBUTTONUP, 0, At(20, 40))});
    EXPECT_EQ(parent_.Clicks(kButtonId), 0);
    Post({Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10)), Msg(WM_LBUTTONUP, 0, At(22, 12))});
    EXPECT_EQ(parent_.Clicks(kButtonId), 1);
    // Out and back in during the press: the press keeps the capture, and still clicks.
    Post({Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10)), Msg(WM_MOUSEMOVE, MK_LBUTTON, At(20, 40))});
    EXPECT_EQ(GetCapture(), Button());
    Post({Msg(WM_MOUSEMOVE, MK_LBUTTON, At(20, 10)), Msg(WM_LBUTTONUP, 0, At(20, 10))});
    EXPECT_EQ(parent_.Clicks(kButtonId), 2);
    // A disabled button takes no click.
    button_.SetEnabled(false);
    Post({Msg(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10)), Msg(WM_LBUTTONUP, 0, At(20, 10))});
    EXPECT_EQ(parent_.Clicks(kButtonId), 2);
}

TEST_F(DrawnButtonTest, TheWindowShowsItsBackBuffer) {
    // Wait until the parent is on the (virtual) screen: its white shows at its corner.
    RECT parent{};
    GetWindowRect(parent_.Handle(), &parent);
    WindowDcScope screen(nullptr);
    ASSERT_TRUE(PumpUntil([&](const auto&) {
                    return GetPixel(screen.Dc(), parent.left + 2, parent.top + 60) ==
                           RGB(255, 255, 255);
                }).done);
    button_.SetEnabled(true);
    Post({Msg(WM_MOUSEMOVE, 0, At(20, 10))});
    UpdateWindow(Button());
    RECT place{};
    GetWindowRect(Button(), &place);
    EXPECT_EQ(GetPixel(screen.Dc(), place.left, place.top + 12), kHoverFrame);
    EXPECT_EQ(GetPixel(screen.Dc(), place.left, place.top), kCornerColor);
    const Snapshot printed = Shot();
    for (const int x : {4, 50, 100}) {
        EXPECT_EQ(GetPixel(screen.Dc(), place.left + x, place.top + 12), printed.Pixel(x, 12)) << x;
    }
}

TEST_F(DrawnButtonTest, CaptionIsCentred) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    button_.SetEnabled(true);
    button_.SetCaption(L"");
    EXPECT_EQ(Shot().Count(ink), 0);
    button_.SetCaption(L"AB&C");
    const Snapshot caption = Shot();
    // As much of the caption's ink left of the centre as right, give or take a column.
    std::ptrdiff_t left = 0;
    std::ptrdiff_t right = 0;
    for (int y = 0; y < caption.height; ++y) {
        for (int x = 0; x < caption.width; ++x) {
            if (caption.Pixel(x, y) == ink) ++(x < caption.width / 2 ? left : right);
        }
    }
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
}

TEST_F(DrawnButtonTest, BalloonTooltipBelongsToTheButton) {
    button_.SetToolTip(L"选一种颜色");
    const HWND tip = button_.ToolTipWindow();
    ASSERT_NE(tip, nullptr);
    wchar_t name[64] = {};
    GetClassNameW(tip, name, 64);
    EXPECT_STREQ(name, TOOLTIPS_CLASSW);
    // A child cannot own a window: the system makes the button's top-level window the owner.
    EXPECT_EQ(GetWindow(tip, GW_OWNER), parent_.Handle());
    const LONG_PTR style = GetWindowLongPtrW(tip, GWL_STYLE);
    EXPECT_EQ(style & (TTS_BALLOON | TTS_ALWAYSTIP), TTS_BALLOON | TTS_ALWAYSTIP);
    EXPECT_NE(GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), kDrawnButtonTipWidthPixels);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)),
              kDrawnButtonTipBackColor);

    wchar_t text[64] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Button();
    tool.uId = 0;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"选一种颜色");

    button_.SetToolTip(L"");
    EXPECT_EQ(button_.ToolTipWindow(), nullptr);
}

}  // namespace
}  // namespace quorrin
