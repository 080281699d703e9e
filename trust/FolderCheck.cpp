#include "trust/FolderCheck.h"

#include <map>

namespace kit::trust {
namespace {

constexpr uint32_t kGenericRead = 0x80000000;
constexpr uint32_t kGenericWrite = 0x40000000;
constexpr uint32_t kGenericExecute = 0x20000000;
constexpr uint32_t kGenericAll = 0x10000000;
constexpr uint32_t kFileGenericRead = 0x00120089;
constexpr uint32_t kFileGenericWrite = 0x00120116;
constexpr uint32_t kFileGenericExecute = 0x001200A0;
constexpr uint32_t kFileAllAccess = 0x001F01FF;

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameSid(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::u16string Folded(std::u16string_view sid) {
  std::u16string out(sid);
  for (char16_t& c : out) c = FoldAscii(c);
  return out;
}

bool Trusted(std::u16string_view sid, std::u16string_view systemDirectoryOwner) {
  for (const char16_t* trusted : {kSidLocalSystem, kSidAdministrators, kSidTrustedInstaller}) {
    if (SameSid(sid, trusted)) return true;
  }
  return !systemDirectoryOwner.empty() && SameSid(sid, systemDirectoryOwner);
}

// Groups every standard user's token carries: a deny for one of them holds
// for any account an allow may name.
bool EveryUser(std::u16string_view sid) {
  return SameSid(sid, kSidEveryone) || SameSid(sid, kSidAuthenticatedUsers) || SameSid(sid, kSidUsers);
}

bool Allows(uint8_t type) {
  // The object and callback forms grant as much as the plain one may.
  return type == kAccessAllowedAce || type == kAccessAllowedObjectAce || type == kAccessAllowedCallbackAce ||
         type == kAccessAllowedCallbackObjectAce;
}

}  // namespace

uint32_t MapGenericFileRights(uint32_t mask) {
  uint32_t mapped = mask & ~(kGenericRead | kGenericWrite | kGenericExecute | kGenericAll);
  if (mask & kGenericRead) mapped |= kFileGenericRead;
  if (mask & kGenericWrite) mapped |= kFileGenericWrite;
  if (mask & kGenericExecute) mapped |= kFileGenericExecute;
  if (mask & kGenericAll) mapped |= kFileAllAccess;
  return mapped;
}

Finding JudgeSecurity(const ObjectSecurity& object, std::u16string_view systemDirectoryOwner) {
  if (!Trusted(object.owner, systemDirectoryOwner)) {
    return {Verdict::OwnerNotTrusted, 0, object.owner};
  }
  if (!object.daclPresent) {
    return {Verdict::UsersCanChange, 0, kSidEveryone};
  }
  // Windows reads the entries in order: a right denied before it is allowed
  // stays denied.
  uint32_t deniedToEveryUser = 0;
  std::map<std::u16string, uint32_t> deniedTo;
  for (const AccessEntry& entry : object.dacl) {
    if (entry.flags & kInheritOnlyAce) continue;  // grants nothing on the object itself
    const uint32_t rights = MapGenericFileRights(entry.mask);
    if (entry.type == kAccessDeniedAce) {
      if (EveryUser(entry.sid)) {
        deniedToEveryUser |= rights;
      } else {
        deniedTo[Folded(entry.sid)] |= rights;
      }
      continue;
    }
    // OWNER RIGHTS stands for the owner, trusted by now.
    if (!Allows(entry.type) || Trusted(entry.sid, systemDirectoryOwner) || SameSid(entry.sid, kSidOwnerRights)) {
      continue;
    }
    const auto denied = deniedTo.find(Folded(entry.sid));
    const uint32_t granted =
        rights & ~deniedToEveryUser & ~(denied != deniedTo.end() ? denied->second : 0u);
    if (granted & kChangeRights) {
      return {Verdict::UsersCanChange, 0, entry.sid};
    }
  }
  return {Verdict::Safe, 0, {}};
}

Finding FolderCheck::Check(const std::u16string& path) {
  if (!ownerRead_) {
    ownerRead_ = true;
    ObjectSecurity system;
    const std::u16string folder = security_.SystemDirectory();
    if (!folder.empty() && security_.ReadOwnerAndDacl(folder, &system) == 0) {
      systemDirectoryOwner_ = system.owner;
    }
  }
  ObjectSecurity object;
  if (const uint32_t error = security_.ReadOwnerAndDacl(path, &object); error != 0) {
    return {Verdict::Unreadable, error, {}};
  }
  return JudgeSecurity(object, systemDirectoryOwner_);
}

}  // namespace kit::trust
