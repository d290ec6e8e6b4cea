// The keys that click a focused push button: Enter once per press, Space at its release.
#include "controls/button_base/button_keys.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

TEST(ButtonKeys, EnterClicksOnItsKeyDownButNotOnAutoRepeat) {
    ButtonKeys keys;
    EXPECT_TRUE(keys.KeyDown(ButtonKey::Enter, false));
    EXPECT_FALSE(keys.KeyDown(ButtonKey::Enter, true));
    EXPECT_FALSE(keys.KeyUp(ButtonKey::Enter));
    EXPECT_FALSE(keys.KeyDown(ButtonKey::Other, false));
}

TEST(ButtonKeys, SpaceClicksOnceAtTheReleaseOfAPressThatBeganHere) {
    ButtonKeys keys;
    EXPECT_FALSE(keys.KeyUp(ButtonKey::Space)) << "a release of a Space pressed elsewhere";
    EXPECT_FALSE(keys.KeyDown(ButtonKey::Space, false));
    EXPECT_TRUE(keys.SpaceHeld());
    EXPECT_FALSE(keys.KeyDown(ButtonKey::Space, true));
    EXPECT_TRUE(keys.KeyUp(ButtonKey::Space));
    EXPECT_FALSE(keys.SpaceHeld());
    EXPECT_FALSE(keys.KeyUp(ButtonKey::Space));

    // Cancelled (focus lost, disabled): the release does not click.
    keys.KeyDown(ButtonKey::Space, false);
    keys.Cancel();
    EXPECT_FALSE(keys.KeyUp(ButtonKey::Space));
    // Enter during a held Space clicks once, not again at Space's release.
    keys.KeyDown(ButtonKey::Space, false);
    EXPECT_TRUE(keys.KeyDown(ButtonKey::Enter, false));
    EXPECT_FALSE(keys.KeyUp(ButtonKey::Space));
}

}  // namespace
}  // namespace quorrin
