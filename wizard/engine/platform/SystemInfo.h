// Kernel facts the wizard asks for, shaped like kernel32 so the Win32 adapter
// passes them straight through.
#pragma once

#include <cstdint>

namespace quispor::platform {

using ModuleHandle = void*;      // HMODULE
using ProcAddress = const void*; // FARPROC, only ever passed back to the adapter

inline constexpr uint16_t kProcessorArchitectureIntel = 0;
inline constexpr uint16_t kProcessorArchitectureIa64 = 6;
inline constexpr uint16_t kProcessorArchitectureAmd64 = 9;
inline constexpr uint16_t kProcessorArchitectureArm64 = 12;

// SYSTEM_INFO, field for field (the adapter checks the layout).
struct SystemInfoData {
  uint16_t wProcessorArchitecture;
  uint16_t wReserved;
  uint32_t dwPageSize;
  void* lpMinimumApplicationAddress;
  void* lpMaximumApplicationAddress;
  std::uintptr_t dwActiveProcessorMask;
  uint32_t dwNumberOfProcessors;
  uint32_t dwProcessorType;
  uint32_t dwAllocationGranularity;
  uint16_t wProcessorLevel;
  uint16_t wProcessorRevision;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  // GetModuleHandleW(moduleName): null when the module is not loaded.
  virtual ModuleHandle GetModuleHandleW(const char16_t* moduleName) = 0;
  // GetProcAddress(module, procName): null when there is no such export.
  virtual ProcAddress GetProcAddress(ModuleHandle module, const char* procName) = 0;
  // Calls the GetNativeSystemInfo that GetProcAddress returned.
  virtual void GetNativeSystemInfo(ProcAddress getNativeSystemInfo, SystemInfoData* info) = 0;
  // GetSystemInfo(info).
  virtual void GetSystemInfo(SystemInfoData* info) = 0;

  // GetModuleFileNameW(module, fileName, size) and its ANSI twin: the length
  // copied without terminator; size when the path was cut (then size - 1
  // characters and a terminator, as Windows Vista and later do); 0 on failure.
  virtual uint32_t GetModuleFileNameW(ModuleHandle module, char16_t* fileName, uint32_t size) = 0;
  virtual uint32_t GetModuleFileNameA(ModuleHandle module, char* fileName, uint32_t size) = 0;

  // GetSystemDefaultLangID().
  virtual uint16_t GetSystemDefaultLangID() = 0;
};

}  // namespace quispor::platform
