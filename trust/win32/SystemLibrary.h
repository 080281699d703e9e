// The system's libraries, bound at run time from the system directory.
//
// Both programs run with more rights than whoever copied them, and for a
// library that is not a KnownDLL the loader looks in the program's own folder
// first, before the program's first line runs. So such a library is never
// named in the import table: it is loaded here, from the system directory
// only, and its functions are looked up typed, by name or by ordinal.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <type_traits>

namespace kit::trust::win32 {

// The system directory (for example C:\Windows\system32), or empty when it
// cannot be had.
std::wstring SystemDirectory();
// The system directory and a file name in it, or empty when the system
// directory cannot be had.
std::wstring SystemFilePath(const wchar_t* fileName);

// First thing at start, before anything loads a library by name: every
// library loaded by name from then on (by the program, or by the system's
// libraries on its behalf) comes from the system directory only. Where the
// call is missing (Windows 7 without the update that brought it), at least
// the current folder leaves the search path.
void LoadLibrariesFromTheSystemDirectoryOnly();

// A typed function of a loaded module, or null (last error 127) when the
// module does not export it or is null. Function is a pointer-to-function
// type, e.g. decltype(&::EnumPortsW).
template <typename Function>
Function FindFunction(HMODULE module, const char* name);

// An export's address as a portable interface carries it, to be handed back
// to the adapter that found it and called there through AsFunction.
const void* ExportAddress(HMODULE module, const char* name);
template <typename Function>
Function AsFunction(const void* address);

class SystemLibrary {
 public:
  // What loads: LoadLibraryExW(name, nullptr, flags), unless a test stands
  // in for a system that refuses a flag.
  using Loader = std::function<HMODULE(const wchar_t* name, DWORD flags)>;

  SystemLibrary() = default;
  // Loads fileName from the system directory with LOAD_LIBRARY_SEARCH_SYSTEM32;
  // where that flag is refused, by the full path in the system directory, its
  // own imports then searched there first (LOAD_WITH_ALTERED_SEARCH_PATH).
  explicit SystemLibrary(const wchar_t* fileName, const Loader& load = {});
  ~SystemLibrary();  // FreeLibrary
  SystemLibrary(SystemLibrary&& other) noexcept;
  SystemLibrary& operator=(SystemLibrary&& other) noexcept;
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // The load's Windows error code; 0 when loaded.
  DWORD LoadError() const { return loadError_; }
  HMODULE module() const { return module_; }
  // Keeps the library loaded for the rest of the process and gives up its
  // handle, for functions bound once and used until the end.
  HMODULE release();

  template <typename Function>
  Function Find(const char* name) const {
    return FindFunction<Function>(module_, name);
  }
  template <typename Function>
  Function FindOrdinal(WORD ordinal) const {
    return FindFunction<Function>(module_, MAKEINTRESOURCEA(ordinal));
  }

 private:
  HMODULE module_ = nullptr;
  DWORD loadError_ = ERROR_MOD_NOT_FOUND;
};

// GetProcAddress answers a generic function pointer; going through void(*)()
// says the cast to the export's own type is meant. The one place that casts.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
  static_assert(std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>,
                "a pointer-to-function type");
  if (module == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

template <typename Function>
Function AsFunction(const void* address) {
  static_assert(std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>,
                "a pointer-to-function type");
  return reinterpret_cast<Function>(const_cast<void*>(address));
}

}  // namespace kit::trust::win32
