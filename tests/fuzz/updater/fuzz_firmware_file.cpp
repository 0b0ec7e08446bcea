// Firmware files of any content and size: loading never reads past the image, refuses what
// does not fit, and a transfer of what loaded sends exactly the file, zero-padded.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "SimulatedMouse.h"
#include "logic/FirmwareTransfer.h"

namespace {

// One scratch file per fuzzing process, removed when it ends.
struct ScratchFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("orva-fuzz-firmware-" + std::to_string(::getpid()) + ".bin");
    ~ScratchFile() {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFile scratch;
    const std::filesystem::path& path = scratch.path;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    FirmwareImage image;
    image.SetPath(path);
    const int loaded = image.Load();
    if (size > FirmwareImage::kMaxImageBytes) {
        if (loaded != 0 || image.Length() != 0)
            std::abort();
        return 0;
    }
    if (loaded == 0 || image.Length() != size)
        std::abort();

    SimulatedClock clock;
    SimulatedMouse mouse(clock);
    RecordingHost host;
    FirmwareTransfer transfer(mouse, clock, image, nullptr, host);
    if (transfer.RunTransfer() == 0)
        std::abort();
    const std::vector<uint8_t> sent = mouse.ReceivedData();
    if (sent.size() != image.BlockCount() * FirmwareImage::kBlockBytes ||
        !std::equal(data, data + size, sent.begin()))
        std::abort();
    for (size_t i = size; i < sent.size(); ++i) {
        if (sent[i] != 0)
            std::abort();
    }
    return 0;
}
