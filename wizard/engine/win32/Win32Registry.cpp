#include "wizard/engine/win32/Win32Registry.h"

#include <windows.h>

namespace quispor::win32 {
namespace {

HKEY ToHkey(platform::RegHandle key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

static_assert(sizeof(platform::RegHandle) == sizeof(HKEY));
static_assert(platform::kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(platform::kRegOptionNonVolatile == REG_OPTION_NON_VOLATILE);

uint32_t Win32Registry::RegCreateKeyExW(platform::RegHandle key, const char16_t* subKey, uint32_t reserved,
                                        char16_t* keyClass, uint32_t options, uint32_t samDesired,
                                        const void* securityAttributes, platform::RegHandle* result,
                                        uint32_t* disposition) {
  HKEY opened = nullptr;
  DWORD how = 0;
  const LSTATUS status = ::RegCreateKeyExW(
      ToHkey(key), reinterpret_cast<LPCWSTR>(subKey), reserved, reinterpret_cast<LPWSTR>(keyClass), options,
      samDesired, static_cast<LPSECURITY_ATTRIBUTES>(const_cast<void*>(securityAttributes)), &opened,
      disposition != nullptr ? &how : nullptr);
  if (status == ERROR_SUCCESS && result != nullptr) {
    *result = reinterpret_cast<platform::RegHandle>(opened);
  }
  if (status == ERROR_SUCCESS && disposition != nullptr) {
    *disposition = how;
  }
  return static_cast<uint32_t>(status);
}

uint32_t Win32Registry::RegOpenKeyExW(platform::RegHandle key, const char16_t* subKey, uint32_t options,
                                      uint32_t samDesired, platform::RegHandle* result) {
  HKEY opened = nullptr;
  const LSTATUS status =
      ::RegOpenKeyExW(ToHkey(key), reinterpret_cast<LPCWSTR>(subKey), options, samDesired, &opened);
  if (status == ERROR_SUCCESS) {
    *result = reinterpret_cast<platform::RegHandle>(opened);
  }
  return static_cast<uint32_t>(status);
}

uint32_t Win32Registry::RegCloseKey(platform::RegHandle key) {
  return static_cast<uint32_t>(::RegCloseKey(ToHkey(key)));
}

}  // namespace quispor::win32
