#include "wizard/engine/NameCompare.h"

namespace quispor {

bool NamesEqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToAsciiUpper(a[i]) != ToAsciiUpper(b[i])) {
      return false;
    }
  }
  return true;
}

bool NamesEqualIgnoringCase(const char16_t* a, const char16_t* b) {
  return NamesEqualIgnoringCase(a != nullptr ? std::u16string_view(a) : std::u16string_view(),
                                b != nullptr ? std::u16string_view(b) : std::u16string_view());
}

std::size_t FindIgnoringCase(std::u16string_view text, std::u16string_view needle) {
  if (needle.size() > text.size()) {
    return std::u16string_view::npos;
  }
  for (std::size_t start = 0; start + needle.size() <= text.size(); ++start) {
    if (NamesEqualIgnoringCase(text.substr(start, needle.size()), needle)) {
      return start;
    }
  }
  return std::u16string_view::npos;
}

}  // namespace quispor
