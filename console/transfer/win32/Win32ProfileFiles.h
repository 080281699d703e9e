// Whole files read and written with CreateFileA, ReadFile and WriteFile;
// backup files through Win32BackupFiles.
#pragma once

#include "console/transfer/ProfileTransfer.h"

namespace vantrel::win32 {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::vector<std::uint8_t> Read(const std::string& path, std::size_t maxBytes) override;
  void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
  std::string WriteBackup(const std::vector<std::uint8_t>& bytes) override;
};

}  // namespace vantrel::win32
