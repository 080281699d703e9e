// kernel32's CopyFileW behind the FileCopy interface.
#pragma once

#include "wizard/engine/platform/FileCopy.h"

namespace quispor::win32 {

class Win32FileCopy final : public platform::FileCopy {
 public:
  uint32_t CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) override;
};

}  // namespace quispor::win32
