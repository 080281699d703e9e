#include "tests/fakes/wizard/FakeCodePage.h"

#include <algorithm>
#include <cstring>

namespace kit::fakes {

std::string FakeCodePage::ToBytes(const std::u16string& text) const {
  std::string out;
  for (char16_t c : text) {
    auto it = extra.find(c);
    if (it != extra.end()) {
      out += it->second;
    } else if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
    } else {
      out += defaultChar;
    }
  }
  return out;
}

int FakeCodePage::WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* wide, int wideLength,
                                      char* multiByte, int multiByteSize, const char* defaultChar,
                                      int* usedDefaultChar) {
  calls.push_back("WideCharToMultiByte(cp=" + std::to_string(codePage) + ", flags=" + std::to_string(flags) +
                  ", length=" + std::to_string(wideLength) + ", size=" + std::to_string(multiByteSize) +
                  ", default=" + (defaultChar ? "set" : "null") + ")");
  if (wide == nullptr || wideLength == 0 || multiByteSize < 0 || (multiByteSize > 0 && multiByte == nullptr)) {
    return 0;
  }
  std::u16string source = wideLength < 0 ? std::u16string(wide) + u'\0' : std::u16string(wide, wideLength);
  const std::string bytes = ToBytes(source);
  if (usedDefaultChar != nullptr) {
    *usedDefaultChar = 0;
  }
  if (multiByteSize == 0) {
    return static_cast<int>(bytes.size());
  }
  const std::size_t fits = std::min(bytes.size(), static_cast<std::size_t>(multiByteSize));
  std::memcpy(multiByte, bytes.data(), fits);
  return fits == bytes.size() ? static_cast<int>(bytes.size()) : 0;  // 0: ERROR_INSUFFICIENT_BUFFER
}

int FakeCodePage::MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* multiByte, int multiByteLength,
                                      char16_t* wide, int wideSize) {
  calls.push_back("MultiByteToWideChar(cp=" + std::to_string(codePage) + ", flags=" + std::to_string(flags) +
                  ", length=" + std::to_string(multiByteLength) + ", size=" + std::to_string(wideSize) + ")");
  if (multiByte == nullptr || multiByteLength == 0 || wideSize < 0 || (wideSize > 0 && wide == nullptr)) {
    return 0;
  }
  const std::string source = multiByteLength < 0 ? std::string(multiByte, std::strlen(multiByte) + 1)
                                                 : std::string(multiByte, static_cast<std::size_t>(multiByteLength));
  std::u16string out;
  for (std::size_t i = 0; i < source.size();) {
    bool matched = false;
    for (const auto& [c, bytes] : extra) {
      if (!bytes.empty() && source.compare(i, bytes.size(), bytes) == 0) {
        out += c;
        i += bytes.size();
        matched = true;
        break;
      }
    }
    if (!matched) {
      out += static_cast<char16_t>(static_cast<unsigned char>(source[i]));
      ++i;
    }
  }
  if (wideSize == 0) {
    return static_cast<int>(out.size());
  }
  const std::size_t fits = std::min(out.size(), static_cast<std::size_t>(wideSize));
  std::memcpy(wide, out.data(), fits * sizeof(char16_t));
  return fits == out.size() ? static_cast<int>(out.size()) : 0;
}

}  // namespace kit::fakes
