#include "StateDir.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>

#include <nlohmann/json.hpp>

namespace vmouse {

namespace {

std::filesystem::path SlotPath(const std::filesystem::path& folder, int slot) {
    return folder / ("slot" + std::to_string(slot) + ".bin");
}

bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string StateJson(const MouseMemory& memory) {
    const nlohmann::json state = {{"activeSlot", memory.activeSlot},
                                  {"firmwareVersion", memory.firmwareVersion},
                                  {"liftDistance", memory.liftDistance}};
    return state.dump(2) + "\n";
}

// Reads an integer field in [min, max]; anything else leaves `value` alone.
void ReadField(const nlohmann::json& state, const char* name, int min, int max, int& value,
               bool* found = nullptr) {
    const auto it = state.find(name);
    if (it == state.end() || !it->is_number_integer())
        return;
    const auto number = it->get<long long>();
    if (number < min || number > max)
        return;
    value = static_cast<int>(number);
    if (found != nullptr)
        *found = true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, const void* data, size_t size) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

StateDir::StateDir(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool StateDir::Prepare() {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return std::filesystem::is_directory(folder_, error);
}

void StateDir::Load(MouseMemory& memory, bool& versionFound) const {
    versionFound = false;
    std::vector<uint8_t> bytes;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (ReadFile(SlotPath(folder_, slot), bytes) && bytes.size() == kSlotSize)
            std::copy(bytes.begin(), bytes.end(), memory.slots[slot].begin());
    }
    if (!ReadFile(folder_ / "state.json", bytes))
        return;
    const nlohmann::json state = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (!state.is_object())
        return;
    ReadField(state, "activeSlot", 0, kSlotCount - 1, memory.activeSlot);
    ReadField(state, "firmwareVersion", -32768, 32767, memory.firmwareVersion, &versionFound);
    ReadField(state, "liftDistance", 0, 255, memory.liftDistance);
}

bool StateDir::Save(const MouseMemory& memory) {
    bool ok = true;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (saved_ && saved_->slots[slot] == memory.slots[slot])
            continue;
        ok = WriteFileAtomically(SlotPath(folder_, slot), memory.slots[slot].data(), kSlotSize) &&
             ok;
    }
    if (!saved_ || saved_->activeSlot != memory.activeSlot ||
        saved_->firmwareVersion != memory.firmwareVersion ||
        saved_->liftDistance != memory.liftDistance) {
        const std::string text = StateJson(memory);
        ok = WriteFileAtomically(folder_ / "state.json", text.data(), text.size()) && ok;
    }
    if (ok)
        saved_ = memory;
    return ok;
}

bool StateDir::SaveFirmware(const std::vector<uint8_t>& image) {
    return WriteFileAtomically(folder_ / "firmware.bin", image.data(), image.size());
}

}  // namespace vmouse
