#include "tests/fakes/wizard/FakeText.h"

#include <algorithm>
#include <cwctype>

#include "wizard/engine/WideText.h"

namespace kit::fakes {
namespace {

char32_t FoldChar(char32_t c) { return static_cast<char32_t>(std::towupper(static_cast<wint_t>(c))); }

}  // namespace

std::string ToUtf8(std::u16string_view text) { return quispor::Utf8Of(text); }

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "\"" + s.
std::string Quote(const char* text) {
  if (text == nullptr) return "null";
  std::string out = "\"";
  out += text;
  out += '"';
  return out;
}
std::string Quote(const char16_t* text) { return text == nullptr ? "null" : Quote(ToUtf8(text).c_str()); }

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
