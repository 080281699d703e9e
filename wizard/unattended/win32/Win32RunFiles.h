// The unattended run's files through kernel32.
#pragma once

#include "wizard/unattended/RunPlatform.h"

namespace quispor::unattended::win32 {

class Win32RunFiles final : public RunFiles {
 public:
  uint32_t CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition,
                       KernelHandle* file) override;
  uint32_t WriteFile(KernelHandle file, const void* data, uint32_t size, uint32_t* written) override;
  uint32_t CloseHandle(KernelHandle file) override;
  uint32_t CreateDirectoryW(const char16_t* path) override;
};

// The process-wide instance.
RunFiles& SystemRunFiles();

}  // namespace quispor::unattended::win32
