// The driver's Windows handles, each owned by the one move-only owner
// parameterised by how a handle is closed and which value means "none".
#pragma once

#include <windows.h>

#include "console/win32/UniqueHandle.h"

namespace kit::e2e {

// The console's owner serves here too: it depends on nothing but <windows.h>.
template <typename Traits>
using UniqueHandle = vantrel::win32::UniqueHandle<Traits>;
using vantrel::win32::KernelHandleTraits;

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
