#pragma once
// Linux hidraw: /dev/hidraw* with HIDIOCGRAWINFO for the ids and HIDIOCSFEATURE /
// HIDIOCGFEATURE for the reports, so that orva7100ctl drives a real mouse on Linux too.

#include "device/HidTransport.h"

class HidTransportHidraw : public HidTransport {
  public:
    // `devFolder` is where the hidraw nodes live (a test may point it elsewhere).
    explicit HidTransportHidraw(std::string devFolder = "/dev");

    std::vector<std::u16string> ListInterfaces() override;
    HidHandle Open(const std::u16string& path) override;
    bool GetIds(HidHandle handle, uint16_t& vendorId, uint16_t& productId) override;
    DeviceResult SetFeature(HidHandle handle, const uint8_t* report, size_t length) override;
    DeviceResult GetFeature(HidHandle handle, uint8_t* report, size_t length) override;
    void Close(HidHandle handle) override;
    std::vector<std::u16string> ProcessNames() override;

  private:
    std::string devFolder_;
};
