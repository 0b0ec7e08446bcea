#pragma once
// The Windows HID class driver: SetupDi enumeration of the HID interface class, CreateFileW,
// HidD_GetAttributes and feature reports padded to the interface's length, each transfer bounded
// in time; the Toolhelp process walk. This header keeps <windows.h> out of its includers.

#include <cstdint>
#include <map>

#include "device/HidTransport.h"

class HidTransportWin32 : public HidTransport {
  public:
    std::vector<std::u16string> ListInterfaces() override;
    HidHandle Open(const std::u16string& path) override;
    bool GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) override;
    DeviceResult SetFeature(HidHandle handle, const uint8_t* report, size_t length) override;
    DeviceResult GetFeature(HidHandle handle, uint8_t* report, size_t length) override;
    void Close(HidHandle handle) override;
    std::vector<std::u16string> ProcessNames() override;

  private:
    // The interface's feature-report length, which every report is padded to; 0 when unknown.
    size_t FeatureLength(HidHandle handle) const;

    std::map<HidHandle, size_t> featureLengths_;
};

// The interface's longest feature report, from its capabilities (an overlapped HANDLE); 0 when
// unknown. Every report is padded to it: Windows' HID class driver takes no shorter buffer.
// Wine's takes any buffer as long as the report itself, so a missing pad passes under Wine.
size_t InterfaceFeatureLength(void* handle);

// One feature report through an interface opened with FILE_FLAG_OVERLAPPED, padded to
// `interfaceLength`, waiting at most `limitMs`: a mouse that stays connected but
// never answers costs a cancelled request instead of a hung program. Also used by hiddriver.dll.
DeviceResult SendFeatureWithin(void* handle, const uint8_t* report, size_t length,
                               size_t interfaceLength, int limitMs = kFeatureTransferTimeoutMs);
// report[0] holds the id on entry; on success the report as read.
DeviceResult ReadFeatureWithin(void* handle, uint8_t* report, size_t length, size_t interfaceLength,
                               int limitMs = kFeatureTransferTimeoutMs);

// Registers the window (an HWND) for arrival and removal notifications of HID interfaces; a
// refusal keeps the system's error code.
DeviceResult RegisterMouseNotifications(void* window);

// Takes a WM_DEVICECHANGE apart: false for every code but arrival and removal-complete (their
// lParam is no broadcast header) and for a missing header.
bool ReadDeviceChange(uintptr_t wParam, intptr_t lParam, DeviceChangeNotice& notice);
