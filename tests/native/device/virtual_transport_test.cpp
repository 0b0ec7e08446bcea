// The virtual transport against a real server in this process: enumeration, stale handles, the
// cause of each fault the mouse can show, and arrivals and removals reaching the device-change
// handling.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "VirtualMouseServer.h"
#include "device/DeviceChange.h"
#include "device/HidTransportVirtual.h"
#include "device/MouseCommands.h"
#include "device/TransportFactory.h"

namespace {

// The machine's own processes (an updater running in another session) must not decide here.
class VirtualTransportNoProcesses : public HidTransportVirtual {
  public:
    using HidTransportVirtual::HidTransportVirtual;
    std::vector<std::u16string> ProcessNames() override { return {}; }
};

class VirtualTransportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.SetLog(nullptr);
        ASSERT_TRUE(server.Start("127.0.0.1", 0));
        ASSERT_TRUE(control.Connect(server.Address()));
    }
    void Control(const std::string& command) {
        std::string reply;
        ASSERT_TRUE(control.Control(command, reply)) << reply;
    }

    vmouse::VirtualMouseServer server;
    vmouse::VirtualMouseClient control;
    SystemDeviceClock clock;
};

TEST_F(VirtualTransportTest, ShowsOneMouseInterfaceWhilePluggedIn) {
    HidTransportVirtual transport(server.Address());
    const std::vector<std::u16string> paths = transport.ListInterfaces();
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_TRUE(IsMouseInterfaceName(paths[0]));
    DeviceLink link(transport, clock);
    DeviceInfo info;
    ASSERT_TRUE(ReadDeviceInfo(link, info));
    EXPECT_EQ(info.firmwareVersion, 109);
    Control("unplug");
    EXPECT_TRUE(transport.ListInterfaces().empty());
}

// A mouse that stays connected but does not answer in time: the transfer fails after the bounded
// wait, and once the mouse answers again the same link works without a replug (the timed-out
// transfer had dropped the connection underneath).
TEST_F(VirtualTransportTest, ATransferWithoutAnAnswerInTimeFailsAndTheLinkRecovers) {
    HidTransportVirtual transport(server.Address());
    DeviceLink link(transport, clock);
    ASSERT_TRUE(SetActiveProfile(link, 3));
    Control("fault latency " + std::to_string(kFeatureTransferTimeoutMs + 1000));
    uint8_t active = 0;
    EXPECT_EQ(GetActiveProfile(link, active).fault(), DeviceFault::kTimedOut);
    Control("fault clear");
    EXPECT_TRUE(link.IsOpen());
    ASSERT_TRUE(GetActiveProfile(link, active));
    EXPECT_EQ(active, 3);
}

TEST_F(VirtualTransportTest, HandleGoesStaleWhenTheMouseComesBack) {
    HidTransportVirtual transport(server.Address());
    DeviceLink link(transport, clock);
    ASSERT_TRUE(SetActiveProfile(link, 1));
    Control("unplug");
    Control("plug");
    EXPECT_EQ(SetActiveProfile(link, 1).fault(), DeviceFault::kNoMouse)
        << "the old handle is stale";
    link.Invalidate();
    EXPECT_TRUE(SetActiveProfile(link, 1));
}

// Each fault of the mouse, on an open link, comes out as its own cause; after each the mouse
// works again once the fault is cleared.
TEST_F(VirtualTransportTest, EachFaultComesOutAsItsCause) {
    HidTransportVirtual transport(server.Address());
    DeviceLink link(transport, clock);
    ASSERT_TRUE(link.EnsureOpen());
    DeviceInfo info;

    Control("fault reject-report 4");
    EXPECT_EQ(ReadDeviceInfo(link, info).fault(), DeviceFault::kSendFailed) << "report 4 refused";
    Control("fault clear");
    ASSERT_TRUE(ReadDeviceInfo(link, info));

    Control("fault ack-after never");
    EXPECT_EQ(SaveLiftDistance(link, 20).fault(), DeviceFault::kNoAcknowledge);
    Control("fault clear");
    ASSERT_TRUE(SaveLiftDistance(link, 20));

    Control("unplug");
    EXPECT_EQ(SetActiveProfile(link, 2).fault(), DeviceFault::kNoMouse) << "unplugged";
    Control("plug");
    link.Invalidate();
    ASSERT_TRUE(SetActiveProfile(link, 2));

    // The server going away takes the mouse with it.
    server.Stop();
    EXPECT_EQ(SetActiveProfile(link, 2).fault(), DeviceFault::kNoMouse) << "server gone";
}

TEST_F(VirtualTransportTest, NoServerMeansNoMouse) {
    const std::string address = server.Address();
    server.Stop();
    HidTransportVirtual transport(address);
    DeviceLink link(transport, clock);
    EXPECT_FALSE(link.EnsureOpen());
}

TEST_F(VirtualTransportTest, UnplugAndPlugReachTheDeviceChangeHandling) {
    VirtualTransportNoProcesses transport(server.Address());
    DeviceLink link(transport, clock);
    ASSERT_TRUE(link.EnsureOpen());

    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<DeviceChangeNotice> notices;
    ASSERT_TRUE(transport.StartWatching([&](const DeviceChangeNotice& notice) {
        std::lock_guard lock(mutex);
        notices.push_back(notice);
        arrived.notify_all();
    }));
    const auto waitFor = [&](size_t count) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(5),
                                [&] { return notices.size() >= count; });
    };
    // The mouse is there when watching starts: that is its arrival.
    ASSERT_TRUE(waitFor(1));
    Control("unplug");
    ASSERT_TRUE(waitFor(2));
    Control("plug");
    ASSERT_TRUE(waitFor(3));
    transport.StopWatching();

    std::lock_guard lock(mutex);
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[0].event, kDeviceArrival);
    EXPECT_EQ(notices[1].event, kDeviceRemoveComplete);
    EXPECT_EQ(notices[2].event, kDeviceArrival);
    // Handled as the system's notices are, on this thread.
    DeviceChangeResult removal = HandleDeviceChange(link, notices[1]);
    EXPECT_EQ(removal.action, DeviceChangeAction::kRemoved);
    EXPECT_FALSE(link.IsOpen());
    DeviceChangeResult arrival = HandleDeviceChange(link, notices[2]);
    EXPECT_EQ(arrival.action, DeviceChangeAction::kArrived);
    EXPECT_EQ(arrival.firmwareVersion, 109);
}

TEST_F(VirtualTransportTest, QuickUnplugAndPlugStillCountAsRemovalAndArrival) {
    HidTransportVirtual transport(server.Address());
    std::mutex mutex;
    std::vector<uint32_t> events;
    ASSERT_TRUE(transport.StartWatching([&](const DeviceChangeNotice& notice) {
        std::lock_guard lock(mutex);
        events.push_back(notice.event);
    }));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    const auto count = [&] {
        std::lock_guard lock(mutex);
        return events.size();
    };
    while (count() < 1 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Both happen under one lock of the server's: the watcher sees only the new arrival count.
    Control("unplug");
    Control("plug");
    while (count() < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    transport.StopWatching();
    std::lock_guard lock(mutex);
    EXPECT_EQ(events,
              (std::vector<uint32_t>{kDeviceArrival, kDeviceRemoveComplete, kDeviceArrival}));
}

TEST(TransportFactory, Choice) {
    EXPECT_EQ(CreateHidTransport("bogus"), nullptr);
    EXPECT_EQ(CreateHidTransport("virtual:nohost"), nullptr);
    auto named = CreateHidTransport("virtual:127.0.0.1:4100");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(static_cast<HidTransportVirtual*>(named.get())->Address(), "127.0.0.1:4100");
    setenv(kVirtualMouseVariable, "localhost:4200", 1);
    auto fromEnvironment = CreateHidTransport("auto");
    unsetenv(kVirtualMouseVariable);
    ASSERT_NE(fromEnvironment, nullptr);
    EXPECT_NE(dynamic_cast<HidTransportVirtual*>(fromEnvironment.get()), nullptr);
    auto platform = CreateHidTransport("auto");
    ASSERT_NE(platform, nullptr);
    EXPECT_EQ(dynamic_cast<HidTransportVirtual*>(platform.get()), nullptr);
    // The variable never sends the mouse's traffic off this machine: the real mouse is used.
    for (const char* elsewhere : {"10.0.0.7:4200", "example.org:4200", "127.0.0.1.example:1",
                                  "128.0.0.1:4200", "127.0.0:4200"}) {
        setenv(kVirtualMouseVariable, elsewhere, 1);
        auto ignored = CreateHidTransport("auto");
        unsetenv(kVirtualMouseVariable);
        ASSERT_NE(ignored, nullptr) << elsewhere;
        EXPECT_EQ(dynamic_cast<HidTransportVirtual*>(ignored.get()), nullptr) << elsewhere;
    }
    setenv(kVirtualMouseVariable, "127.45.0.1:4200", 1);
    auto loopback = CreateHidTransport("auto");
    unsetenv(kVirtualMouseVariable);
    EXPECT_NE(dynamic_cast<HidTransportVirtual*>(loopback.get()), nullptr);
}

}  // namespace
