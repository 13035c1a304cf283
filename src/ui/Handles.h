// Owners of kernel and registry handles: the handle is closed when its owner
// goes away. Owners move, never copy.
#pragma once

#include <windows.h>

// Owns a handle of type H that Close releases; Null is the value that stands
// for "no handle" (INVALID_HANDLE_VALUE for files, null for the rest).
template <class H, auto Close, H (*Null)() = nullptr>
class TOwnedHandle {
public:
  TOwnedHandle() = default;
  explicit TOwnedHandle(H handle) : FHandle(handle) {}
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != NullValue(); }
  // The handle's address, for functions that give a handle back through it;
  // whatever was held before is released first.
  H* Receive() {
    Reset();
    return &FHandle;
  }
  // Gives up ownership without closing.
  H Release() {
    H h = FHandle;
    FHandle = NullValue();
    return h;
  }
  // Closes the owned handle and takes handle instead.
  void Reset(H handle = NullValue()) {
    if (FHandle != NullValue() && FHandle != handle) Close(FHandle);
    FHandle = handle;
  }

private:
  static H NullValue() {
    if constexpr (Null != nullptr) return Null();
    return H{};
  }
  H FHandle = NullValue();
};

inline HANDLE InvalidHandleValue() { return INVALID_HANDLE_VALUE; }

// An event, thread or other kernel object (null when absent).
using THandleObject = TOwnedHandle<HANDLE, CloseHandle>;
// A file or folder opened with CreateFile (INVALID_HANDLE_VALUE when absent).
using TFileHandle = TOwnedHandle<HANDLE, CloseHandle, InvalidHandleValue>;
// An open registry key.
using TRegKeyObject = TOwnedHandle<HKEY, RegCloseKey>;
