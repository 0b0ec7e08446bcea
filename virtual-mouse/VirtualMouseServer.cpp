#include "VirtualMouseServer.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <sstream>

#include <nlohmann/json.hpp>

#include "WireProtocol.h"

namespace vmouse {

namespace {

constexpr int kPollSliceMs = 50;
// A client that stalls mid-frame is dropped after this long, so Stop never hangs on it.
constexpr int kStalledClientMs = 10000;

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool SendAll(int s, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t sent = send(s, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool ReceiveAll(int s, uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t got = recv(s, data, size, 0);
        if (got <= 0)
            return false;
        data += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

}  // namespace

void SleepPrecisely(int ms) {
    if (ms <= 0)
        return;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    // Waking from a sleep costs from tens of microseconds to milliseconds on a busy machine:
    // sleep all but the last millisecond and spin that.
    const auto coarse = deadline - std::chrono::microseconds(1000);
    if (Clock::now() < coarse)
        std::this_thread::sleep_until(coarse);
    while (Clock::now() < deadline) {
    }
}

VirtualMouseServer::VirtualMouseServer(MouseOptions options) : model_(NowMs, options) {
    model_.SetListener(this);
}

VirtualMouseServer::~VirtualMouseServer() {
    Stop();
}

bool VirtualMouseServer::OpenTranscript(const std::filesystem::path& path) {
    return transcript_.Open(path);
}

bool VirtualMouseServer::UseStateDir(const std::filesystem::path& folder,
                                     std::optional<int> versionOverride) {
    auto dir = std::make_unique<StateDir>(folder);
    if (!dir->Prepare())
        return false;
    std::lock_guard lock(mutex_);
    MouseMemory memory = model_.Memory();
    bool versionFound = false;
    dir->Load(memory, versionFound);
    if (versionOverride)
        memory.firmwareVersion = *versionOverride;
    model_.SetMemory(memory);
    stateDir_ = std::move(dir);
    return stateDir_->Save(memory);
}

void VirtualMouseServer::SetFirmwareVersion(int version) {
    std::lock_guard lock(mutex_);
    MouseMemory memory = model_.Memory();
    memory.firmwareVersion = version;
    model_.SetMemory(memory);
    if (stateDir_)
        stateDir_->Save(memory);
}

void VirtualMouseServer::SetFaults(const MouseFaults& faults) {
    std::lock_guard lock(mutex_);
    model_.SetFaults(faults);
}

void VirtualMouseServer::StartUnplugged() {
    std::lock_guard lock(mutex_);
    model_.Unplug();
}

bool VirtualMouseServer::Start(const std::string& host, uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    for (addrinfo* entry = found; entry != nullptr && listenSocket_ < 0; entry = entry->ai_next) {
        const int s = socket(entry->ai_family, entry->ai_socktype | SOCK_CLOEXEC, 0);
        if (s < 0)
            continue;
        const int yes = 1;
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (bind(s, entry->ai_addr, entry->ai_addrlen) == 0 && listen(s, 16) == 0) {
            listenSocket_ = s;
        } else {
            close(s);
        }
    }
    freeaddrinfo(found);
    if (listenSocket_ < 0)
        return false;
    sockaddr_storage bound{};
    socklen_t size = sizeof bound;
    getsockname(listenSocket_, reinterpret_cast<sockaddr*>(&bound), &size);
    char text[INET6_ADDRSTRLEN] = {};
    if (bound.ss_family == AF_INET6) {
        const auto* address = reinterpret_cast<const sockaddr_in6*>(&bound);
        inet_ntop(AF_INET6, &address->sin6_addr, text, sizeof text);
        port_ = ntohs(address->sin6_port);
    } else {
        const auto* address = reinterpret_cast<const sockaddr_in*>(&bound);
        inet_ntop(AF_INET, &address->sin_addr, text, sizeof text);
        port_ = ntohs(address->sin_port);
    }
    host_ = text;
    stopping_ = false;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
    return true;
}

std::string VirtualMouseServer::Address() const {
    return host_ + ":" + std::to_string(port_);
}

void VirtualMouseServer::Stop() {
    stopping_ = true;
    if (acceptThread_.joinable())
        acceptThread_.join();
    if (listenSocket_ >= 0)
        close(listenSocket_);
    listenSocket_ = -1;
    {
        std::lock_guard lock(connectionsMutex_);
        for (Connection& connection : connections_)
            shutdown(connection.socket, SHUT_RDWR);
    }
    changed_.notify_all();
    ReapConnections(true);
}

void VirtualMouseServer::ReapConnections(bool all) {
    std::list<Connection> finished;
    {
        std::lock_guard lock(connectionsMutex_);
        for (auto it = connections_.begin(); it != connections_.end();) {
            auto next = std::next(it);
            if (all || it->done)
                finished.splice(finished.end(), connections_, it);
            it = next;
        }
    }
    for (Connection& connection : finished) {
        if (connection.thread.joinable())
            connection.thread.join();
        close(connection.socket);
    }
}

void VirtualMouseServer::AcceptLoop() {
    while (!stopping_) {
        pollfd entry{listenSocket_, POLLIN, 0};
        const int ready = poll(&entry, 1, kPollSliceMs);
        ReapConnections(false);
        // Lets timed returns happen even while nobody asks, so watchers hear of them.
        {
            std::lock_guard lock(mutex_);
            model_.Tick();
        }
        if (ready <= 0)
            continue;
        const int s = accept4(listenSocket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (s < 0)
            continue;
        const int yes = 1;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        std::lock_guard lock(connectionsMutex_);
        Connection& connection = connections_.emplace_back();
        connection.socket = s;
        connection.thread = std::thread([this, &connection] {
            Serve(connection);
            connection.done = true;
        });
    }
}

void VirtualMouseServer::Serve(Connection& connection) {
    const int s = connection.socket;
    timeval limit{kStalledClientMs / 1000, 0};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    while (!stopping_) {
        // Wait for the next request in slices so that Stop is noticed.
        pollfd entry{s, POLLIN, 0};
        const int ready = poll(&entry, 1, kPollSliceMs);
        if (ready < 0)
            return;
        if (ready == 0)
            continue;
        uint8_t header[4];
        if (!ReceiveAll(s, header, sizeof header))
            return;
        std::vector<uint8_t> headerBytes(header, header + 4);
        uint32_t length = 0;
        wire::GetU32(headerBytes, 0, length);
        if (length == 0 || length > wire::kMaxPayload)
            return;
        std::vector<uint8_t> request(length);
        if (!ReceiveAll(s, request.data(), length))
            return;
        std::vector<uint8_t> reply;
        if (!Handle(request, reply))
            return;
        std::vector<uint8_t> frame;
        wire::PutU32(frame, static_cast<uint32_t>(reply.size()));
        frame.insert(frame.end(), reply.begin(), reply.end());
        if (!SendAll(s, frame.data(), frame.size()))
            return;
    }
}

bool VirtualMouseServer::Handle(const std::vector<uint8_t>& request, std::vector<uint8_t>& reply) {
    const uint8_t kind = request[0];
    reply = {kind, 0};
    switch (kind) {
        case wire::kPresence: {
            std::lock_guard lock(mutex_);
            reply[1] = 1;
            reply.push_back(model_.IsPresent() ? 1 : 0);
            wire::PutU32(reply, model_.Arrivals());
            return true;
        }
        case wire::kSet:
        case wire::kGet:
            return HandleFeature(kind == wire::kSet, request, reply);
        case wire::kWatch:
            HandleWatch(request, reply);
            return true;
        case wire::kControl: {
            std::string text;
            const bool ok = Control(std::string(request.begin() + 1, request.end()), text);
            reply[1] = ok ? 1 : 0;
            reply.insert(reply.end(), text.begin(), text.end());
            return true;
        }
        default:
            return false;  // not a client of ours: drop it
    }
}

bool VirtualMouseServer::HandleFeature(bool isSet, const std::vector<uint8_t>& request,
                                       std::vector<uint8_t>& reply) {
    uint32_t arrival = 0;
    if (!wire::GetU32(request, 1, arrival) || request.size() < 6)
        return false;
    int latency = 0;
    {
        std::lock_guard lock(mutex_);
        latency = model_.Faults().latencyMs;
    }
    SleepPrecisely(latency);
    std::vector<uint8_t> report(request.begin() + 5, request.end());
    std::lock_guard lock(mutex_);
    model_.Tick();
    if (arrival != 0 && arrival != model_.Arrivals())
        return true;  // a handle from before the mouse came back: fails
    if (isSet) {
        reply[1] = model_.SetFeature(report.data(), report.size()) ? 1 : 0;
    } else if (model_.GetFeature(report.data(), report.size())) {
        reply[1] = 1;
        reply.insert(reply.end(), report.begin(), report.end());
    }
    return true;
}

void VirtualMouseServer::HandleWatch(const std::vector<uint8_t>& request,
                                     std::vector<uint8_t>& reply) {
    uint32_t knownArrivals = 0;
    uint32_t waitMs = 0;
    if (request.size() != 10 || !wire::GetU32(request, 2, knownArrivals) ||
        !wire::GetU32(request, 6, waitMs))
        return;
    const bool knownPresent = request[1] == 1;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(std::min(waitMs, wire::kMaxWatchMs));
    std::unique_lock lock(mutex_);
    while (true) {
        model_.Tick();
        const bool present = model_.IsPresent();
        if (present != knownPresent || model_.Arrivals() != knownArrivals || stopping_ ||
            std::chrono::steady_clock::now() >= deadline) {
            reply[1] = 1;
            reply.push_back(present ? 1 : 0);
            wire::PutU32(reply, model_.Arrivals());
            return;
        }
        changed_.wait_for(lock, std::chrono::milliseconds(kPollSliceMs));
    }
}

bool VirtualMouseServer::Control(const std::string& command, std::string& reply) {
    const std::vector<std::string> words = Words(command);
    std::lock_guard lock(mutex_);
    model_.Tick();
    reply = "ok";
    if (words.size() == 1 && words[0] == "plug") {
        model_.Plug();
        return true;
    }
    if (words.size() == 1 && words[0] == "unplug") {
        model_.Unplug();
        return true;
    }
    if (words.size() == 2 && words[0] == "switch-profile") {
        const std::string& slot = words[1];
        if (slot.size() == 1 && slot[0] >= '0' && slot[0] <= '4') {
            model_.SwitchProfile(slot[0] - '0');
            return true;
        }
        reply = "switch-profile takes a slot from 0 to 4";
        return false;
    }
    if (words.size() == 1 && words[0] == "status") {
        const MouseMemory& memory = model_.Memory();
        reply = nlohmann::json{{"present", model_.IsPresent()},
                               {"arrivals", model_.Arrivals()},
                               {"activeSlot", memory.activeSlot},
                               {"firmwareVersion", memory.firmwareVersion},
                               {"liftDistance", memory.liftDistance}}
                    .dump();
        return true;
    }
    if (words.size() == 2 && words[0] == "fault" && words[1] == "clear") {
        model_.SetFaults(MouseFaults{});
        return true;
    }
    if (words.size() == 3 && words[0] == "fault") {
        MouseFaults faults = model_.Faults();
        if (SetFault(faults, words[1], words[2])) {
            model_.SetFaults(faults);
            return true;
        }
        reply = "unknown fault or bad value: " + words[1] + " " + words[2];
        return false;
    }
    reply = "unknown command: " + command;
    return false;
}

void VirtualMouseServer::OnReport(bool isSet, const uint8_t* report, size_t length) {
    transcript_.Write(isSet, report, length);
}

void VirtualMouseServer::OnLog(const std::string& line) {
    if (log_ != nullptr) {
        std::fprintf(log_, "orva-virtual-mouse: %s\n", line.c_str());
        std::fflush(log_);
    }
}

void VirtualMouseServer::OnMemoryChanged(const MouseMemory& memory) {
    if (stateDir_ && !stateDir_->Save(memory))
        OnLog("could not write the state folder");
}

void VirtualMouseServer::OnFirmwareReceived(const std::vector<uint8_t>& image) {
    if (stateDir_ && !stateDir_->SaveFirmware(image))
        OnLog("could not write firmware.bin");
}

void VirtualMouseServer::OnPresenceChanged(bool) {
    changed_.notify_all();
}

}  // namespace vmouse
