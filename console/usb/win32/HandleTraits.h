// The handle kinds the USB watcher holds, for the console's one move-only
// handle owner (console/win32/UniqueHandle.h).
#pragma once

#include <windows.h>

#include "console/win32/UniqueHandle.h"

namespace vantrel::win32 {

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle window) { DestroyWindow(window); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle module) { FreeLibrary(module); }
};

// Kernel objects that use no handle as "none" (events, threads, the port).
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace vantrel::win32
