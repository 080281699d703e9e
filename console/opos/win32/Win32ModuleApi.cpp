#include "console/opos/win32/Win32ModuleApi.h"

#include <windows.h>

namespace vantrel::win32 {

std::u16string Win32ModuleApi::ProgramFilePath() {
  // Grows the buffer until the path fits: a path longer than MAX_PATH is
  // truncated silently otherwise.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::u16string(path.begin(), path.end());
}

bool Win32ModuleApi::FileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

ModuleApi::Module Win32ModuleApi::LoadModule(const std::u16string& path) {
  return reinterpret_cast<Module>(LoadLibraryW(reinterpret_cast<const wchar_t*>(path.c_str())));
}

ModuleApi::Export Win32ModuleApi::FindExport(Module module, const char* name) {
  return reinterpret_cast<Export>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

std::int32_t Win32ModuleApi::CallEntryPoint(Export entry) {
  using EntryPoint = HRESULT(STDAPICALLTYPE*)();
  return reinterpret_cast<EntryPoint>(entry)();
}

void Win32ModuleApi::UnloadModule(Module module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

}  // namespace vantrel::win32
