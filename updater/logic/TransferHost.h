#pragma once
// What the transfer reports to, and asks of, whoever runs it: the window that shows progress
// and may ask the transfer to stop.

#include <cstddef>

class ITransferHost {
  public:
    virtual ~ITransferHost() = default;
    // Block `index` was sent and the mouse accepted it.
    virtual void OnBlockSent(size_t index) = 0;
    // True once the transfer should end before telling the mouse anything new. Asked only
    // until the transfer has committed.
    virtual bool StopRequested() = 0;
    // The mouse is about to be told to start its loader. False when a stop was asked for
    // first; once this returns true the transfer runs to its end, since a mouse left in its
    // loader with a partial image is unusable.
    virtual bool Commit() = 0;
};
