#include "tests/wizard/ui/FakeDialogs.h"

#include <cwctype>

namespace quispor::testing {
namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

void FakeDialog::SelectModelStartingWith(const char16_t* prefix) {
  const std::u16string p(prefix);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].size() < p.size()) continue;
    bool match = true;
    for (std::size_t k = 0; k < p.size() && match; ++k) match = Fold(items[i][k]) == Fold(p[k]);
    if (match) {
      selection = static_cast<int>(i);
      return;
    }
  }
}

void FakeDialog::ReadModelText(char16_t* buffer, std::size_t capacity) {
  std::u16string text = selection >= 0 ? items[selection] : u"";
  if (text.size() > capacity - 1) text.resize(capacity - 1);
  text.copy(buffer, text.size());
  buffer[text.size()] = 0;
}

}  // namespace quispor::testing
