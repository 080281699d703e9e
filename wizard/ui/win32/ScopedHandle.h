// One move-only owner for the user-interface handles the program holds
// (icons); closing keeps the caller's last error.
#pragma once

#include <windows.h>

#include <utility>

namespace quispor::win32 {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Invalid));
    return *this;
  }

  [[nodiscard]] Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }

  void reset(Handle handle = Invalid) {
    if (handle_ != Invalid) {
      const DWORD lastError = GetLastError();
      Close(handle_);
      SetLastError(lastError);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

using ScopedIcon = ScopedHandle<HICON, &DestroyIcon>;

}  // namespace quispor::win32
