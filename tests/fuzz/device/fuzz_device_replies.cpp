// Replies of a mouse that says anything at all: every command and Apply must end (bounded
// polls), never read or write out of bounds, and report failure rather than garbage.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "DeviceChange.h"
#include "MouseApply.h"
#include "MouseCommands.h"

namespace {

// Bytes the fuzzer supplies in turn; zeros once they run out.
class Script {
  public:
    Script(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t Next() { return position_ < size_ ? data_[position_++] : 0; }
    bool Done() const { return position_ >= size_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

class ScriptedTransport : public HidTransport {
  public:
    explicit ScriptedTransport(Script& script) : script_(script) {}
    std::vector<std::u16string> ListInterfaces() override {
        const int count = script_.Next() % 4;
        std::vector<std::u16string> paths;
        for (int i = 0; i < count; ++i)
            paths.push_back(u"hid" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        return paths;
    }
    HidHandle Open(const std::u16string&) override {
        return (script_.Next() & 1) != 0 ? kNoHandle : 7;
    }
    bool GetIds(HidHandle, uint16_t& vendorId, uint16_t& productId) override {
        const uint8_t pick = script_.Next();
        vendorId = (pick & 1) != 0 ? 0x04B4 : 0x845E;
        productId = (pick & 2) != 0 ? 0x1224 : 0x0001;
        return (pick & 4) == 0;
    }
    bool SetFeature(HidHandle, const uint8_t* report, size_t length) override {
        // Reports must be whole: touching every byte lets the sanitizer check the length.
        uint8_t sum = 0;
        for (size_t i = 0; i < length; ++i)
            sum = static_cast<uint8_t>(sum + report[i]);
        (void)sum;
        return (script_.Next() & 0x0F) != 0;
    }
    bool GetFeature(HidHandle, uint8_t* report, size_t length) override {
        if ((script_.Next() & 0x1F) == 0)
            return false;
        // The reply fills the whole buffer the caller named.
        for (size_t i = 0; i < length; ++i)
            report[i] = script_.Next();
        return true;
    }
    void Close(HidHandle) override {}
    std::vector<std::u16string> ProcessNames() override {
        if ((script_.Next() & 7) == 0)
            return {u"UPDATER.EXE"};
        return {u"explorer.exe"};
    }

  private:
    Script& script_;
};

class NoSleep : public DeviceClock {
  public:
    void SleepMs(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Script script(data, size);
    ScriptedTransport transport(script);
    NoSleep clock;
    DeviceLink link(transport, clock);

    uint8_t active = 0;
    GetActiveProfile(link, active);
    DeviceInfo info;
    ReadDeviceInfo(link, info);
    uint32_t count = 0;
    ReadSurfaceQuality(link, count);
    StartSurfaceCapture(link);
    SaveLiftDistance(link, script.Next());
    std::array<Profile, 5> profiles;
    for (Profile& profile : profiles)
        profile.index = script.Next();
    ApplyToMouse(link, profiles, script.Next() % 5, [](ApplyMessage) {});

    DeviceChangeNotice notice;
    notice.event = (script.Next() & 1) != 0 ? kDeviceArrival : kDeviceRemoveComplete;
    notice.deviceType = script.Next() % 6;
    while (!script.Done() && notice.interfaceName.size() < 64)
        notice.interfaceName.push_back(static_cast<char16_t>(script.Next()));
    HandleDeviceChange(link, notice);

    // The decoders on the raw input, at every length.
    for (size_t length = 0; length <= size && length < 80; ++length) {
        IsAck(data, length, kReportCommand);
        DecodeActiveProfile(data, length);
        DecodeDeviceInfo(data, length);
        DecodeSurfaceQuality(data, length);
    }
    return 0;
}
