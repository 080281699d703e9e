#include "trust/SafeFolder.h"

namespace kit::trust {
namespace {

constexpr uint32_t kFileAttributeDirectory = 0x10;
constexpr uint32_t kErrorDirectory = 267;  // ERROR_DIRECTORY: a file stands where the folder should be

std::u16string Decimal(uint32_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

// Accepts a folder that existed before this run asked for it.
bool AcceptExisting(FolderPlatform& platform, FolderCheck& check, SafeFolder& folder) {
  uint32_t attributes = 0;
  if (const uint32_t error = platform.GetFileAttributesW(folder.failedAt, &attributes); error != 0) {
    folder.error = error;
    return false;
  }
  if (attributes & kFileAttributeReparsePoint) {
    folder.reparsePoint = true;
    return false;
  }
  if (!(attributes & kFileAttributeDirectory)) {
    folder.error = kErrorDirectory;
    return false;
  }
  folder.finding = check.Check(folder.failedAt);
  return folder.finding.safe();
}

}  // namespace

SafeFolder PrepareProgramDataFolder(FolderPlatform& platform, const std::vector<std::u16string>& levels) {
  SafeFolder folder;
  std::u16string path;
  if (const uint32_t error = platform.ProgramDataFolder(&path); error != 0 || path.empty()) {
    folder.error = error != 0 ? error : 2;
    return folder;
  }
  FolderCheck check(platform);
  for (const std::u16string& level : levels) {
    path += u'\\';
    path += level;
    folder.failedAt = path;
    const uint32_t made = platform.CreateDirectoryW(path, kProtectedFolderSddl);
    if (made == kErrorAlreadyExists) {
      if (!AcceptExisting(platform, check, folder)) return folder;
    } else if (made != 0) {
      folder.error = made;
      return folder;
    }
  }
  folder.path = path;
  folder.failedAt.clear();
  return folder;
}

SafeFolder CheckExistingFolder(FolderPlatform& platform, const std::u16string& path) {
  SafeFolder folder;
  folder.failedAt = path;
  FolderCheck check(platform);
  if (AcceptExisting(platform, check, folder)) {
    folder.path = path;
    folder.failedAt.clear();
  }
  return folder;
}

std::u16string WhyNotUsable(const SafeFolder& folder) {
  const std::u16string& where = folder.failedAt.empty() ? std::u16string(u"ProgramData") : folder.failedAt;
  if (folder.error != 0) {
    return folder.failedAt.empty() ? u"the ProgramData folder cannot be found: " + Decimal(folder.error)
                                   : where + u" cannot be made or used: " + Decimal(folder.error);
  }
  if (folder.reparsePoint) return where + u" is a reparse point (a link)";
  switch (folder.finding.verdict) {
    case Verdict::OwnerNotTrusted:
      return where + u" is owned by " + folder.finding.who + u", who is not an administrator";
    case Verdict::UsersCanChange:
      return where + u" can be changed by " + folder.finding.who + u", who is not an administrator";
    case Verdict::Unreadable:
      return where + u": its owner and rights cannot be read: " + Decimal(folder.finding.error);
    case Verdict::Safe:
      break;
  }
  return {};
}

}  // namespace kit::trust
