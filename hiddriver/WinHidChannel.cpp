#include "WinHidChannel.h"

#include <setupapi.h>

#include <vector>

extern "C" {
#include <hidsdi.h>
}

#include "device/HidTransportWin32.h"

CWinHidChannel::~CWinHidChannel() {
    Close();
}

HANDLE CWinHidChannel::OpenIfMouse(const std::wstring& path, size_t& featureLength) {
    // Mouse interfaces are held by the system for reading; feature reports need no access.
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return handle;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(handle, &attributes) || attributes.VendorID != kVendorId ||
        attributes.ProductID != kProductId) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    featureLength = InterfaceFeatureLength(handle);
    return handle;
}

bool CWinHidChannel::Open() {
    Close();
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVICE_INTERFACE_DATA item{};
    item.cbSize = sizeof item;
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &item);
         ++index) {
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &item, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        std::vector<uint8_t> buffer(needed);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(set, &item, detail, needed, nullptr, nullptr))
            continue;
        size_t featureLength = 0;
        HANDLE handle = OpenIfMouse(detail->DevicePath, featureLength);
        if (handle == INVALID_HANDLE_VALUE)
            continue;
        // The interface carrying the 1025-byte data report has the longest feature report.
        if (handle_ == INVALID_HANDLE_VALUE || featureLength > featureLength_) {
            if (handle_ != INVALID_HANDLE_VALUE)
                CloseHandle(handle_);
            handle_ = handle;
            featureLength_ = featureLength;
        } else {
            CloseHandle(handle);
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return handle_ != INVALID_HANDLE_VALUE;
}

void CWinHidChannel::Close() {
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    featureLength_ = 0;
}

bool CWinHidChannel::SetFeature(const uint8_t* report, size_t length) {
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    return SendFeatureWithin(handle_, report, length, featureLength_).ok();
}

bool CWinHidChannel::GetFeature(uint8_t* report, size_t length) {
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    return ReadFeatureWithin(handle_, report, length, featureLength_).ok();
}
