// The window base: one object owns at most one window, and the object keeps hearing from
// the window it owns.
#include "win32/window_base_win32.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

class CountingWindow : public WindowBase {
  public:
    bool Create() {
        WindowClassSpec windowClass;
        windowClass.className = L"Quorrin.WindowBaseTest";
        WindowPlacement placement;
        placement.width = 100;
        placement.height = 50;
        return CreateFromSpec(GetModuleHandleW(nullptr), windowClass, placement);
    }
    int pings = 0;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            ++pings;
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }
};

TEST(WindowBaseTest, RefusesASecondWindowAndKeepsTheFirst) {
    CountingWindow window;
    ASSERT_TRUE(window.Create());
    const HWND first = window.Handle();

    EXPECT_FALSE(window.Create());
    EXPECT_EQ(window.Handle(), first);
    SendMessageW(first, WM_APP, 0, 0);
    EXPECT_EQ(window.pings, 1);

    // Once the window is gone the object may create a new one, and it reaches the object.
    window.Destroy();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_TRUE(window.Create());
    SendMessageW(window.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(window.pings, 2);
}

}  // namespace
}  // namespace quorrin
