#include "tests/fakes/wizard/FakeSystemInfo.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

void Fill(quispor::platform::SystemInfoData* info, uint16_t architecture) {
  *info = quispor::platform::SystemInfoData{};
  info->wProcessorArchitecture = architecture;
  info->dwPageSize = 4096;
  info->dwNumberOfProcessors = 2;
  info->dwAllocationGranularity = 65536;
}

// Windows Vista and later: a short buffer gets size - 1 characters and a
// terminator, and the result is size.
template <typename Char>
uint32_t CopyModulePath(const std::basic_string<Char>& path, Char* out, uint32_t size) {
  if (size == 0) {
    return 0;
  }
  const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
  std::memcpy(out, path.data(), n * sizeof(Char));
  out[n] = Char{};
  return path.size() < size ? static_cast<uint32_t>(path.size()) : size;
}

}  // namespace

quispor::platform::ModuleHandle FakeSystemInfo::GetModuleHandleW(const char16_t* moduleName) {
  calls.push_back("GetModuleHandleW(" + Quote(moduleName) + ")");
  if (moduleName != nullptr &&
      (EqualsNoCase(std::u16string_view(moduleName), u"kernel32") ||
       EqualsNoCase(std::u16string_view(moduleName), u"kernel32.dll"))) {
    return &kernel32_;
  }
  return nullptr;
}

quispor::platform::ProcAddress FakeSystemInfo::GetProcAddress(quispor::platform::ModuleHandle module,
                                                             const char* procName) {
  calls.push_back("GetProcAddress(" + std::string(module == &kernel32_ ? "kernel32" : "?") + ", " +
                  Quote(procName) + ")");
  if (module == &kernel32_ && exportsGetNativeSystemInfo && procName != nullptr &&
      std::strcmp(procName, "GetNativeSystemInfo") == 0) {
    return &getNativeSystemInfo_;
  }
  return nullptr;
}

void FakeSystemInfo::GetNativeSystemInfo(quispor::platform::ProcAddress getNativeSystemInfo,
                                         quispor::platform::SystemInfoData* info) {
  calls.push_back("GetNativeSystemInfo");
  if (getNativeSystemInfo != &getNativeSystemInfo_) {
    throw std::logic_error("GetNativeSystemInfo called through a pointer GetProcAddress did not give");
  }
  Fill(info, nativeArchitecture);
}

void FakeSystemInfo::GetSystemInfo(quispor::platform::SystemInfoData* info) {
  calls.push_back("GetSystemInfo");
  Fill(info, reportedArchitecture);
}

uint32_t FakeSystemInfo::GetModuleFileNameW(quispor::platform::ModuleHandle module, char16_t* fileName,
                                            uint32_t size) {
  calls.push_back("GetModuleFileNameW(" + std::string(module ? "module" : "null") + ", " + std::to_string(size) + ")");
  return module == nullptr ? CopyModulePath(moduleFileName, fileName, size) : 0;
}

uint32_t FakeSystemInfo::GetModuleFileNameA(quispor::platform::ModuleHandle module, char* fileName, uint32_t size) {
  calls.push_back("GetModuleFileNameA(" + std::string(module ? "module" : "null") + ", " + std::to_string(size) + ")");
  std::string path = moduleFileNameA;
  if (path.empty()) {
    for (char16_t c : moduleFileName) {
      path += c < 0x80 ? static_cast<char>(c) : '?';
    }
  }
  return module == nullptr ? CopyModulePath(path, fileName, size) : 0;
}

uint16_t FakeSystemInfo::GetSystemDefaultLangID() {
  calls.push_back("GetSystemDefaultLangID");
  return systemDefaultLangId;
}

quispor::unattended::KernelHandle FakeSystemInfo::CreateMutexW(const char16_t* name, uint32_t* error) {
  const std::u16string key = name != nullptr ? name : u"";
  for (const std::u16string& foreign : foreignMutexes) {
    if (foreign == key) {
      *error = quispor::unattended::kErrorAccessDenied;
      return 0;
    }
  }
  *error = mutexes[key]++ > 0 ? quispor::unattended::kErrorAlreadyExists : 0;
  mutexHandles_[nextHandle_] = key;
  return nextHandle_++;
}

uint32_t FakeSystemInfo::CloseHandle(quispor::unattended::KernelHandle handle) {
  const auto open = mutexHandles_.find(handle);
  if (open == mutexHandles_.end()) {
    return 6;  // ERROR_INVALID_HANDLE
  }
  if (--mutexes[open->second] == 0) {
    mutexes.erase(open->second);
  }
  mutexHandles_.erase(open);
  return 0;
}

}  // namespace kit::fakes
