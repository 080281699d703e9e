// Small text helpers shared by the wizard's fakes.
#pragma once

#include <string>
#include <string_view>

namespace kit::fakes {

// UTF-16 to UTF-8, for readable call records and test messages.
std::string ToUtf8(std::u16string_view text);
// A possibly null wide text for a call record: "null" or "\"text\"".
std::string Quote(const char16_t* text);
std::string Quote(const char* text);

// Windows compares file, key and spooler names without regard to case.
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

}  // namespace kit::fakes
