// advapi32's enumeration and value reads behind the Registry interface.
#include <windows.h>

#include "trust/win32/SystemLibrary.h"
#include "wizard/engine/win32/Win32Registry.h"

namespace quispor::win32 {
namespace {

HKEY ToHkey(platform::RegHandle key) { return reinterpret_cast<HKEY>(key); }

using RegGetValueWFn = decltype(&::RegGetValueW);

}  // namespace

static_assert(platform::kRrfRtRegSz == RRF_RT_REG_SZ);
static_assert(platform::kRrfRtRegBinary == RRF_RT_REG_BINARY);
static_assert(platform::kRrfRtRegDword == RRF_RT_REG_DWORD);
static_assert(platform::kErrorMoreData == ERROR_MORE_DATA);
static_assert(sizeof(DWORD) == sizeof(uint32_t));

uint32_t Win32Registry::RegEnumKeyExW(platform::RegHandle key, uint32_t index, char16_t* name, uint32_t* nameLength,
                                      uint32_t* reserved, char16_t* keyClass, uint32_t* classLength,
                                      void* lastWriteTime) {
  return static_cast<uint32_t>(::RegEnumKeyExW(ToHkey(key), index, reinterpret_cast<LPWSTR>(name),
                                               reinterpret_cast<LPDWORD>(nameLength),
                                               reinterpret_cast<LPDWORD>(reserved), reinterpret_cast<LPWSTR>(keyClass),
                                               reinterpret_cast<LPDWORD>(classLength),
                                               static_cast<PFILETIME>(lastWriteTime)));
}

platform::ProcAddress Win32Registry::FindRegGetValueW() {
  HMODULE advapi = ::GetModuleHandleW(L"advapi32.dll");
  if (advapi == nullptr) {
    return nullptr;
  }
  return kit::trust::win32::ExportAddress(advapi, "RegGetValueW");
}

uint32_t Win32Registry::RegGetValueW(platform::ProcAddress regGetValueW, platform::RegHandle key,
                                     const char16_t* subKey, const char16_t* value, uint32_t flags, uint32_t* type,
                                     void* data, uint32_t* dataSize) {
  const auto fn = kit::trust::win32::AsFunction<RegGetValueWFn>(regGetValueW);
  return static_cast<uint32_t>(fn(ToHkey(key), reinterpret_cast<LPCWSTR>(subKey), reinterpret_cast<LPCWSTR>(value),
                                  flags, reinterpret_cast<LPDWORD>(type), data,
                                  reinterpret_cast<LPDWORD>(dataSize)));
}

uint32_t Win32Registry::RegQueryValueExW(platform::RegHandle key, const char16_t* valueName, uint32_t* reserved,
                                         uint32_t* type, uint8_t* data, uint32_t* dataSize) {
  return static_cast<uint32_t>(::RegQueryValueExW(ToHkey(key), reinterpret_cast<LPCWSTR>(valueName),
                                                  reinterpret_cast<LPDWORD>(reserved),
                                                  reinterpret_cast<LPDWORD>(type), data,
                                                  reinterpret_cast<LPDWORD>(dataSize)));
}

}  // namespace quispor::win32
