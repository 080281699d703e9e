// Paths between the Unix side (CTest, the wrapper) and the Windows side.
#include <stdexcept>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/UniqueHandle.h"
#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e {
namespace {

using detail::Widen;

bool IsWindowsPath(const std::string& p) {
  return (p.size() >= 2 && p[1] == ':') || p.rfind("\\\\", 0) == 0;
}

std::wstring TrimSeparators(std::wstring p) {
  while (p.size() > 3 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
  return p;
}

void CreateFolderTree(const std::wstring& folder) {
  if (folder.empty() || CreateDirectoryW(folder.c_str(), nullptr)) return;
  DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS) return;
  if (error == ERROR_PATH_NOT_FOUND) {
    const size_t slash = folder.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 2) {
      CreateFolderTree(folder.substr(0, slash));
      if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return;
      error = GetLastError();
    }
  }
  detail::ThrowWin32("cannot create folder " + detail::Narrow(folder), error);
}

}  // namespace

std::wstring WindowsPathOf(const std::string& unixPath) {
  if (IsWindowsPath(unixPath)) return Widen(unixPath);
  std::wstring path = Widen(unixPath);
  for (auto& c : path) {
    if (c == L'/') c = L'\\';
  }
  // Absolute Unix paths live on Z:, relative ones stay relative.
  return !unixPath.empty() && unixPath[0] == '/' ? L"Z:" + path : path;
}

std::string EnvVar(const char* name) {
  const std::wstring wideName = Widen(name);
  std::wstring value(256, L'\0');
  for (;;) {
    SetLastError(0);
    const DWORD n = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) return {};  // unset, or set to the empty text
    if (n < value.size()) {
      value.resize(n);
      return detail::Narrow(value);
    }
    value.resize(n);  // n counts the terminating zero when the buffer was short
  }
}

std::wstring DistFile(const std::string& program, const std::string& file) {
  std::string dist = EnvVar("KIT_DIST_DIR");
  if (dist.empty()) {
    const std::string source = EnvVar("KIT_SOURCE_DIR");
    if (source.empty()) throw std::runtime_error("KIT_DIST_DIR is not set (run the test through CTest)");
    dist = source + "/dist";
  }
  return TrimSeparators(WindowsPathOf(dist)) + L"\\" + Widen(program) + L"\\" + Widen(file);
}

void CopyFolder(const std::wstring& from, const std::wstring& to) {
  const std::wstring source = TrimSeparators(from);
  const std::wstring target = TrimSeparators(to);
  CreateFolderTree(target);
  WIN32_FIND_DATAW found;
  UniqueFindHandle find(FindFirstFileW((source + L"\\*").c_str(), &found));
  if (!find) detail::ThrowWin32("cannot list folder " + detail::Narrow(source));
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring src = source + L"\\" + found.cFileName;
    const std::wstring dst = target + L"\\" + found.cFileName;
    if (!CopyFileW(src.c_str(), dst.c_str(), FALSE)) {
      detail::ThrowWin32("cannot copy " + detail::Narrow(src) + " to " + detail::Narrow(dst));
    }
  } while (FindNextFileW(find.get(), &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) detail::ThrowWin32("cannot list folder " + detail::Narrow(source));
}

std::wstring TestExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) detail::ThrowWin32("GetModuleFileNameW failed");
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

}  // namespace kit::e2e
