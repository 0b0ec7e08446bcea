// Any bytes as a profile file: decoding never reads outside the data, and whatever decodes
// survives an encode/decode round trip unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "profiles/DeviceImage.h"
#include "profiles/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Profile profile;
    if (!DecodeProfile(std::vector<uint8_t>(data, data + size), profile))
        return 0;
    const std::vector<uint8_t> encoded = EncodeProfile(profile);
    Profile again;
    if (!DecodeProfile(encoded, again) || EncodeProfile(again) != encoded)
        std::abort();
    BuildDeviceImage(profile);  // must never write past the image, whatever the macros
    return 0;
}
