#include "wizard/ui/navigation/WideText.h"

namespace quispor {

std::size_t WideTextLength(const char16_t* text, std::size_t capacity) {
  std::size_t n = 0;
  while (n < capacity && text[n] != 0) ++n;
  return n;
}

void CopyWideText(char16_t* dst, std::size_t capacity, const char16_t* src) {
  if (capacity == 0) return;
  dst[0] = 0;
  AppendWideText(dst, capacity, src);
}

void AppendWideText(char16_t* dst, std::size_t capacity, const char16_t* src) {
  if (capacity == 0) return;
  std::size_t at = WideTextLength(dst, capacity);
  if (at >= capacity) at = capacity - 1;  // an unterminated buffer is cut, not overrun
  if (src != nullptr) {
    while (at + 1 < capacity && *src != 0) dst[at++] = *src++;
  }
  dst[at] = 0;
}

}  // namespace quispor
