#pragma once
// The Windows HID class driver: SetupDi enumeration of the HID interface class, CreateFileW,
// HidD_GetAttributes and HidD_Set/GetFeature; the Toolhelp process walk. This header keeps
// <windows.h> out of its includers.

#include <cstdint>

#include "HidTransport.h"

class HidTransportWin32 : public HidTransport {
  public:
    std::vector<std::u16string> ListInterfaces() override;
    HidHandle Open(const std::u16string& path) override;
    bool GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) override;
    bool SetFeature(HidHandle handle, const uint8_t* report, size_t length) override;
    bool GetFeature(HidHandle handle, uint8_t* report, size_t length) override;
    void Close(HidHandle handle) override;
    std::vector<std::u16string> ProcessNames() override;
};

// Registers the window (an HWND) for arrival and removal notifications of HID interfaces.
bool RegisterMouseNotifications(void* window);

// Takes a WM_DEVICECHANGE apart: false when its parameter holds no broadcast header.
bool ReadDeviceChange(uintptr_t wParam, intptr_t lParam, DeviceChangeNotice& notice);
