// FileSecurity on Windows: reads a file's owner and DACL, nothing else.
#pragma once

#include "trust/FileSecurity.h"

namespace kit::trust::win32 {

class Win32FileSecurity final : public FileSecurity {
 public:
  uint32_t ReadOwnerAndDacl(const std::u16string& path, ObjectSecurity* security) override;
  std::u16string SystemDirectory() override;
};

}  // namespace kit::trust::win32
