#pragma once
// What the transfer reports to, and asks of, whoever runs it: the window that shows progress
// and may ask the transfer to stop.

#include <cstddef>

class ITransferHost {
  public:
    virtual ~ITransferHost() = default;
    // Block `index` was sent and the mouse accepted it.
    virtual void OnBlockSent(size_t index) = 0;
    // True once the transfer should end before starting anything new with the mouse.
    virtual bool StopRequested() = 0;
};
