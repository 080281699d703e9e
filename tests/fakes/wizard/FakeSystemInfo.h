// The kernel facts of a Windows machine as a test sets them: processor
// architecture, whether kernel32 exports GetNativeSystemInfo, the program's
// path (cut as Windows Vista and later cut it), the default language; and
// an unattended run's session: the local time, and named mutexes (names
// with case, as kernel objects have them) that live while a handle is open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <map>

#include "wizard/engine/platform/SystemInfo.h"
#include "wizard/unattended/RunPlatform.h"

namespace kit::fakes {

class FakeSystemInfo : public quispor::platform::SystemInfo, public quispor::unattended::RunSession {
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

  quispor::unattended::SystemTime localTime{2026, 12, 3, 9, 17, 41, 2, 0};
  // Open handles per mutex name; a name another account's run made cannot
  // be opened (5).
  std::map<std::u16string, int> mutexes;
  std::vector<std::u16string> foreignMutexes;
  void GetLocalTime(quispor::unattended::SystemTime* time) override { *time = localTime; }
  quispor::unattended::KernelHandle CreateMutexW(const char16_t* name, uint32_t* error) override;
  uint32_t CloseHandle(quispor::unattended::KernelHandle handle) override;

 private:
  int kernel32_ = 0;          // its address is the module handle
  int getNativeSystemInfo_ = 0;  // its address is the procedure
  std::map<quispor::unattended::KernelHandle, std::u16string> mutexHandles_;
  quispor::unattended::KernelHandle nextHandle_ = 0x9000;
};

}  // namespace kit::fakes
