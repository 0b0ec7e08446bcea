#include "profiles/ProfileFile.h"

#include <array>

#include "profiles/DataStream.h"
#include "profiles/Storage.h"

namespace {

void WriteMacroCopy(DataStream& out, const CButtonMacro& macro) {
    out.WriteUInt32(static_cast<uint32_t>(macro.id));
    out.WriteString(macro.name);
    out.WriteUInt32(static_cast<uint32_t>(macro.events.size()));
    for (const CMacroEvent& event : macro.events) {
        out.WriteUInt8(event.kind);
        out.WriteUInt16(static_cast<uint16_t>(event.code));
        out.WriteUInt8(event.action);
        out.WriteUInt32(static_cast<uint32_t>(event.delay));
    }
}

bool ReadMacroCopy(DataStream& in, CButtonMacro& macro) {
    macro.events.clear();
    macro.id = static_cast<int32_t>(in.ReadUInt32());
    macro.name = in.ReadString();
    const uint32_t count = in.ReadUInt32();
    // A count with its top bit set, or 0, means no events.
    if (in.Failed() || count == 0 || (count & 0x80000000u) != 0)
        return !in.Failed();
    // Each event takes 8 bytes: a count beyond the data can never be satisfied.
    if (static_cast<uint64_t>(count) * 8 > static_cast<uint64_t>(in.Remaining()))
        return false;
    macro.events.resize(count);
    for (CMacroEvent& event : macro.events) {
        event.kind = in.ReadUInt8();
        event.code = static_cast<int16_t>(in.ReadUInt16());
        event.action = in.ReadUInt8();
        event.delay = static_cast<int32_t>(in.ReadUInt32());
    }
    return !in.Failed();
}

}  // namespace

std::vector<uint8_t> EncodeProfile(const Profile& profile) {
    DataStream out;
    for (uint8_t b : kProfileSignature)
        out.WriteUInt8(b);
    out.WriteString(profile.name);
    out.WriteUInt8(profile.index);
    out.WriteUInt16(profile.imageLength);
    out.WriteUInt16(static_cast<uint16_t>(profile.reportRate));
    out.WriteUInt16(static_cast<uint16_t>(profile.doubleClickValue));
    out.WriteUInt16(static_cast<uint16_t>(profile.scrollLines));
    out.WriteUInt32(static_cast<uint32_t>(profile.scrollByLines));
    out.WriteUInt32(static_cast<uint32_t>(profile.scrollByPage));
    out.WriteUInt32(static_cast<uint32_t>(profile.accelerationOn));
    out.WriteUInt32(static_cast<uint32_t>(profile.separateXY));
    out.WriteUInt8(profile.dpiStage);
    for (int16_t value : profile.dpi)
        out.WriteUInt16(static_cast<uint16_t>(value));
    out.WriteUInt8(profile.pointerSpeed);
    out.WriteUInt8(profile.liftDistance);
    out.WriteUInt16(static_cast<uint16_t>(profile.surfaceQuality));
    out.WriteDecimal(static_cast<int32_t>(profile.ledColour));
    out.WriteUInt32(static_cast<uint32_t>(profile.ledMode));
    for (const ButtonAssignment& button : profile.buttons) {
        out.WriteUInt8(button.buttonIndex);
        out.WriteUInt8(button.function);
        out.WriteUInt16(static_cast<uint16_t>(button.value));
    }
    for (const CButtonMacro& macro : profile.macros)
        WriteMacroCopy(out, macro);
    return out.Bytes();
}

bool DecodeProfile(const std::vector<uint8_t>& bytes, Profile& profile) {
    DataStream in(bytes);
    for (uint8_t b : kProfileSignature) {
        if (in.ReadUInt8() != b)
            return false;
    }
    // Decode into a copy so that a file ending early changes nothing.
    Profile decoded = profile;
    decoded.name = in.ReadString();
    decoded.index = in.ReadUInt8();
    decoded.imageLength = in.ReadUInt16();
    decoded.reportRate = static_cast<int16_t>(in.ReadUInt16());
    decoded.doubleClickValue = static_cast<int16_t>(in.ReadUInt16());
    decoded.scrollLines = static_cast<int16_t>(in.ReadUInt16());
    decoded.scrollByLines = static_cast<int32_t>(in.ReadUInt32());
    decoded.scrollByPage = static_cast<int32_t>(in.ReadUInt32());
    decoded.accelerationOn = static_cast<int32_t>(in.ReadUInt32());
    decoded.separateXY = static_cast<int32_t>(in.ReadUInt32());
    decoded.dpiStage = in.ReadUInt8();
    for (int16_t& value : decoded.dpi)
        value = static_cast<int16_t>(in.ReadUInt16());
    decoded.pointerSpeed = in.ReadUInt8();
    decoded.liftDistance = in.ReadUInt8();
    decoded.surfaceQuality = static_cast<int16_t>(in.ReadUInt16());
    decoded.ledColour = static_cast<uint32_t>(in.ReadDecimal());
    decoded.ledMode = static_cast<int32_t>(in.ReadUInt32());
    for (ButtonAssignment& button : decoded.buttons) {
        button.buttonIndex = in.ReadUInt8();
        button.function = in.ReadUInt8();
        button.value = static_cast<int16_t>(in.ReadUInt16());
    }
    for (CButtonMacro& macro : decoded.macros) {
        if (!ReadMacroCopy(in, macro))
            return false;
    }
    if (in.Failed())
        return false;
    profile = std::move(decoded);
    return true;
}

bool SaveProfileFile(const Profile& profile, const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = EncodeProfile(profile);
    DataStream out(bytes);
    return out.SaveToFile(path);
}

bool LoadProfileFile(const std::filesystem::path& path, Profile& profile) {
    DataStream in;
    if (!in.LoadFromFile(path, kMaxProfileFileBytes))
        return false;
    return DecodeProfile(in.Bytes(), profile);
}

void LoadDefaultProfiles(ProfileSet& profiles) {
    for (int slot = 1; slot <= 5; ++slot) {
        Profile& profile = profiles[slot - 1];
        profile.index = static_cast<uint8_t>(slot - 1);
        profile.name = u"Profile" + std::u16string(1, static_cast<char16_t>(u'0' + slot));
        profile.filePath = DefaultProfilePath(slot);
        LoadProfileFile(profile.filePath, profile);
    }
}
