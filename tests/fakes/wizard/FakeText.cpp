#include "tests/fakes/wizard/FakeText.h"

#include <algorithm>
#include <cwctype>

namespace kit::fakes {
namespace {

char32_t FoldChar(char32_t c) { return static_cast<char32_t>(std::towupper(static_cast<wint_t>(c))); }

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Quote(const char16_t* text) { return text == nullptr ? "null" : "\"" + ToUtf8(text) + "\""; }
std::string Quote(const char* text) { return text == nullptr ? "null" : "\"" + std::string(text) + "\""; }

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return FoldChar(x) == FoldChar(y); });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldChar(static_cast<unsigned char>(x)) == FoldChar(static_cast<unsigned char>(y));
         });
}

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldChar(static_cast<unsigned char>(x)) < FoldChar(static_cast<unsigned char>(y));
  });
}

}  // namespace kit::fakes
