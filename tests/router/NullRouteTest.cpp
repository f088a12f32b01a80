#include "router/NullRoute.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeTelnet.h"

using router::rmAdd;
using router::rmRemove;
using testing::ElementsAre;

TEST(NullRouteTest, RouteLineTexts) {
    EXPECT_EQ(router::CiscoRouteLine(rmAdd, "192.168.0.10", "255.255.255.255", "null 0"),
              "ip route 192.168.0.10 255.255.255.255 null 0");
    EXPECT_EQ(router::CiscoRouteLine(rmRemove, "192.168.0.10", "255.255.255.255", "null 0"),
              "no ip route 192.168.0.10 255.255.255.255 null 0");
    EXPECT_EQ(router::HuaweiRouteLine(rmAdd, "10.1.2.3", router::kHostMask, router::kNullNextHop),
              "ip route-static 10.1.2.3 255.255.255.255 null 0");
    EXPECT_EQ(router::HuaweiRouteLine(rmRemove, "10.1.2.3", router::kHostMask, router::kNullNextHop),
              "undo ip route-static 10.1.2.3 255.255.255.255 null 0");
}

TEST(NullRouteTest, CiscoWaitsForAPromptOutsideConfigurationMode) {
    TFakeTelnet fake;
    fake.Output("configure terminal\r\nEnter configuration commands.\r\nRouter(config)#", 6);
    fake.Output("ip route 10.0.0.1 255.255.255.255 null 0\r\nRouter(config)#exit\r\nRou");
    fake.Output("ter#");
    fake.Output("left unread");
    EXPECT_TRUE(router::CiscoNullRoute("h", 4, rmAdd, "10.0.0.1", router::kHostMask, router::kNullNextHop,
                                       fake.Binding()));
    EXPECT_THAT(fake.Sent, ElementsAre("configure terminal", "ip route 10.0.0.1 255.255.255.255 null 0", "exit"));
    EXPECT_EQ(fake.PendingReads(), 1u);
    // All three lines go out before the first read.
    EXPECT_THAT(std::vector<std::string>(fake.Events.begin(), fake.Events.begin() + 4),
                ElementsAre("send configure terminal", "send ip route 10.0.0.1 255.255.255.255 null 0",
                            "send exit", "wait 100"));
}

TEST(NullRouteTest, HuaweiStopsAtAnAngleBracketAnywhere) {
    TFakeTelnet fake;
    fake.Output("system-view\r\n[Quidway]");
    fake.Output("undo ip route-static 10.0.0.1 255.255.255.255 null 0\r\n[Quidway]quit\r\n<Quid");
    fake.Output("way>");
    fake.Output("left unread");
    EXPECT_TRUE(router::HuaweiNullRoute("h", 4, rmRemove, "10.0.0.1", router::kHostMask, router::kNullNextHop,
                                        fake.Binding()));
    EXPECT_THAT(fake.Sent, ElementsAre("system-view", "undo ip route-static 10.0.0.1 255.255.255.255 null 0", "quit"));
    EXPECT_EQ(fake.PendingReads(), 1u);
}

// A line that cannot be sent ends the change as a failure and nothing after it goes out; a
// device that merely answers nothing still counts as done.
TEST(NullRouteTest, RefusedLineFailsButAnUnansweredOneCountsAsDone) {
    TFakeTelnet fake;
    fake.SendResult = 0;
    EXPECT_FALSE(router::CiscoNullRoute("h", 4, rmAdd, "x", router::kHostMask, router::kNullNextHop, fake.Binding()));
    EXPECT_THAT(fake.Sent, ElementsAre("configure terminal"));
    EXPECT_EQ(fake.ReadBuffers.size(), 0u);

    TFakeTelnet silent;
    EXPECT_TRUE(router::CiscoNullRoute("h", 4, rmAdd, "x", router::kHostMask, router::kNullNextHop, silent.Binding()));
    EXPECT_EQ(silent.Sent.size(), 3u);
    EXPECT_EQ(silent.ReadBuffers.size(), 1u);  // one empty read ends the wait
}

TEST(NullRouteTest, SaveSucceedsOnlyWithOk) {
    TFakeTelnet cisco;
    cisco.Output("write\r\nBuilding configuration...\r\n", 7);
    cisco.Output("[OK]\r\nRouter#");
    cisco.Output("left unread");
    EXPECT_TRUE(router::SaveConfig("h", 2, cisco.Binding()));
    EXPECT_THAT(cisco.Sent, ElementsAre("write"));
    EXPECT_EQ(cisco.PendingReads(), 1u);

    // A Huawei device never shows "#": the reply is read until the device falls silent.
    TFakeTelnet huawei;
    huawei.Output("write\r\n Now saving current configuration...\r\n");
    huawei.Output(" Save current configuration successfully [OK]\r\n<Quidway>");
    EXPECT_TRUE(router::SaveConfig("h", 2, huawei.Binding()));
    EXPECT_THAT(huawei.Sent, ElementsAre("write"));

    TFakeTelnet refused;
    refused.Output("write\r\n% Error opening nvram:/startup-config\r\nRouter#");
    EXPECT_FALSE(router::SaveConfig("h", 2, refused.Binding()));

    TFakeTelnet silent;
    EXPECT_FALSE(router::SaveConfig("h", 2, silent.Binding()));
    EXPECT_THAT(silent.Sent, ElementsAre("write"));
}

TEST(NullRouteTest, SplitOkIsFoundInTheWholeReply) {
    TFakeTelnet fake;
    fake.Output("[O");
    fake.Output("K]\r\nR#");
    EXPECT_TRUE(router::SaveConfig("h", 2, fake.Binding()));
}
