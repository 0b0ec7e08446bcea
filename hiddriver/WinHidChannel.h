#pragma once
// The mouse through the Windows HID class driver: the interface of vendor 0x04B4, product
// 0x1224 with the longest feature report, opened for overlapped requests so that every report
// waits at most as long as the configurator's do.

#include <windows.h>

#include <string>

#include "FeatureChannel.h"

class CWinHidChannel : public IFeatureChannel {
  public:
    static constexpr USHORT kVendorId = 0x04B4;
    static constexpr USHORT kProductId = 0x1224;

    ~CWinHidChannel() override;
    bool Open() override;
    void Close() override;
    bool SetFeature(const uint8_t* report, size_t length) override;
    bool GetFeature(uint8_t* report, size_t length) override;

  private:
    // Opens one interface path if it is the mouse; its handle and feature report length.
    static HANDLE OpenIfMouse(const std::wstring& path, size_t& featureLength);

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    size_t featureLength_ = 0;
};
