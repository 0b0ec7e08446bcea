#pragma once
// hiddriver.dll bound at run time by full path; its six exports use the caller-cleans C
// convention. Calls made while it is not bound fail (or do nothing).

#include <windows.h>

#include <string>

#include "logic/DriverLibrary.h"  // the interface, from the core

class CDriverLibrary : public IDriverLibrary {
  public:
    CDriverLibrary() = default;
    ~CDriverLibrary() override;
    CDriverLibrary(const CDriverLibrary&) = delete;
    CDriverLibrary& operator=(const CDriverLibrary&) = delete;

    // Loads the library and looks up all six exports; false (and nothing bound) when the
    // library or any export is missing.
    bool Load(const std::wstring& path);
    bool IsLoaded() const { return module_ != nullptr; }
    void Release();

    void OpenDevMonitor(WindowHandle window, unsigned arrivalMessage,
                        unsigned removalMessage) override;
    int OpenFeatureDevice() override;
    int SetFeature(uint8_t* report, size_t length) override;
    int GetFeature(uint8_t* report, size_t length) override;
    void CloseDevMonitor() override;
    void CloseFeatureDevice() override;

  private:
    using OpenDevMonitorFn = int(__cdecl*)(HWND, UINT, UINT);
    using OpenFeatureDeviceFn = int(__cdecl*)();
    using FeatureFn = int(__cdecl*)(unsigned char*, int);
    using CloseFn = void(__cdecl*)();

    HMODULE module_ = nullptr;
    OpenDevMonitorFn openDevMonitor_ = nullptr;
    OpenFeatureDeviceFn openFeatureDevice_ = nullptr;
    FeatureFn setFeature_ = nullptr;
    FeatureFn getFeature_ = nullptr;
    CloseFn closeDevMonitor_ = nullptr;
    CloseFn closeFeatureDevice_ = nullptr;
};
