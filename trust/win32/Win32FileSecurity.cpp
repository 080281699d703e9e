#include "trust/win32/Win32FileSecurity.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "trust/win32/SystemLibrary.h"

namespace kit::trust::win32 {
namespace {

std::u16string SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (sid == nullptr || !ConvertSidToStringSidW(sid, &text)) return {};
  std::u16string out(reinterpret_cast<const char16_t*>(text));
  LocalFree(text);
  return out;
}

}  // namespace

uint32_t Win32FileSecurity::ReadOwnerAndDacl(const std::u16string& path, ObjectSecurity* security) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD error = GetNamedSecurityInfoW(reinterpret_cast<LPCWSTR>(path.c_str()), SE_FILE_OBJECT,
                                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                            nullptr, &dacl, nullptr, &descriptor);
  if (error != ERROR_SUCCESS) return error;
  *security = ObjectSecurity{};
  security->owner = SidText(owner);
  security->daclPresent = dacl != nullptr;
  for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    AccessEntry entry;
    entry.type = header->AceType;
    entry.flags = header->AceFlags;
    // Allowed and denied ACEs share this layout: the mask, then the SID.
    const auto* plain = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    entry.mask = plain->Mask;
    if (header->AceType == ACCESS_ALLOWED_ACE_TYPE || header->AceType == ACCESS_DENIED_ACE_TYPE ||
        header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE || header->AceType == ACCESS_DENIED_CALLBACK_ACE_TYPE) {
      entry.sid = SidText(const_cast<DWORD*>(&plain->SidStart));
    } else {
      // Object ACEs place the SID after optional GUIDs; with no SID read the
      // entry counts as one nobody trusts.
      const auto* object = static_cast<const ACCESS_ALLOWED_OBJECT_ACE*>(ace);
      const BYTE* sid = reinterpret_cast<const BYTE*>(&object->ObjectType);
      if (object->Flags & ACE_OBJECT_TYPE_PRESENT) sid += sizeof(GUID);
      if (object->Flags & ACE_INHERITED_OBJECT_TYPE_PRESENT) sid += sizeof(GUID);
      entry.sid = SidText(const_cast<BYTE*>(sid));
    }
    security->dacl.push_back(std::move(entry));
  }
  LocalFree(descriptor);
  return 0;
}

std::u16string Win32FileSecurity::SystemDirectory() {
  const std::wstring folder = win32::SystemDirectory();
  return std::u16string(folder.begin(), folder.end());
}

}  // namespace kit::trust::win32
