#include "device/HidTransportWin32.h"

#include <windows.h>

#include <dbt.h>
#include <setupapi.h>
#include <tlhelp32.h>
#include <winioctl.h>

extern "C" {
#include <hidclass.h>
#include <hidsdi.h>
}

#include <memory>
#include <vector>

#include "base/ScopedHandle.h"
#include "device/FeatureBuffer.h"

namespace {

HANDLE ToHandle(HidHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::u16string ToU16(const wchar_t* text) {
    std::u16string result;
    for (; *text != L'\0'; ++text)
        result.push_back(static_cast<char16_t>(*text));
    return result;
}

std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

// What a failed feature request's error code means for the mouse.
DeviceResult FromSystemError(DWORD error) {
    switch (error) {
        case ERROR_TIMEOUT:
        case ERROR_SEM_TIMEOUT:
        case WAIT_TIMEOUT:
        case ERROR_OPERATION_ABORTED:  // cancelled by us at the limit
            return {DeviceFault::kTimedOut, error};
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_HANDLE:
            return {DeviceFault::kNoMouse, error};
        case ERROR_CRC:  // a reply that does not fit the report
            return {DeviceFault::kWrongReply, error};
        default:
            return {DeviceFault::kSendFailed, error};
    }
}

// One feature transfer that waits at most `limitMs`: the handle is overlapped, so a mouse that
// never answers costs a cancelled request instead of a hung program.
DeviceResult TransferWithin(HANDLE handle, DWORD code, std::vector<uint8_t>& buffer, bool readsBack,
                            int limitMs) {
    const ScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return {DeviceFault::kSendFailed, GetLastError()};
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    const DWORD size = static_cast<DWORD>(buffer.size());
    DWORD done = 0;
    bool timedOut = false;
    BOOL ok =
        DeviceIoControl(handle, code, buffer.data(), size, readsBack ? buffer.data() : nullptr,
                        readsBack ? size : 0, &done, &overlapped);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (!ok && error == ERROR_IO_PENDING) {
        if (WaitForSingleObject(overlapped.hEvent, static_cast<DWORD>(limitMs)) != WAIT_OBJECT_0) {
            timedOut = true;
            CancelIoEx(handle, &overlapped);
        }
        // After a cancel the request ends at once, as aborted (or done, if it won the race).
        // Wine's HID class passes a copy of the request to the driver below and ends ours only
        // when that copy ends: there the driver's own time limit bounds this wait.
        ok = GetOverlappedResult(handle, &overlapped, &done, TRUE);
        error = ok ? ERROR_SUCCESS : GetLastError();
    }
    if (ok)
        return DeviceResult::Ok();
    // Cancelled at our limit: whatever code the cancel left, the mouse was too slow.
    return timedOut ? DeviceResult(DeviceFault::kTimedOut, error) : FromSystemError(error);
}

}  // namespace

size_t InterfaceFeatureLength(void* handle) {
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(static_cast<HANDLE>(handle), &preparsed))
        return 0;
    HIDP_CAPS caps{};
    const size_t length =
        HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS ? caps.FeatureReportByteLength : 0;
    HidD_FreePreparsedData(preparsed);
    return length;
}

DeviceResult SendFeatureWithin(void* handle, const uint8_t* report, size_t length,
                               size_t interfaceLength, int limitMs) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return DeviceFault::kNoMouse;
    if (report == nullptr || length == 0)
        return DeviceFault::kSendFailed;
    std::vector<uint8_t> buffer = PadFeatureReport(report, length, interfaceLength);
    return TransferWithin(static_cast<HANDLE>(handle), IOCTL_HID_SET_FEATURE, buffer, false,
                          limitMs);
}

DeviceResult ReadFeatureWithin(void* handle, uint8_t* report, size_t length, size_t interfaceLength,
                               int limitMs) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return DeviceFault::kNoMouse;
    if (report == nullptr || length == 0)
        return DeviceFault::kSendFailed;
    std::vector<uint8_t> buffer = FeatureRequestBuffer(report[0], length, interfaceLength);
    const DeviceResult read =
        TransferWithin(static_cast<HANDLE>(handle), IOCTL_HID_GET_FEATURE, buffer, true, limitMs);
    if (!read)
        return read;
    return TakeFeatureReply(buffer, report, length) ? DeviceResult::Ok() : DeviceFault::kWrongReply;
}

std::vector<std::u16string> HidTransportWin32::ListInterfaces() {
    std::vector<std::u16string> paths;
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return paths;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &data))
            break;
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || size > 64 * 1024)
            continue;
        std::vector<uint8_t> storage(size + sizeof(wchar_t), 0);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr))
            continue;
        paths.push_back(ToU16(detail->DevicePath));
    }
    // Destroyed on every path, a match included, so that no device set is leaked.
    SetupDiDestroyDeviceInfoList(set);
    return paths;
}

HidHandle HidTransportWin32::Open(const std::u16string& path) {
    const std::wstring wide = ToWide(path);
    HANDLE handle =
        CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return kNoHandle;
    const auto result = reinterpret_cast<HidHandle>(handle);
    featureLengths_[result] = InterfaceFeatureLength(handle);
    return result;
}

bool HidTransportWin32::GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(ToHandle(handle), &attributes))
        return false;
    vendorId = attributes.VendorID;
    productId = attributes.ProductID;
    return true;
}

size_t HidTransportWin32::FeatureLength(HidHandle handle) const {
    const auto found = featureLengths_.find(handle);
    return found != featureLengths_.end() ? found->second : 0;
}

DeviceResult HidTransportWin32::SetFeature(HidHandle handle, const uint8_t* report, size_t length) {
    if (handle == kNoHandle)
        return DeviceFault::kNoMouse;
    return SendFeatureWithin(ToHandle(handle), report, length, FeatureLength(handle),
                             TransferLimitMs());
}

DeviceResult HidTransportWin32::GetFeature(HidHandle handle, uint8_t* report, size_t length) {
    if (handle == kNoHandle)
        return DeviceFault::kNoMouse;
    return ReadFeatureWithin(ToHandle(handle), report, length, FeatureLength(handle),
                             TransferLimitMs());
}

void HidTransportWin32::Close(HidHandle handle) {
    if (handle == kNoHandle)
        return;
    featureLengths_.erase(handle);
    CloseHandle(ToHandle(handle));
}

std::vector<std::u16string> HidTransportWin32::ProcessNames() {
    return ListRunningProcessNames();
}

std::vector<std::u16string> ListRunningProcessNames() {
    std::vector<std::u16string> names;
    const ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.Get() == INVALID_HANDLE_VALUE)
        return names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        names.push_back(ToU16(entry.szExeFile));
    }
    return names;
}

DeviceResult RegisterMouseNotifications(void* window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_reserved = 0;
    HidD_GetHidGuid(&filter.dbcc_classguid);
    filter.dbcc_name[0] = L'\0';
    HDEVNOTIFY registration = RegisterDeviceNotificationW(static_cast<HWND>(window), &filter,
                                                          DEVICE_NOTIFY_WINDOW_HANDLE);
    if (registration == nullptr)
        return {DeviceFault::kSendFailed, GetLastError()};
    return DeviceResult::Ok();
}

bool ReadDeviceChange(uintptr_t wParam, intptr_t lParam, DeviceChangeNotice& notice) {
    notice = DeviceChangeNotice{};
    notice.event = static_cast<uint32_t>(wParam);
    // Only these two codes carry a broadcast header; the others carry plain numbers in lParam,
    // and any program can send the message, so nothing else is taken for a pointer.
    if (notice.event != kDeviceArrival && notice.event != kDeviceRemoveComplete)
        return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (header == nullptr)
        return false;
    notice.deviceType = header->dbch_devicetype;
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
        header->dbch_size > offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) {
        const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
        // The name ends where the terminator or the announced size does, whichever is first.
        // Windows and Wine spell it in upper case here ("\\?\HID#VID_04B4&PID_1224#..."),
        // while Wine's SetupDi paths of the same interface are in lower case.
        const size_t room =
            (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) /
            sizeof(wchar_t);
        for (size_t i = 0; i < room && device->dbcc_name[i] != L'\0'; ++i)
            notice.interfaceName.push_back(static_cast<char16_t>(device->dbcc_name[i]));
    }
    return true;
}
