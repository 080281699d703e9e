// A folder under ProgramData that a program running as administrator or as
// SYSTEM may write its files to: made by the program with a protected DACL,
// or, where it exists already, used only when nobody but the trusted
// accounts can change it and it is not a reparse point (a link a user made
// could send the writes anywhere).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "trust/FileSecurity.h"
#include "trust/FolderCheck.h"

namespace kit::trust {

inline constexpr uint32_t kFileAttributeReparsePoint = 0x400;  // FILE_ATTRIBUTE_REPARSE_POINT
inline constexpr uint32_t kErrorAlreadyExists = 183;

class FolderPlatform : public FileSecurity {
 public:
  // SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, ...): 0 and the
  // path without a trailing backslash, or the error.
  virtual uint32_t ProgramDataFolder(std::u16string* path) = 0;
  // CreateDirectoryW(path, attributes) with the security descriptor that
  // ConvertStringSecurityDescriptorToSecurityDescriptorW makes of sddl: 0,
  // 183 when the folder (or a file of that name) exists, or the error.
  virtual uint32_t CreateDirectoryW(const std::u16string& path, const char16_t* sddl) = 0;
  // GetFileAttributesW(path): 0 and the attributes, or the error.
  virtual uint32_t GetFileAttributesW(const std::u16string& path, uint32_t* attributes) = 0;
};

struct SafeFolder {
  std::u16string path;       // the folder, without a trailing backslash
  uint32_t error = 0;        // a call that failed (no ProgramData, a folder not made, a file in the way)
  std::u16string failedAt;   // the level the error, the finding or the reparse point is about
  Finding finding{Verdict::Safe, 0, {}};
  bool reparsePoint = false;

  bool usable() const { return error == 0 && finding.safe() && !reparsePoint; }
};

// ProgramData\levels[0]\levels[1]...: each level made with
// kProtectedFolderSddl when missing, each existing one checked.
SafeFolder PrepareProgramDataFolder(FolderPlatform& platform, const std::vector<std::u16string>& levels);

// A folder that exists already (one the program did not make), checked as
// PrepareProgramDataFolder checks an existing level: a folder, not a
// reparse point, that only the trusted accounts can change.
SafeFolder CheckExistingFolder(FolderPlatform& platform, const std::u16string& path);

// One English sentence for a folder that is not usable, naming the folder
// and why: "C:\ProgramData\Quispor is owned by S-1-5-21-...", "... is a
// reparse point", "... can be changed by S-1-5-11", "... cannot be made: 5".
std::u16string WhyNotUsable(const SafeFolder& folder);

}  // namespace kit::trust
