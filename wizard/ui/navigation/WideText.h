// Helpers for the wizard's fixed wide-text buffers of 260 characters.
#pragma once

#include <cstddef>

namespace quispor {

// Room for 259 characters and the terminator.
inline constexpr std::size_t kWideTextCapacity = 260;

// Copies src into dst (capacity characters including the terminator), cutting
// what does not fit; dst is always terminated. A null src gives an empty text.
void CopyWideText(char16_t* dst, std::size_t capacity, const char16_t* src);

// Appends src to the text in dst within the same capacity rule.
void AppendWideText(char16_t* dst, std::size_t capacity, const char16_t* src);

std::size_t WideTextLength(const char16_t* text, std::size_t capacity);

}  // namespace quispor
