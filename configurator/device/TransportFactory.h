#pragma once
// Picks the transport a program talks to the mouse through.

#include <memory>
#include <string>

#include "device/HidTransport.h"

// The environment variable that sends every program to a virtual mouse ("HOST:PORT").
constexpr const char* kVirtualMouseVariable = "ORVA7100_VIRTUAL_MOUSE";

// `device` is "auto" (the virtual mouse when the environment names one on a loopback address,
// else the platform's
// HID: Windows HID on Windows, hidraw on Linux) or "virtual:HOST:PORT". Empty for anything
// else, or for a virtual address that does not parse.
std::unique_ptr<HidTransport> CreateHidTransport(const std::string& device = "auto");
