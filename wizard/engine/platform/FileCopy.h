// kernel32's file copy, shaped like CopyFileW so the Win32 adapter passes it
// straight through. The result is 0, or the GetLastError code taken right
// after the call.
#pragma once

#include <cstdint>

namespace quispor::platform {

class FileCopy {
 public:
  virtual ~FileCopy() = default;

  // CopyFileW(existingFileName, newFileName, failIfExists).
  virtual uint32_t CopyFileW(const char16_t* existingFileName, const char16_t* newFileName, bool failIfExists) = 0;
};

}  // namespace quispor::platform
