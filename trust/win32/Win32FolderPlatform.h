// FolderPlatform on Windows: ProgramData from the known-folder API, folders
// made with a security descriptor, attributes as GetFileAttributesW gives
// them.
#pragma once

#include "trust/SafeFolder.h"
#include "trust/win32/Win32FileSecurity.h"

namespace kit::trust::win32 {

class Win32FolderPlatform final : public FolderPlatform {
 public:
  uint32_t ReadOwnerAndDacl(const std::u16string& path, ObjectSecurity* security) override {
    return files_.ReadOwnerAndDacl(path, security);
  }
  std::u16string SystemDirectory() override { return files_.SystemDirectory(); }
  uint32_t ProgramDataFolder(std::u16string* path) override;
  uint32_t CreateDirectoryW(const std::u16string& path, const char16_t* sddl) override;
  uint32_t GetFileAttributesW(const std::u16string& path, uint32_t* attributes) override;

 private:
  Win32FileSecurity files_;
};

}  // namespace kit::trust::win32
