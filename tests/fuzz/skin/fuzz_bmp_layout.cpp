// Skin sheet files of any content: the header reader accepts only layouts whose every row lies
// inside the file, so the configurator's straight copy of the rows never reads past it.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "skin/logic/BmpLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first eight bytes choose the size the file claims to have, so that files longer than
    // what was read, and lies about it, are tried too.
    uint64_t claimed = size;
    if (size >= 8) {
        std::memcpy(&claimed, data, sizeof claimed);
        claimed %= 1u << 30;
        data += 8;
        size -= 8;
    }
    BmpLayout layout;
    if (!ReadBmpLayout(data, size, claimed, layout))
        return 0;
    if (layout.width <= 0 || layout.height <= 0 || layout.width > 16384 || layout.height > 16384)
        std::abort();
    if (layout.rowBytes < static_cast<uint64_t>(layout.width) * 3 || layout.rowBytes % 4 != 0)
        std::abort();
    const uint64_t end =
        static_cast<uint64_t>(layout.pixelOffset) + uint64_t{layout.rowBytes} * layout.height;
    if (end > claimed)
        std::abort();
    return 0;
}
