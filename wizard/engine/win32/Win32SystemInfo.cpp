#include "wizard/engine/win32/Win32SystemInfo.h"

#include <windows.h>

#include <cstddef>

#include "trust/win32/SystemLibrary.h"

namespace quispor::win32 {

static_assert(sizeof(platform::SystemInfoData) == sizeof(SYSTEM_INFO));
static_assert(offsetof(platform::SystemInfoData, dwActiveProcessorMask) == offsetof(SYSTEM_INFO, dwActiveProcessorMask));
static_assert(offsetof(platform::SystemInfoData, wProcessorRevision) == offsetof(SYSTEM_INFO, wProcessorRevision));
static_assert(platform::kProcessorArchitectureAmd64 == PROCESSOR_ARCHITECTURE_AMD64);
static_assert(platform::kProcessorArchitectureIa64 == PROCESSOR_ARCHITECTURE_IA64);
static_assert(platform::kProcessorArchitectureArm64 == 12);

platform::ModuleHandle Win32SystemInfo::GetModuleHandleW(const char16_t* moduleName) {
  return ::GetModuleHandleW(reinterpret_cast<LPCWSTR>(moduleName));
}

platform::ProcAddress Win32SystemInfo::GetProcAddress(platform::ModuleHandle module, const char* procName) {
  return kit::trust::win32::ExportAddress(static_cast<HMODULE>(module), procName);
}

void Win32SystemInfo::GetNativeSystemInfo(platform::ProcAddress getNativeSystemInfo, platform::SystemInfoData* info) {
  const auto getNative = kit::trust::win32::AsFunction<decltype(&::GetNativeSystemInfo)>(getNativeSystemInfo);
  getNative(reinterpret_cast<LPSYSTEM_INFO>(info));
}

void Win32SystemInfo::GetSystemInfo(platform::SystemInfoData* info) {
  ::GetSystemInfo(reinterpret_cast<LPSYSTEM_INFO>(info));
}

uint32_t Win32SystemInfo::GetModuleFileNameW(platform::ModuleHandle module, char16_t* fileName, uint32_t size) {
  return ::GetModuleFileNameW(static_cast<HMODULE>(module), reinterpret_cast<LPWSTR>(fileName), size);
}

uint32_t Win32SystemInfo::GetModuleFileNameA(platform::ModuleHandle module, char* fileName, uint32_t size) {
  return ::GetModuleFileNameA(static_cast<HMODULE>(module), fileName, size);
}

uint16_t Win32SystemInfo::GetSystemDefaultLangID() { return ::GetSystemDefaultLangID(); }

}  // namespace quispor::win32
