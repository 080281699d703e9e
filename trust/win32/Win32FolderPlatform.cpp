#include "trust/win32/Win32FolderPlatform.h"

#include <windows.h>
#include <initguid.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>

#include "trust/win32/SystemLibrary.h"

namespace kit::trust::win32 {
namespace {

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

uint32_t Win32FolderPlatform::ProgramDataFolder(std::u16string* path) {
  // Bound when first asked: the console needs it only for an import's
  // backup, and shell32 costs its start-up time otherwise.
  static const auto getKnownFolderPath = [] {
    SystemLibrary shell32(L"shell32.dll");
    const auto found = shell32.Find<decltype(&::SHGetKnownFolderPath)>("SHGetKnownFolderPath");
    if (found != nullptr) shell32.release();  // kept for the rest of the run
    return found;
  }();
  if (getKnownFolderPath == nullptr) return ERROR_PROC_NOT_FOUND;
  PWSTR folder = nullptr;
  const HRESULT result = getKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &folder);
  if (FAILED(result)) {
    CoTaskMemFree(folder);
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<uint32_t>(result);
  }
  *path = reinterpret_cast<const char16_t*>(folder);
  CoTaskMemFree(folder);
  while (!path->empty() && path->back() == u'\\') path->pop_back();
  return 0;
}

uint32_t Win32FolderPlatform::CreateDirectoryW(const std::u16string& path, const char16_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(reinterpret_cast<LPCWSTR>(sddl), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return GetLastError();
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  const BOOL made = ::CreateDirectoryW(W(path), &attributes);
  const uint32_t error = made ? 0 : GetLastError();
  LocalFree(descriptor);
  return error;
}

uint32_t Win32FolderPlatform::GetFileAttributesW(const std::u16string& path, uint32_t* attributes) {
  const DWORD found = ::GetFileAttributesW(W(path));
  if (found == INVALID_FILE_ATTRIBUTES) return GetLastError();
  *attributes = found;
  return 0;
}

}  // namespace kit::trust::win32
