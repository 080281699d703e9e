#include "tests/fakes/wizard/FakeComboBox.h"

#include <algorithm>

#include "tests/fakes/wizard/FakeText.h"

namespace kit::fakes {
namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool LessNoCase(const std::u16string& a, const std::u16string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Fold(x) < Fold(y); });
}

}  // namespace

std::u16string FakeComboBox::SelectedText() const {
  return selection >= 0 && selection < static_cast<int>(items.size()) ? items[selection] : std::u16string();
}

template <typename Match>
int FakeComboBox::Search(int start, Match match) const {
  const int count = static_cast<int>(items.size());
  if (start < -1 || start >= count) {
    start = -1;
  }
  for (int n = 0; n < count; ++n) {
    const int i = (start + 1 + n) % count;
    if (match(items[i])) {
      return i;
    }
  }
  return kCbErr;
}

void FakeComboBox::AddString(const char16_t* text) {
  calls.push_back("add " + ToUtf8(text));
  const std::u16string item = text != nullptr ? text : u"";
  items.insert(std::upper_bound(items.begin(), items.end(), item, LessNoCase), item);
}

void FakeComboBox::SelectString(int startIndex, const char16_t* text) {
  calls.push_back("selectstring " + std::to_string(startIndex) + " " + ToUtf8(text));
  const std::u16string prefix = text != nullptr ? text : u"";
  const int found = Search(startIndex, [&](const std::u16string& item) {
    return item.size() >= prefix.size() && EqualsNoCase(std::u16string_view(item).substr(0, prefix.size()), prefix);
  });
  if (found != kCbErr) {
    selection = found;
  }
}

int FakeComboBox::FindStringExact(int startIndex, const char16_t* text) {
  calls.push_back("findstringexact " + std::to_string(startIndex) + " " + ToUtf8(text));
  const std::u16string whole = text != nullptr ? text : u"";
  return Search(startIndex, [&](const std::u16string& item) { return EqualsNoCase(item, whole); });
}

void FakeComboBox::SetCurSel(int index) {
  calls.push_back("setcursel " + std::to_string(index));
  selection = index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
}

}  // namespace kit::fakes
