#include "wizard/engine/win32/Win32CodePage.h"

#include <windows.h>

namespace quispor::win32 {

static_assert(platform::kCpAcp == CP_ACP);
static_assert(sizeof(BOOL) == sizeof(int));

int Win32CodePage::WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* wide, int wideLength,
                                       char* multiByte, int multiByteSize, const char* defaultChar,
                                       int* usedDefaultChar) {
  return ::WideCharToMultiByte(codePage, flags, reinterpret_cast<LPCWCH>(wide), wideLength, multiByte,
                               multiByteSize, defaultChar, reinterpret_cast<LPBOOL>(usedDefaultChar));
}

int Win32CodePage::MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* multiByte,
                                       int multiByteLength, char16_t* wide, int wideSize) {
  return ::MultiByteToWideChar(codePage, flags, multiByte, multiByteLength, reinterpret_cast<LPWSTR>(wide),
                               wideSize);
}

}  // namespace quispor::win32
