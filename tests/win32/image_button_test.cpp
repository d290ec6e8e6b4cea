// The image button as a real child window: the clicks it notifies its parent of, by mouse
// and through the dialog manager's keyboard handling, and the pixels it paints for its
// normal, pressed, hovered, focused and disabled looks, read back through WM_PRINTCLIENT.
#include "controls/image_button/image_button_win32.h"

#include "win32/dib_section_win32.h"
#include "win32/gdi_scope_win32.h"
#include "win32/unique_handle_win32.h"

#include "button_parent_win32.h"
#include "client_snapshot_win32.h"
#include "message_pump_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace quorrin {
namespace {

using testing::Notice;
using testing::PumpUntil;

constexpr int kButtonId = 41;
constexpr RECT kPlace{10, 10, 67, 59};  // 57 x 49 pixels = 855 x 735 twips
constexpr COLORREF kBorderNormal = RGB(155, 155, 255);
constexpr COLORREF kBorderHovered = RGB(100, 100, 200);
constexpr WPARAM kHoverTimerId = 1;  // the button's only timer
// A key-up's lParam: repeat count 1, the key was down, and is being released.
constexpr LPARAM kKeyUpFlags = 1 | (1 << 30) | static_cast<LPARAM>(1u << 31);

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The button's client area as it paints it, with what its looks are told by.
struct Snapshot : testing::ClientSnapshot {
    using ClientSnapshot::ClientSnapshot;
    COLORREF Border() const { return Pixel(0, height / 2); }
    // The darkest pixel: on a button without icon or hover, the caption's colour.
    COLORREF Darkest() const {
        const auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
        return *std::min_element(pixels.begin(), pixels.end(),
                                 [&](COLORREF a, COLORREF b) { return sum(a) < sum(b); });
    }
    // Clearly green pixels: the plus icon.
    std::ptrdiff_t GreenPixels() const {
        return std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) {
            return GetGValue(c) > GetRValue(c) + 60 && GetGValue(c) > GetBValue(c) + 60;
        });
    }
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class ImageButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(parent_.Create());
        button_.SetCaption(L"\u4FDD\u5B58");  // 保存
        button_.SetOverColor(1);              // white to red
        ASSERT_TRUE(button_.Create(GetModuleHandleW(nullptr), parent_.Handle(), kButtonId, kPlace));
    }

    HWND Button() const { return button_.Handle(); }
    Snapshot Shot() const { return Snapshot(Button()); }

    // Posts the messages to the button and handles them and everything they cause.
    void Post(std::initializer_list<Notice> messages) {
        ASSERT_TRUE(parent_.Deliver(Button(), messages));
    }

    int Clicks() const {
        int clicks = 0;
        for (const Notice& n : parent_.Notices()) {
            if (n.message != WM_COMMAND) continue;
            EXPECT_EQ(n.wParam, MAKEWPARAM(kButtonId, BN_CLICKED));
            EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(Button()));
            ++clicks;
        }
        return clicks;
    }

    testing::ButtonParent parent_;
    ImageButton button_;
};

TEST_F(ImageButtonTest, PressAndReleaseWithAnyMouseButtonClicksOnce) {
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}, {WM_LBUTTONUP, 0, At(21, 22)}});
    EXPECT_EQ(Clicks(), 1);
    Post({{WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5)}, {WM_RBUTTONUP, 0, At(5, 5)}});
    EXPECT_EQ(Clicks(), 2);
    Post({{WM_MBUTTONDOWN, MK_MBUTTON, At(5, 5)}, {WM_MBUTTONUP, 0, At(5, 5)}});
    EXPECT_EQ(Clicks(), 3);
    // Another button's release does not complete the press; its own release does.
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5)}, {WM_RBUTTONUP, 0, At(5, 5)}});
    EXPECT_EQ(Clicks(), 3);
    Post({{WM_LBUTTONUP, 0, At(5, 5)}});
    EXPECT_EQ(Clicks(), 4);
}

TEST_F(ImageButtonTest, ReleaseOutsideLostCaptureOrDisabledButtonNeverClicks) {
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}, {WM_LBUTTONUP, 0, At(20, 80)}});
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}, {WM_LBUTTONUP, 0, At(-3, 20)}});
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}});
    ReleaseCapture();  // e.g. a menu or another window took the mouse
    Post({{WM_LBUTTONUP, 0, At(20, 20)}});
    EXPECT_EQ(Clicks(), 0);

    button_.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Button()));
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}, {WM_LBUTTONUP, 0, At(20, 20)}});
    EXPECT_EQ(Clicks(), 0);
    // Enabled again, the same input clicks: being disabled really was the reason.
    button_.SetEnabled(true);
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}, {WM_LBUTTONUP, 0, At(20, 20)}});
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(ImageButtonTest, FocusedButtonShowsAMarkAndClicksOnSpaceAndEnterUnlessDisabled) {
    const Snapshot unfocused = Shot();
    SetFocus(Button());
    ASSERT_EQ(GetFocus(), Button());
    EXPECT_NE(Shot().pixels, unfocused.pixels) << "no focus mark";
    // Keys as a dialog's message loop hands them to IsDialogMessageW.
    const auto key = [&](UINT message, WPARAM virtualKey) {
        MSG msg{Button(), message, virtualKey, message == WM_KEYUP ? kKeyUpFlags : 1, 0, {}};
        IsDialogMessageW(parent_.Handle(), &msg);
    };
    key(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(Clicks(), 0) << "Space clicks when it comes up";
    key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Clicks(), 1);
    key(WM_KEYDOWN, VK_RETURN);  // this button's click, not the dialog's IDOK
    key(WM_KEYUP, VK_RETURN);
    EXPECT_EQ(Clicks(), 2);
    SendMessageW(Button(), BM_CLICK, 0, 0);
    EXPECT_EQ(Clicks(), 3);
    SetFocus(parent_.Handle());
    EXPECT_EQ(Shot().pixels, unfocused.pixels) << "the mark goes with the focus";

    SetFocus(Button());
    button_.SetEnabled(false);
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        key(message, VK_SPACE);
        key(message, VK_RETURN);
    }
    SendMessageW(Button(), BM_CLICK, 0, 0);
    EXPECT_EQ(Clicks(), 3);
}

TEST_F(ImageButtonTest, PressShowsThePressedBackgroundAndHidesTheHoverPicture) {
    // Samples inside the border: low down, where the normal look is white and the hover
    // picture reddest, and a third down for the backgrounds' blue.
    const Snapshot normal = Shot();
    const int x = 3;
    const int low = normal.height - 4;
    const int high = normal.height / 3;
    EXPECT_EQ(normal.Border(), kBorderNormal);

    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    const Snapshot hovered = Shot();
    EXPECT_EQ(hovered.Border(), kBorderHovered);
    const COLORREF hover = hovered.Pixel(x, low);
    EXPECT_GT(GetRValue(hover), GetGValue(hover) + 60);
    EXPECT_FALSE(Near(hover, normal.Pixel(x, low), 30));

    Post({{WM_MOUSEMOVE, 0, At(21, 20)}, {WM_LBUTTONDOWN, MK_LBUTTON, At(21, 20)}});
    const Snapshot pressed = Shot();
    EXPECT_FALSE(Near(pressed.Pixel(x, low), hover, 30));  // no hover picture
    const COLORREF press = pressed.Pixel(x, high);
    EXPECT_FALSE(Near(press, normal.Pixel(x, high), 6));  // not the normal background
    EXPECT_LT(GetRValue(press), GetBValue(press));        // but a light blue one

    Post({{WM_MOUSEMOVE, MK_LBUTTON, At(22, 20)}, {WM_LBUTTONUP, 0, At(22, 20)}});
    EXPECT_EQ(Clicks(), 1);
    EXPECT_TRUE(Near(Shot().Pixel(x, low), hover, 2));  // the hover picture is back
}

TEST_F(ImageButtonTest, EachTimerTickEndsTheHoverUnlessThePointerMovedSinceTheLastOne) {
    // Sent, not posted: no real tick of the running timer can come in between.
    const auto send = [&](UINT message) {
        SendMessageW(Button(), message, message == WM_TIMER ? kHoverTimerId : 0, At(20, 20));
    };
    send(WM_MOUSEMOVE);
    send(WM_TIMER);  // clears the moved flag
    EXPECT_EQ(Shot().Border(), kBorderHovered);
    send(WM_MOUSEMOVE);
    send(WM_TIMER);
    send(WM_MOUSEMOVE);
    send(WM_MOUSEMOVE);
    send(WM_TIMER);
    EXPECT_EQ(Shot().Border(), kBorderHovered);
    send(WM_TIMER);  // no movement since the last tick
    EXPECT_EQ(Shot().Border(), kBorderNormal);
}

TEST_F(ImageButtonTest, HoverEndsOnTheRealTimerAboutATenthOfASecondAfterTheLastMovement) {
    using Clock = std::chrono::steady_clock;
    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    const auto moved = Clock::now();
    ASSERT_EQ(Shot().Border(), kBorderHovered);
    // Two ticks of 50 ms: the first clears the moved flag, the second ends the hover.
    ASSERT_TRUE(PumpUntil([&](const auto&) { return Shot().Border() == kBorderNormal; }).done);
    const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - moved);
    EXPECT_GE(after.count(), 90);
    EXPECT_LT(after.count(), 1000);
    const COLORREF low = Shot().Pixel(3, kPlace.bottom - kPlace.top - 4);
    EXPECT_LT(GetRValue(low), GetGValue(low) + 20);  // the red hover picture is gone

    // A new layout (any property write) drops the hover look at once.
    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    button_.SetOverColor(2);
    EXPECT_EQ(Shot().Border(), kBorderNormal);
}

TEST_F(ImageButtonTest, CaptionIsBlackWhenEnabledAndGreyWhenDisabled) {
    EXPECT_EQ(Shot().Darkest(), RGB(0, 0, 0));
    button_.SetEnabled(false);
    EXPECT_EQ(Shot().Darkest(), RGB(128, 128, 128));
    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    EXPECT_EQ(Shot().Border(), kBorderNormal);  // and the pointer brings no hover look
    // A caption set from outside with WM_SETTEXT is the button's caption too.
    SetWindowTextW(Button(), L"");
    EXPECT_EQ(button_.Caption(), L"");
    EXPECT_GT(GetRValue(Shot().Darkest()), 128);
}

TEST_F(ImageButtonTest, StylesOneToSixShowTheirIconAndStyleZeroNone) {
    EXPECT_EQ(Shot().GreenPixels(), 0);
    button_.SetStyle(2);  // the plus
    EXPECT_GT(Shot().GreenPixels(), 40);
    button_.SetStyle(4);  // the cross
    EXPECT_EQ(Shot().GreenPixels(), 0);
}

TEST_F(ImageButtonTest, WindowPaintMatchesThePrintedPicture) {
    // Wait until the parent is on the (virtual) screen: its white shows at its corner.
    RECT parent{};
    GetWindowRect(parent_.Handle(), &parent);
    WindowDcScope screen(nullptr);
    ASSERT_TRUE(PumpUntil([&](const auto&) {
                    return GetPixel(screen.Dc(), parent.left + 2, parent.top + 2) ==
                           RGB(255, 255, 255);
                }).done);
    UpdateWindow(Button());
    RECT place{};
    GetWindowRect(Button(), &place);
    const Snapshot printed = Shot();
    for (int y : {0, printed.height / 2, printed.height - 2}) {
        const COLORREF onScreen = GetPixel(screen.Dc(), place.left + 3, place.top + y);
        EXPECT_TRUE(Near(onScreen, printed.Pixel(3, y), 2)) << "row " << y;
    }
}

}  // namespace
}  // namespace quorrin
