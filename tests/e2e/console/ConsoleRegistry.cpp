#include "tests/e2e/console/ConsoleRegistry.h"

#include <aclapi.h>

#include <string>

namespace vantrel::e2e {
namespace {

REGSAM g_view = 0;

std::wstring Path(const std::wstring& subKey) {
  return subKey.empty() ? std::wstring(kClassKeyPath) : std::wstring(kClassKeyPath) + L"\\" + subKey;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

class Key {
 public:
  Key(const std::wstring& subKey, REGSAM access, bool create) {
    const std::wstring path = Path(subKey);
    rc_ = create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, access | g_view,
                                   nullptr, &key_, nullptr)
                 : RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access | g_view, &key_);
  }
  ~Key() {
    if (rc_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  bool ok() const { return rc_ == ERROR_SUCCESS; }
  LONG rc() const { return rc_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LONG rc_ = ERROR_INVALID_HANDLE;
};

bool SetEveryoneAccess(const std::wstring& subKey, DWORD rights) {
  Key key(subKey, WRITE_DAC, false);
  if (!key.ok()) return false;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    return false;
  }
  alignas(DWORD) BYTE aclBuffer[256];
  auto* acl = reinterpret_cast<PACL>(aclBuffer);
  SECURITY_DESCRIPTOR sd;
  const bool ok = InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, rights, everyone) &&
                  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
                  SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE) &&
                  RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
  FreeSid(everyone);
  return ok;
}

}  // namespace

void UseRegistryView(REGSAM view) { g_view = view; }

void ClearProfiles() {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kClassKeyPath, 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS) continue;
    RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kClassKeyPath, view, 0);
  }
}

RawValues ReadValues(const std::wstring& subKey, REGSAM view) {
  RawValues values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path(subKey).c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
    return values;
  }
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(65536);
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(name.size());
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueW(key, i, name.data(), &nameLen, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    values.emplace_back(std::wstring(name.data(), nameLen), RawValue{type, {data.begin(), data.begin() + size}});
  }
  RegCloseKey(key);
  return values;
}

void PutSz(const std::wstring& subKey, const std::wstring& name, const std::wstring& data) {
  Key key(subKey, KEY_ALL_ACCESS, true);
  ASSERT_TRUE(key.ok()) << key.rc();
  ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void PutDword(const std::wstring& subKey, const std::wstring& name, DWORD data) {
  Key key(subKey, KEY_ALL_ACCESS, true);
  ASSERT_TRUE(key.ok()) << key.rc();
  ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&data), sizeof data),
            ERROR_SUCCESS);
}

bool KeyExists(const std::wstring& subKey) { return Key(subKey, KEY_READ, false).ok(); }

std::vector<std::wstring> SubkeyNames(const std::wstring& subKey) {
  std::vector<std::wstring> names;
  Key key(subKey, KEY_READ, false);
  wchar_t name[256];
  for (DWORD i = 0; key.ok(); ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, len);
  }
  return names;
}

std::vector<std::wstring> ValueNames(const std::wstring& subKey) {
  std::vector<std::wstring> names;
  Key key(subKey, KEY_READ, false);
  wchar_t name[16384];
  for (DWORD i = 0; key.ok(); ++i) {
    DWORD len = 16384;
    if (RegEnumValueW(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, len);
  }
  return names;
}

::testing::AssertionResult HasSz(const std::wstring& subKey, const std::wstring& name,
                                 const std::wstring& expected) {
  Key key(subKey, KEY_READ, false);
  if (!key.ok()) return ::testing::AssertionFailure() << "key does not open: " << key.rc();
  DWORD type = 0xdeadbeef;
  BYTE data[4096];
  DWORD size = sizeof data;
  const LONG rc = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data, &size);
  if (rc != ERROR_SUCCESS) {
    return ::testing::AssertionFailure() << "'" << Narrow(name) << "' reads " << rc;
  }
  if (type != REG_SZ) {
    return ::testing::AssertionFailure() << "'" << Narrow(name) << "' has type " << type;
  }
  // The console writes the terminating zero.
  const std::wstring got(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
  const std::wstring want = expected + L'\0';
  if (got != want) {
    return ::testing::AssertionFailure() << "'" << Narrow(name) << "' holds \"" << Narrow(got)
                                         << "\" (" << size << " bytes), expected \""
                                         << Narrow(expected) << "\" with terminator";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasDword(const std::wstring& subKey, const std::wstring& name,
                                    DWORD expected) {
  Key key(subKey, KEY_READ, false);
  if (!key.ok()) return ::testing::AssertionFailure() << "key does not open: " << key.rc();
  DWORD type = 0xdeadbeef;
  DWORD data = 0xdeadbeef;
  DWORD size = sizeof data;
  const LONG rc = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(&data), &size);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != 4 || data != expected) {
    return ::testing::AssertionFailure() << "'" << Narrow(name) << "': rc " << rc << ", type "
                                         << type << ", size " << size << ", data " << data
                                         << ", expected " << expected;
  }
  return ::testing::AssertionSuccess();
}

bool MakeReadOnly(const std::wstring& subKey) { return SetEveryoneAccess(subKey, KEY_READ); }
bool MakeWritable(const std::wstring& subKey) { return SetEveryoneAccess(subKey, KEY_ALL_ACCESS); }

}  // namespace vantrel::e2e
