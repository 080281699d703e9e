// The wizard's fixed wide-text buffers: names, paths and messages are kept
// in fields of a set number of characters, the terminator included.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quispor {

// Room for 259 characters and the terminator.
inline constexpr std::size_t kWideTextCapacity = 260;

// A possibly null text as a view; null is empty.
inline std::u16string_view View(const char16_t* text) {
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

// Copies text into field (capacity characters, terminator included), cutting
// what does not fit; field is always terminated. True when the whole text
// fit. A null text copies as empty.
bool CopyWideText(char16_t* field, std::size_t capacity, std::u16string_view text);
inline bool CopyWideText(char16_t* field, std::size_t capacity, const char16_t* text) {
  return CopyWideText(field, capacity, View(text));
}

// Appends text to the text in field within the same capacity rule.
void AppendWideText(char16_t* field, std::size_t capacity, const char16_t* text);

// The length of the text in field, at most capacity.
std::size_t WideTextLength(const char16_t* field, std::size_t capacity);

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf8Of(std::u16string_view text);

}  // namespace quispor
