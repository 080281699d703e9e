// kernel32's code page conversions behind the CodePage interface.
#pragma once

#include "wizard/engine/platform/CodePage.h"

namespace quispor::win32 {

class Win32CodePage final : public platform::CodePage {
 public:
  int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* wide, int wideLength, char* multiByte,
                          int multiByteSize, const char* defaultChar, int* usedDefaultChar) override;
  int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* multiByte, int multiByteLength,
                          char16_t* wide, int wideSize) override;
};

}  // namespace quispor::win32
