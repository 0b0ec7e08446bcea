#include "WinHidChannel.h"

#include <setupapi.h>

#include <algorithm>
#include <vector>

extern "C" {
#include <hidsdi.h>
}

CWinHidChannel::~CWinHidChannel() {
    Close();
}

HANDLE CWinHidChannel::OpenIfMouse(const std::wstring& path, size_t& featureLength) {
    // Mouse interfaces are held by the system for reading; feature reports need no access.
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
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
    featureLength = 0;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (HidD_GetPreparsedData(handle, &preparsed)) {
        HIDP_CAPS caps{};
        if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS)
            featureLength = caps.FeatureReportByteLength;
        HidD_FreePreparsedData(preparsed);
    }
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
    if (handle_ == INVALID_HANDLE_VALUE || length == 0)
        return false;
    // The class driver wants the interface's full feature report length; pad with zeros.
    std::vector<uint8_t> buffer(report, report + length);
    if (buffer.size() < featureLength_)
        buffer.resize(featureLength_, 0);
    return HidD_SetFeature(handle_, buffer.data(), static_cast<ULONG>(buffer.size())) != FALSE;
}

bool CWinHidChannel::GetFeature(uint8_t* report, size_t length) {
    if (handle_ == INVALID_HANDLE_VALUE || length == 0)
        return false;
    std::vector<uint8_t> buffer(std::max(length, featureLength_), 0);
    buffer[0] = report[0];
    if (!HidD_GetFeature(handle_, buffer.data(), static_cast<ULONG>(buffer.size())))
        return false;
    std::copy_n(buffer.begin(), length, report);
    return true;
}
