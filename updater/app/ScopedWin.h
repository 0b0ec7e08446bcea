#pragma once
// Owners of the updater's Win32 resources for one scope or one object's life: each gives back
// what it holds when it goes, and moves but never copies. The updater keeps its own (it shares
// no code with the configurator) with only the kinds it uses.

#include <windows.h>

#include <utility>

// A handle or GDI object, freed by FREE unless it is null.
template <typename T, auto kFree>
class Owned {
  public:
    Owned() noexcept = default;
    explicit Owned(T value) noexcept : value_(value) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : value_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    T Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != nullptr; }
    T Release() noexcept { return std::exchange(value_, nullptr); }
    void Reset(T value = nullptr) noexcept {
        if (value_ != nullptr && value_ != value)
            kFree(value_);
        value_ = value;
    }

  private:
    T value_ = nullptr;
};

// Threads, events and the single-instance mutex.
using ScopedHandle = Owned<HANDLE, CloseHandle>;
template <typename T>
void DeleteGdiObject(T object) noexcept {
    DeleteObject(object);
}
template <typename T>
using ScopedGdiObject = Owned<T, DeleteGdiObject<T>>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
// A memory device context.
using ScopedDC = Owned<HDC, DeleteDC>;

// The screen's device context, given back when it goes.
class ScopedScreenDC {
  public:
    ScopedScreenDC() noexcept : dc_(GetDC(nullptr)) {}
    ~ScopedScreenDC() {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    ScopedScreenDC(const ScopedScreenDC&) = delete;
    ScopedScreenDC& operator=(const ScopedScreenDC&) = delete;
    HDC Get() const noexcept { return dc_; }

  private:
    HDC dc_;
};

// An object selected into a device context until the end of the scope.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};
