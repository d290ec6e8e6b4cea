// The image button as a real child window: the notifications it sends its parent for
// clicks and keys, and the pixels it paints for its normal, pressed, hovered and disabled
// looks, read back through WM_PRINTCLIENT.
#include "controls/my_button_win32.h"

#include "app/gdi_scope_win32.h"
#include "app/unique_handle_win32.h"

#include "message_pump_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdlib>
#include <vector>

namespace quorrin {
namespace {

using testing::PumpUntil;

constexpr const wchar_t* kParentClass = L"Quorrin.ButtonTestParent";
constexpr UINT kMarker = WM_APP + 1;  // posted last: all earlier posted input is handled
constexpr int kButtonId = 41;
constexpr RECT kPlace{10, 10, 67, 59};  // 57 x 49 pixels = 855 x 735 twips
constexpr COLORREF kBorderNormal = RGB(155, 155, 255);
constexpr COLORREF kBorderHovered = RGB(100, 100, 200);
constexpr WPARAM kHoverTimerId = 1;  // the button's only timer

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct ParentLog {
    std::vector<Notice> notices;
    bool markerSeen = false;
};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* log = reinterpret_cast<ParentLog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (log != nullptr) {
        if (message == WM_COMMAND || message == kMyButtonKeyPress) {
            log->notices.push_back({message, wParam, lParam});
            return 0;
        }
        if (message == kMarker) {
            log->markerSeen = true;
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The button's client area as the button paints it into a memory DC.
class Snapshot {
  public:
    explicit Snapshot(HWND button) {
        RECT client{};
        GetClientRect(button, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc_ = CreateCompatibleDC(nullptr);
        {
            ScopedSelectObject select(dc_, bitmap_.Get());
            SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        }
        pixels_ = static_cast<const uint32_t*>(bits);
    }
    ~Snapshot() { DeleteDC(dc_); }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const {
        const uint32_t bgra = pixels_[static_cast<size_t>(y) * width_ + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    // Pixels that are clearly green (the plus icon) anywhere in the button.
    int GreenPixels() const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = Pixel(x, y);
                count += GetGValue(c) > GetRValue(c) + 60 && GetGValue(c) > GetBValue(c) + 60;
            }
        }
        return count;
    }
    // The darkest pixel by its sum of components: the caption's colour on a plain button.
    COLORREF Darkest() const {
        COLORREF darkest = RGB(255, 255, 255);
        const auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (sum(Pixel(x, y)) < sum(darkest)) darkest = Pixel(x, y);
            }
        }
        return darkest;
    }

  private:
    UniqueBitmap bitmap_;
    HDC dc_ = nullptr;
    const uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class MyButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kParentClass;
        RegisterClassExW(&wc);  // fails harmlessly when already registered
        // Far from the pointer, so that no real mouse movement reaches the buttons.
        parent_.Reset(CreateWindowExW(0, kParentClass, L"buttons", WS_POPUP | WS_VISIBLE, 900, 600,
                                      300, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr));
        ASSERT_TRUE(parent_);
        SetWindowLongPtrW(parent_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log_));
        SetCursorPos(0, 0);
        button_.SetCaption(L"\u4FDD\u5B58");  // 保存
        button_.SetOverColor(1);
        ASSERT_TRUE(button_.Create(GetModuleHandleW(nullptr), parent_.Get(), kButtonId, kPlace));
    }

    HWND Button() const { return button_.Handle(); }

    // Posts the messages to the button and handles them and everything they cause.
    void Post(std::initializer_list<Notice> messages) {
        for (const Notice& m : messages) PostMessageW(Button(), m.message, m.wParam, m.lParam);
        log_.markerSeen = false;
        PostMessageW(parent_.Get(), kMarker, 0, 0);
        ASSERT_TRUE(PumpUntil([&](const auto&) { return log_.markerSeen; }).done);
    }

    COLORREF BorderColor() const {
        Snapshot shot(Button());
        return shot.Pixel(0, shot.Height() / 2);
    }

    // The tooltip window of this thread owned by the parent (the button's top level).
    HWND FindToolTip() const {
        struct Search {
            HWND owner;
            HWND found;
        } search{parent_.Get(), nullptr};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM lParam) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lParam);
                wchar_t name[64] = {};
                GetClassNameW(window, name, 64);
                if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 &&
                    GetWindow(window, GW_OWNER) == s->owner) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    int Clicks() const {
        int clicks = 0;
        for (const Notice& n : log_.notices) {
            if (n.message != WM_COMMAND) continue;
            EXPECT_EQ(n.wParam, MAKEWPARAM(kButtonId, BN_CLICKED));
            EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(Button()));
            ++clicks;
        }
        return clicks;
    }

    ParentLog log_;
    UniqueWindow parent_;
    MyButton button_;
};

TEST_F(MyButtonTest, PressAndReleaseWithAnyMouseButtonClicksOnce) {
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

TEST_F(MyButtonTest, ReleaseOutsideLostCaptureOrDisabledButtonNeverClicks) {
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
    // Enabled again, the same input clicks: the disabled button really was the reason.
    button_.SetEnabled(true);
    Post({{WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20)}, {WM_LBUTTONUP, 0, At(20, 20)}});
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(MyButtonTest, CharacterKeysGoToTheParentAndNeverClick) {
    // The pump translates the key-downs of space and Enter into their characters.
    Post({{WM_CHAR, L'a', 0},
          {WM_CHAR, 0x4E2D /* 中 */, 0},
          {WM_KEYDOWN, VK_SPACE, 0},
          {WM_KEYUP, VK_SPACE, 0},
          {WM_KEYDOWN, VK_RETURN, 0},
          {WM_KEYUP, VK_RETURN, 0}});
    ASSERT_EQ(log_.notices.size(), 4u);
    const WPARAM expected[] = {L'a', 0x4E2D, L' ', L'\r'};
    for (size_t i = 0; i < log_.notices.size(); ++i) {
        EXPECT_EQ(log_.notices[i].message, kMyButtonKeyPress);
        EXPECT_EQ(log_.notices[i].wParam, expected[i]);
        EXPECT_EQ(log_.notices[i].lParam, reinterpret_cast<LPARAM>(Button()));
    }
}

TEST_F(MyButtonTest, PressShowsThePressedBackgroundAndHidesTheHoverPicture) {
    // Sample inside the border, below the caption, on the background's lighter half.
    const int x = 3;
    Snapshot normal(Button());
    const int y = normal.Height() - 4;
    EXPECT_EQ(normal.Pixel(0, normal.Height() / 2), kBorderNormal);

    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    Snapshot hovered(Button());
    EXPECT_EQ(hovered.Pixel(0, hovered.Height() / 2), kBorderHovered);
    // OverColor 1: white to red, reddish near the bottom where the normal look is white.
    const COLORREF hover = hovered.Pixel(x, y);
    EXPECT_GT(GetRValue(hover), GetGValue(hover) + 60);
    EXPECT_FALSE(Near(hover, normal.Pixel(x, y), 30));

    Post({{WM_MOUSEMOVE, 0, At(21, 20)}, {WM_LBUTTONDOWN, MK_LBUTTON, At(21, 20)}});
    Snapshot pressed(Button());
    const COLORREF press = pressed.Pixel(x, pressed.Height() / 3);
    EXPECT_FALSE(Near(press, hovered.Pixel(x, y), 30));                  // no hover picture
    EXPECT_FALSE(Near(press, normal.Pixel(x, normal.Height() / 3), 6));  // not the normal one
    EXPECT_LT(GetRValue(press), GetBValue(press));                       // a light blue

    Post({{WM_MOUSEMOVE, MK_LBUTTON, At(22, 20)}, {WM_LBUTTONUP, 0, At(22, 20)}});
    EXPECT_EQ(Clicks(), 1);
    Snapshot released(Button());
    EXPECT_TRUE(Near(released.Pixel(x, y), hover, 2));  // the hover picture is back
}

TEST_F(MyButtonTest, EachTimerTickEndsTheHoverUnlessThePointerMovedSinceTheLastOne) {
    // Sent, not posted: no real tick of the running timer can come in between.
    const auto send = [&](UINT message) {
        SendMessageW(Button(), message, message == WM_TIMER ? kHoverTimerId : 0, At(20, 20));
    };
    send(WM_MOUSEMOVE);
    EXPECT_EQ(BorderColor(), kBorderHovered);
    send(WM_TIMER);  // clears the moved flag
    EXPECT_EQ(BorderColor(), kBorderHovered);
    send(WM_MOUSEMOVE);
    send(WM_TIMER);
    send(WM_MOUSEMOVE);
    send(WM_MOUSEMOVE);
    send(WM_TIMER);
    EXPECT_EQ(BorderColor(), kBorderHovered);
    send(WM_TIMER);  // no movement since the last tick
    EXPECT_EQ(BorderColor(), kBorderNormal);
    send(WM_TIMER);
    EXPECT_EQ(BorderColor(), kBorderNormal);
}

TEST_F(MyButtonTest, HoverEndsOnTheRealTimerAboutATenthOfASecondAfterTheLastMovement) {
    using Clock = std::chrono::steady_clock;
    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    const auto moved = Clock::now();
    ASSERT_EQ(BorderColor(), kBorderHovered);
    // Two ticks of 50 ms: the first clears the moved flag, the second ends the hover.
    ASSERT_TRUE(PumpUntil([&](const auto&) { return BorderColor() == kBorderNormal; }).done);
    const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - moved);
    EXPECT_GE(after.count(), 90);
    EXPECT_LT(after.count(), 1000);
    Snapshot ended(Button());
    const COLORREF bottom = ended.Pixel(3, ended.Height() - 4);
    EXPECT_LT(GetRValue(bottom), GetGValue(bottom) + 20);  // the red hover picture is gone
}

TEST_F(MyButtonTest, PropertyWritesLayOutAnewWithoutTheHoverLook) {
    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    ASSERT_EQ(BorderColor(), kBorderHovered);
    button_.SetOverColor(2);
    EXPECT_EQ(BorderColor(), kBorderNormal);
}

TEST_F(MyButtonTest, ToolTipIsAddedForTheButtonAndRemovedWithAnEmptyText) {
    button_.SetToolTip(L"\u4FDD\u5B58\u8BBE\u7F6E");  // 保存设置
    const HWND tip = FindToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[32] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = parent_.Get();
    tool.uId = reinterpret_cast<UINT_PTR>(Button());
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"\u4FDD\u5B58\u8BBE\u7F6E");
    button_.SetToolTip(L"");
    EXPECT_FALSE(IsWindow(tip));
}

TEST_F(MyButtonTest, CaptionIsBlackWhenEnabledAndGreyWhenDisabled) {
    EXPECT_EQ(Snapshot(Button()).Darkest(), RGB(0, 0, 0));
    button_.SetEnabled(false);
    EXPECT_EQ(Snapshot(Button()).Darkest(), RGB(128, 128, 128));
    // Disabled, the pointer does not bring the hover look.
    Post({{WM_MOUSEMOVE, 0, At(20, 20)}});
    EXPECT_EQ(BorderColor(), kBorderNormal);
}

TEST_F(MyButtonTest, StyleShowsItsIconAndCaptionAndFontFollowTheWindow) {
    EXPECT_EQ(Snapshot(Button()).GreenPixels(), 0);
    button_.SetStyle(static_cast<int32_t>(ButtonIcon::Plus));
    EXPECT_GT(Snapshot(Button()).GreenPixels(), 40);
    button_.SetStyle(static_cast<int32_t>(ButtonIcon::None));
    EXPECT_EQ(Snapshot(Button()).GreenPixels(), 0);

    // WM_SETTEXT from outside is the same caption as SetCaption.
    SetWindowTextW(Button(), L"\u53D6\u6D88");  // 取消
    EXPECT_EQ(button_.Caption(), L"\u53D6\u6D88");
    button_.SetCaption(L"");
    wchar_t text[8] = L"x";
    GetWindowTextW(Button(), text, 8);
    EXPECT_STREQ(text, L"");
    // With no caption nothing dark is painted.
    EXPECT_GT(GetRValue(Snapshot(Button()).Darkest()), 100);
}

TEST_F(MyButtonTest, WindowPaintMatchesThePrintedPicture) {
    // Wait until the parent is on the (virtual) screen: its white shows at its corner.
    RECT parent{};
    GetWindowRect(parent_.Get(), &parent);
    WindowDcScope screen(nullptr);
    ASSERT_TRUE(PumpUntil([&](const auto&) {
                    return GetPixel(screen.Dc(), parent.left + 2, parent.top + 2) ==
                           RGB(255, 255, 255);
                }).done);
    UpdateWindow(Button());
    RECT place{};
    GetWindowRect(Button(), &place);
    Snapshot printed(Button());
    for (int y : {0, printed.Height() / 2, printed.Height() - 2}) {
        const COLORREF onScreen = GetPixel(screen.Dc(), place.left + 3, place.top + y);
        EXPECT_TRUE(Near(onScreen, printed.Pixel(3, y), 2))
            << "row " << y << std::hex << " screen " << onScreen << " printed "
            << printed.Pixel(3, y);
    }
}

}  // namespace
}  // namespace quorrin
