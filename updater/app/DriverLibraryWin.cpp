#include "app/DriverLibraryWin.h"

#include <limits>

namespace {

template <typename Function>
Function Bind(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

CDriverLibrary::~CDriverLibrary() {
    Release();
}

bool CDriverLibrary::Load(const std::wstring& path) {
    Release();
    // Its own dependencies are looked for beside it, not in the current folder.
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr)
        return false;
    openDevMonitor_ = Bind<OpenDevMonitorFn>(module, "Open_DevMonitor");
    openFeatureDevice_ = Bind<OpenFeatureDeviceFn>(module, "Open_FeatureDevice");
    setFeature_ = Bind<FeatureFn>(module, "SetFeature");
    getFeature_ = Bind<FeatureFn>(module, "GetFeature");
    closeDevMonitor_ = Bind<CloseFn>(module, "Close_DevMonitor");
    closeFeatureDevice_ = Bind<CloseFn>(module, "Close_FeatureDevice");
    module_ = module;
    if (!openDevMonitor_ || !openFeatureDevice_ || !setFeature_ || !getFeature_ ||
        !closeDevMonitor_ || !closeFeatureDevice_) {
        Release();
        return false;
    }
    return true;
}

void CDriverLibrary::Release() {
    if (module_ != nullptr)
        FreeLibrary(module_);
    module_ = nullptr;
    openDevMonitor_ = nullptr;
    openFeatureDevice_ = nullptr;
    setFeature_ = nullptr;
    getFeature_ = nullptr;
    closeDevMonitor_ = nullptr;
    closeFeatureDevice_ = nullptr;
}

void CDriverLibrary::OpenDevMonitor(WindowHandle window, unsigned arrivalMessage,
                                    unsigned removalMessage) {
    if (openDevMonitor_ != nullptr)
        openDevMonitor_(static_cast<HWND>(window), arrivalMessage, removalMessage);
}

int CDriverLibrary::OpenFeatureDevice() {
    return openFeatureDevice_ != nullptr ? openFeatureDevice_() : 0;
}

int CDriverLibrary::SetFeature(uint8_t* report, size_t length) {
    if (setFeature_ == nullptr || length > static_cast<size_t>(std::numeric_limits<int>::max()))
        return 0;
    return setFeature_(report, static_cast<int>(length));
}

int CDriverLibrary::GetFeature(uint8_t* report, size_t length) {
    if (getFeature_ == nullptr || length > static_cast<size_t>(std::numeric_limits<int>::max()))
        return 0;
    return getFeature_(report, static_cast<int>(length));
}

void CDriverLibrary::CloseDevMonitor() {
    if (closeDevMonitor_ != nullptr)
        closeDevMonitor_();
}

void CDriverLibrary::CloseFeatureDevice() {
    if (closeFeatureDevice_ != nullptr)
        closeFeatureDevice_();
}
