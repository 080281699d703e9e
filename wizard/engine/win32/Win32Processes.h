// kernel32's process start and wait behind the Processes interface, call for
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
  uint32_t CloseHandle(platform::KernelHandle handle) override;
};

}  // namespace quispor::win32
