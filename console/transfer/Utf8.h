// Strict UTF-8, as a file saved by Notepad holds it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

// The UTF-16 form of bytes, or false with *invalidAt set to the offset of
// the first byte that does not begin a well-formed sequence (overlong forms,
// surrogates and values past U+10FFFF are not well formed).
bool Utf8ToUtf16(std::string_view bytes, std::u16string* text, std::size_t* invalidAt);

}  // namespace vantrel
