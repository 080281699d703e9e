// A small formatter with the C runtime's wide swprintf semantics for the
// conversions the engine's texts use: %s and %ws (a wide string; null prints
// "(null)"), %d (signed decimal) with an optional width ("%3d" pads with
// blanks), %u, %x (lower-case hex) and %%. The engine's and the removal's
// trace lines and names are built with it, and must match character for
// character.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quispor {

struct FormatArg {
  FormatArg(const char16_t* text) : text(text), isText(true) {}
  FormatArg(const std::u16string& text) : text(text.c_str()), isText(true) {}
  FormatArg(int32_t value) : number(value) {}
  FormatArg(uint32_t value) : number(value) {}
  FormatArg(int64_t value) : number(value) {}
  FormatArg(uint16_t value) : number(value) {}

  const char16_t* text = nullptr;
  int64_t number = 0;
  bool isText = false;
};

// The formatted text. A conversion without its argument prints nothing.
std::u16string WideFormat(std::u16string_view format, std::initializer_list<FormatArg> args);

// Decimal digits of value, with a minus sign when negative.
std::u16string Decimal(int64_t value);

// "%d" of a 32-bit code: one above 0x7FFFFFFF prints negative.
inline std::u16string DecimalCode(uint32_t code) { return Decimal(static_cast<int32_t>(code)); }

// Lower-case hexadecimal digits of value, as "%x" prints them.
std::u16string Hex(uint32_t value);

}  // namespace quispor
