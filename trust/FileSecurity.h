// What the folder check asks of Windows: a file's or a folder's owner and
// DACL, as GetNamedSecurityInfoW reports them, with every SID in its string
// form ("S-1-5-18"). Only the adapter includes <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kit::trust {

// ACE types and flags as winnt.h numbers them.
inline constexpr uint8_t kAccessAllowedAce = 0;          // ACCESS_ALLOWED_ACE_TYPE
inline constexpr uint8_t kAccessDeniedAce = 1;           // ACCESS_DENIED_ACE_TYPE
inline constexpr uint8_t kAccessAllowedObjectAce = 5;    // ACCESS_ALLOWED_OBJECT_ACE_TYPE
inline constexpr uint8_t kAccessAllowedCallbackAce = 9;  // ACCESS_ALLOWED_CALLBACK_ACE_TYPE
inline constexpr uint8_t kAccessAllowedCallbackObjectAce = 11;
inline constexpr uint8_t kObjectInheritAce = 0x01;
inline constexpr uint8_t kContainerInheritAce = 0x02;
inline constexpr uint8_t kNoPropagateInheritAce = 0x04;
inline constexpr uint8_t kInheritOnlyAce = 0x08;
inline constexpr uint8_t kInheritedAce = 0x10;

// Well-known SIDs.
inline constexpr char16_t kSidEveryone[] = u"S-1-1-0";
inline constexpr char16_t kSidCreatorOwner[] = u"S-1-3-0";
inline constexpr char16_t kSidOwnerRights[] = u"S-1-3-4";
inline constexpr char16_t kSidAuthenticatedUsers[] = u"S-1-5-11";
inline constexpr char16_t kSidLocalSystem[] = u"S-1-5-18";
inline constexpr char16_t kSidAdministrators[] = u"S-1-5-32-544";
inline constexpr char16_t kSidUsers[] = u"S-1-5-32-545";
inline constexpr char16_t kSidTrustedInstaller[] =
    u"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

struct AccessEntry {
  uint8_t type = kAccessAllowedAce;
  uint8_t flags = 0;
  uint32_t mask = 0;
  std::u16string sid;
};

struct ObjectSecurity {
  std::u16string owner;
  // False for a NULL DACL, which grants everyone everything.
  bool daclPresent = true;
  std::vector<AccessEntry> dacl;  // in the order Windows evaluates them
};

class FileSecurity {
 public:
  virtual ~FileSecurity() = default;
  // GetNamedSecurityInfoW(path, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION |
  // DACL_SECURITY_INFORMATION, ...), the SIDs through ConvertSidToStringSidW:
  // 0 and the result in *security, or the Windows error (2 for a path that
  // does not exist).
  virtual uint32_t ReadOwnerAndDacl(const std::u16string& path, ObjectSecurity* security) = 0;
  // GetSystemDirectoryW: the system directory, empty when it cannot be had.
  virtual std::u16string SystemDirectory() = 0;
};

}  // namespace kit::trust
