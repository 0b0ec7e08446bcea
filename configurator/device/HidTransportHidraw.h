#pragma once
// Linux hidraw: /dev/hidraw* with HIDIOCGRAWINFO for the ids and HIDIOCSFEATURE /
// HIDIOCGFEATURE for the reports, so that orva7100ctl drives a real mouse on Linux too.

#include "device/HidTransport.h"

class HidTransportHidraw : public HidTransport {
  public:
    // `devFolder` is where the hidraw nodes live (a test may point it elsewhere).
    explicit HidTransportHidraw(std::string devFolder = "/dev");

    HID_TRANSPORT_OPERATIONS

  private:
    std::string devFolder_;
};
