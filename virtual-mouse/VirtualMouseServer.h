#pragma once
// The virtual mouse on loopback TCP: one thread per client (the configurator, orva7100ctl, the
// updater's driver library, a test's control connection), all sharing one mouse under a lock.
// POSIX only; the clients may run anywhere (see WireProtocol.h for the frames).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "MouseModel.h"
#include "StateDir.h"
#include "Transcript.h"

namespace vmouse {

class VirtualMouseServer : private MouseListener {
  public:
    explicit VirtualMouseServer(MouseOptions options = {});
    ~VirtualMouseServer() override;
    VirtualMouseServer(const VirtualMouseServer&) = delete;
    VirtualMouseServer& operator=(const VirtualMouseServer&) = delete;

    // Set-up, before Start.
    bool OpenTranscript(const std::filesystem::path& path);
    // Loads what the folder holds and keeps it up to date from then on. A firmware version
    // given on the command line (`versionOverride`) wins over the stored one.
    bool UseStateDir(const std::filesystem::path& folder, std::optional<int> versionOverride);
    void SetFirmwareVersion(int version);
    void SetFaults(const MouseFaults& faults);
    void SetLog(std::FILE* log) { log_ = log; }
    void StartUnplugged();

    // Binds (port 0 picks a free one) and serves on a thread of its own; false when the
    // address cannot be bound.
    bool Start(const std::string& host, uint16_t port);
    // "HOST:PORT" actually bound.
    std::string Address() const;
    // Closes every connection and joins every thread; bounded by the clients' socket timeouts.
    void Stop();

    // The control commands of the wire protocol, also for callers in the same process.
    bool Control(const std::string& command, std::string& reply);

  private:
    struct Connection {
        int socket = -1;
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void Serve(Connection& connection);
    bool Handle(const std::vector<uint8_t>& request, std::vector<uint8_t>& reply);
    bool HandleFeature(bool isSet, const std::vector<uint8_t>& request,
                       std::vector<uint8_t>& reply);
    void HandleWatch(const std::vector<uint8_t>& request, std::vector<uint8_t>& reply);
    void ReapConnections(bool all);

    void OnReport(bool isSet, const uint8_t* report, size_t length) override;
    void OnLog(const std::string& line) override;
    void OnMemoryChanged(const MouseMemory& memory) override;
    void OnFirmwareReceived(const std::vector<uint8_t>& image) override;
    void OnPresenceChanged(bool present) override;

    std::mutex mutex_;
    std::condition_variable changed_;
    MouseModel model_;
    Transcript transcript_;
    std::unique_ptr<StateDir> stateDir_;
    std::FILE* log_ = stderr;

    int listenSocket_ = -1;
    std::string host_;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptThread_;
    std::mutex connectionsMutex_;
    std::list<Connection> connections_;
};

// Sleeps `ms` milliseconds closely: the transfer latency a benchmark measures against.
void SleepPrecisely(int ms);

}  // namespace vmouse
