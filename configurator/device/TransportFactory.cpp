#include "device/TransportFactory.h"

#include <cstdlib>

#include "device/HidTransportVirtual.h"

#ifdef _WIN32
#include "device/HidTransportWin32.h"
#else
#include "device/HidTransportHidraw.h"
#endif

namespace {

std::unique_ptr<HidTransport> Virtual(const std::string& hostPort) {
    std::string host;
    uint16_t port = 0;
    if (!vmouse::ParseHostPort(hostPort, host, port))
        return nullptr;
    return std::make_unique<HidTransportVirtual>(hostPort);
}

}  // namespace

std::unique_ptr<HidTransport> CreateHidTransport(const std::string& device) {
    if (device.rfind("virtual:", 0) == 0)
        return Virtual(device.substr(8));
    if (device != "auto")
        return nullptr;
    // Only a server on this machine stands in for the mouse; any other value is ignored and the
    // real mouse is used, so a stray variable cannot take the mouse's traffic elsewhere.
    const char* variable = std::getenv(kVirtualMouseVariable);
    if (variable != nullptr && vmouse::IsLoopbackAddress(variable))
        return Virtual(variable);
#ifdef _WIN32
    return std::make_unique<HidTransportWin32>();
#else
    return std::make_unique<HidTransportHidraw>();
#endif
}
