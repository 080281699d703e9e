#include "wizard/engine/WideText.h"

namespace quispor {

std::size_t WideTextLength(const char16_t* field, std::size_t capacity) {
  std::size_t n = 0;
  while (n < capacity && field[n] != 0) ++n;
  return n;
}

bool CopyWideText(char16_t* field, std::size_t capacity, std::u16string_view text) {
  if (capacity == 0) return text.empty();
  const std::size_t n = text.size() < capacity ? text.size() : capacity - 1;
  for (std::size_t i = 0; i < n; ++i) field[i] = text[i];
  field[n] = 0;
  return n == text.size();
}

void AppendWideText(char16_t* field, std::size_t capacity, const char16_t* text) {
  if (capacity == 0) return;
  std::size_t at = WideTextLength(field, capacity);
  if (at >= capacity) at = capacity - 1;  // an unterminated field is cut, not overrun
  CopyWideText(field + at, capacity - at, View(text));
}

}  // namespace quispor
