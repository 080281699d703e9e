// Name comparison of the wizard: ASCII A-Z equal a-z, every other character
// must be identical; no trimming. Null texts count as empty.
#pragma once

#include <cstddef>
#include <string_view>

namespace quispor {

constexpr char16_t ToAsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }
constexpr char16_t ToAsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

// Whole-text equality without regard to ASCII case.
bool NamesEqualIgnoringCase(std::u16string_view a, std::u16string_view b);
bool NamesEqualIgnoringCase(const char16_t* a, const char16_t* b);

// Position of the first occurrence of needle in text without regard to ASCII
// case, or npos.
std::size_t FindIgnoringCase(std::u16string_view text, std::u16string_view needle);

}  // namespace quispor
