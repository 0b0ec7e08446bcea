#include "WinHidChannel.h"

#include <setupapi.h>

#include <utility>
#include <vector>

extern "C" {
#include <hidsdi.h>
}

#include "device/HidTransportWin32.h"
#include "device/MouseIdentity.h"

CWinHidChannel::~CWinHidChannel() {
    Close();
}

ScopedHandle CWinHidChannel::OpenIfMouse(const std::wstring& path, size_t& featureLength) {
    // Mouse interfaces are held by the system for reading; feature reports need no access.
    HANDLE opened =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        opened = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    }
    ScopedHandle handle(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!handle || !HidD_GetAttributes(handle.Get(), &attributes) ||
        attributes.VendorID != kMouseVendorId || attributes.ProductID != kMouseProductId)
        return {};
    featureLength = InterfaceFeatureLength(handle.Get());
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
        ScopedHandle handle = OpenIfMouse(detail->DevicePath, featureLength);
        // The interface carrying the 1025-byte data report has the longest feature report.
        if (handle && (!handle_ || featureLength > featureLength_)) {
            handle_ = std::move(handle);
            featureLength_ = featureLength;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return static_cast<bool>(handle_);
}

void CWinHidChannel::Close() {
    handle_.Reset();
    featureLength_ = 0;
}

bool CWinHidChannel::SetFeature(const uint8_t* report, size_t length) {
    if (!handle_)
        return false;
    return SendFeatureWithin(handle_.Get(), report, length, featureLength_).ok();
}

bool CWinHidChannel::GetFeature(uint8_t* report, size_t length) {
    if (!handle_)
        return false;
    return ReadFeatureWithin(handle_.Get(), report, length, featureLength_).ok();
}
