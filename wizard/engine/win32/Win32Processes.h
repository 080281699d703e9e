// kernel32's process start, wait, exit code and message texts behind the Processes interface, call for
// call.
#pragma once

#include "wizard/engine/platform/Processes.h"

namespace quispor::win32 {

class Win32Processes final : public platform::Processes {
 public:
  uint32_t CreateProcessW(const char16_t* applicationName, char16_t* commandLine, const void* processAttributes,
                          const void* threadAttributes, bool inheritHandles, uint32_t creationFlags,
                          const void* environment, const char16_t* currentDirectory,
                          const platform::StartupInfoW* startupInfo,
                          platform::ProcessInformation* processInformation) override;
  uint32_t WaitForSingleObject(platform::KernelHandle handle, uint32_t milliseconds) override;
  uint32_t GetExitCodeProcess(platform::KernelHandle process, uint32_t* exitCode) override;
  uint32_t CloseHandle(platform::KernelHandle handle) override;
  uint32_t FormatMessageW(uint32_t flags, uint32_t messageId, uint32_t languageId, char16_t* buffer,
                          uint32_t size) override;
};

}  // namespace quispor::win32
