#pragma once
// One owner for every kind of system handle: holds a value, frees it with FREE when it goes or
// is replaced, and moves but never copies, so that each handle is freed exactly once on every
// path out of a scope. Portable; the Win32 kinds are named in base/ScopedHandle.h and
// skin/ScopedWin.h.

#include <utility>

template <typename T, typename Free, T kEmpty = T{}>
class ScopedOwner {
  public:
    ScopedOwner() noexcept = default;
    explicit ScopedOwner(T value) noexcept : value_(value) {}
    ~ScopedOwner() { Reset(); }
    ScopedOwner(ScopedOwner&& other) noexcept : value_(other.Release()) {}
    ScopedOwner& operator=(ScopedOwner&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ScopedOwner(const ScopedOwner&) = delete;
    ScopedOwner& operator=(const ScopedOwner&) = delete;

    T Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != kEmpty; }
    // Gives the value up without freeing it.
    T Release() noexcept { return std::exchange(value_, kEmpty); }
    // Frees what it holds and takes VALUE instead.
    void Reset(T value = kEmpty) noexcept {
        if (value_ != kEmpty)
            Free{}(value_);
        value_ = value;
    }

  private:
    T value_ = kEmpty;
};
