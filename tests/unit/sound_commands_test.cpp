#include "sound/sound_commands.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

using Commands = std::vector<std::string>;

TEST(SoundCommands, PathWithoutSpacesIsSentUnchangedInTheirOrder) {
    EXPECT_EQ(PlayCommands("C:\\sounds\\warn.wav"),
              (Commands{"close C:\\sounds\\warn.wav", "open C:\\sounds\\warn.wav",
                        "play C:\\sounds\\warn.wav"}));
    EXPECT_EQ(StopCommands("C:\\声音\\end.mp3"),
              (Commands{"stop C:\\声音\\end.mp3", "close C:\\声音\\end.mp3"}));
}

TEST(SoundCommands, PathStillHoldingASpaceIsQuoted) {
    EXPECT_EQ(PlayCommands("D:\\My Sounds\\bell.wav")[1], "open \"D:\\My Sounds\\bell.wav\"");
    EXPECT_EQ(StopCommands("D:\\My Sounds\\bell.wav")[0], "stop \"D:\\My Sounds\\bell.wav\"");
}

}  // namespace
}  // namespace quorrin
