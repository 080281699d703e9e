#include "wizard/unattended/win32/ProcessArguments.h"

#include <windows.h>
#include <shellapi.h>

namespace quispor::unattended::win32 {

std::u16string ProcessCommandLine() {
  const wchar_t* line = GetCommandLineW();
  return line != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(line)) : std::u16string();
}

std::vector<std::u16string> ProcessArguments() {
  std::vector<std::u16string> args;
  int count = 0;
  wchar_t** split = CommandLineToArgvW(GetCommandLineW(), &count);
  if (split == nullptr) {
    return args;
  }
  for (int i = 0; i < count; ++i) {
    args.emplace_back(reinterpret_cast<const char16_t*>(split[i]));
  }
  LocalFree(split);
  return args;
}

}  // namespace quispor::unattended::win32
