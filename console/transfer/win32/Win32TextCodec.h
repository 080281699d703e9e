// The console's code page conversions: the ANSI code page, as the "A"
// registry calls use it.
#pragma once

#include "console/transfer/TextCodec.h"

namespace vantrel::win32 {

class Win32TextCodec final : public TextCodec {
 public:
  std::u16string Widen(std::string_view text) override;
  bool Narrow(std::u16string_view text, std::string* out) override;
};

}  // namespace vantrel::win32
