#include "console/opos/win32/Win32ModuleApi.h"

#include <windows.h>

#include "trust/win32/SystemLibrary.h"

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
  // The program's default search is the system directory only; a component
  // that needs a sibling library from its own folder finds it there.
  const auto* file = reinterpret_cast<const wchar_t*>(path.c_str());
  HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // Windows 7 without the update that brought the search flags refuses
    // them; the altered search looks in the component's folder first there.
    module = LoadLibraryExW(file, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return reinterpret_cast<Module>(module);
}

ModuleApi::Export Win32ModuleApi::FindExport(Module module, const char* name) {
  return reinterpret_cast<Export>(kit::trust::win32::ExportAddress(reinterpret_cast<HMODULE>(module), name));
}

std::int32_t Win32ModuleApi::CallEntryPoint(Export entry) {
  using EntryPoint = HRESULT(STDAPICALLTYPE*)();
  return kit::trust::win32::AsFunction<EntryPoint>(reinterpret_cast<const void*>(entry))();
}

void Win32ModuleApi::UnloadModule(Module module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

}  // namespace vantrel::win32
