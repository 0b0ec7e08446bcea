// The Windows HID transport on the system it runs on (Wine here: its own virtual keyboard and
// mouse, no ORVA 7100), and the virtual transport from a Windows program when the test script
// has started a virtual mouse server (ORVA7100_VIRTUAL_MOUSE).

#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "device/DeviceChange.h"
#include "device/HidTransportVirtual.h"
#include "device/HidTransportWin32.h"
#include "device/MouseApply.h"
#include "device/MouseCommands.h"
#include "device/TransportFactory.h"

namespace {

TEST(Win32Transport, EnumeratesTheSystemsHidInterfacesAndFindsNoMouse) {
    HidTransportWin32 transport;
    const std::vector<std::u16string> paths = transport.ListInterfaces();
    std::printf("HID interfaces: %zu\n", paths.size());
    for (const std::u16string& path : paths) {
        const HidHandle handle = transport.Open(path);
        if (handle == kNoHandle)
            continue;
        uint16_t vendor = 0;
        uint16_t product = 0;
        if (transport.GetIds(handle, vendor, product))
            std::printf("  %04X:%04X\n", vendor, product);
        // The padded, time-bounded transfers on a device that knows none of the mouse's reports:
        // they end (either way) instead of hanging.
        uint8_t report[8] = {0x03, 0x03};
        const DeviceResult set = transport.SetFeature(handle, report, sizeof report);
        const DeviceResult get = transport.GetFeature(handle, report, sizeof report);
        std::printf("  feature report 3: set %s (%lu), get %s (%lu)\n",
                    DeviceFaultCode(set.fault()), static_cast<unsigned long>(set.systemCode()),
                    DeviceFaultCode(get.fault()), static_cast<unsigned long>(get.systemCode()));
        transport.Close(handle);
    }
    SystemDeviceClock clock;
    DeviceLink link(transport, clock);
    EXPECT_FALSE(link.EnsureOpen());
    EXPECT_EQ(SetActiveProfile(link, 0).fault(), DeviceFault::kNoMouse);
    ProfileSet profiles;
    std::vector<ApplyMessage> messages;
    EXPECT_EQ(ApplyToMouse(
                  link, profiles, 0,
                  [&](ApplyMessage message, const DeviceResult&) { messages.push_back(message); })
                  .fault(),
              DeviceFault::kNoMouse);
    EXPECT_EQ(messages, std::vector<ApplyMessage>{ApplyMessage::kNoMouse});
}

// A feature request the handle cannot take (a plain file's) is refused by the system, and its
// error code comes along.
TEST(Win32Transport, RefusedTransferKeepsTheSystemsCode) {
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"hid", 0, file), 0u);
    HANDLE handle = CreateFileW(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    const uint8_t report[8] = {0x03, 0x02};
    const DeviceResult sent = SendFeatureWithin(handle, report, sizeof report, 0, 500);
    CloseHandle(handle);
    EXPECT_EQ(sent.fault(), DeviceFault::kSendFailed);
    EXPECT_NE(sent.systemCode(), 0u);
    EXPECT_EQ(SendFeatureWithin(INVALID_HANDLE_VALUE, report, sizeof report, 0).fault(),
              DeviceFault::kNoMouse);
}

TEST(Win32Transport, ProcessWalkSeesThisProgram) {
    bool found = false;
    for (const std::u16string& name : ListRunningProcessNames())
        found = found || name == u"device_test_win.exe";
    EXPECT_TRUE(found);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32Transport, RegistersAWindowForHidNotifications) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvaDeviceTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(RegisterMouseNotifications(window));
    DestroyWindow(window);
}

TEST(Win32Transport, DeviceChangeMessagesAreTakenApartSafely) {
    const wchar_t name[] =
        L"\\\\?\\HID#VID_04B4&PID_1224#7&1#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    std::vector<uint8_t> storage(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + sizeof name, 0);
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    broadcast->dbcc_size =
        static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + sizeof name);
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(broadcast->dbcc_name, name, sizeof name);
    DeviceChangeNotice notice;
    ASSERT_TRUE(ReadDeviceChange(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(broadcast), notice));
    EXPECT_EQ(notice.event, kDeviceArrival);
    EXPECT_EQ(notice.deviceType, kDeviceTypeInterface);
    EXPECT_TRUE(IsMouseInterfaceName(notice.interfaceName));
    EXPECT_EQ(notice.interfaceName.size(), wcslen(name));

    // A name without a terminator ends at the announced size.
    broadcast->dbcc_size = static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) +
                                              10 * sizeof(wchar_t));
    ASSERT_TRUE(ReadDeviceChange(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(broadcast), notice));
    EXPECT_EQ(notice.interfaceName.size(), 10u);

    DEV_BROADCAST_HDR volume{};
    volume.dbch_size = sizeof volume;
    volume.dbch_devicetype = DBT_DEVTYP_VOLUME;
    ASSERT_TRUE(ReadDeviceChange(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume), notice));
    EXPECT_EQ(notice.deviceType, static_cast<uint32_t>(DBT_DEVTYP_VOLUME));
    EXPECT_TRUE(notice.interfaceName.empty());
    EXPECT_FALSE(ReadDeviceChange(DBT_DEVNODES_CHANGED, 0, notice));
    EXPECT_FALSE(ReadDeviceChange(DBT_DEVICEARRIVAL, 0, notice));
}

// Any program may broadcast WM_DEVICECHANGE, and most codes carry a plain number in lParam:
// none of them may be taken for a broadcast header.
TEST(Win32Transport, DeviceChangeCodesWithoutAHeaderAreIgnored) {
    const WPARAM codes[] = {
        DBT_DEVNODES_CHANGED,    DBT_CONFIGCHANGED, DBT_QUERYCHANGECONFIG, DBT_DEVICEQUERYREMOVE,
        DBT_DEVICEREMOVEPENDING, DBT_CUSTOMEVENT,   DBT_USERDEFINED,       0x0219};
    const LPARAM values[] = {1, 2, 0x10, 0x1000, 0x7FFF, -1};
    for (WPARAM code : codes) {
        for (LPARAM value : values) {
            DeviceChangeNotice notice;
            notice.deviceType = 99;
            EXPECT_FALSE(ReadDeviceChange(code, value, notice)) << code << " " << value;
            EXPECT_EQ(notice.deviceType, 0u);
            EXPECT_TRUE(notice.interfaceName.empty());
        }
    }
    // The same through a window procedure that forwards the message, as the main window does.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) -> LRESULT {
        if (message == WM_DEVICECHANGE) {
            DeviceChangeNotice notice;
            return ReadDeviceChange(wParam, lParam, notice) ? 2 : 1;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvaDeviceChangeProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageW(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 3), 1);
    DestroyWindow(window);
}

// --- against orva-virtual-mouse, started by device_virtual_wine_test.sh ---

class VirtualFromWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* address = std::getenv(kVirtualMouseVariable);
        if (address == nullptr || *address == '\0')
            GTEST_SKIP() << "no virtual mouse server named";
        address_ = address;
    }
    std::string address_;
};

TEST_F(VirtualFromWindows, CommandsReachTheVirtualMouse) {
    std::unique_ptr<HidTransport> transport = CreateHidTransport("auto");
    ASSERT_NE(dynamic_cast<HidTransportVirtual*>(transport.get()), nullptr);
    SystemDeviceClock clock;
    DeviceLink link(*transport, clock);
    DeviceInfo info;
    ASSERT_TRUE(ReadDeviceInfo(link, info));
    EXPECT_EQ(info.firmwareVersion, 109);
    ASSERT_TRUE(SetActiveProfile(link, 3));
    uint8_t active = 0;
    ASSERT_TRUE(GetActiveProfile(link, active));
    EXPECT_EQ(active, 3);
}

TEST_F(VirtualFromWindows, UnplugAndPlugArriveAsNotices) {
    HidTransportVirtual transport(address_);
    std::mutex mutex;
    std::vector<uint32_t> events;
    ASSERT_TRUE(transport.StartWatching([&](const DeviceChangeNotice& notice) {
        std::lock_guard lock(mutex);
        if (IsMouseInterfaceName(notice.interfaceName))
            events.push_back(notice.event);
    }));
    const auto waitFor = [&](size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            {
                std::lock_guard lock(mutex);
                if (events.size() >= count)
                    return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    vmouse::VirtualMouseClient control;
    ASSERT_TRUE(control.Connect(address_));
    std::string reply;
    ASSERT_TRUE(waitFor(1));
    ASSERT_TRUE(control.Control("unplug", reply));
    ASSERT_TRUE(waitFor(2));
    ASSERT_TRUE(control.Control("plug", reply));
    ASSERT_TRUE(waitFor(3));
    transport.StopWatching();
    EXPECT_EQ(events,
              (std::vector<uint32_t>{kDeviceArrival, kDeviceRemoveComplete, kDeviceArrival}));
}

}  // namespace
