#include "trust/win32/SystemLibrary.h"

#include <utility>

namespace kit::trust::win32 {

std::wstring SystemDirectory() {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    // Too small: the answer is the size needed, terminator included.
    folder.resize(length);
    length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) return {};
  }
  folder.resize(length);
  return folder;
}

std::wstring SystemFilePath(const wchar_t* fileName) {
  const std::wstring folder = SystemDirectory();
  if (folder.empty()) return {};
  return folder + L"\\" + fileName;
}

void LoadLibrariesFromTheSystemDirectoryOnly() {
  // Not declared for Windows 7, the oldest system the programs run on.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      FindFunction<SetDefaultDllDirectoriesFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    SetDllDirectoryW(L"");
  }
}

const void* ExportAddress(HMODULE module, const char* name) {
  return reinterpret_cast<const void*>(FindFunction<void (*)()>(module, name));
}

SystemLibrary::SystemLibrary(const wchar_t* fileName, const Loader& load) {
  const auto loadLibrary = [&load](const wchar_t* name, DWORD flags) {
    return load ? load(name, flags) : LoadLibraryExW(name, nullptr, flags);
  };
  module_ = loadLibrary(fileName, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module_ == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // Windows 7 without the update that brought the search flags refuses
    // them (87). The full path names the same file there; the altered search
    // takes the library's own imports from its folder, not the program's.
    const std::wstring path = SystemFilePath(fileName);
    if (!path.empty()) module_ = loadLibrary(path.c_str(), LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  loadError_ = module_ != nullptr ? ERROR_SUCCESS : GetLastError();
  if (module_ == nullptr && loadError_ == ERROR_SUCCESS) loadError_ = ERROR_MOD_NOT_FOUND;
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

SystemLibrary::SystemLibrary(SystemLibrary&& other) noexcept
    : module_(std::exchange(other.module_, nullptr)),
      loadError_(std::exchange(other.loadError_, static_cast<DWORD>(ERROR_MOD_NOT_FOUND))) {}

SystemLibrary& SystemLibrary::operator=(SystemLibrary&& other) noexcept {
  if (this != &other) {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = std::exchange(other.module_, nullptr);
    loadError_ = std::exchange(other.loadError_, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  }
  return *this;
}

HMODULE SystemLibrary::release() { return std::exchange(module_, nullptr); }

}  // namespace kit::trust::win32
