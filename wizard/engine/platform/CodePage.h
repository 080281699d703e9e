// Conversions between UTF-16 and the system's ANSI code page, shaped like
// kernel32's WideCharToMultiByte and MultiByteToWideChar (0 on failure).
#pragma once

#include <cstdint>

namespace quispor::platform {

inline constexpr uint32_t kCpAcp = 0;

class CodePage {
 public:
  virtual ~CodePage() = default;

  virtual int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* wide,
                                  int wideLength, char* multiByte, int multiByteSize,
                                  const char* defaultChar, int* usedDefaultChar) = 0;

  virtual int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* multiByte,
                                  int multiByteLength, char16_t* wide, int wideSize) = 0;
};

}  // namespace quispor::platform
