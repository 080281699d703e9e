// One move-only owner for the driver's Windows handles, parameterised by how a
// handle is closed and which value means "none".
#pragma once

#include <windows.h>

namespace kit::e2e {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }

  Handle release() {
    Handle h = handle_;
    handle_ = Traits::Invalid();
    return h;
  }
  // Closes the old handle first; closing keeps the caller's last error, so
  // cleanup on an error path does not hide the error being reported.
  void reset(Handle h = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) {
      const DWORD lastError = GetLastError();
      Traits::Close(handle_);
      SetLastError(lastError);
    }
    handle_ = h;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};
struct ScreenDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ReleaseDC(nullptr, h); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};
struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueScreenDc = UniqueHandle<ScreenDcTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

}  // namespace kit::e2e
