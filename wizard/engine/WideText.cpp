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

namespace {

void AppendUtf8(std::string& out, char32_t c) {
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

}  // namespace

std::string Utf8Of(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

}  // namespace quispor
