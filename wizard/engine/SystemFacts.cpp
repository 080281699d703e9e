#include "wizard/engine/SystemFacts.h"

#include <cstring>
#include <new>
#include <string>

#include "wizard/engine/DebugLog.h"
#include "wizard/engine/WideFormat.h"

namespace quispor {
namespace {

constexpr uint32_t kModulePathChars = 259;
constexpr uint32_t kErrorFileNotFound = 2;

}  // namespace

bool IsNative64Bit(platform::SystemInfo& system) {
  platform::SystemInfoData info{};
  platform::ModuleHandle kernel = system.GetModuleHandleW(u"kernel32");
  platform::ProcAddress getNative = kernel != nullptr ? system.GetProcAddress(kernel, "GetNativeSystemInfo") : nullptr;
  if (getNative != nullptr) {
    system.GetNativeSystemInfo(getNative, &info);
  } else {
    system.GetSystemInfo(&info);
  }
  return info.wProcessorArchitecture == platform::kProcessorArchitectureAmd64 ||
         info.wProcessorArchitecture == platform::kProcessorArchitectureIa64;
}

const char16_t* DriverEnvironmentName(bool is64Bit) { return is64Bit ? u"Windows x64" : u"Windows NT x86"; }

std::unique_ptr<char16_t[]> GetDriverDirectory(platform::Spooler& spooler, bool is64Bit) {
  const char16_t* environment = DriverEnvironmentName(is64Bit);
  uint32_t needed = 0;
  spooler.GetPrinterDriverDirectoryW(nullptr, environment, 1, nullptr, 0, &needed);
  if (needed == 0) {
    return nullptr;
  }
  // Whole characters for the bytes asked for, and one more so the text is
  // terminated even if the spooler fills every byte.
  const std::size_t chars = (static_cast<std::size_t>(needed) + 1) / 2 + 1;
  std::unique_ptr<char16_t[]> directory(new (std::nothrow) char16_t[chars]());
  if (!directory) {
    return nullptr;
  }
  if (spooler.GetPrinterDriverDirectoryW(nullptr, environment, 1, reinterpret_cast<uint8_t*>(directory.get()),
                                         needed, &needed) != 0) {
    return nullptr;
  }
  return directory;
}

void GetProgramFolder(platform::SystemInfo& system, char16_t* buffer) {
  if (buffer == nullptr) {
    return;
  }
  buffer[0] = u'\0';
  const uint32_t length = system.GetModuleFileNameW(nullptr, buffer, kModulePathChars);
  // A cut path would give a wrong folder; an empty one makes the copies fail
  // visibly instead.
  if (length == 0 || length >= kModulePathChars) {
    buffer[0] = u'\0';
    return;
  }
  buffer[length] = u'\0';
  std::size_t keep = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (buffer[i] == u'\\') {
      keep = i + 1;
    }
  }
  buffer[keep] = u'\0';
}

uint32_t CheckIsManageAccess(platform::Registry& registry) {
  platform::RegKey key;
  const uint32_t error = registry.RegCreateKeyExW(platform::kHkeyLocalMachine, kManageAccessKeyPath, 0, nullptr,
                                                  platform::kRegOptionNonVolatile, platform::kKeyAllAccess, nullptr,
                                                  key.put(registry), nullptr);
  if (error != 0) {
    static_cast<void>(key.release());  // a failed create opens nothing
    const std::u16string line = u"CheckIsManageAccess:: RegCreateKeyEx Fail,err=" +
                                DecimalCode(error) + u",path=" + kManageAccessKeyPath + u"\r\n";
    WriteDebugLog(line.c_str());
    return error;
  }
  return 0;
}

uint32_t CheckManageAccessWithoutChange(platform::Registry& registry) {
  // A PC that never had a USB printer lacks the class key: its parent
  // answers the question as well.
  std::u16string path = kManageAccessKeyPath;
  for (;;) {
    platform::RegKey key;
    const uint32_t error =
        registry.RegOpenKeyExW(platform::kHkeyLocalMachine, path.c_str(), 0, platform::kKeyAllAccess, key.put(registry));
    const std::size_t cut = path.rfind(u'\\');
    if (error == 0) {
      return 0;
    }
    static_cast<void>(key.release());  // a failed open opens nothing
    if (error != kErrorFileNotFound || cut == std::u16string::npos) {
      const std::u16string line = u"CheckIsManageAccess:: RegOpenKeyEx Fail,err=" + DecimalCode(error) +
                                  u",path=" + path + u"\r\n";
      WriteDebugLog(line.c_str());
      return error;
    }
    path.resize(cut);
  }
}

}  // namespace quispor
