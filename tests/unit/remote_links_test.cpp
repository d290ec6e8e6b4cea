#include "remote/remote_links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

TEST(RemoteLinksTest, ALinkNamesTheAddressThePortAndThePageOfItsKey) {
    EXPECT_EQ(TimekeeperLink("192.168.1.20", 8217, LinkKind::View, "Ab0_-Ab0_-Ab0_-Ab0_-Ab"),
              "http://192.168.1.20:8217/v/Ab0_-Ab0_-Ab0_-Ab0_-Ab");
    EXPECT_EQ(TimekeeperLink("10.0.0.7", 65535, LinkKind::Control, "key"),
              "http://10.0.0.7:65535/c/key");
    EXPECT_EQ(TimekeeperLink("127.0.0.1", 1, LinkKind::View, ""), "http://127.0.0.1:1/v/");
}

TEST(RemoteLinksTest, AddressesOthersCanReachComeFirstAndLoopbackOnlyWhenAlone) {
    using List = std::vector<std::string>;
    // Loopback addresses (all of 127/8) are left out where another is there; order is kept,
    // repeats and empty entries dropped.
    EXPECT_EQ(LinkAddresses(
                  List{"127.0.0.1", "192.168.1.20", "", "127.5.0.1", "10.0.0.7", "192.168.1.20"}),
              (List{"192.168.1.20", "10.0.0.7"}));
    EXPECT_EQ(LinkAddresses(List{"127.0.0.1"}), List{"127.0.0.1"});
    EXPECT_EQ(LinkAddresses(List{"127.0.1.1"}), List{"127.0.0.1"});
    EXPECT_EQ(LinkAddresses(List{}), List{"127.0.0.1"});
    // Not "127." itself: a 12.7.x.x or 172.x address is another computer's to reach.
    EXPECT_EQ(LinkAddresses(List{"172.16.0.2", "12.7.0.1"}), (List{"172.16.0.2", "12.7.0.1"}));
    // Many interfaces: the first few.
    const List many{"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5", "10.0.0.6"};
    EXPECT_EQ(LinkAddresses(many), List(many.begin(), many.begin() + kMostLinkAddresses));
}

}  // namespace
}  // namespace quorrin
