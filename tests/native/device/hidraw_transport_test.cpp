// The hidraw transport on a folder of stand-in nodes: kernel order, and nodes that are not HID
// devices are passed over instead of taken for the mouse.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "device/DeviceLink.h"
#include "device/HidTransportHidraw.h"

namespace {

namespace fs = std::filesystem;

TEST(HidrawTransport, ListsNodesInNumberOrderAndSkipsWhatIsNoHidDevice) {
    const TempFolder temp("hidraw");
    const fs::path& folder = temp.Path();
    for (const char* name : {"hidraw10", "hidraw2", "hidraw0", "hidrawx", "hidraw", "tty0"})
        std::ofstream(folder / name) << "not a device";
    HidTransportHidraw transport(folder.string());
    const std::vector<std::u16string> paths = transport.ListInterfaces();
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(fs::path(paths[0]).filename(), "hidraw0");
    EXPECT_EQ(fs::path(paths[1]).filename(), "hidraw2");
    EXPECT_EQ(fs::path(paths[2]).filename(), "hidraw10");

    // Plain files open but answer no HID request.
    const HidHandle handle = transport.Open(paths[0]);
    ASSERT_NE(handle, kNoHandle);
    uint16_t vendor = 0;
    uint16_t product = 0;
    EXPECT_FALSE(transport.GetIds(handle, vendor, product));
    uint8_t report[8] = {0x03, 0x04};
    // Refused by the system, whose own code comes along.
    const DeviceResult set = transport.SetFeature(handle, report, sizeof report);
    EXPECT_EQ(set.fault(), DeviceFault::kSendFailed);
    EXPECT_EQ(set.systemCode(), static_cast<uint32_t>(ENOTTY));
    EXPECT_EQ(transport.GetFeature(handle, report, sizeof report).fault(),
              DeviceFault::kSendFailed);
    transport.Close(handle);
    EXPECT_EQ(transport.Open(u"/no/such/hidraw0"), kNoHandle);

    SystemDeviceClock clock;
    DeviceLink link(transport, clock);
    EXPECT_FALSE(link.EnsureOpen());
}

TEST(HidrawTransport, ProcessListHoldsThisProgram) {
    bool found = false;
    for (const std::u16string& name : ListRunningProcessNames())
        found = found || name.rfind(u"device_test", 0) == 0;
    EXPECT_TRUE(found);
}

}  // namespace
