// The one decision both programs make before they load a component from a
// folder or write a file there with their rights: can anybody but SYSTEM,
// the Administrators and TrustedInstaller change it?
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "trust/FileSecurity.h"

namespace kit::trust {

// The rights that change an object: write data (add a file), append data
// (add a subfolder), delete, write the DACL, take ownership.
inline constexpr uint32_t kChangeRights = 0x00000002 | 0x00000004 | 0x00010000 | 0x00040000 | 0x00080000;

// A folder the programs make for their own files: SYSTEM and Administrators
// full control, Users read and execute, nothing inherited from the parent
// (the "P" flag protects the DACL).
inline constexpr char16_t kProtectedFolderSddl[] = u"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

enum class Verdict {
  Safe,             // only trusted accounts can change it
  OwnerNotTrusted,  // owned by an account that is not trusted
  UsersCanChange,   // the DACL lets an untrusted account or group change it
  Unreadable,       // its owner and DACL could not be read (error says why)
};

struct Finding {
  Verdict verdict = Verdict::Unreadable;
  uint32_t error = 0;   // Unreadable: the Windows error of the read
  std::u16string who;   // OwnerNotTrusted / UsersCanChange: the SID at fault

  bool safe() const { return verdict == Verdict::Safe; }
};

// Generic rights of an ACE mask mapped to the file rights they stand for.
uint32_t MapGenericFileRights(uint32_t mask);

// Judges one object's owner and DACL. systemDirectoryOwner is whoever the
// platform reports as the owner of the system directory: trusted too (Wine
// reports its user there; on Windows it is TrustedInstaller anyway).
Finding JudgeSecurity(const ObjectSecurity& object, std::u16string_view systemDirectoryOwner);

// Reads and judges paths, reading the system directory's owner once.
class FolderCheck {
 public:
  explicit FolderCheck(FileSecurity& security) : security_(security) {}
  Finding Check(const std::u16string& path);

 private:
  FileSecurity& security_;
  bool ownerRead_ = false;
  std::u16string systemDirectoryOwner_;
};

}  // namespace kit::trust
