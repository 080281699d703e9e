// Files and folders with an owner, a DACL and attributes, behind the folder
// check and the ProgramData folders: paths compare without case;
// CreateDirectoryW answers 183 for anything that exists and 3 without the
// parent, and the new folder gets the DACL of the descriptor it was given,
// owned by the account that runs the program (Administrators, as an
// elevated administrator's new objects are). Starts with C:\ProgramData and
// a system directory owned by TrustedInstaller. Every call is recorded.
// The wizard's disk fake keeps its folders here, so both agree on which
// folders exist.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "trust/SafeFolder.h"

namespace kit::fakes {

struct NoCaseLessPath {
  bool operator()(const std::u16string& a, const std::u16string& b) const;
};

class FakeFolders : public kit::trust::FolderPlatform {
 public:
  static constexpr uint32_t kDirectory = 0x10;
  // A folder an administrator made where only administrators may add one
  // (its DACL inherited from a parent like Program Files).
  static constexpr char16_t kAdministratorsFolder[] =
      u"O:BAD:AI(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIID;0x1200a9;;;BU)";

  FakeFolders();

  std::u16string programData = u"C:\\ProgramData";
  uint32_t programDataError = 0;
  std::u16string systemDirectory = u"C:\\Windows\\system32";
  std::u16string creator = kit::trust::kSidAdministrators;
  struct Item {
    uint32_t attributes = kDirectory;
    kit::trust::ObjectSecurity security;
  };
  std::map<std::u16string, Item, NoCaseLessPath> items;
  // Paths whose owner and DACL cannot be read, with the error (5: a file
  // whose owner denied READ_CONTROL to everyone else).
  std::map<std::u16string, uint32_t, NoCaseLessPath> readErrors;
  std::vector<std::string> calls;

  // A folder (or, with attributes without kDirectory, a file) as another
  // account left it: its owner and DACL in SDDL.
  void Put(const std::u16string& path, std::u16string_view sddl = kAdministratorsFolder,
           uint32_t attributes = kDirectory);
  // Whether a folder (a junction counts: it is followed) stands at path.
  bool IsFolder(const std::u16string& path) const;

  uint32_t ReadOwnerAndDacl(const std::u16string& path, kit::trust::ObjectSecurity* security) override;
  std::u16string SystemDirectory() override { return systemDirectory; }
  uint32_t ProgramDataFolder(std::u16string* path) override;
  uint32_t CreateDirectoryW(const std::u16string& path, const char16_t* sddl) override;
  uint32_t GetFileAttributesW(const std::u16string& path, uint32_t* attributes) override;
};

}  // namespace kit::fakes
