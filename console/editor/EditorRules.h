// Small rules of the console window that do not depend on its state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "console/editor/MainView.h"

namespace vantrel {

// Decimal text with an optional sign, within 32 bits; anything else gives
// fallback (no blanks, no hexadecimal).
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// Connection page index 0, 1 or 2 shows that page and only its tab; any
// other index shows no page and no tab.
PageState PageStep(int index);

// The error display's text: a "." is appended when the last byte, taken as
// unsigned, comes after "." (so texts ending in ".", "!" or a blank stay).
std::string ErrorDisplayText(std::string message);

// The program's title: its file name without folder and extension.
std::string ProgramTitleFromPath(std::string_view path);

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  std::uint32_t flags = 0;
};
// The box the error display shows for message.
MessageBoxRequest ErrorDisplayBox(const std::string& message, const std::string& programTitle);

// Replaces the first "%s" of format with arg.
std::string FormatWith(std::string_view format, std::string_view arg);

}  // namespace vantrel
