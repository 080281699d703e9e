// BackupFileSystem on Windows: the local time, and a file created only
// where nothing of its name exists.
#pragma once

#include "console/transfer/BackupFile.h"

namespace vantrel::win32 {

class Win32BackupFiles final : public BackupFileSystem {
 public:
  LocalTime Now() override;
  std::uint32_t WriteNewFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) override;
};

}  // namespace vantrel::win32
