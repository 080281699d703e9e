// The pieces the removal's trace lines are built from, formatted as
// wsprintfW / swprintf format them: "%d" signed decimal, "%x" lower-case hex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quispor::removal {

// "%d" of a 32-bit value (an error code above 0x7FFFFFFF prints negative).
std::u16string Decimal(int64_t value);
inline std::u16string DecimalCode(uint32_t code) { return Decimal(static_cast<int32_t>(code)); }

// "%x" of a 32-bit value.
std::u16string Hex(uint32_t value);

// A possibly null text as "%s" prints it from a fixed buffer: null is empty.
inline std::u16string Text(const char16_t* text) { return text != nullptr ? std::u16string(text) : std::u16string(); }

// text cut to fit a buffer of capacity wide characters, terminator included.
std::u16string FitBuffer(std::u16string text, std::size_t capacity);

// WriteDebugLog of a finished line.
void Log(const std::u16string& line);

}  // namespace quispor::removal
