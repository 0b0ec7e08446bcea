// Any bytes as a slot image read back from the mouse: decoding never reads outside the 2048
// bytes, whatever the length field and the macro addresses say, and what it accepts is sane.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "profiles/DeviceImageReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input as sent, and laid into an image of the one size the mouse holds, so that the
    // fuzzer spends its time on the fields rather than on the size check.
    DecodeDeviceImage(data, size);
    std::vector<uint8_t> image(static_cast<size_t>(kDeviceImageSize), 0);
    if (size > 0)
        std::memcpy(image.data(), data, size < image.size() ? size : image.size());
    const auto decoded = DecodeDeviceImage(image.data(), image.size());
    if (decoded &&
        (decoded->imageLength < kImageFixedLength || decoded->imageLength > kDeviceImageSize))
        std::abort();
    return 0;
}
