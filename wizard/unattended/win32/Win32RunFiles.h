// The unattended run's files through kernel32, and its log folder through
// the trust adapter.
#pragma once

#include "trust/win32/Win32FolderPlatform.h"
#include "wizard/unattended/RunPlatform.h"

namespace quispor::unattended::win32 {

class Win32RunFiles final : public RunFiles {
 public:
  uint32_t CreateFileW(const char16_t* path, uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags,
                       KernelHandle* file) override;
  uint32_t GetFileInformationByHandle(KernelHandle file, uint32_t* attributes, uint32_t* links) override;
  uint32_t SetEndOfFile(KernelHandle file) override;
  uint32_t WriteFile(KernelHandle file, const void* data, uint32_t size, uint32_t* written) override;
  uint32_t CloseHandle(KernelHandle file) override;
  kit::trust::FolderPlatform& Folders() override { return folders_; }

 private:
  kit::trust::win32::Win32FolderPlatform folders_;
};

// The process-wide instance.
RunFiles& SystemRunFiles();

}  // namespace quispor::unattended::win32
