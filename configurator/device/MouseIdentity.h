#pragma once
// Who the mouse is on the USB bus, for every part of this side that looks for it (the
// configurator's link, the updater's driver library, the command-line tool): its vendor and
// product ids, and the same ids as the upper-case hex digits of its device-interface names
// ("\\?\HID#VID_04B4&PID_1224#...").

#include <cstdint>

constexpr uint16_t kMouseVendorId = 0x04B4;
constexpr uint16_t kMouseProductId = 0x1224;

// Literals, so that a whole interface name can be spelled from them at compile time.
#define ORVA_MOUSE_VENDOR_TEXT u"04B4"
#define ORVA_MOUSE_PRODUCT_TEXT u"1224"
constexpr const char16_t* kMouseVendorText = ORVA_MOUSE_VENDOR_TEXT;
constexpr const char16_t* kMouseProductText = ORVA_MOUSE_PRODUCT_TEXT;
