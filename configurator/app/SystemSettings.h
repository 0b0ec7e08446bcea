#pragma once
// Hands a profile's pointer settings to Windows.

#include "app/logic/WindowsSettings.h"

void ApplyToSystem(const WindowsSettings& settings) noexcept;
