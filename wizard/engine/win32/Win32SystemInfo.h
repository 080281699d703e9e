// kernel32's system facts behind the SystemInfo interface, call for call.
#pragma once

#include "wizard/engine/platform/SystemInfo.h"

namespace quispor::win32 {

class Win32SystemInfo final : public platform::SystemInfo {
 public:
  platform::ModuleHandle GetModuleHandleW(const char16_t* moduleName) override;
  platform::ProcAddress GetProcAddress(platform::ModuleHandle module, const char* procName) override;
  void GetNativeSystemInfo(platform::ProcAddress getNativeSystemInfo, platform::SystemInfoData* info) override;
  void GetSystemInfo(platform::SystemInfoData* info) override;
  uint32_t GetModuleFileNameW(platform::ModuleHandle module, char16_t* fileName, uint32_t size) override;
  uint32_t GetModuleFileNameA(platform::ModuleHandle module, char* fileName, uint32_t size) override;
  uint16_t GetSystemDefaultLangID() override;
};

}  // namespace quispor::win32
