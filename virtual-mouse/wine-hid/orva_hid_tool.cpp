// orva-hid-tool.exe: plugs the test HID mouse in and out of a Wine prefix (used by
// scripts/wine-hid-mouse.sh).
//
//   orva-hid-tool plug HOST:PORT INF   installs the test drivers from INF the first time, binds
//                                      the bus to the virtual mouse at HOST:PORT and returns
//                                      once its HID interface is present
//   orva-hid-tool unplug               unbinds the bus and returns once the interface is gone
//   orva-hid-tool wait present|absent  waits for the interface to come or go
//
// The bus driver reads the address from its service's Parameters key on every watch.

#include <windows.h>

#include <newdev.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
}

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kBusInstance[] = L"ROOT\\ORVA7100BUS\\0000";
constexpr wchar_t kBusHardwareIds[] = L"ROOT\\ORVA7100BUS\0";
constexpr wchar_t kParametersKey[] = L"System\\CurrentControlSet\\Services\\OrvaBus\\Parameters";
constexpr DWORD kWaitMs = 20000;

int Fail(const char* what) {
    std::fprintf(stderr, "orva-hid-tool: %s (error %lu)\n", what, GetLastError());
    return 1;
}

std::wstring CurrentAddress() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      &key) != ERROR_SUCCESS)
        return L"";
    wchar_t value[128] = {};
    DWORD type = 0;
    DWORD size = sizeof value - sizeof(wchar_t);
    const LONG result =
        RegQueryValueExW(key, L"Address", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? std::wstring(value) : std::wstring();
}

bool SetAddress(const std::wstring& address) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(key, L"Address", 0, REG_SZ, reinterpret_cast<const BYTE*>(address.c_str()),
                       static_cast<DWORD>((address.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Whether a HID interface of vendor 04B4, product 1224 is present.
bool MousePresent() {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    SP_DEVICE_INTERFACE_DATA item{};
    item.cbSize = sizeof item;
    for (DWORD i = 0; !found && SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, i, &item);
         ++i) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &item, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || size > 64 * 1024)
            continue;
        std::vector<BYTE> storage(size + sizeof(wchar_t), 0);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(set, &item, detail, size, nullptr, nullptr))
            continue;
        std::wstring path = detail->DevicePath;
        CharLowerW(path.data());
        found = path.find(L"vid_04b4&pid_1224") != std::wstring::npos;
    }
    SetupDiDestroyDeviceInfoList(set);
    return found;
}

bool WaitForMouse(bool present) {
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (MousePresent() != present) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(50);
    }
    return true;
}

bool ServiceRunning(const wchar_t* name) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr)
        return false;
    SC_HANDLE service = OpenServiceW(manager, name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    const bool running = service != nullptr && QueryServiceStatus(service, &status) &&
                         status.dwCurrentState == SERVICE_RUNNING;
    if (service != nullptr)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return running;
}

bool BusInstalled() {
    HDEVINFO set = SetupDiCreateDeviceInfoList(nullptr, nullptr);
    if (set == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    const bool found = SetupDiOpenDeviceInfoW(set, kBusInstance, nullptr, 0, &device);
    SetupDiDestroyDeviceInfoList(set);
    return found && ServiceRunning(L"OrvaBus");
}

// The root device the bus sits on, and the bus driver on it, from the INF.
bool InstallBus(const std::wstring& inf) {
    // Installing while the first-boot services still start fails without a word.
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (!ServiceRunning(L"PlugPlay")) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(100);
    }
    HDEVINFO set = SetupDiCreateDeviceInfoList(nullptr, nullptr);
    if (set == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    const GUID noClass{};
    if (!SetupDiOpenDeviceInfoW(set, kBusInstance, nullptr, 0, &device)) {
        if (!SetupDiCreateDeviceInfoW(set, kBusInstance, &noClass, nullptr, nullptr, 0, &device) ||
            !SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID,
                                               reinterpret_cast<const BYTE*>(kBusHardwareIds),
                                               sizeof kBusHardwareIds) ||
            !SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device)) {
            SetupDiDestroyDeviceInfoList(set);
            return false;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    wchar_t full[MAX_PATH];
    if (GetFullPathNameW(inf.c_str(), MAX_PATH, full, nullptr) == 0)
        return false;
    BOOL reboot = FALSE;
    if (!UpdateDriverForPlugAndPlayDevicesW(nullptr, kBusHardwareIds, full, INSTALLFLAG_FORCE,
                                            &reboot))
        return false;
    while (!ServiceRunning(L"OrvaBus")) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(50);
    }
    return true;
}

int Plug(const std::wstring& address, const std::wstring& inf) {
    // Bound to another mouse: that one leaves the bus before this one comes.
    const std::wstring previous = CurrentAddress();
    const bool replacing = !previous.empty() && previous != address && MousePresent();
    if (!SetAddress(address))
        return Fail("cannot write the bus's address");
    if (replacing && !WaitForMouse(false))
        return Fail("the HID mouse of the previous address did not go away");
    if (!BusInstalled() && !InstallBus(inf))
        return Fail("cannot install the test drivers");
    if (!WaitForMouse(true))
        return Fail("the HID mouse did not appear");
    return 0;
}

int Unplug() {
    if (!SetAddress(L""))
        return Fail("cannot write the bus's address");
    if (!WaitForMouse(false))
        return Fail("the HID mouse did not go away");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"plug" && argc == 4)
        return Plug(argv[2], argv[3]);
    if (command == L"unplug" && argc == 2)
        return Unplug();
    if (command == L"wait" && argc == 3 &&
        (std::wstring(argv[2]) == L"present" || std::wstring(argv[2]) == L"absent"))
        return WaitForMouse(std::wstring(argv[2]) == L"present") ? 0 : 1;
    std::fputs("usage: orva-hid-tool plug HOST:PORT INF | unplug | wait present|absent\n", stderr);
    return 2;
}
