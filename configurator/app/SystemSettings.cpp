#include "app/SystemSettings.h"

#include <windows.h>

void ApplyToSystem(const WindowsSettings& settings) noexcept {
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, settings.doubleClickTime, nullptr,
                          SPIF_UPDATEINIFILE);
    // Windows reads the speed from the pointer argument; Wine reads the first argument: both
    // carry it.
    SystemParametersInfoW(SPI_SETMOUSESPEED, settings.mouseSpeed,
                          reinterpret_cast<void*>(static_cast<UINT_PTR>(settings.mouseSpeed)),
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    if (settings.wheelLines) {
        SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, *settings.wheelLines, nullptr,
                              SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    }
    int mouse[3] = {settings.mouse[0], settings.mouse[1], settings.mouse[2]};
    SystemParametersInfoW(SPI_SETMOUSE, 0, mouse, SPIF_UPDATEINIFILE);
}
