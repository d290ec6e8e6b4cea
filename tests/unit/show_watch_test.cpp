// The main timer's view of a running show across detection passes.
#include "detection/show_watch.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

constexpr WindowId kShow = 0x1234;
constexpr WindowId kOtherShow = 0x5678;

TEST(ShowWatch, NoShowIsNoChange) {
    CountdownState c;
    EXPECT_EQ(UpdateShowActive(c, 0), ShowChange::None);
    EXPECT_FALSE(c.ShowActive);
}

TEST(ShowWatch, AShowStartsOnceAndEndsOnce) {
    CountdownState c;
    EXPECT_EQ(UpdateShowActive(c, kShow), ShowChange::Started);
    EXPECT_TRUE(c.ShowActive);
    EXPECT_EQ(UpdateShowActive(c, kShow), ShowChange::None);
    EXPECT_EQ(UpdateShowActive(c, kShow), ShowChange::None);
    EXPECT_TRUE(c.ShowActive);
    EXPECT_EQ(UpdateShowActive(c, 0), ShowChange::Ended);
    EXPECT_FALSE(c.ShowActive);
    EXPECT_EQ(UpdateShowActive(c, 0), ShowChange::None);
}

TEST(ShowWatch, AnotherShowWhileOneRunsIsNoNewStart) {
    CountdownState c;
    ASSERT_EQ(UpdateShowActive(c, kShow), ShowChange::Started);
    EXPECT_EQ(UpdateShowActive(c, kOtherShow), ShowChange::None);
    EXPECT_TRUE(c.ShowActive);
}

TEST(ShowWatch, AShowAfterTheEndStartsAgain) {
    CountdownState c;
    ASSERT_EQ(UpdateShowActive(c, kShow), ShowChange::Started);
    ASSERT_EQ(UpdateShowActive(c, 0), ShowChange::Ended);
    EXPECT_EQ(UpdateShowActive(c, kOtherShow), ShowChange::Started);
}

}  // namespace
}  // namespace quorrin
