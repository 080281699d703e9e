// Facts about the running system that installation and removal need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "wizard/engine/platform/Registry.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/platform/SystemInfo.h"

namespace quispor {

inline constexpr std::size_t kProgramFolderCapacity = 260;  // 259 + terminator

// The USB printer device interface class key that CheckIsManageAccess opens.
inline constexpr const char16_t* kManageAccessKeyPath =
    u"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

// True for an AMD64 or IA64 processor (ARM64 is not). Asks again each call:
// GetNativeSystemInfo looked up in "kernel32", else GetSystemInfo.
bool IsNative64Bit(platform::SystemInfo& system);

// "Windows x64" or "Windows NT x86" (constant texts).
const char16_t* DriverEnvironmentName(bool is64Bit);

// The spooler's printer driver directory for that environment, terminated;
// null on any failure.
std::unique_ptr<char16_t[]> GetDriverDirectory(platform::Spooler& spooler, bool is64Bit);

// The folder of the program file, ending in a backslash, into buffer (260
// wide characters). Empty when the path cannot be had whole.
void GetProgramFolder(platform::SystemInfo& system, char16_t* buffer);

// 0 when the machine's registry grants write access (the key is opened or
// created, nothing is written), otherwise the registry error code (5 for
// access denied), which is also logged.
uint32_t CheckIsManageAccess(platform::Registry& registry);

// The same question for a run that must change nothing (/whatif): opens,
// with the same rights, the nearest key of that path that exists, and
// creates none. 0 or the registry error code (logged as above).
uint32_t CheckManageAccessWithoutChange(platform::Registry& registry);

}  // namespace quispor
