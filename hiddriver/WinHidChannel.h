#pragma once
// The mouse through the Windows HID class driver: the interface with the mouse's ids
// (device/MouseIdentity.h) with the longest feature report, opened for overlapped requests so that
// every report waits at most as long as the configurator's do.

#include <windows.h>

#include <string>

#include "FeatureChannel.h"
#include "base/ScopedHandle.h"

class CWinHidChannel : public IFeatureChannel {
  public:
    ~CWinHidChannel() override;
    bool Open() override;
    void Close() override;
    bool SetFeature(const uint8_t* report, size_t length) override;
    bool GetFeature(uint8_t* report, size_t length) override;

  private:
    // Opens one interface path if it is the mouse; its handle and feature report length.
    static ScopedHandle OpenIfMouse(const std::wstring& path, size_t& featureLength);

    ScopedHandle handle_;
    size_t featureLength_ = 0;
};
