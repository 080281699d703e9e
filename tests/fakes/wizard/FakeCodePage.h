// The ANSI code page of a Western Windows (1252's Latin-1 range: U+0000 to
// U+007F and U+00A0 to U+00FF map to their own byte), with "?" as the
// default character for everything else, as WideCharToMultiByte gives it.
// Tests may add multi-byte characters (say, code page 936's) to the map.
// Short buffers behave as on Windows: the call returns 0 after filling what
// fits.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "wizard/engine/platform/CodePage.h"

namespace kit::fakes {

class FakeCodePage : public quispor::platform::CodePage {
 public:
  std::map<char16_t, std::string> extra;  // more characters and their bytes
  char defaultChar = '?';
  std::vector<std::string> calls;

  int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* wide, int wideLength, char* multiByte,
                          int multiByteSize, const char* defaultChar, int* usedDefaultChar) override;
  int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* multiByte, int multiByteLength,
                          char16_t* wide, int wideSize) override;

  std::string ToBytes(const std::u16string& text) const;
};

}  // namespace kit::fakes
