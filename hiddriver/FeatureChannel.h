#pragma once
// One way of reaching the mouse's feature reports: Windows HID or the virtual mouse.

#include <cstddef>
#include <cstdint>

class IFeatureChannel {
  public:
    virtual ~IFeatureChannel() = default;
    // Finds and opens the mouse; true when it is open.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Byte 0 of `report` is the report id; `length` its full length.
    virtual bool SetFeature(const uint8_t* report, size_t length) = 0;
    virtual bool GetFeature(uint8_t* report, size_t length) = 0;
};
