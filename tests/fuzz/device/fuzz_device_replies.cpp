// Replies of a mouse that says anything at all: every command and Apply must end (bounded
// polls), never read or write out of bounds, and report failure rather than garbage. What a
// decoder accepts must re-encode to the bytes it came from, and a padded feature report must come
// back out of its buffer unchanged.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "device/DeviceChange.h"
#include "device/FeatureBuffer.h"
#include "device/MouseApply.h"
#include "device/MouseCommands.h"

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
    DeviceResult SetFeature(HidHandle, const uint8_t* report, size_t length) override {
        // Reports must be whole: touching every byte lets the sanitizer check the length.
        uint8_t sum = 0;
        for (size_t i = 0; i < length; ++i)
            sum = static_cast<uint8_t>(sum + report[i]);
        (void)sum;
        return Outcome(script_.Next() & 0x0F);
    }
    DeviceResult GetFeature(HidHandle, uint8_t* report, size_t length) override {
        if (const DeviceResult refused = Outcome(script_.Next() & 0x1F); !refused)
            return refused;
        // The reply fills the whole buffer the caller named.
        for (size_t i = 0; i < length; ++i)
            report[i] = script_.Next();
        return DeviceResult::Ok();
    }
    // 0 fails the transfer with a fault the script picks; anything else lets it through.
    DeviceResult Outcome(uint8_t pick) {
        if (pick != 0)
            return DeviceResult::Ok();
        return static_cast<DeviceFault>(1 + script_.Next() % 5);
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
    int64_t NowMs() override { return 0; }
};

// A fault the fuzzer must report: abort, so that the input is kept.
void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckDecoders(const uint8_t* data, size_t length) {
    for (uint8_t id : {kReportCommand, kReportLift, kReportSurface}) {
        if (IsAck(data, length, id))
            Require(length >= 2 && data[0] == id && data[1] == 1);
    }
    if (const std::optional<uint8_t> active = DecodeActiveProfile(data, length))
        Require(data[0] == kReportCommand && *active == data[1]);
    if (const std::optional<DeviceInfo> info = DecodeDeviceInfo(data, length)) {
        const auto version = static_cast<uint16_t>(info->firmwareVersion);
        Require(info->firmwareVersion >= -32768 && info->firmwareVersion <= 32767);
        Require(static_cast<uint8_t>(version) == data[1] && (version >> 8) == data[2]);
    }
    if (const std::optional<uint32_t> count = DecodeSurfaceQuality(data, length)) {
        Require(data[1] == 1);
        for (int i = 0; i < 4; ++i)
            Require(static_cast<uint8_t>(*count >> (8 * i)) == data[2 + i]);
    }
}

void CheckPadding(const uint8_t* data, size_t size) {
    if (size < 2)
        return;
    const size_t interfaceLength = data[0] * 8u;
    const size_t length = std::min<size_t>(size - 1, 1 + data[1] % 64);
    const uint8_t* report = data + 1;
    const std::vector<uint8_t> padded = PadFeatureReport(report, length, interfaceLength);
    Require(padded.size() == std::max(length, interfaceLength));
    for (size_t i = length; i < padded.size(); ++i)
        Require(padded[i] == 0);
    std::vector<uint8_t> back(length, 0);
    back[0] = report[0];
    Require(TakeFeatureReply(padded, back.data(), length));
    Require(std::equal(back.begin(), back.end(), report));
}

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
    ProfileSet profiles;
    for (Profile& profile : profiles)
        profile.index = script.Next();
    ApplyToMouse(link, profiles, script.Next() % 5, [](ApplyMessage, const DeviceResult&) {});

    DeviceChangeNotice notice;
    notice.event = (script.Next() & 1) != 0 ? kDeviceArrival : kDeviceRemoveComplete;
    notice.deviceType = script.Next() % 6;
    while (!script.Done() && notice.interfaceName.size() < 64)
        notice.interfaceName.push_back(static_cast<char16_t>(script.Next()));
    HandleDeviceChange(link, notice);

    // The decoders on the raw input, at every length.
    for (size_t length = 0; length <= size && length < 80; ++length)
        CheckDecoders(data, length);
    CheckPadding(data, size);
    return 0;
}
