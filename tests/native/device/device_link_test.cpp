// Finding the mouse, keeping the link, the updater check and the device-change decisions.

#include <gtest/gtest.h>

#include "FakeHid.h"
#include "device/DeviceChange.h"
#include "device/DeviceLink.h"
#include "device/MouseCommands.h"

namespace {

TEST(MouseInterfaceName, NeedsBothIdsPastTheFirstCharacter) {
    EXPECT_TRUE(IsMouseInterfaceName(u"\\\\?\\HID#VID_04B4&PID_1224&MI_01#7&1a2b#{4d1e55b2}"));
    EXPECT_FALSE(IsMouseInterfaceName(u"1224#VID_04B4")) << "first 1224 at position 0";
    EXPECT_FALSE(IsMouseInterfaceName(u"04B4 only 1225"));
    EXPECT_FALSE(IsMouseInterfaceName(u"x1224 but no vendor"));
    EXPECT_FALSE(IsMouseInterfaceName(u"04B4_1224")) << "first 04B4 at position 0";
    EXPECT_FALSE(IsMouseInterfaceName(u"\\\\?\\hid#vid_04b4&pid_1224")) << "case-sensitive";
    EXPECT_TRUE(IsMouseInterfaceName(u"x1224x04B4")) << "order does not matter";
    EXPECT_FALSE(IsMouseInterfaceName(u""));
}

class DeviceLinkTest : public ::testing::Test {
  protected:
    DeviceLinkTest() : link(transport, transport.clock) {}
    FakeTransport transport;
    DeviceLink link;
};

TEST_F(DeviceLinkTest, FirstMatchingInterfaceWinsAndOthersAreClosed) {
    transport.AddUsualInterfaces();
    transport.interfaces.push_back({u"second mouse 04B4 1224", 0x04B4, 0x1224, true, false});
    ASSERT_TRUE(link.EnsureOpen());
    EXPECT_EQ(transport.Find(link.Handle())->path, transport.interfaces[2].path);
    EXPECT_EQ(transport.openHandles.size(), 1u) << "non-matching handles are closed";
    // Open already: no new search.
    const int lists = transport.listCalls;
    EXPECT_TRUE(link.EnsureOpen());
    EXPECT_EQ(transport.listCalls, lists);
}

TEST_F(DeviceLinkTest, InterfaceThatDoesNotOpenIsPassedOver) {
    transport.interfaces.push_back({u"locked 04B4 1224", 0x04B4, 0x1224, false, false});
    transport.AddUsualInterfaces();
    ASSERT_TRUE(link.EnsureOpen());
    EXPECT_TRUE(transport.Find(link.Handle())->isModel);
}

TEST_F(DeviceLinkTest, VendorAndProductMustBothMatch) {
    transport.interfaces.push_back({u"a", 0x04B4, 0x1225, true, false});
    transport.interfaces.push_back({u"b", 0x04B5, 0x1224, true, false});
    EXPECT_FALSE(link.EnsureOpen());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(transport.openHandles.empty());
    uint8_t report[8] = {0x03, 0x04};
    EXPECT_EQ(link.SendFeature(report, 8).fault(), DeviceFault::kNoMouse)
        << "nothing is sent while closed";
}

TEST_F(DeviceLinkTest, InvalidateClosesAndTheNextOperationSearchesAgain) {
    transport.AddUsualInterfaces();
    ASSERT_TRUE(link.EnsureOpen());
    link.Invalidate();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(transport.openHandles.empty());
    transport.model.Unplug();
    EXPECT_FALSE(link.EnsureOpen()) << "gone: the search fails";
    transport.model.Plug();
    EXPECT_TRUE(link.EnsureOpen());
}

TEST_F(DeviceLinkTest, StaleHandleFailsUntilInvalidated) {
    transport.AddUsualInterfaces();
    ASSERT_TRUE(link.EnsureOpen());
    transport.model.Unplug();
    uint8_t report[8] = {0x03, 0x04};
    EXPECT_FALSE(link.SendFeature(report, 8));
    EXPECT_TRUE(link.IsOpen()) << "only a removal notice drops the link";
}

TEST_F(DeviceLinkTest, UpdaterIsFoundInAnyLetterCase) {
    EXPECT_FALSE(link.IsUpdaterRunning());
    transport.processes.push_back(u"UPDATER.EXE");
    EXPECT_TRUE(link.IsUpdaterRunning());
    transport.processes.back() = u"updater.exe";
    EXPECT_TRUE(link.IsUpdaterRunning());
    transport.processes.back() = u"Updater.exe.bak";
    EXPECT_FALSE(link.IsUpdaterRunning());
}

TEST_F(DeviceLinkTest, HeldLinkStaysClosedUntilTheHolderEnds) {
    transport.AddUsualInterfaces();
    ASSERT_TRUE(link.EnsureOpen());
    bool updaterRuns = true;
    link.HoldWhile([&updaterRuns] { return updaterRuns; });
    EXPECT_FALSE(link.IsOpen()) << "the link is dropped when the hold begins";
    const int lists = transport.listCalls;
    const size_t reports = transport.log.lines.size();
    EXPECT_FALSE(link.EnsureOpen());
    EXPECT_FALSE(SetActiveProfile(link, 1));
    EXPECT_EQ(transport.listCalls, lists) << "nothing looks for the mouse while held";
    EXPECT_EQ(transport.log.lines.size(), reports);

    updaterRuns = false;
    EXPECT_TRUE(SetActiveProfile(link, 1)) << "the next command opens the link as usual";
    EXPECT_FALSE(link.IsHeld());
}

TEST_F(DeviceLinkTest, DeviceChangeDecisions) {
    transport.AddUsualInterfaces();
    const std::u16string name = u"\\\\?\\HID#VID_04B4&PID_1224#1";

    // Another broadcast type (a volume) changes nothing, nor does another device or event.
    DeviceChangeResult result = HandleDeviceChange(link, {kDeviceArrival, 2, name});
    EXPECT_EQ(result.action, DeviceChangeAction::kIgnored);
    result =
        HandleDeviceChange(link, {kDeviceArrival, kDeviceTypeInterface, u"\\\\?\\HID#VID_045E"});
    EXPECT_EQ(result.action, DeviceChangeAction::kIgnored);
    result = HandleDeviceChange(link, {0x8001, kDeviceTypeInterface, name});
    EXPECT_EQ(result.action, DeviceChangeAction::kIgnored);
    EXPECT_FALSE(link.IsOpen());

    result = HandleDeviceChange(link, {kDeviceArrival, kDeviceTypeInterface, name});
    EXPECT_EQ(result.action, DeviceChangeAction::kArrived);
    EXPECT_EQ(result.firmwareVersion, 109);
    EXPECT_TRUE(link.IsOpen());

    result = HandleDeviceChange(link, {kDeviceRemoveComplete, kDeviceTypeInterface, name});
    EXPECT_EQ(result.action, DeviceChangeAction::kRemoved);
    EXPECT_FALSE(link.IsOpen());

    // While the updater runs the arrival leaves the link closed ...
    ASSERT_TRUE(link.EnsureOpen());
    transport.processes.push_back(u"UPDATER.EXE");
    result = HandleDeviceChange(link, {kDeviceArrival, kDeviceTypeInterface, name});
    EXPECT_EQ(result.action, DeviceChangeAction::kLeftToUpdater);
    EXPECT_FALSE(link.IsOpen());
    // ... and the next command opens it again.
    EXPECT_TRUE(link.EnsureOpen());
}

TEST_F(DeviceLinkTest, ArrivalOfAMouseThatCannotBeOpened) {
    const DeviceChangeResult result = HandleDeviceChange(
        link, {kDeviceArrival, kDeviceTypeInterface, u"\\\\?\\HID#VID_04B4&PID_1224#1"});
    EXPECT_EQ(result.action, DeviceChangeAction::kArrivedNotOpened);
    EXPECT_FALSE(result.firmwareVersion);
}

}  // namespace
