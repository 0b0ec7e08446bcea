#include "app/logic/PendingScale.h"

void PendingScale::Announce(uint32_t dpi) noexcept {
    dpi_ = dpi;
    if (!host_.PollMustWait()) {
        TryNow();
    }
}

void PendingScale::OnPoll() noexcept {
    if (dpi_ != 0 && !host_.PollMustWait()) {
        TryNow();
    }
}

void PendingScale::TryNow() noexcept {
    if (dpi_ != 0 && dpi_ != host_.LaidOutDpi() && !host_.RebuildAtScale(dpi_)) {
        return;  // tried again on the next poll
    }
    dpi_ = 0;
}
