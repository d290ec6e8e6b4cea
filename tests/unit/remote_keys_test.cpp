#include "remote/remote_commands.h"
#include "remote/remote_keys.h"
#include "remote_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quorrin {
namespace {

RandomBytes Fixed(unsigned char value) {
    return
        [value](std::span<unsigned char> bytes) { std::fill(bytes.begin(), bytes.end(), value); };
}

TEST(RemoteKeysTest, AStoredKeyIsKeptOnlyWhenStrongEnough) {
    const std::string strong = "Ab0_-Ab0_-Ab0_-Ab0_-Ab";  // 22 characters
    EXPECT_EQ(UsableKeyOr(strong, Fixed(0)), strong);
    EXPECT_EQ(UsableKeyOr(strong + "more", Fixed(0)), strong + "more");
    for (const std::string& weak :
         {std::string(), strong.substr(1), strong.substr(1) + "=", strong.substr(1) + "+",
          strong.substr(1) + " ", strong.substr(1) + "字"})
        EXPECT_EQ(UsableKeyOr(weak, Fixed(0)), "AAAAAAAAAAAAAAAAAAAAAA") << weak;
}

TEST(RemoteKeysTest, ANewKeyIsTheBase64UrlOfSixteenRandomBytes) {
    EXPECT_EQ(NewKey(Fixed(0xFF)), "_____________________w");
    EXPECT_EQ(NewKey(Fixed(0xFB)), "-_v7-_v7-_v7-_v7-_v7-w");
    // Every byte reaches the key: keys of sources that differ in one byte differ.
    const RandomBytes lastByteOne = [](std::span<unsigned char> bytes) {
        std::fill(bytes.begin(), bytes.end(), 0);
        bytes.back() = 1;
    };
    EXPECT_EQ(NewKey(lastByteOne), "AAAAAAAAAAAAAAAAAAAAAQ");
    EXPECT_TRUE(IsUsableKey(NewKey(SystemRandomBytes())));
    EXPECT_NE(NewKey(SystemRandomBytes()), NewKey(SystemRandomBytes()));
}

TEST(RemoteKeysTest, KeysMatchOnlyWhenEqual) {
    EXPECT_TRUE(KeysEqual("abcdefghijklmnopqrstuv", "abcdefghijklmnopqrstuv"));
    EXPECT_FALSE(KeysEqual("abcdefghijklmnopqrstuV", "abcdefghijklmnopqrstuv"));
    EXPECT_FALSE(KeysEqual("abcdefghijklmnopqrstu", "abcdefghijklmnopqrstuv"));
    EXPECT_FALSE(KeysEqual("abcdefghijklmnopqrstuvw", "abcdefghijklmnopqrstuv"));
    EXPECT_FALSE(KeysEqual("", ""));
}

TEST(CommandMailboxTest, TheServerThreadWaitsUntilTheOwnerHasApplied) {
    std::mutex mutex;
    std::condition_variable woken;
    int wakes = 0;
    CommandMailbox mailbox([&] {
        std::lock_guard lock(mutex);
        ++wakes;
        woken.notify_all();
    });
    bool executed = false;
    std::thread server(
        [&] { executed = mailbox.Execute(MakeCommand(RemoteAction::AddSeconds, 60)); });
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(woken.wait_for(lock, std::chrono::seconds(10), [&] { return wakes == 1; }));
    }
    std::vector<RemoteCommand> applied;
    EXPECT_EQ(mailbox.ApplyPending([&](const RemoteCommand& c) { applied.push_back(c); }), 1);
    server.join();
    EXPECT_TRUE(executed);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].seconds, 60);
}

TEST(CommandMailboxTest, ACommandNotTakenInTimeIsWithdrawn) {
    CommandMailbox mailbox([] {}, std::chrono::milliseconds(0));
    EXPECT_FALSE(mailbox.Execute(MakeCommand(RemoteAction::Pause)));
    // The client was told it failed: it must not happen afterwards.
    EXPECT_EQ(mailbox.ApplyPending([](const RemoteCommand&) { ADD_FAILURE(); }), 0);
}

}  // namespace
}  // namespace quorrin
