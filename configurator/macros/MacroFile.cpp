#include "macros/MacroFile.h"

#include <algorithm>

namespace {

void WriteRect(DataStream& out, const MacroRect& rect) {
    out.WriteUInt32(static_cast<uint32_t>(rect.left));
    out.WriteUInt32(static_cast<uint32_t>(rect.top));
    out.WriteUInt32(static_cast<uint32_t>(rect.right));
    out.WriteUInt32(static_cast<uint32_t>(rect.bottom));
}

int32_t ReadInt32(DataStream& in) {
    return static_cast<int32_t>(in.ReadUInt32());
}

MacroRect ReadRect(DataStream& in) {
    MacroRect rect;
    rect.left = ReadInt32(in);
    rect.top = ReadInt32(in);
    rect.right = ReadInt32(in);
    rect.bottom = ReadInt32(in);
    return rect;
}

}  // namespace

void EncodeMacroFile(const CMacro& macro, DataStream& out) {
    out.WriteString(macro.name);
    out.WriteUInt32(static_cast<uint32_t>(macro.id));
    WriteRect(out, macro.bounds);
    out.WriteUInt32(static_cast<uint32_t>(macro.events.size()));
    for (const CEventItem& event : macro.events) {
        out.WriteUInt8(event.kind);
        out.WriteUInt16(static_cast<uint16_t>(event.code));
        out.WriteUInt8(event.action);
        out.WriteUInt32(static_cast<uint32_t>(event.delay));
        WriteRect(out, event.row);
        out.WriteUInt32(static_cast<uint32_t>(event.selected));
        out.WriteUInt32(static_cast<uint32_t>(event.id));
    }
}

std::vector<uint8_t> EncodeMacroFile(const CMacro& macro) {
    DataStream out;
    EncodeMacroFile(macro, out);
    return out.Bytes();
}

bool DecodeMacroFile(DataStream& in, CMacro& macro) {
    std::u16string name = in.ReadString();
    const int32_t id = ReadInt32(in);
    const MacroRect bounds = ReadRect(in);
    const int32_t count = ReadInt32(in);
    if (in.Failed())
        return false;
    std::vector<CEventItem> events;
    if (count > 0) {
        // A count beyond the data can never be satisfied: refuse it before allocating.
        if (static_cast<int64_t>(count) * kEventRecordBytes > in.Remaining())
            return false;
        events.resize(static_cast<size_t>(count));
        for (CEventItem& event : events) {
            event.kind = in.ReadUInt8();
            event.code = static_cast<int16_t>(in.ReadUInt16());
            event.action = in.ReadUInt8();
            event.delay = ReadInt32(in);
            event.row = ReadRect(in);
            event.selected = ReadInt32(in);
            event.id = ReadInt32(in);
        }
        if (in.Failed())
            return false;
    }
    macro.name = std::move(name);
    macro.id = id;
    macro.bounds = bounds;
    macro.events = std::move(events);
    return true;
}

void EncodeMacroIndex(const std::vector<std::u16string>& paths, DataStream& out) {
    out.WriteUInt32(static_cast<uint32_t>(paths.size()));
    for (const std::u16string& path : paths)
        out.WriteString(path);
}

std::vector<uint8_t> EncodeMacroIndex(const std::vector<std::u16string>& paths) {
    DataStream out;
    EncodeMacroIndex(paths, out);
    return out.Bytes();
}

bool DecodeMacroIndex(DataStream& in, std::vector<std::u16string>& paths) {
    const int32_t count = ReadInt32(in);
    if (in.Failed())
        return false;
    // Each string takes at least its 4-byte length, so a huge count ends at the data's end; the cap
    // and dropping empty strings keep a forged index from costing memory beyond its own size.
    const int32_t entries = std::min(count, kMaxMacroIndexEntries);
    for (int32_t i = 0; i < entries; ++i) {
        std::u16string path = in.ReadString();
        if (in.Failed())
            return false;
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return true;
}
