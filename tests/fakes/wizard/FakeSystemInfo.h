// The kernel facts of a Windows machine as a test sets them: processor
// architecture, whether kernel32 exports GetNativeSystemInfo, the program's
// path (cut as Windows Vista and later cut it), the default language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wizard/engine/platform/SystemInfo.h"

namespace kit::fakes {

class FakeSystemInfo : public quispor::platform::SystemInfo {
 public:
  uint16_t nativeArchitecture = quispor::platform::kProcessorArchitectureAmd64;
  // What GetSystemInfo reports (a 32-bit program on 64-bit Windows sees 0).
  uint16_t reportedArchitecture = quispor::platform::kProcessorArchitectureAmd64;
  bool exportsGetNativeSystemInfo = true;
  std::u16string moduleFileName = u"C:\\Kit\\setup.exe";
  std::string moduleFileNameA;  // empty: moduleFileName with "?" for non-ASCII
  uint16_t systemDefaultLangId = 0x0409;
  std::vector<std::string> calls;

  quispor::platform::ModuleHandle GetModuleHandleW(const char16_t* moduleName) override;
  quispor::platform::ProcAddress GetProcAddress(quispor::platform::ModuleHandle module, const char* procName) override;
  void GetNativeSystemInfo(quispor::platform::ProcAddress getNativeSystemInfo,
                           quispor::platform::SystemInfoData* info) override;
  void GetSystemInfo(quispor::platform::SystemInfoData* info) override;
  uint32_t GetModuleFileNameW(quispor::platform::ModuleHandle module, char16_t* fileName, uint32_t size) override;
  uint32_t GetModuleFileNameA(quispor::platform::ModuleHandle module, char* fileName, uint32_t size) override;
  uint16_t GetSystemDefaultLangID() override;

 private:
  int kernel32_ = 0;          // its address is the module handle
  int getNativeSystemInfo_ = 0;  // its address is the procedure
};

}  // namespace kit::fakes
