#pragma once
// The virtual mouse served on loopback TCP, named by ORVA7100_VIRTUAL_MOUSE=HOST:PORT.
// An open channel is tied to the mouse's arrival it was opened at, like a device handle: once
// the mouse has gone and come back, it must be opened again.

#include <string>

#include "FeatureChannel.h"
#include "VirtualMouseClient.h"

class CVirtualChannel : public IFeatureChannel {
  public:
    // A report the mouse does not answer within this time fails, as the HID class driver's
    // calls do, so a silent mouse never holds the updater.
    static constexpr int kTransferTimeoutMs = 3000;

    explicit CVirtualChannel(std::string hostPort) : hostPort_(std::move(hostPort)) {}

    bool Open() override;
    void Close() override;
    bool SetFeature(const uint8_t* report, size_t length) override;
    bool GetFeature(uint8_t* report, size_t length) override;

  private:
    std::string hostPort_;
    vmouse::VirtualMouseClient client_;
    bool open_ = false;
};
