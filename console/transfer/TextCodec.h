// The console keeps its texts in the system code page; registry files hold
// UTF-16. On Windows this is MultiByteToWideChar / WideCharToMultiByte with
// the ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual std::u16string Widen(std::string_view text) = 0;
  // False when a character has no form in the code page; *out then holds the
  // text with a replacement character in its place, for a message.
  virtual bool Narrow(std::u16string_view text, std::string* out) = 0;
};

}  // namespace vantrel
