// The unattended run's session through kernel32: the local time and the
// named mutex of the machine-wide lock.
#pragma once

#include "wizard/unattended/RunPlatform.h"

namespace quispor::unattended::win32 {

class Win32RunSession final : public RunSession {
 public:
  void GetLocalTime(SystemTime* time) override;
  KernelHandle CreateMutexW(const char16_t* name, uint32_t* error) override;
  uint32_t CloseHandle(KernelHandle handle) override;
};

// The process-wide instance.
RunSession& SystemRunSession();

}  // namespace quispor::unattended::win32
